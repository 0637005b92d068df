#include "machines/machine_figures.h"

#include "common/numbers.h"

#include <algorithm>
#include <cmath>

namespace zelkora::machines {

MachineFigures::MachineFigures(const MachineVerification& verification, const MachineGraph& graph,
                               const std::atomic<bool>* cancelled)
    : graph_(graph), cancelled_(cancelled), unitYen_(verification.campaign.investmentUnitYen),
      ownModel_(std::make_unique<MainWindowModel>()), model_(*ownModel_), accumulator_(model_) {
    setUp(verification);
}

MachineFigures::MachineFigures(const MachineVerification& verification, const MachineGraph& graph,
                               MainWindowModel& shown)
    : graph_(graph), cancelled_(nullptr), unitYen_(verification.campaign.investmentUnitYen),
      model_(shown), accumulator_(model_) {
    setUp(verification);
}

void MachineFigures::setUp(const MachineVerification& verification) {
    const MachineGraph& graph = graph_;
    const double startChance = graph.stateOf(graph.startEntry).hitChance;
    accumulator_.reset(startChance > 0 ? 1 / startChance : 0,
                       verification.campaign.exchangeBallsPer100Yen);
    model_.distributions.reset(0);
    for (int entry = 0; entry < graph.entryCount(); ++entry) {
        const MachineGraph::StateLinks& state = graph.stateOf(entry);
        EntryKind kind = EntryKind::Normal;
        if (state.support) {
            kind = state.hitChance > startChance ? EntryKind::確変 : EntryKind::時短;
        }
        kinds_.push_back(kind);
    }
    machine_.entriesByState.assign(static_cast<std::size_t>(graph.stateCount()), 0);
}

bool MachineFigures::stopped() const {
    return cancelled_ != nullptr && cancelled_->load(std::memory_order_relaxed);
}

void MachineFigures::addSpins(std::int64_t normalSpins, std::int64_t supportSpins,
                              double supportBalls) {
    if (normalSpins > 0) {
        const auto spins = static_cast<double>(normalSpins);
        accumulator_.addDaySpins(spins);
        accumulator_.addTotalSpins(spins);
        accumulator_.refreshProbabilities();
    }
    machine_.supportSpins += supportSpins;
    machine_.supportBalls += supportBalls;
}

void MachineFigures::bigHit(const BigHitEvent& hit) {
    addSpins(hit.normalSpins, hit.supportSpins, hit.supportBalls);
    // A chain ends when play falls back to normal play: the next first hit says it did.
    if (hit.firstHit && chainOpen_) {
        accumulator_.endStreak();
    }
    accumulator_.beginBigHit(hit.firstHit);
    model_.distributions.setRunningStreak(hit.chain);
    const MachineGraph::Outcome& outcome = *hit.outcome;
    const EntryKind kind = kinds_[static_cast<std::size_t>(outcome.entry)];
    const bool into時短 = kind == EntryKind::時短;
    accumulator_.countModeEntries(hit.firstHit && kind == EntryKind::確変, into時短,
                                  hit.firstHit && into時短 ? 1 : 0);
    accumulator_.countStateEntry(kind == EntryKind::確変);
    chainOpen_ = kind != EntryKind::Normal;
    if (!chainOpen_) {
        accumulator_.endStreak();
    }
    machine_.ceilings += hit.ceiling ? 1 : 0;
    machine_.rounds += outcome.rounds;
    machine_.payoutBalls += outcome.balls;
    machine_.longestChain = std::max(machine_.longestChain, hit.chain);
    ++machine_.entriesByState[static_cast<std::size_t>(
        graph_.entries[static_cast<std::size_t>(outcome.entry)].state)];
}

void MachineFigures::dayEnd(const DayEndEvent& day) {
    addSpins(day.normalSpins, day.supportSpins, day.supportBalls);
    // A chain still in support when the day ends is cut, as the classic run leaves it.
    if (chainOpen_ && !day.inSupport) {
        accumulator_.endStreak();
    }
    chainOpen_ = false;
    const auto purchases = static_cast<std::int64_t>(std::llround(day.investedYen / unitYen_));
    accumulator_.invest(unitYen_, purchases, true);
    // The balance falls only by purchases and rises only at the day's exchange.
    const double beforeExchange = accumulator_.figures().cumulativeBalance;
    campaign_.lowestBalance = std::min(campaign_.lowestBalance, beforeExchange);
    campaign_.largestDrawdown = std::max(campaign_.largestDrawdown, high_ - beforeExchange);
    accumulator_.exchange(day.exchangedBalls);
    accumulator_.closeDay();
    high_ = std::max(high_, accumulator_.figures().cumulativeBalance);
    accumulator_.show();
    campaign_.cumulativeBalanceByDay.push_back(model_.fields.number(Field::c日合計_積算収支F));
    campaign_.bustDays += day.bust ? 1 : 0;
    campaign_.daysEndedInStreak += day.inSupport ? 1 : 0;
    machine_.bustDays += day.bust ? 1 : 0;
    machine_.heldBallSpins += day.heldBallSpins;
    machine_.investedYen += day.investedYen;
    machine_.playSeconds += day.seconds;
    accumulator_.beginDay(static_cast<double>(day.day) + 1);
    accumulator_.clearDayTotals();
}

void MachineFigures::show() {
    accumulator_.show();
    accumulator_.showDistributions();
    showMachineFigures();
}

// The two boxes of the overall panel that the classic run writes itself: the support spins and
// the share of normal spins played on held balls.
void MachineFigures::showMachineFigures() {
    model_.fields.setNumber(Field::総時短回転数表示, static_cast<double>(machine_.supportSpins));
    const double spins = accumulator_.figures().totalSpins;
    model_.fields.setPattern(Field::持ち玉比率,
                             spins > 0 ? static_cast<double>(machine_.heldBallSpins) / spins * 100
                                       : 0,
                             Pattern::TwoDecimals);
}

CampaignFigures MachineFigures::campaignFigures() {
    accumulator_.show();
    showMachineFigures();
    CampaignFigures figures = campaign_;
    const FieldStore& fields = model_.fields;
    for (std::size_t index = 0; index < kOverallFigureCount; ++index) {
        figures.overallTexts[index] = fields.text(kOverallFigures[index]);
        figures.overall[index] = fields.number(kOverallFigures[index]);
    }
    figures.finalBalance = fields.number(Field::収支表示F);
    figures.playSeconds = machine_.playSeconds;
    // Balls gained beyond normal play: big hits and the net of support spins.
    figures.payoutBalls = machine_.payoutBalls + machine_.supportBalls;
    return figures;
}

} // namespace zelkora::machines
