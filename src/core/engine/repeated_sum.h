#pragma once

#include <cstdint>

namespace zelkora {

// `value` after `count` times `value += step`, rounded after each addition exactly as that loop
// rounds, in a few operations per binade instead of one per addition. Within the binade of a
// value every sum lies on the same grid of ulps, so every addition moves the value by the same
// whole number of ulps (the step rounded to the grid) until a sum could leave the binade; that
// addition, an addition that falls halfway between two ulps (which rounds to even and so
// alternates), a value of zero or below the normal range and anything not finite are played one
// at a time.
class RepeatedStep {
public:
    explicit RepeatedStep(double step = 0) : step_(step) {}

    double step() const { return step_; }
    double addTo(double value, std::int64_t count);

private:
    // The step in whole ulps of the binade of biased exponent `exponent`, kept for the binade
    // met last: the values a run adds to stay in one binade for many runs.
    std::int64_t unitsIn(std::uint64_t exponent);

    double step_;
    std::uint64_t knownExponent_ = 0; // no binade yet: 0 is never the exponent of a grid
    std::int64_t knownUnits_ = 0;
};

} // namespace zelkora
