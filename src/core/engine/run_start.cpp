// RunEngine, Start and the end of a run: MK_Start prepares the window and the working copy,
// plays until the stop flag, and hands the window back with the end message.

#include "engine/quiet_spins.h"
#include "engine/run_engine.h"
#include "results/grids_and_charts.h"

#include <cmath>
#include <utility>

namespace zelkora {
namespace {

constexpr int kFirstHourBar = 2;
constexpr int kLastHourBar = 15;

} // namespace

std::uint32_t RunEngine::PublishingPump::processEvents() {
    engine_.publish();
    return inner_.processEvents();
}

RunEngine::RunEngine(MainWindowModel& model, RunSeams seams)
    : model_(model), fields_(model.fields), ui_(seams.ui), timers_(seams.timers),
      random_(seams.random), workingCopy_(seams.workingCopy), pump_(*this, seams.pump),
      yield_(pump_) {}

RunEngine::~RunEngine() = default;

Status RunEngine::MK_Start() {
    if (model_.window.running != 0) {
        return {};
    }
    played_ = false;
    Status refusal = startRefusal(fields_, model_.program);
    if (refusal.ok()) {
        refusal = symbolTableRefusal(model_.symbols,
                                     static_cast<int>(fields_.number(Field::条件_絵柄数)));
    }
    if (!refusal.ok()) {
        return refusal;
    }
    failure_.reset();
    ui_.setPointer(PointerShape::Hourglass);
    const RunConditions atClick = readRunConditions(fields_, model_.program);
    prepareWindow();
    resetRunVariables(atClick);
    if (loadAndRecreate(atClick)) {
        played_ = true;
        clearFigures();
        ui_.setPointer(PointerShape::ArrowHourglass);
        try {
            while (!stop_) {
                デジパチ大当たり待ち();
            }
        } catch (...) {
            // An overflow or a failed write ends the run; what was recorded so far stays.
            failure_ = errorOfCurrentException();
            stop_ = true;
        }
    }
    return finishRun();
}

// Grids, charts, distributions and the run-mode window.
void RunEngine::prepareWindow() {
    グリッド見出し設定(model_.grids);
    グラフCLR(model_.charts);
    const int symbolCount = static_cast<int>(fields_.number(Field::条件_絵柄数));
    model_.distributions.reset(symbolCount);
    resetSymbolChart(model_.charts.chart1, model_.symbols, symbolCount);
    firstHitMark_ = 0;
    enterRunMode();
}

void RunEngine::enterRunMode() {
    model_.commands.apply(Availability::RunInProgress);
    model_.runArea.progressBar1Visible = true;
    fields_.setNumber(Field::ProgressBar1, 0);
    fields_.setText(Field::action表示, kRunningAction);
    fields_.setText(Field::StatusBar1_Panel2, kRemainingPanel);
    model_.runArea.expVisible = false;
    for (int bar = kFirstHourBar; bar <= kLastHourBar; ++bar) {
        fields_.setNumber(progressBarField(bar), 0);
    }
    model_.runArea.picture3Visible = true;
}

void RunEngine::leaveRunMode() {
    model_.window.running = 0;
    model_.commands.apply(Availability::VerificationLoaded);
    model_.runArea.progressBar1Visible = false;
    fields_.setNumber(Field::ProgressBar1, 0);
    fields_.setText(Field::action表示, "");
    model_.runArea.expVisible = true;
    model_.runArea.picture3Visible = false;
    fields_.setText(Field::StatusBar1_Panel2, kRemainingPanel);
}

// The run variables reset, from the conditions as they stood at the click.
void RunEngine::resetRunVariables(const RunConditions& atClick) {
    model_.window.running = 1;
    model_.window.unsaved = true;
    timers_.resetRunSeconds();
    pendingShortTime_ = false;
    lastFirstHitGap_ = 0;
    state_ = MachineState::通常;
    rule_ = BallRule::交換;
    conditions_ = atClick;
    denominator_ = atClick.probability;
    timers_.setCountdownEnabled(false, 5);
    model_.runArea.timer3Enabled = false;
    model_.runArea.timer3IntervalMilliseconds = 5;
    countdown_ = timers_.countdown();
    countdownValue_ = static_cast<double>(static_cast<float>(countdown_));
    streak_ = 1;
    remainingShortSpins_ = 0;
    hitPending_ = false; // the lottery value starts above every scale
    symbolIndex_ = static_cast<int>(intPart(atClick.symbolCount * random_.next()));
    model_.window.cancelled = false;
    stop_ = false;
    ballsPerSpin_ = static_cast<double>(atClick.ballsPerSpin);
    dayLength_ = atClick.schedule.dayLengthSeconds();
    dayClock_ = 0;
    fields_.setText(Field::date, std::string("1") + std::string(kDayLabelSuffix));
    heldBallSpins_ = 0;
    cashSpins_ = 0;
    flushedNormalSpins_ = 0;
    pendingShortSpins_ = 0;
    investDirty_ = false;
    ruleBoxDirty_ = false;
    spinDistributionDirty_ = false;
    symbolSharesDirty_ = false;
    streakDistributionDirty_ = false;
    barHourEnd_ = kSecondsPerHour;
    barClock_ = -1;
}

// IndPreset, then the working copy recreated with the conditions.
bool RunEngine::loadAndRecreate(const RunConditions& atClick) {
    try {
        // IndPreset shows the hourglass while it reads and the normal pointer after.
        ui_.setPointer(PointerShape::Hourglass);
        Result<StoredConditions> stored = workingCopy_.readConditions();
        ui_.setPointer(PointerShape::Default);
        if (!stored.ok()) {
            failure_ = std::move(stored).error();
            return false;
        }
        applyConditions(model_, stored.value());
        Status refusal = startRefusal(fields_, model_.program);
        if (refusal.ok()) {
            refusal = symbolTableRefusal(model_.symbols,
                                         static_cast<int>(fields_.number(Field::条件_絵柄数)));
        }
        if (!refusal.ok()) {
            failure_ = std::move(refusal).error();
            return false;
        }
        conditions_ = readRunConditions(fields_, model_.program);
        // The cap and the balls per spin were taken at the click, before the reload.
        conditions_.money.dailyCap = atClick.money.dailyCap;
        conditions_.ballsPerSpin = atClick.ballsPerSpin;
        const int symbolCount = static_cast<int>(conditions_.symbolCount);
        if (symbolCount != model_.distributions.symbolCount()) {
            model_.distributions.reset(symbolCount);
            resetSymbolChart(model_.charts.chart1, model_.symbols, symbolCount);
        }
        for (std::size_t index = 0; index < symbols_.size(); ++index) {
            symbols_[index] = {symbolKindOf(model_.symbols.kinds[index]),
                               symbolRuleOf(model_.symbols.rules[index]),
                               model_.symbols.shortTimeSpins[index], model_.symbols.payouts[index]};
        }
        if (Status recreated = workingCopy_.recreate(captureConditions(model_)); !recreated.ok()) {
            failure_ = std::move(recreated).error();
            return false;
        }
        // Only now does the working copy hold no result records.
        model_.window.resultRecordCounter = 0;
        workingCopyOpen_ = true;
    } catch (...) {
        failure_ = errorOfCurrentException();
        return false;
    }
    return true;
}

// The figures cleared, the money reset, the lottery scale drawn.
void RunEngine::clearFigures() {
    計算日合計CLR(fields_);
    計算大当り詳細CLR(fields_);
    統計データobCLR(fields_);
    money_ = Money{};
    fields_.setText(Field::c大当り詳細_持玉数F, "0");
    showCumulativeBalance(fields_, 0);
    fields_.setText(Field::c日合計_日目, "1");
    fields_.setText(Field::c大当り詳細_日目, "1");
    corrected_ = conditions_.probability;
    correctionSpins_ = 0;
    fields_.setText(Field::総時短回転数表示, "0");
    scale_ = drawLotteryScale(random_.next(), countdown_);
    scaleTimesN_ = static_cast<double>(scale_) * denominator_;
    scaleTimesC_ = static_cast<double>(scale_) * corrected_;
    unitBalls_ = conditions_.money.unit / kYenPerBall;
    purchaseSpacing_ = purchaseSpacing({ballsPerSpin_, unitBalls_});
    unitIntegral_ = conditions_.money.unit == std::trunc(conditions_.money.unit);
    adopt();
    updateTimeLimit();
}

Status RunEngine::finishRun() {
    publish();
    const bool completed = !failure_ && !model_.window.cancelled;
    timers_.setCountdownEnabled(true, 1);
    model_.runArea.timer3Enabled = true;
    model_.runArea.timer3IntervalMilliseconds = 1;
    leaveRunMode();
    if (workingCopyOpen_) {
        workingCopyOpen_ = false;
        std::int32_t& counter = model_.window.resultRecordCounter;
        Status finished = workingCopy_.finish(counter, fields_.text(Field::持ち玉比率));
        if (!finished.ok()) {
            // The last records may not have reached the file; record 99 counts those that did.
            counter = workingCopy_.resultsHeld(counter);
            model_.grids.grid1.setRowCount(counter + 1);
            if (!failure_) {
                failure_ = std::move(finished).error();
            }
        }
    }
    ui_.setPointer(PointerShape::Default);
    // Told once the run is over and its records are in the file, so the message stands over
    // the final figures with the run's commands already given back.
    if (completed) {
        ui_.beep();
        showMessage(std::string(kRunEndMessage), kRunEndTitle, MessageIcon::Exclamation);
    }
    if (failure_) {
        return *std::exchange(failure_, std::nullopt);
    }
    return {};
}

void RunEngine::showMessage(std::string text, std::string_view title, MessageIcon icon) {
    messageText_ = std::move(text);
    ui_.showMessage({messageText_, std::string(title), icon, MessageButtons::Ok});
}

} // namespace zelkora
