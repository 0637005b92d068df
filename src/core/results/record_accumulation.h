#pragma once

#include "results/detail_strip.h"
#include "results/statistics.h"

#include <cstdint>

namespace zelkora {

struct MainWindowModel;

// Replays stored result records through the figures, the distributions, the day grid and the
// balance and distribution charts, as the rebuild needs after a verification is opened. A
// stored record tells the state a hit happened in rather than the state it led to, so first
// hits, 確変 and 時短 entries are derived from the 状態 column and the previous hit's 状態;
// every formula, guard and format is shared with the live run.
class RecordAccumulator {
public:
    // `money` carries the cumulative balance beside the fields.
    RecordAccumulator(MainWindowModel& model, Money& money);

    // As a rebuild starts: every figure, the daily strip and the detail strip cleared, day 1,
    // distributions and the symbol chart sized to 条件_絵柄数, balance 0, no first hit yet.
    // P and the symbol table are taken as they are now.
    void reset();

    // Accumulates the record the detail strip holds. Fails at a day number below 1 or beyond
    // the record's position, which no run writes.
    void accumulate();
    // Writes the record into the detail strip, then accumulates it.
    void accumulate(const ResultColumns& columns);
    // After the last record: the day still open is closed like any other, and the distributions
    // are shown.
    void closeLastDay();
    // The distribution boxes and charts are views of their counters and are refreshed only when
    // someone can look: before the window processes events, at the end, after a failure.
    void showDistributions();

    std::int32_t currentDay() const { return currentDay_; }
    int currentSymbolIndex() const { return currentSymbol_; }
    std::int32_t firstHitMark() const { return firstHitMark_; }
    std::int32_t firstHitGap() const { return firstHitGap_; }

private:
    void closeDay();
    void accumulateBigHit();
    void countFirstHit();
    int findSymbol(std::string_view name) const;
    void countModeEntries(int symbol);

    MainWindowModel& model_;
    Money& money_;
    double probabilityDenominator_ = 0;
    bool previousHitNormal_ = true;
    std::int32_t firstHitMark_ = 0;
    std::int32_t firstHitGap_ = 0;
    std::int32_t currentDay_ = 1;
    int currentSymbol_ = 0;
    bool spinDistributionChanged_ = false;
    bool symbolSharesChanged_ = false;
    bool streakDistributionChanged_ = false;
    double streakFirstHits_ = 0; // 初当たり数表示 when the last streak was counted
    std::int64_t records_ = 0;   // accumulated since reset()
};

} // namespace zelkora
