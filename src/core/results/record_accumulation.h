#pragma once

#include "results/detail_strip.h"
#include "results/figure_accumulator.h"

#include <cstdint>
#include <string_view>

namespace zelkora {

struct MainWindowModel;

// Replays stored result records through the figures, the distributions, the day grid and the
// balance and distribution charts, as the rebuild needs after a verification is opened. A
// stored record tells the state a hit happened in rather than the state it led to, so first
// hits, 確変 and 時短 entries are derived from the 状態 column and the previous hit's 状態 and
// handed to the same accumulator the live run feeds.
class RecordAccumulator {
public:
    explicit RecordAccumulator(MainWindowModel& model);

    // As a rebuild starts: every figure, the daily strip and the detail strip cleared, day 1,
    // distributions and the symbol chart sized to 条件_絵柄数, balance 0, no first hit yet.
    // P, the exchange rate and the symbol table are taken as they are now.
    void reset();

    // Accumulates the record the detail strip holds. Fails at a day number below 1 or beyond
    // the record's position, which no run writes.
    void accumulate();
    // Writes the record into the detail strip, then accumulates it.
    void accumulate(const ResultColumns& columns);
    // After the last record: the day still open is closed like any other, and everything is
    // shown.
    void closeLastDay();
    // The figures, the distribution boxes and the charts are views of the accumulated counts
    // and are written only when someone can look: before the window processes events, at a
    // day row, at the end, after a failure.
    void show() { figures_.showDistributions(); }

    const Figures& figures() const { return figures_.figures(); }

private:
    void closeDay();
    void accumulateBigHit();
    int findSymbol(std::string_view name) const;

    MainWindowModel& model_;
    FigureAccumulator figures_;
    bool previousHitNormal_ = true;
    std::int32_t currentDay_ = 1;
    std::int64_t records_ = 0; // accumulated since reset()
};

} // namespace zelkora
