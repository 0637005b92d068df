#pragma once

#include <cstdint>

namespace zelkora {

// `value` after `count` times `value += step`, rounded after each addition exactly as that loop
// rounds, in a few operations per binade instead of one per addition. Within the binade of a
// positive value every sum lies on the same grid of ulps, so every addition moves the value by
// the same whole number of ulps (step rounded to the grid) until a sum could leave the binade;
// that step, a step that falls halfway between two ulps (which rounds to even and so alternates),
// a value of zero and anything not finite are played one addition at a time.
double repeatedSum(double value, double step, std::int64_t count);

} // namespace zelkora
