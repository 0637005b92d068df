#include "engine/repeated_sum.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace zelkora {
namespace {

constexpr std::int64_t kBinadeBottom = std::int64_t{1} << 52; // a value's ulps in its binade
constexpr std::int64_t kBinadeTop = std::int64_t{1} << 53;
constexpr std::uint64_t kFractionBits = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kSmallestExponent = 53; // below it the ulp would not be a normal number
constexpr std::uint64_t kNotFinite = 2047;
constexpr std::int64_t kNoUnits = std::numeric_limits<std::int64_t>::min();

// The step in whole ulps of the binade of biased exponent `exponent`, or kNoUnits when it is
// halfway between two or too large to count.
std::int64_t unitsOf(std::uint64_t exponent, double step) {
    // ulp = 2^(exponent - 1075), so 1 ÷ ulp has the biased exponent 2098 - exponent.
    const double perUlp = std::bit_cast<double>((2098 - exponent) << 52U);
    const double scaled = step * perUlp; // exact: a power of two apart
    if (!(std::fabs(scaled) < 0x1p50)) {
        return kNoUnits;
    }
    // The nearest whole number; the difference from the truncated one is exact.
    auto units = static_cast<std::int64_t>(scaled);
    const double rest = scaled - static_cast<double>(units);
    if (std::fabs(rest) == 0.5) {
        return kNoUnits; // halfway: the sum rounds to an even count of ulps, which alternates
    }
    units += rest > 0.5 ? 1 : (rest < -0.5 ? -1 : 0);
    return units;
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

// How many of `count` additions of `step` (`units` > 0 ulps) from ulp `position` stay on the
// grid, when the first of them k ≤ room ÷ units may. Most runs end well inside their binade, which
// one product tells without the division.
std::int64_t additionsWithin(std::int64_t room, std::int64_t units, std::int64_t count) {
    if (room < 0) {
        return 0;
    }
    if (static_cast<double>(count - 1) * static_cast<double>(units) <
        static_cast<double>(room) * (1 - 0x1p-40)) {
        return count;
    }
    return std::min(wholeSteps(room, units) + 1, count);
}

// How many of `count` additions of `units` ulps from ulp `position` stay on the grid. Each exact
// sum lies within one ulp of the next grid point; keeping that ulp inside the binade keeps every
// sum on its grid.
std::int64_t additionsOnGrid(std::int64_t position, std::int64_t units, std::int64_t count) {
    if (units > 0) {
        return additionsWithin(kBinadeTop - 1 - units - position, units, count);
    }
    if (units < 0) {
        return additionsWithin(position + units - 1 - kBinadeBottom, -units, count);
    }
    return position > kBinadeBottom ? count : 0;
}

} // namespace

std::int64_t RepeatedStep::unitsIn(std::uint64_t exponent) {
    if (exponent != knownExponent_) {
        knownUnits_ = unitsOf(exponent, step_);
        knownExponent_ = exponent;
    }
    return knownUnits_;
}

double RepeatedStep::addTo(double value, std::int64_t count) {
    const bool finiteStep = std::isfinite(step_);
    while (count > 0) {
        // Rounding to nearest is symmetric, so a negative value is its mirror image.
        const bool negative = value < 0;
        const auto bits = std::bit_cast<std::uint64_t>(negative ? -value : value);
        const std::uint64_t exponent = bits >> 52U;
        const auto position =
            static_cast<std::int64_t>((bits & kFractionBits) | (kFractionBits + 1));
        std::int64_t units = kNoUnits;
        if (finiteStep && exponent >= kSmallestExponent && exponent < kNotFinite) {
            units = negative ? unitsOf(exponent, -step_) : unitsIn(exponent);
        }
        const std::int64_t additions =
            units == kNoUnits ? 0 : additionsOnGrid(position, units, count);
        if (additions == 0) {
            value += step_;
            --count;
            continue;
        }
        const auto moved = std::bit_cast<double>(
            (exponent << 52U) |
            (static_cast<std::uint64_t>(position + additions * units) & kFractionBits));
        value = negative ? -moved : moved;
        count -= additions;
    }
    return value;
}

} // namespace zelkora
