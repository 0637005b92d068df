#include "results/record_accumulation.h"

#include "common/checked_arithmetic.h"
#include "common/error.h"
#include "common/numbers.h"
#include "model/main_window_model.h"
#include "results/distributions.h"
#include "results/grids_and_charts.h"
#include "results/statistics.h"

#include <algorithm>
#include <string>

namespace zelkora {
namespace {

constexpr std::string_view kBigHit = "した";
constexpr std::string_view kState通常 = "通常";
constexpr std::string_view kState確変 = "確変";

} // namespace

RecordAccumulator::RecordAccumulator(MainWindowModel& model) : model_(model), figures_(model) {}

void RecordAccumulator::reset() {
    FieldStore& fields = model_.fields;
    const int symbolCount = std::clamp(
        toInt32OrFail(fields.number(Field::条件_絵柄数), "条件_絵柄数"), 0, kSymbolTableCapacity);
    model_.distributions.reset(symbolCount);
    resetSymbolChart(model_.charts.chart1, model_.symbols, symbolCount);
    figures_.reset(fields.number(Field::条件_確率), fields.number(Field::条件_両替率));
    previousHitNormal_ = true;
    currentDay_ = 1;
    records_ = 0;
    計算日合計CLR(fields);
    計算大当り詳細CLR(fields);
    統計データobCLR(fields);
    figures_.show();
    fields.setText(Field::総時短回転数表示, "0");
    fields.setText(Field::c大当り詳細_日目, "1");
}

void RecordAccumulator::accumulate(const ResultColumns& columns) {
    writeDetailStrip(model_.fields, columns);
    accumulate();
}

void RecordAccumulator::accumulate() {
    const FieldStore& fields = model_.fields;
    const double spins = fields.number(Field::c大当り詳細_回転数);
    figures_.addTotalSpins(spins);

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
        figures_.beginDay(day);
        currentDay_ = toInt32OrFail(day, "日目");
    }

    figures_.addDaySpins(spins);
    figures_.addRecordMoney(fields.number(Field::c大当り詳細_投資額F),
                            fields.number(Field::c大当り詳細_交換玉数));
    if (std::string_view(fields.text(Field::c大当り詳細_大当り)) == kBigHit) {
        accumulateBigHit();
    }
}

void RecordAccumulator::accumulateBigHit() {
    FieldStore& fields = model_.fields;
    const std::string_view state = fields.text(Field::c大当り詳細_状態);
    const bool firstHit = state == kState通常;
    const bool in確変 = state == kState確変;
    if (firstHit) {
        // The first-hit mark and gap are 32-bit counts in a stored verification.
        const Figures& figures = figures_.figures();
        const double totalSpins = plainValue(figures.totalSpins);
        static_cast<void>(toInt32OrFail(totalSpins - figures.firstHitMark, "初当りの所要回転数"));
        static_cast<void>(toInt32OrFail(totalSpins, "総回転数"));
    }
    figures_.beginBigHit(firstHit);

    const int symbol = findSymbol(fields.text(Field::c大当り詳細_当絵柄));
    figures_.countSymbol(symbol);
    const auto index = static_cast<std::size_t>(symbol);
    fields.setText(Field::c大当り詳細_当絵柄, model_.symbols.names[index]);

    // The streak a first hit ends is counted before its own begins; a later hit of the
    // streak tells its length.
    if (firstHit) {
        figures_.endStreak();
    } else {
        model_.distributions.setRunningStreak(
            toInt32OrFail(fields.number(Field::c大当り詳細_連荘), "連荘"));
    }
    // A hit in 確変 after a hit in 通常 shows that first hit entered 確変; 時短 entries come
    // from the symbol: one with 時短 spins or of kind 次まで時短 starts a 時短.
    const bool untilNextHit = model_.symbols.kinds[index] == kKind次まで時短;
    const bool grantsSpins = model_.symbols.shortTimeSpins[index] > 0;
    const int firstHit時短Entries =
        previousHitNormal_ ? static_cast<int>(untilNextHit) + static_cast<int>(grantsSpins) : 0;
    figures_.countModeEntries(in確変 && previousHitNormal_, untilNextHit || grantsSpins,
                              firstHit時短Entries);
    figures_.countStateEntry(in確変);
    previousHitNormal_ = firstHit;
}

int RecordAccumulator::findSymbol(std::string_view name) const {
    const auto& names = model_.symbols.names;
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        raise(Error{ErrorKind::UnknownSymbol}.atColumn(6).about(std::string(name)));
    }
    return static_cast<int>(found - names.begin());
}

void RecordAccumulator::closeLastDay() {
    closeDay();
    show();
}

void RecordAccumulator::closeDay() {
    FieldStore& fields = model_.fields;
    figures_.closeDay();
    previousHitNormal_ = true;
    figures_.show();
    const Figures& figures = figures_.figures();
    addBalanceChartDay(model_.charts.chart2, toInt32OrFail(figures.day, "日目"),
                       figures.cumulativeBalance, fields.text(Field::c日合計_日目));
    日合計行追加(fields, model_.grids.grid3);
    figures_.clearDayTotals();
}

} // namespace zelkora
