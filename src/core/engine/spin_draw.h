#pragma once

#include "engine/lottery.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace zelkora {

// The draw of one spin as the lottery makes it (isHit with M converted once).
struct SpinDraw {
    SpinDraw(double countdownValue, double scaleTimesDenominatorValue, std::int32_t scaleValue)
        : countdown(countdownValue), scaleTimesDenominator(scaleTimesDenominatorValue),
          scale(static_cast<double>(scaleValue)) {}
    bool hits(float draw) const {
        return spinProduct(draw, countdown, scaleTimesDenominator) < scale;
    }

    double countdown;             // T
    double scaleTimesDenominator; // M × N, or M × C under the probability option
    double scale;                 // M
};

// The index of the first of `draws` that hits, or draws.size() when none does. Hits are rare,
// so the draws are tested several at a time where the processor can (the same operations on
// each, so the same answer as hits() one by one).
std::size_t firstHit(std::span<const float> draws, const SpinDraw& draw);

} // namespace zelkora
