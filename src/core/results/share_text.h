#pragma once

#include "common/field_store.h"

#include <cstdint>
#include <string>

namespace zelkora {

// A distribution share: a percentage formatted with "###.##" and read back, so it carries at
// most two fraction digits. Kept as whole hundredths too, which makes its text cheap.
struct Share {
    double value = 0;
    std::int64_t hundredths = 0;
};

// What reading back formatPattern(percent, TwoDecimals) gives. The distributions refresh every
// share on every first hit, so the common case avoids making the text; only a percentage within
// a hair of a rounding tie takes the exact, slower path.
Share roundShare(double percent);

// plainText(share.value): "50", "12.5", "0.5".
void appendShareText(std::string& out, const Share& share);
// formatPattern(cumulative, OneDecimal), with the same fast path: "100.", "12.5", ".5", ".".
void appendCumulativeText(std::string& out, double cumulative);

} // namespace zelkora
