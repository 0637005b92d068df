#include "results/share_text.h"

#include "common/numbers.h"

#include <charconv>
#include <cmath>

namespace zelkora {
namespace {

// Below this a double keeps at least eleven fraction digits of its fifteen significant ones, so
// rounding x × scale in binary decides like rounding the decimal form unless the fraction lies
// within kTieMargin of one half.
constexpr double kFastLimit = 1e4;
constexpr double kTieMargin = 1e-6;

// Whole units of 1/scale after rounding half away from zero, or -1 when the value needs the
// exact decimal path.
std::int64_t fastUnits(double value, double scale) {
    if (!(value >= 0 && value < kFastLimit)) {
        return -1;
    }
    const double scaled = value * scale;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < kTieMargin) {
        return -1;
    }
    return static_cast<std::int64_t>(whole) + (fraction > 0.5 ? 1 : 0);
}

void appendInteger(std::string& out, std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace

Share roundShare(double percent) {
    std::int64_t hundredths = fastUnits(percent, 100);
    if (hundredths < 0) {
        const double exact = patternValue(percent, Pattern::TwoDecimals);
        return {exact, static_cast<std::int64_t>(std::llround(exact * 100))};
    }
    return {static_cast<double>(hundredths) / 100, hundredths};
}

void appendShareText(std::string& out, const Share& share) {
    if (share.hundredths < 0 || static_cast<double>(share.hundredths) / 100 != share.value) {
        appendPlainText(out, share.value);
        return;
    }
    appendInteger(out, share.hundredths / 100);
    const std::int64_t fraction = share.hundredths % 100;
    if (fraction != 0) {
        out += '.';
        out += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0) {
            out += static_cast<char>('0' + fraction % 10);
        }
    }
}

void appendCumulativeText(std::string& out, double cumulative) {
    const std::int64_t tenths = fastUnits(cumulative, 10);
    if (tenths < 0) {
        appendPattern(out, cumulative, Pattern::OneDecimal);
        return;
    }
    if (tenths >= 10) {
        appendInteger(out, tenths / 10);
    }
    out += '.';
    if (tenths % 10 != 0) {
        out += static_cast<char>('0' + tenths % 10);
    }
}

} // namespace zelkora
