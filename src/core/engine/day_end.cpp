// RunEngine, the close of a day and of the run: 日終了処理 (exchange, day figures, the day-end
// record, the next day or the last), the result records of the big-hit detail strip, and
// MK_Cancel.

#include "common/error.h"
#include "engine/run_engine.h"
#include "results/grids_and_charts.h"

#include <limits>

namespace zelkora {
namespace {

// The held balls in a result record, as Grid1's row and the detail strip order them.
constexpr std::size_t kHeldBallsColumn = 8;

int dayRow(double day) {
    if (!(day >= 0 && day <= std::numeric_limits<int>::max())) {
        raise(Error{ErrorKind::DayLimit});
    }
    return static_cast<int>(day);
}

} // namespace

void RunEngine::日終了処理() {
    flushSpins();
    交換精算(model_.fields, money_, accumulator_);
    accumulator_.closeDay();
    // The day-end record's observers and the day row read the day's figures from the fields.
    accumulator_.show();
    const double day = accumulator_.figures().day;
    if (day >= conditions_.dayCount) {
        closeLastDay();
        adopt();
        return;
    }
    closeOtherDay(day);
    model_.fields.setNumber(Field::ProgressBar1, fixPart(day / conditions_.dayCount * 100));
    if (auto remaining = remainingTimeText(seams_.timers.runSeconds(), day, conditions_.dayCount)) {
        model_.fields.setText(Field::StatusBar1_Panel2, *remaining);
    }
    beginNextDay(day + 1);
    adopt();
}

void RunEngine::closeLastDay() {
    const std::string heldBalls = plainText(money_.heldBalls);
    appendResultRecord(&heldBalls);
    // The last day has its point too, as a rebuild of the same records gives it.
    addBalanceChartDay(model_.charts.chart2, dayRow(accumulator_.figures().day),
                       accumulator_.figures().cumulativeBalance,
                       model_.fields.text(Field::c日合計_日目));
    日合計行追加(model_.fields, model_.grids.grid3);
    stop_ = true;
}

void RunEngine::closeOtherDay(double day) {
    appendResultRecord(nullptr);
    addBalanceChartDay(model_.charts.chart2, dayRow(day), accumulator_.figures().cumulativeBalance,
                       model_.fields.text(Field::c日合計_日目));
    日合計行追加(model_.fields, model_.grids.grid3);
    accumulator_.clearDayTotals();
    計算大当り詳細CLR(model_.fields);
    rule_ = BallRule::交換;
    model_.fields.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
    mode_.state = MachineState::通常;
    stop_ = false;
    streak_ = 1;
    mode_.remainingShortSpins = 0;
    // The denominator follows the state: a day that ended in 確変 must not leave the next
    // day's 通常 playing with 確変 odds.
    lottery_.denominator = conditions_.probability;
    lottery_.scaleTimesN = static_cast<double>(lottery_.scale) * lottery_.denominator;
}

void RunEngine::beginNextDay(double day) {
    accumulator_.beginDay(day);
    clock_.dayClock = 0;
    hitPending_ = false; // the lottery value 1000000 is above every scale
    model_.fields.setNumber(Field::c大当り詳細_日目, day);
    model_.fields.setText(Field::date, plainText(day) + std::string(kDayLabelSuffix));
    for (int bar = 2; bar <= 15; ++bar) {
        model_.fields.setNumber(progressBarField(bar), 0);
    }
    clock_.barHourEnd = kSecondsPerHour;
    clock_.barClock = -1;
    updateTimeLimit();
}

// One result record: the row in Grid1 and the record at 100 + n. Grid1 is sized for every
// record, day ends and Cancel included, so two day ends in a row find their row.
void RunEngine::appendResultRecord(const std::string* heldBallsText) {
    std::int32_t& counter = model_.window.resultRecordCounter;
    if (counter >= kMaxResultRecords) {
        raise(Error{ErrorKind::ResultRecordLimit}.counting(counter));
    }
    model_.grids.grid1.setRowCount(counter + 2);
    // Grid1's row shows the detail strip, whose texts the record holds.
    ResultColumns columns{};
    大当り詳細行追加(model_.fields, model_.grids.grid1, counter, &columns);
    if (heldBallsText != nullptr) {
        columns[kHeldBallsColumn] = *heldBallsText;
    }
    if (Status written = workingCopy_.writeResult(counter + 100, columns); !written.ok()) {
        // Record 99 counts only the records the working copy holds: not this one, nor those
        // still buffered before it that were lost with it. Grid1 shows the same records.
        counter = workingCopy_.resultsHeld(counter - 1);
        model_.grids.grid1.setRowCount(counter + 1);
        raise(std::move(written).error());
    }
}

void RunEngine::MK_Cancel() {
    if (model_.window.running == 0 || stop_) {
        return;
    }
    try {
        cancelRun();
    } catch (...) {
        // Cancel runs inside the pump: its failure is reported when the run ends.
        outcome_.failure = errorOfCurrentException();
        stop_ = true;
    }
}

void RunEngine::cancelRun() {
    publish();
    stop_ = true;
    model_.window.cancelled = true;
    showMessage(std::string(kRunCancelMessage), kRunCancelTitle, MessageIcon::Exclamation);
    rule_ = BallRule::キャンセル;
    model_.fields.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
    交換精算(model_.fields, money_, accumulator_);
    accumulator_.closeCancelledDay();
    accumulator_.show();
    appendResultRecord(nullptr);
    // The cancelled day has its point, as a rebuild of the same records gives it.
    addBalanceChartDay(model_.charts.chart2, dayRow(accumulator_.figures().day),
                       accumulator_.figures().cumulativeBalance,
                       model_.fields.text(Field::c日合計_日目));
    日合計行追加(model_.fields, model_.grids.grid3);
    adopt();
}

} // namespace zelkora
