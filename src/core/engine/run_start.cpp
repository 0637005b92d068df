// RunEngine, Start and the end of a run: MK_Start prepares the window and the working copy,
// plays until the stop flag, and hands the window back with the end message.

#include "engine/quiet_spins.h"
#include "engine/run_engine.h"
#include "results/grids_and_charts.h"
#include "results/window_conditions.h"

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

RunEngine::RunEngine(MainWindowModel& model, const PlatformSeams& seams,
                     RunWorkingCopy& workingCopy)
    : model_(model), seams_(seams), workingCopy_(workingCopy), pump_(*this, seams.pump),
      yield_(pump_), accumulator_(model) {}

RunEngine::~RunEngine() = default;

Status RunEngine::MK_Start() {
    if (model_.window.running != 0) {
        return {};
    }
    outcome_.played = false;
    Status refusal = startRefusal(model_.fields, model_.program);
    if (refusal.ok()) {
        refusal = symbolTableRefusal(model_.symbols,
                                     static_cast<int>(model_.fields.number(Field::条件_絵柄数)));
    }
    if (!refusal.ok()) {
        return refusal;
    }
    outcome_.failure.reset();
    seams_.ui.setPointer(PointerShape::Hourglass);
    const RunConditions atClick = readRunConditions(model_.fields, model_.program);
    prepareWindow();
    resetRunVariables(atClick);
    if (loadAndRecreate(atClick)) {
        outcome_.played = true;
        clearFigures();
        seams_.ui.setPointer(PointerShape::ArrowHourglass);
        try {
            while (!stop_) {
                デジパチ大当たり待ち();
            }
        } catch (...) {
            // An overflow or a failed write ends the run; what was recorded so far stays.
            outcome_.failure = errorOfCurrentException();
            stop_ = true;
        }
    }
    return finishRun();
}

// Grids, charts, distributions and the run-mode window.
void RunEngine::prepareWindow() {
    グリッド見出し設定(model_.grids);
    グラフCLR(model_.charts);
    const int symbolCount = static_cast<int>(model_.fields.number(Field::条件_絵柄数));
    model_.distributions.reset(symbolCount);
    resetSymbolChart(model_.charts.chart1, model_.symbols, symbolCount);
    enterRunMode();
}

void RunEngine::enterRunMode() {
    model_.commands.apply(Availability::RunInProgress);
    model_.runArea.progressBar1Visible = true;
    model_.fields.setNumber(Field::ProgressBar1, 0);
    model_.fields.setText(Field::action表示, kRunningAction);
    model_.fields.setText(Field::StatusBar1_Panel2, kRemainingPanel);
    model_.runArea.expVisible = false;
    for (int bar = kFirstHourBar; bar <= kLastHourBar; ++bar) {
        model_.fields.setNumber(progressBarField(bar), 0);
    }
    model_.runArea.picture3Visible = true;
}

void RunEngine::leaveRunMode() {
    model_.window.running = 0;
    model_.commands.apply(Availability::VerificationLoaded);
    model_.runArea.progressBar1Visible = false;
    model_.fields.setNumber(Field::ProgressBar1, 0);
    model_.fields.setText(Field::action表示, "");
    model_.runArea.expVisible = true;
    model_.runArea.picture3Visible = false;
    model_.fields.setText(Field::StatusBar1_Panel2, kRemainingPanel);
}

// The run variables reset, from the conditions as they stood at the click.
void RunEngine::resetRunVariables(const RunConditions& atClick) {
    model_.window.running = 1;
    model_.window.unsaved = true;
    seams_.timers.resetRunSeconds();
    mode_.pendingShortTime = false;
    mode_.state = MachineState::通常;
    rule_ = BallRule::交換;
    conditions_ = atClick;
    lottery_.denominator = atClick.probability;
    seams_.timers.setCountdownEnabled(false, 5);
    model_.runArea.timer3Enabled = false;
    model_.runArea.timer3IntervalMilliseconds = 5;
    lottery_.countdown = seams_.timers.countdown();
    lottery_.countdownValue = static_cast<double>(static_cast<float>(lottery_.countdown));
    streak_ = 1;
    mode_.remainingShortSpins = 0;
    hitPending_ = false; // the lottery value starts above every scale
    symbolIndex_ = static_cast<int>(intPart(atClick.symbolCount * seams_.random.next()));
    model_.window.cancelled = false;
    stop_ = false;
    costs_.ballsPerSpin = static_cast<double>(atClick.ballsPerSpin);
    clock_.dayLength = atClick.schedule.dayLengthSeconds();
    clock_.dayClock = 0;
    model_.fields.setText(Field::date, std::string("1") + std::string(kDayLabelSuffix));
    spins_.heldBall = 0;
    spins_.cash = 0;
    spins_.flushedNormal = 0;
    spins_.pendingShort = 0;
    ruleBoxDirty_ = false;
    clock_.barHourEnd = kSecondsPerHour;
    clock_.barClock = -1;
}

// IndPreset, then the working copy recreated with the conditions.
bool RunEngine::loadAndRecreate(const RunConditions& atClick) {
    try {
        // IndPreset shows the hourglass while it reads and the normal pointer after.
        seams_.ui.setPointer(PointerShape::Hourglass);
        Result<StoredConditions> stored = workingCopy_.readConditions();
        seams_.ui.setPointer(PointerShape::Default);
        if (!stored.ok()) {
            outcome_.failure = std::move(stored).error();
            return false;
        }
        applyConditions(model_, stored.value());
        Status refusal = startRefusal(model_.fields, model_.program);
        if (refusal.ok()) {
            refusal = symbolTableRefusal(
                model_.symbols, static_cast<int>(model_.fields.number(Field::条件_絵柄数)));
        }
        if (!refusal.ok()) {
            outcome_.failure = std::move(refusal).error();
            return false;
        }
        conditions_ = readRunConditions(model_.fields, model_.program);
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
            outcome_.failure = std::move(recreated).error();
            return false;
        }
        // Only now does the working copy hold no result records.
        model_.window.resultRecordCounter = 0;
        outcome_.workingCopyOpen = true;
    } catch (...) {
        outcome_.failure = errorOfCurrentException();
        return false;
    }
    return true;
}

// The figures cleared, the money reset, the lottery scale drawn.
void RunEngine::clearFigures() {
    計算日合計CLR(model_.fields);
    計算大当り詳細CLR(model_.fields);
    統計データobCLR(model_.fields);
    money_ = Money{};
    accumulator_.reset(conditions_.probability, model_.fields.number(Field::条件_両替率));
    accumulator_.show();
    model_.fields.setText(Field::c大当り詳細_持玉数F, "0");
    model_.fields.setText(Field::c大当り詳細_日目, "1");
    lottery_.corrected = conditions_.probability;
    lottery_.correctionSpins = 0;
    model_.fields.setText(Field::総時短回転数表示, "0");
    lottery_.scale = drawLotteryScale(seams_.random.next(), lottery_.countdown);
    lottery_.scaleTimesN = static_cast<double>(lottery_.scale) * lottery_.denominator;
    lottery_.scaleTimesC = static_cast<double>(lottery_.scale) * lottery_.corrected;
    costs_.unitBalls = conditions_.money.unit / kYenPerBall;
    costs_.purchaseSpacing = purchaseSpacing({costs_.ballsPerSpin, costs_.unitBalls});
    costs_.unitIntegral = conditions_.money.unit == std::trunc(conditions_.money.unit);
    quietSteps_ = {RepeatedStep(conditions_.normalSpinSeconds),
                   RepeatedStep(conditions_.shortSpinSeconds), RepeatedStep(-costs_.ballsPerSpin)};
    adopt();
    updateTimeLimit();
}

Status RunEngine::finishRun() {
    publish();
    const bool completed = !outcome_.failure && !model_.window.cancelled;
    seams_.timers.setCountdownEnabled(true, 1);
    model_.runArea.timer3Enabled = true;
    model_.runArea.timer3IntervalMilliseconds = 1;
    leaveRunMode();
    if (outcome_.workingCopyOpen) {
        outcome_.workingCopyOpen = false;
        std::int32_t& counter = model_.window.resultRecordCounter;
        Status finished = workingCopy_.finish(counter, model_.fields.text(Field::持ち玉比率));
        if (!finished.ok()) {
            // The last records may not have reached the file; record 99 counts those that did.
            counter = workingCopy_.resultsHeld(counter);
            model_.grids.grid1.setRowCount(counter + 1);
            if (!outcome_.failure) {
                outcome_.failure = std::move(finished).error();
            }
        }
    }
    seams_.ui.setPointer(PointerShape::Default);
    // Told once the run is over and its records are in the file, so the message stands over
    // the final figures with the run's commands already given back.
    if (completed) {
        seams_.ui.beep();
        showMessage(std::string(kRunEndMessage), kRunEndTitle, MessageIcon::Exclamation);
    }
    if (outcome_.failure) {
        return *std::exchange(outcome_.failure, std::nullopt);
    }
    return {};
}

void RunEngine::showMessage(std::string text, std::string_view title, MessageIcon icon) {
    outcome_.messageText = std::move(text);
    seams_.ui.showMessage({outcome_.messageText, std::string(title), icon, MessageButtons::Ok});
}

} // namespace zelkora
