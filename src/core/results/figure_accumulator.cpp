#include "results/figure_accumulator.h"

#include "common/checked_arithmetic.h"
#include "common/numbers.h"
#include "model/main_window_model.h"
#include "results/distributions.h"
#include "results/statistics.h"

#include <cmath>

namespace zelkora {
namespace {

// A sum as its box reads it back: the boxes were the store, and every addition started from
// the number their text read as.
// Whole sums, nearly all of them, read back as themselves without a call.
inline double asRead(double sum) {
    if (std::fabs(sum) < 1e15 && sum == std::trunc(sum)) {
        return sum;
    }
    return plainValue(sum);
}

// count / total × 100, refreshed only while the count is positive.
void refreshRate(ShownRatio& rate, double count, double total, Field totalField) {
    if (count > 0) {
        rate = {divideOrFail(count, total, totalField) * 100, true};
    }
}

void showCount(FieldStore& fields, Field field, double value) {
    fields.setNumber(field, value);
}

void showRatio(FieldStore& fields, Field field, const ShownRatio& ratio) {
    if (ratio.shown) {
        fields.setPattern(field, ratio.value, Pattern::TwoDecimals);
    } else {
        fields.setNumber(field, 0);
    }
}

// A closed day, cancelled or not, counts as won when its balance is not negative.
void countDayOutcome(Figures& f) {
    if (asRead(f.dayTotals.balance) >= 0) {
        f.wonDays += 1;
    } else {
        f.lostDays += 1;
    }
    if (f.wonDays > 0) {
        f.winRate = {f.wonDays / (f.lostDays + f.wonDays) * 100, true};
    }
}

} // namespace

void FigureAccumulator::reset(double probabilityDenominator, double exchangeRate) {
    figures_ = Figures{};
    probabilityDenominator_ = probabilityDenominator;
    exchangeRate_ = exchangeRate;
    spinDistributionChanged_ = false;
    streakDistributionChanged_ = false;
    symbolSharesChanged_ = false;
    streakFirstHits_ = 0;
}

void FigureAccumulator::addTotalSpins(double spins) {
    figures_.totalSpins = asRead(figures_.totalSpins) + spins;
}

void FigureAccumulator::addDaySpins(double spins) {
    figures_.dayTotals.spins = asRead(figures_.dayTotals.spins) + spins;
}

void FigureAccumulator::invest(double unit, std::int64_t count, bool whole) {
    DayTotals& day = figures_.dayTotals;
    if (whole) {
        const double total = unit * static_cast<double>(count);
        day.investment += total;
        day.balance -= total;
        figures_.cumulativeBalance -= total;
        return;
    }
    for (std::int64_t purchase = 0; purchase < count; ++purchase) {
        day.investment = asRead(day.investment) + unit;
        day.balance = asRead(day.balance) - unit;
        figures_.cumulativeBalance -= unit;
    }
}

void FigureAccumulator::exchange(double balls) {
    DayTotals& day = figures_.dayTotals;
    day.exchangedBalls = asRead(day.exchangedBalls) + balls;
    const double yen =
        fixPart(divideOrFail(asRead(balls), exchangeRate_, Field::条件_両替率) * 100);
    day.balance = asRead(day.balance) + yen;
    figures_.cumulativeBalance += yen;
}

void FigureAccumulator::addRecordMoney(double investment, double exchangedBalls) {
    DayTotals& day = figures_.dayTotals;
    day.investment = asRead(day.investment) + investment;
    day.exchangedBalls = asRead(day.exchangedBalls) + exchangedBalls;
    const double yen =
        fixPart(divideOrFail(exchangedBalls, exchangeRate_, Field::条件_両替率) * 100);
    day.balance = asRead(day.balance) + yen - investment;
    figures_.cumulativeBalance = figures_.cumulativeBalance + yen - investment;
}

void FigureAccumulator::beginBigHit(bool firstHit) {
    figures_.dayTotals.bigHits += 1;
    model_.distributions.countBlockHit();
    if (firstHit) {
        countFirstHit();
    }
    if (figures_.firstHitGap > figures_.longestGap) {
        figures_.longestGap = figures_.firstHitGap;
    }
    figures_.bigHits += 1;
}

void FigureAccumulator::countFirstHit() {
    figures_.firstHits += 1;
    const double totalSpins = asRead(figures_.totalSpins);
    figures_.firstHitGap = totalSpins - figures_.firstHitMark;
    figures_.firstHitMark = totalSpins;
    countBlockFirstHit(model_.distributions, totalSpins, model_.charts.chart5);
    model_.distributions.classifyFirstHitGap(figures_.firstHitGap, probabilityDenominator_);
    spinDistributionChanged_ = true;
}

void FigureAccumulator::countSymbol(int symbol) {
    model_.distributions.countSymbolHit(symbol);
    symbolSharesChanged_ = true;
}

void FigureAccumulator::countModeEntries(bool firstHitInto確変, bool into時短,
                                         int firstHit時短Entries) {
    Figures& f = figures_;
    if (firstHitInto確変) {
        f.firstHitsInto確変 += 1;
    }
    refreshRate(f.firstHit確変Rate, f.firstHitsInto確変, f.firstHits, Field::初当たり数表示);
    if (into時短) {
        f.時短Entries += 1;
    }
    f.firstHits時短 += firstHit時短Entries;
    refreshRate(f.時短Rate, f.時短Entries, f.bigHits, Field::総大当り数表示);
    refreshRate(f.firstHit時短Rate, f.firstHits時短, f.firstHits, Field::初当たり数表示);
}

void FigureAccumulator::countStateEntry(bool into確変) {
    Figures& f = figures_;
    if (into確変) {
        f.hitsInto確変 += 1;
    }
    refreshRate(f.確変Rate, f.hitsInto確変, f.bigHits, Field::総大当り数表示);
    if (f.firstHits > 0) {
        f.averageStreak = {f.bigHits / f.firstHits, true};
    }
}

// Its boxes and chart show the streak counters over the first hits of this moment, so they are
// refreshed later with the first hits counted here. Without a first hit the share would fail
// at once, as it does here.
void FigureAccumulator::endStreak() {
    if (!(figures_.firstHits > 0)) {
        streakDistributionChanged_ = false;
        show();
        連荘分布記録(model_.distributions, model_.fields, model_.charts.chart4);
        return;
    }
    model_.distributions.countRunningStreak();
    streakFirstHits_ = figures_.firstHits;
    streakDistributionChanged_ = true;
}

void FigureAccumulator::refreshProbabilities() {
    Figures& f = figures_;
    const double totalSpins = asRead(f.totalSpins);
    if (f.firstHits != 0) {
        f.firstHitProbability = {totalSpins / f.firstHits, true};
    }
    if (f.bigHits > 0) {
        f.probability = {totalSpins / f.bigHits, true};
    }
}

void FigureAccumulator::closeDay() {
    Figures& f = figures_;
    countDayOutcome(f);
    if (f.cumulativeBalance != 0) {
        f.averageBalance =
            fixPart(divideOrFail(f.cumulativeBalance, asRead(f.day), Field::c日合計_日目)) + 0.0;
    }
    refreshProbabilities();
}

void FigureAccumulator::closeCancelledDay() {
    Figures& f = figures_;
    countDayOutcome(f);
    if (f.cumulativeBalance > 0) {
        f.averageBalance = divideOrFail(f.cumulativeBalance, asRead(f.day), Field::c日合計_日目);
    }
    const double totalSpins = asRead(f.totalSpins);
    if (f.firstHits != 0) {
        f.firstHitProbability = {totalSpins / f.firstHits, true};
    }
}

void FigureAccumulator::beginDay(double day) {
    figures_.day = day;
}

void FigureAccumulator::show() const {
    showFigures(model_.fields, figures_);
}

// Each view shows what it showed right after its counters last changed: the spin distribution
// and the symbol shares change with the first hits and big hits they divide by.
void FigureAccumulator::showDistributions() {
    show();
    FieldStore& fields = model_.fields;
    if (spinDistributionChanged_) {
        spinDistributionChanged_ = false;
        回転数分布表示(model_.distributions, fields, model_.charts.chart3);
    }
    if (streakDistributionChanged_) {
        streakDistributionChanged_ = false;
        showStreakDistribution(model_.distributions, fields, model_.charts.chart4,
                               streakFirstHits_);
    }
    if (symbolSharesChanged_) {
        symbolSharesChanged_ = false;
        showSymbolShares(model_.distributions, model_.charts.chart1, figures_.bigHits);
    }
}

void showFigures(FieldStore& fields, const Figures& figures) {
    const DayTotals& day = figures.dayTotals;
    showCount(fields, Field::c日合計_日目, figures.day);
    showCount(fields, Field::c日合計_投資額F, day.investment);
    showCount(fields, Field::c日合計_回転数, day.spins);
    showCount(fields, Field::c日合計_大当り数, day.bigHits);
    showCount(fields, Field::c日合計_交換出玉, day.exchangedBalls);
    showCount(fields, Field::c日合計_収支F, day.balance);
    showCumulativeBalance(fields, figures.cumulativeBalance);

    showCount(fields, Field::総回転数表示, figures.totalSpins);
    showCount(fields, Field::総大当り数表示, figures.bigHits);
    showCount(fields, Field::初当たり数表示, figures.firstHits);
    showCount(fields, Field::初当り確変数表示, figures.firstHitsInto確変);
    showCount(fields, Field::確変数表示, figures.hitsInto確変);
    showCount(fields, Field::総時短数表示, figures.時短Entries);
    showCount(fields, Field::初当り時短数表示, figures.firstHits時短);
    showCount(fields, Field::勝数表示, figures.wonDays);
    showCount(fields, Field::負け数表示, figures.lostDays);
    showCount(fields, Field::最大はまり表示, figures.longestGap);
    showCount(fields, Field::平均収支表示, figures.averageBalance);

    showRatio(fields, Field::初当たり確率表示, figures.firstHitProbability);
    showRatio(fields, Field::確率表示, figures.probability);
    showRatio(fields, Field::勝率表示, figures.winRate);
    showRatio(fields, Field::初当り確変率表示, figures.firstHit確変Rate);
    showRatio(fields, Field::総時短率表示, figures.時短Rate);
    showRatio(fields, Field::初当り時短率表示, figures.firstHit時短Rate);
    showRatio(fields, Field::確変率表示, figures.確変Rate);
    showRatio(fields, Field::平均連荘表示, figures.averageStreak);
}

} // namespace zelkora
