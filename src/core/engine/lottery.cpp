#include "engine/lottery.h"

#include "common/numbers.h"

#include <limits>

namespace zelkora {

std::int32_t drawLotteryScale(float draw, int countdown) {
    const double product = static_cast<double>(static_cast<float>(countdown)) * draw;
    const double fraction = fracPart(product);
    return (static_cast<std::int32_t>(fraction * 1000) + 1) * 100;
}

std::int64_t lotteryValue(double product) {
    constexpr double kLimit = 9.2e18; // below 2^63
    if (product >= kLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (product <= -kLimit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(intPart(product)) + 1;
}

std::optional<double> correctedDenominator(double denominator, double shownFirstHitSpins) {
    if (shownFirstHitSpins == 0) {
        return std::nullopt;
    }
    const float ratio = static_cast<float>(denominator / shownFirstHitSpins);
    return fixPart(static_cast<double>(ratio) * denominator);
}

int drawSymbolIndex(float draw, std::int32_t runSeconds, double symbolCount) {
    const double seconds = runSeconds == 0 ? 1.0 : static_cast<double>(runSeconds);
    const double fraction = fracPart(static_cast<double>(draw) * seconds);
    return static_cast<int>(intPart(symbolCount * fraction));
}

} // namespace zelkora
