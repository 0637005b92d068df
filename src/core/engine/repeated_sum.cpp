#include "engine/repeated_sum.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace zelkora {
namespace {

constexpr std::int64_t kBinadeBottom = std::int64_t{1} << 52; // a value's ulps in its binade
constexpr std::int64_t kBinadeTop = std::int64_t{1} << 53;
constexpr std::uint64_t kFractionBits = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kSmallestExponent = 53; // below it the ulp would not be a normal number

// A positive normal value as a count of its ulps: value = position × ulp, position in
// [2^52, 2^53).
struct OnGrid {
    std::uint64_t exponent = 0; // the biased exponent
    std::int64_t position = 0;
    double perUlp = 0; // 1 ÷ ulp, a power of two
};

OnGrid gridOf(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::uint64_t exponent = bits >> 52U;
    // ulp = 2^(exponent - 1075), so 1 ÷ ulp has the biased exponent 2098 - exponent.
    return {exponent, static_cast<std::int64_t>((bits & kFractionBits) | (kFractionBits + 1)),
            std::bit_cast<double>((2098 - exponent) << 52U)};
}

double valueOf(std::uint64_t exponent, std::int64_t position) {
    return std::bit_cast<double>((exponent << 52U) |
                                 (static_cast<std::uint64_t>(position) & kFractionBits));
}

// room ÷ step rounded down, for 0 ≤ room < 2^53 and 0 < step < 2^53: a division of doubles, as
// a 64-bit integer division takes several times as long, set right where it rounded up.
std::int64_t wholeSteps(std::int64_t room, std::int64_t step) {
    auto steps = static_cast<std::int64_t>(static_cast<double>(room) / static_cast<double>(step));
    if (steps * step > room) {
        --steps;
    } else if ((steps + 1) * step <= room) {
        ++steps;
    }
    return steps;
}

// How many of `count` additions of `step` to a value on `grid` move it by the same whole number
// of ulps, and that number in `units`; 0 when the next addition must be played on its own.
std::int64_t additionsOnOneGrid(const OnGrid& grid, double step, std::int64_t count,
                                std::int64_t& units) {
    const double scaled = step * grid.perUlp; // exact: a power of two apart
    if (!(std::fabs(scaled) < 0x1p50)) {
        return 0;
    }
    // The nearest whole number; the difference from the truncated one is exact.
    units = static_cast<std::int64_t>(scaled);
    const double rest = scaled - static_cast<double>(units);
    if (std::fabs(rest) == 0.5) {
        return 0; // halfway: the sum rounds to an even count of ulps, which alternates
    }
    units += rest > 0.5 ? 1 : (rest < -0.5 ? -1 : 0);
    // Each exact sum lies within one ulp of the next grid point; keeping that ulp inside the
    // binade keeps every sum on its grid.
    std::int64_t additions = 0;
    if (units > 0) {
        const std::int64_t room = kBinadeTop - 1 - units - grid.position;
        additions = room < 0 ? 0 : wholeSteps(room, units) + 1;
    } else if (units < 0) {
        const std::int64_t room = grid.position + units - 1 - kBinadeBottom;
        additions = room < 0 ? 0 : wholeSteps(room, -units) + 1;
    } else {
        additions = grid.position > kBinadeBottom ? count : 0;
    }
    return std::min(additions, count);
}

} // namespace

double repeatedSum(double value, double step, std::int64_t count) {
    while (count > 0) {
        // Rounding to nearest is symmetric, so a negative value is its mirror image.
        const bool negative = value < 0;
        const OnGrid grid = gridOf(negative ? -value : value);
        std::int64_t units = 0;
        const std::int64_t additions =
            std::isfinite(value) && std::isfinite(step) && grid.exponent >= kSmallestExponent
                ? additionsOnOneGrid(grid, negative ? -step : step, count, units)
                : 0;
        if (additions == 0) {
            value += step;
            --count;
            continue;
        }
        const double moved = valueOf(grid.exponent, grid.position + additions * units);
        value = negative ? -moved : moved;
        count -= additions;
    }
    return value;
}

} // namespace zelkora
