#include "results/record_accumulation.h"

#include "common/checked_arithmetic.h"
#include "common/error.h"
#include "common/numbers.h"
#include "model/main_window_model.h"
#include "results/distributions.h"
#include "results/grids_and_charts.h"

#include <algorithm>
#include <string>

namespace zelkora {
namespace {

constexpr std::string_view kBigHit = "した";
constexpr std::string_view kState通常 = "通常";
constexpr std::string_view kState確変 = "確変";

} // namespace

RecordAccumulator::RecordAccumulator(MainWindowModel& model, Money& money)
    : model_(model), money_(money) {}

void RecordAccumulator::reset() {
    FieldStore& fields = model_.fields;
    const int symbolCount = std::clamp(
        toInt32OrFail(fields.number(Field::条件_絵柄数), "条件_絵柄数"), 0, kSymbolTableCapacity);
    model_.distributions.reset(symbolCount);
    resetSymbolChart(model_.charts.chart1, model_.symbols, symbolCount);
    probabilityDenominator_ = fields.number(Field::条件_確率);
    previousHitNormal_ = true;
    firstHitMark_ = 0;
    firstHitGap_ = 0;
    currentDay_ = 1;
    currentSymbol_ = 0;
    spinDistributionChanged_ = false;
    symbolSharesChanged_ = false;
    streakDistributionChanged_ = false;
    records_ = 0;
    計算日合計CLR(fields);
    計算大当り詳細CLR(fields);
    統計データobCLR(fields);
    money_ = Money{};
    showCumulativeBalance(fields, 0);
    fields.setText(Field::総時短回転数表示, "0");
    fields.setText(Field::c日合計_日目, "1");
    fields.setText(Field::c大当り詳細_日目, "1");
}

void RecordAccumulator::accumulate(const ResultColumns& columns) {
    writeDetailStrip(model_.fields, columns);
    accumulate();
}

void RecordAccumulator::accumulate() {
    FieldStore& fields = model_.fields;
    const double spins = fields.number(Field::c大当り詳細_回転数);
    fields.add(Field::総回転数表示, spins);

    ++records_;
    const double day = fields.number(Field::c大当り詳細_日目);
    // A run writes a day-end record for every day it closes, so its n-th record belongs to day
    // n at the latest. A later day cannot come from a run, and the day grid and the balance
    // chart would need a row for every day up to it.
    if (!(day >= 1 && day <= static_cast<double>(records_))) {
        raise(Error{ErrorKind::NumberOutOfRange}.atColumn(1).about(
            std::string(fields.text(Field::c大当り詳細_日目))));
    }
    if (day != currentDay_) {
        closeDay();
        fields.setText(Field::c日合計_日目, fields.text(Field::c大当り詳細_日目));
        currentDay_ = toInt32OrFail(day, "日目");
    }

    const double investment = fields.number(Field::c大当り詳細_投資額F);
    const double exchangedBalls = fields.number(Field::c大当り詳細_交換玉数);
    fields.add(Field::c日合計_投資額F, investment);
    fields.add(Field::c日合計_回転数, spins);
    fields.add(Field::c日合計_交換出玉, exchangedBalls);
    const double yen = fixPart(divideOrFail(exchangedBalls, fields.number(Field::条件_両替率),
                                            fieldName(Field::条件_両替率)) *
                               100);
    fields.setNumber(Field::c日合計_収支F, fields.number(Field::c日合計_収支F) + yen - investment);
    money_.cumulativeBalance = money_.cumulativeBalance + yen - investment;
    showCumulativeBalance(fields, money_.cumulativeBalance);

    if (std::string_view(fields.text(Field::c大当り詳細_大当り)) == kBigHit) {
        accumulateBigHit();
    }
}

void RecordAccumulator::accumulateBigHit() {
    FieldStore& fields = model_.fields;
    fields.add(Field::c日合計_大当り数, 1);
    model_.distributions.countBlockHit();

    const std::string_view state = fields.text(Field::c大当り詳細_状態);
    const bool firstHit = state == kState通常;
    const bool in確変 = state == kState確変;
    if (firstHit) {
        countFirstHit();
    }
    refresh最大はまり(fields, firstHitGap_);

    fields.add(Field::総大当り数表示, 1);
    const int symbol = findSymbol(fields.text(Field::c大当り詳細_当絵柄));
    currentSymbol_ = symbol;
    model_.distributions.countSymbolHit(symbol);
    symbolSharesChanged_ = true;
    fields.setText(Field::c大当り詳細_当絵柄,
                   model_.symbols.names[static_cast<std::size_t>(symbol)]);

    if (in確変 && previousHitNormal_) {
        fields.add(Field::初当り確変数表示, 1);
    }
    if (in確変) {
        fields.add(Field::確変数表示, 1);
    }
    if (firstHit) {
        // 連荘分布記録, its boxes shown later with the first hits counted now (never 0 here).
        model_.distributions.countRunningStreak();
        streakFirstHits_ = fields.number(Field::初当たり数表示);
        streakDistributionChanged_ = true;
    } else {
        model_.distributions.setRunningStreak(
            toInt32OrFail(fields.number(Field::c大当り詳細_連荘), "連荘"));
    }
    countModeEntries(symbol);

    refresh初当り確変率(fields);
    refresh総時短率(fields);
    refresh初当り時短率(fields);
    refresh確変率(fields);
    refresh平均連荘(fields);
    previousHitNormal_ = firstHit;
}

void RecordAccumulator::countFirstHit() {
    FieldStore& fields = model_.fields;
    fields.add(Field::初当たり数表示, 1);
    const double totalSpins = fields.number(Field::総回転数表示);
    firstHitGap_ = toInt32OrFail(totalSpins - firstHitMark_, "初当りの所要回転数");
    firstHitMark_ = toInt32OrFail(totalSpins, "総回転数");
    countBlockFirstHit(model_.distributions, totalSpins, model_.charts.chart5);
    model_.distributions.classifyFirstHitGap(firstHitGap_, probabilityDenominator_);
    spinDistributionChanged_ = true;
}

int RecordAccumulator::findSymbol(std::string_view name) const {
    const auto& names = model_.symbols.names;
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        raise(Error{ErrorKind::UnknownSymbol}.atColumn(6).about(std::string(name)));
    }
    return static_cast<int>(found - names.begin());
}

// 時短 entries come from the symbol: one with 時短 spins or of kind 次まで時短 starts a 時短.
void RecordAccumulator::countModeEntries(int symbol) {
    FieldStore& fields = model_.fields;
    const auto index = static_cast<std::size_t>(symbol);
    const bool untilNextHit = model_.symbols.kinds[index] == kKind次まで時短;
    const bool grantsSpins = model_.symbols.shortTimeSpins[index] > 0;
    if (untilNextHit || grantsSpins) {
        fields.add(Field::総時短数表示, 1);
    }
    if (previousHitNormal_ && grantsSpins) {
        fields.add(Field::初当り時短数表示, 1);
    }
    if (previousHitNormal_ && untilNextHit) {
        fields.add(Field::初当り時短数表示, 1);
    }
}

void RecordAccumulator::closeLastDay() {
    closeDay();
    showDistributions();
}

// Each view shows what it showed right after its counters last changed: the spin distribution
// and the symbol shares change with the first hits and big hits they divide by.
void RecordAccumulator::showDistributions() {
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
        showSymbolShares(model_.distributions, model_.charts.chart1,
                         fields.number(Field::総大当り数表示));
    }
}

void RecordAccumulator::closeDay() {
    FieldStore& fields = model_.fields;
    closeDayFigures(fields, money_.cumulativeBalance);
    previousHitNormal_ = true;
    addBalanceChartDay(model_.charts.chart2,
                       toInt32OrFail(fields.number(Field::c日合計_日目), "日目"),
                       money_.cumulativeBalance, fields.text(Field::c日合計_日目));
    日合計行追加(fields, model_.grids.grid3);
    計算日合計CLR(fields);
}

} // namespace zelkora
