#include "commands/machine_run.h"

#include "engine/play_time.h"
#include "engine/run_engine.h"
#include "messages/error_messages.h"
#include "results/grids_and_charts.h"
#include "results/statistics.h"

#include <cmath>

namespace zelkora {
namespace {

// A column of Grid1 a machine's big hit has no value for.
constexpr std::string_view kNoValue = "—";
constexpr int kFirstHourBar = 2;
constexpr int kLastHourBar = 15;

// "10R→ST(130)": the rounds of the outcome and the state it leads to, with its spin limit.
std::string outcomeText(const OpenMachine& machine,
                        const machines::MachineGraph::Outcome& outcome) {
    const machines::Entry& entry = machine.graph.entries[static_cast<std::size_t>(outcome.entry)];
    std::string text = std::to_string(outcome.rounds);
    text.append("R→");
    text.append(machine.verification.machine.states[static_cast<std::size_t>(entry.state)].name);
    if (entry.limit > 0) {
        text.append("(");
        text.append(std::to_string(entry.limit));
        text.append(")");
    }
    return text;
}

} // namespace

std::uint64_t drawMachineSeed(RandomStream& random) {
    // Each value carries 24 random bits; three of them fill the 64 bits of a seed.
    std::uint64_t seed = 0;
    for (int part = 0; part < 3; ++part) {
        const auto bits = static_cast<std::uint64_t>(std::ldexp(random.next(), 24));
        seed = (seed << 24U) ^ bits;
    }
    return seed;
}

std::string machineSeedText(std::uint64_t seed) {
    const std::string number = std::to_string(seed);
    return "シード " + number + " で遊技しました（zelkora-run 機種ファイル --seed " + number +
           " で同じ遊技になります）。";
}

MachineRun::MachineRun(MainWindowModel& model, const PlatformSeams& seams,
                       const OpenMachine& machine)
    : model_(model), seams_(seams), machine_(machine),
      figures_(machine.verification, machine.graph, model), pump_(figures_, seams.pump),
      yield_(pump_) {}

void MachineRun::play(std::uint64_t seed) {
    seams_.ui.setPointer(PointerShape::Hourglass);
    enterRunMode();
    seams_.ui.setPointer(PointerShape::ArrowHourglass);
    std::optional<Error> failure;
    try {
        machines::playCampaign(machine_.verification, machine_.graph, seed, *this);
    } catch (...) {
        // An overflow of a figure ends the run; what was shown so far stays.
        failure = errorOfCurrentException();
    }
    figures_.show();
    leaveRunMode();
    model_.fields.setText(Field::StatusBar1_Panel1, machineSeedText(seed));
    seams_.ui.setPointer(PointerShape::Default);
    tellEnd(failure);
}

void MachineRun::enterRunMode() {
    グリッド見出し設定(model_.grids);
    グラフCLR(model_.charts);
    計算日合計CLR(model_.fields);
    計算大当り詳細CLR(model_.fields);
    統計データobCLR(model_.fields);
    model_.grids.grid1.setRowCount(1);
    model_.grids.grid3.setRowCount(1);
    model_.window.resultRecordCounter = 0;
    model_.window.running = 1;
    model_.window.cancelled = false;
    seams_.timers.resetRunSeconds();
    model_.commands.apply(Availability::RunInProgress);
    model_.runArea.progressBar1Visible = true;
    model_.fields.setNumber(Field::ProgressBar1, 0);
    model_.fields.setText(Field::action表示, kRunningAction);
    model_.fields.setText(Field::StatusBar1_Panel2, kRemainingPanel);
    model_.fields.setText(Field::date, std::string("1") + std::string(kDayLabelSuffix));
    for (int bar = kFirstHourBar; bar <= kLastHourBar; ++bar) {
        model_.fields.setNumber(progressBarField(bar), 0);
    }
    figures_.show();
}

void MachineRun::leaveRunMode() {
    model_.window.running = 0;
    model_.window.cancelled = cancelled_;
    model_.commands.apply(Availability::MachineLoaded);
    model_.runArea.progressBar1Visible = false;
    model_.fields.setNumber(Field::ProgressBar1, 0);
    model_.fields.setText(Field::action表示, "");
    model_.fields.setText(Field::StatusBar1_Panel2, kRemainingPanel);
}

// Told once the window has its commands back, over the final figures, as a classic run tells it.
void MachineRun::tellEnd(const std::optional<Error>& failure) {
    if (failure) {
        seams_.ui.showMessage({"検証を続けられませんでした。" + errorText(*failure),
                               std::string(kRunEndTitle), MessageIcon::Critical,
                               MessageButtons::Ok});
        return;
    }
    if (cancelled_) {
        seams_.ui.showMessage({std::string(kRunCancelMessage), std::string(kRunCancelTitle),
                               MessageIcon::Exclamation, MessageButtons::Ok});
        return;
    }
    seams_.ui.beep();
    seams_.ui.showMessage({std::string(kRunEndMessage), std::string(kRunEndTitle),
                           MessageIcon::Exclamation, MessageButtons::Ok});
}

// The detail strip shows the hit, and Grid1 gets it as its next row, as a classic hit's.
void MachineRun::bigHit(const machines::BigHitEvent& hit) {
    figures_.bigHit(hit);
    FieldStore& fields = model_.fields;
    fields.setNumber(Field::c大当り詳細_日目, hit.day);
    fields.setNumber(Field::c大当り詳細_回転数, static_cast<double>(hit.normalSpins));
    fields.setNumber(Field::c大当り詳細_時短回転数, static_cast<double>(hit.supportSpins));
    fields.setText(Field::c大当り詳細_投資額F, kNoValue);
    fields.setNumber(Field::c大当り詳細_大当り, figures_.figures().bigHits);
    fields.setText(Field::c大当り詳細_当絵柄, outcomeText(machine_, *hit.outcome));
    fields.setText(Field::c大当り詳細_ルール, hit.ceiling ? "遊タイム" : kNoValue);
    fields.setText(Field::c大当り詳細_状態,
                   machine_.verification.machine.states[static_cast<std::size_t>(hit.state)].name);
    fields.setText(Field::c大当り詳細_持玉数F, kNoValue);
    fields.setText(Field::c大当り詳細_交換玉数, kNoValue);
    fields.setNumber(Field::c大当り詳細_連荘, hit.chain);
    std::int32_t& counter = model_.window.resultRecordCounter;
    model_.grids.grid1.setRowCount(counter + 2);
    大当り詳細行追加(fields, model_.grids.grid1, counter);
    yield_();
}

void MachineRun::dayEnd(const machines::DayEndEvent& day) {
    figures_.dayEnd(day);
    // The closed day's totals are in the daily strip until the next day's first show.
    日合計行追加(model_.fields, model_.grids.grid3);
    addBalanceChartDay(model_.charts.chart2, day.day, figures_.figures().cumulativeBalance,
                       model_.fields.text(Field::c日合計_日目));
    const double days = machine_.verification.campaign.days;
    model_.fields.setNumber(Field::ProgressBar1, std::trunc(day.day / days * 100));
    if (auto remaining = remainingTimeText(seams_.timers.runSeconds(), day.day, days)) {
        model_.fields.setText(Field::StatusBar1_Panel2, *remaining);
    }
    if (day.day < machine_.verification.campaign.days) {
        model_.fields.setText(Field::date,
                              std::to_string(day.day + 1) + std::string(kDayLabelSuffix));
    }
    yield_();
}

} // namespace zelkora
