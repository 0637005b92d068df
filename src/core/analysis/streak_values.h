#pragma once

#include "analysis/streak_chain.h"
#include "common/error.h"
#include "engine/machine_state.h"

#include <vector>

namespace zelkora {

// What the rest of a streak brings, on average, from a mode the machine is in after a hit.
struct StreakValue {
    double hits = 0;       // big hits still to come
    double shortSpins = 0; // spins in 確変, 時短 and 次まで時短 still to come
};

// The streak's chain once the hit count no longer matters (past the limiter's count, or without
// a limiter): a hit then moves every mode alike. A symbol either ends the streak (通常 without
// 時短数: back to 通常, or to the pending 時短 with its remaining spins), keeps the mode's pending
// 時短 and its remaining spins while it enters 確変 or 次まで時短, or starts a fresh 時短 of its
// 時短数 whatever came before (a reset).
//
// The expected hits and spins to the end of the streak then solve by levels of the remaining
// 時短 spins r: a mode with r left leads only to modes with at most r left or to a reset, so
// every value is a + b·Z, Z being the (unknown) mean value of a reset over the reset symbols,
// found from r = 0 upwards with a running sum; Z itself comes last from one linear equation.
// The work is proportional to the longest 時短 plus the number of symbols, whatever the length
// of the streaks. Every denominator is a sum of chances, never one minus a sum, so a streak that
// ends once in 10^13 hits keeps its digits.
class StreakValues {
public:
    // Fails with EndlessStreak when the modes can never be left again.
    static Result<StreakValues> solve(const StreakChainInput& input);

    // The value from the mode after a hit; `remaining` is read for 時短 and a pending 時短.
    StreakValue at(MachineState mode, bool pending, int remaining) const;

private:
    // The value as a + b·Z, with the chance of ending before the next reset kept beside b (they
    // add up to 1) so the final equation needs no subtraction.
    struct Affine {
        double hits = 0;
        double spins = 0;
        double reset = 0; // b, the weight of Z
        double end = 0;
    };

    const Affine& affineAt(MachineState mode, bool pending, int remaining) const;

    Affine kakuhenFree_;                 // 確変 without a pending 時短
    Affine nextHitFree_;                 // 次まで時短 without a pending 時短
    std::vector<Affine> kakuhenPending_; // by remaining spins
    std::vector<Affine> nextHitPending_; // by remaining spins
    std::vector<Affine> shortTimeFree_;  // 時短 resumed, no 時短 pending behind it
    std::vector<Affine> shortTimePending_;
    StreakValue reset_; // Z, the mean value of a reset
};

} // namespace zelkora
