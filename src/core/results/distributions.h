#pragma once

#include "common/field_store.h"
#include "results/chart_data.h"
#include "results/share_text.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelkora {

// The four distributions kept while big hits are counted, by the live run and by the rebuild:
// spin counts per first hit, streak lengths per first hit, winning symbols, and the probability
// over each block of ten first hits. Counters are 32-bit so a long verification of a light
// machine never overflows them.
class Distributions {
public:
    static constexpr int kSpinBuckets = 9;
    static constexpr int kStreakBuckets = 11;

    // Zeroes every counter and block, sets the running streak to 1 and sizes the symbol
    // counters to `symbolCount`.
    void reset(int symbolCount);

    // Spin-count distribution: the first bucket whose strict test holds for the first-hit gap
    // (P/6, 2P/6, … P, 2P, 3P, otherwise) gets +1.
    void classifyFirstHitGap(double gap, double probabilityDenominator);
    // 回転数分布表示: shares (rounded to two decimals) into 回転数1r…9r, cumulative shares
    // ("###.#") into 回転数1t…9t, and the chart's nine rows with their labels.
    void 回転数分布表示(FieldStore& fields, ChartData& spinChart) const;

    // Streak distribution: the running streak length L, recorded by 連荘分布記録.
    void setRunningStreak(std::int32_t length) { runningStreak_ = length; }
    std::int32_t runningStreak() const { return runningStreak_; }
    // 連荘分布記録: counts L into its bucket (1 → 0, …, 10 → 9, 11 or more → 10, below 1 nothing),
    // refreshes 連荘1r…11r and the chart, then sets L back to 1.
    void 連荘分布記録(FieldStore& fields, ChartData& streakChart);

    // Winning-symbol distribution.
    std::int32_t symbolHits(int index) const {
        return symbolHits_[static_cast<std::size_t>(index)];
    }
    int symbolCount() const { return static_cast<int>(symbolHits_.size()); }
    void countSymbolHit(int index);
    // The lowest index among the least-hit symbols 0 … count-1 (symbol convergence).
    int leastHitSymbol(int count) const;
    // Every row k+1 of the symbol chart := hits(k) / total big hits × 100 as plain text (0
    // while there is no big hit).
    void showSymbolShares(ChartData& symbolChart, double totalBigHits) const;

    // Probability transition over blocks of ten first hits.
    void countBlockHit();
    // Counts a first hit into the open block; at the tenth it closes the block, stores its two
    // probabilities and shows them as a new row of the transition chart.
    void countBlockFirstHit(double totalSpins, ChartData& transitionChart);
    int blockCount() const { return blockCount_; }
    float blockTotalProbability(int block) const;
    float blockFirstHitProbability(int block) const;

    std::int32_t spinBucket(int index) const {
        return spinBuckets_[static_cast<std::size_t>(index)];
    }
    std::int32_t streakBucket(int index) const {
        return streakBuckets_[static_cast<std::size_t>(index)];
    }

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
    // What the percentage boxes show, so a refresh rewrites only the boxes that change.
    mutable std::array<PercentBox, kSpinBuckets> spinShareBoxes_{};
    mutable std::array<PercentBox, kSpinBuckets> spinCumulativeBoxes_{};
    std::array<PercentBox, kStreakBuckets> streakShareBoxes_{};
};

} // namespace zelkora
