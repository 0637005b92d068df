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
    交換精算(fields_, money_);
    closeDayFigures(fields_, money_.cumulativeBalance);
    const double day = fields_.number(Field::c日合計_日目);
    if (day >= conditions_.dayCount) {
        closeLastDay();
        adopt();
        return;
    }
    closeOtherDay(day);
    fields_.setNumber(Field::ProgressBar1, fixPart(day / conditions_.dayCount * 100));
    if (auto remaining = remainingTimeText(timers_.runSeconds(), day, conditions_.dayCount)) {
        fields_.setText(Field::StatusBar1_Panel2, *remaining);
    }
    beginNextDay(day + 1);
    adopt();
}

void RunEngine::closeLastDay() {
    refresh最大はまり(fields_, lastFirstHitGap_);
    const std::string heldBalls = plainText(money_.heldBalls);
    appendResultRecord(&heldBalls);
    // The last day has its point too, as a rebuild of the same records gives it.
    addBalanceChartDay(model_.charts.chart2, dayRow(fields_.number(Field::c日合計_日目)),
                       money_.cumulativeBalance, fields_.text(Field::c日合計_日目));
    日合計行追加(fields_, model_.grids.grid3);
    stop_ = true;
}

void RunEngine::closeOtherDay(double day) {
    appendResultRecord(nullptr);
    addBalanceChartDay(model_.charts.chart2, dayRow(day), money_.cumulativeBalance,
                       fields_.text(Field::c日合計_日目));
    日合計行追加(fields_, model_.grids.grid3);
    計算日合計CLR(fields_);
    計算大当り詳細CLR(fields_);
    rule_ = BallRule::交換;
    fields_.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
    state_ = MachineState::通常;
    stop_ = false;
    streak_ = 1;
    remainingShortSpins_ = 0;
    // The denominator follows the state: a day that ended in 確変 must not leave the next
    // day's 通常 playing with 確変 odds.
    denominator_ = conditions_.probability;
    scaleTimesN_ = static_cast<double>(scale_) * denominator_;
}

void RunEngine::beginNextDay(double day) {
    fields_.setNumber(Field::c日合計_日目, day);
    dayClock_ = 0;
    hitPending_ = false; // the lottery value 1000000 is above every scale
    fields_.setNumber(Field::c大当り詳細_日目, day);
    fields_.setText(Field::date, plainText(day) + std::string(kDayLabelSuffix));
    for (int bar = 2; bar <= 15; ++bar) {
        fields_.setNumber(progressBarField(bar), 0);
    }
    barHourEnd_ = kSecondsPerHour;
    barClock_ = -1;
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
    大当り詳細行追加(fields_, model_.grids.grid1, counter, &columns);
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
        failure_ = errorOfCurrentException();
        stop_ = true;
    }
}

void RunEngine::cancelRun() {
    publish();
    stop_ = true;
    model_.window.cancelled = true;
    showMessage(std::string(kRunCancelMessage), kRunCancelTitle, MessageIcon::Exclamation);
    rule_ = BallRule::キャンセル;
    fields_.setText(Field::c大当り詳細_ルール, ballRuleText(rule_));
    交換精算(fields_, money_);
    closeCancelledDayFigures(fields_, money_.cumulativeBalance);
    refresh最大はまり(fields_, lastFirstHitGap_);
    appendResultRecord(nullptr);
    日合計行追加(fields_, model_.grids.grid3);
    adopt();
}

} // namespace zelkora
