#pragma once

#include "results/figures.h"

#include <cstdint>

namespace zelkora {

class FieldStore;
struct MainWindowModel;

// The one place where the counts and sums of a verification change. The live run hands it the
// events as they happen; the rebuild derives the same events from the stored result records.
// Each event is plain: numbers and flags the caller has already decided (whether a hit was a
// first hit, which symbol won, whether it entered 確変), so a machine with other rules feeds
// the same accumulator.
//
// An event changes the typed figures and the distribution counters only; show() writes the
// display fields from them and showDistributions() the distribution boxes and charts, when
// someone can look (a pump, a day row, the end). Arithmetic and order are those the fields had
// when they were the store, so every text stays as it was.
class FigureAccumulator {
public:
    explicit FigureAccumulator(MainWindowModel& model) : model_(model) {}

    const Figures& figures() const { return figures_; }

    // As a run or a rebuild starts: every figure zero, day 1, nothing shown yet. P classifies
    // the first-hit gaps; the exchange rate turns balls into yen (balls per 100 yen).
    void reset(double probabilityDenominator, double exchangeRate);

    // Spins into the overall total, and into the day's total.
    void addTotalSpins(double spins);
    void addDaySpins(double spins);

    // `count` purchases of `unit` yen: the day's investment and balance and the cumulative
    // balance, each purchase added as the boxes added it. `whole` says the caller has checked
    // that the unit and every sum are whole numbers far below 2^53, so that all units at once
    // give what the additions one by one give.
    void invest(double unit, std::int64_t count, bool whole);
    // Held balls exchanged: into the day's exchanged balls, the day's balance and the
    // cumulative balance as yen.
    void exchange(double balls);
    // A stored result record's money: its investment and exchanged balls into the day's totals
    // and the cumulative balance.
    void addRecordMoney(double investment, double exchangedBalls);

    // A big hit's first counts: the day's and the overall hits, the open block of ten, and for
    // a first hit its gap (into the block and the spin-count distribution); the longest gap.
    void beginBigHit(bool firstHit);
    // The winning symbol's hit.
    void countSymbol(int symbol);
    // The hit's mode entries with the rates that follow them: a first hit into 確変, an entry
    // into 時短, and how many of the first hit's 時短 entries count (0, 1 or 2).
    void countModeEntries(bool firstHitInto確変, bool into時短, int firstHit時短Entries);
    // Whether the hit entered 確変, with the 確変 rate and the average streak.
    void countStateEntry(bool into確変);
    // A streak that ended: counted into the streak distribution, which shows it over the first
    // hits of this moment.
    void endStreak();

    // The spins per first hit and per big hit, as they stand now.
    void refreshProbabilities();
    // The day's close: won or lost, win rate, average balance, the probabilities.
    void closeDay();
    // The close Cancel makes: the win rate only while a day was won, the average balance
    // untruncated and only for a positive balance, the first-hit probability.
    void closeCancelledDay();
    // The next day starts with its totals at 0.
    void beginDay(double day);
    // The day's totals back to 0, the day number kept.
    void clearDayTotals() { figures_.dayTotals = DayTotals{}; }

    // The display fields and the distribution views, from the figures and the counters.
    void show() const;
    void showDistributions();

private:
    void countFirstHit();

    MainWindowModel& model_;
    Figures figures_;
    double probabilityDenominator_ = 0;
    double exchangeRate_ = 0;
    // What the distribution views must show at the next showDistributions().
    bool spinDistributionChanged_ = false;
    bool streakDistributionChanged_ = false;
    bool symbolSharesChanged_ = false;
    double streakFirstHits_ = 0; // first hits when the last streak was counted
};

// Writes the figures into their display fields: counts and sums as plain numbers, ratios in
// their patterns once shown ("0" before), the cumulative balance as Fix of it.
void showFigures(FieldStore& fields, const Figures& figures);

} // namespace zelkora
