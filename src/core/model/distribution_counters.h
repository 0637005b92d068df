#pragma once

#include "common/percent_box.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelkora {

// The counters of the four distributions kept while big hits are counted, by the live run and
// by the rebuild: spin counts per first hit, streak lengths per first hit, winning symbols, and
// the probability over each block of ten first hits. Counters are 32-bit so a long
// verification of a light machine never overflows them; passing that range is a fault.
// Showing them in the boxes and charts is the work of results/distributions.h.
class DistributionCounters {
public:
    static constexpr int kSpinBuckets = 9;
    static constexpr int kStreakBuckets = 11;
    static constexpr int kBlockSize = 10;

    // Zeroes every counter and block, sets the running streak to 1 and sizes the symbol
    // counters to `symbolCount`.
    void reset(int symbolCount);

    // Spin-count distribution: the first bucket whose strict test holds for the first-hit gap
    // (P/6, 2P/6, … P, 2P, 3P, otherwise) gets +1.
    void classifyFirstHitGap(double gap, double probabilityDenominator);
    std::int32_t spinBucket(int index) const {
        return spinBuckets_[static_cast<std::size_t>(index)];
    }

    // Streak distribution: the running streak length L.
    void setRunningStreak(std::int32_t length) { runningStreak_ = length; }
    std::int32_t runningStreak() const { return runningStreak_; }
    // Counts L into its bucket (1 → 0, …, 10 → 9, 11 or more → 10, below 1 nothing) and sets
    // L back to 1.
    void countRunningStreak();
    std::int32_t streakBucket(int index) const {
        return streakBuckets_[static_cast<std::size_t>(index)];
    }

    // Winning-symbol distribution.
    std::int32_t symbolHits(int index) const {
        return symbolHits_[static_cast<std::size_t>(index)];
    }
    int symbolCount() const { return static_cast<int>(symbolHits_.size()); }
    void countSymbolHit(int index);
    // The lowest index among the least-hit symbols 0 … count-1 (symbol convergence).
    int leastHitSymbol(int count) const;

    // Probability transition over blocks of ten first hits.
    void countBlockHit();
    // Counts a first hit into the open block; at the tenth it closes the block, stores its two
    // probabilities and returns true.
    bool countBlockFirstHit(double totalSpins);
    int blockCount() const { return blockCount_; }
    float blockTotalProbability(int block) const;
    float blockFirstHitProbability(int block) const;

    // What the percentage boxes show, so a refresh rewrites only the boxes that change.
    struct ShownShares {
        std::array<PercentBox, kSpinBuckets> spinShares{};
        std::array<PercentBox, kSpinBuckets> spinCumulative{};
        std::array<PercentBox, kStreakBuckets> streakShares{};
    };
    ShownShares& shownShares() { return shownShares_; }

private:
    std::array<std::int32_t, kSpinBuckets> spinBuckets_{};
    std::array<std::int32_t, kStreakBuckets> streakBuckets_{};
    std::int32_t runningStreak_ = 1;
    std::vector<std::int32_t> symbolHits_;
    int blockFirstHits_ = 0;
    int blockHits_ = 0;
    int blockCount_ = 0;
    double blockStartSpins_ = 0;
    std::vector<float> blockTotalProbabilities_{0.0F};    // index 0 unused
    std::vector<float> blockFirstHitProbabilities_{0.0F}; // index 0 unused
    ShownShares shownShares_;
};

} // namespace zelkora
