#include "machines/machine_check.h"

#include <cmath>
#include <map>
#include <set>
#include <string_view>

namespace zelkora::machines {
namespace {

constexpr double kWeightTolerance = 1e-9;

std::string quoted(std::string_view name) {
    return "「" + std::string(name) + "」";
}

std::string number(double value) {
    std::string text = std::to_string(value);
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) {
        const bool point = text.back() == '.';
        text.pop_back();
        if (point) {
            break;
        }
    }
    return text;
}

bool denominatorInRange(double denominator) {
    return std::isfinite(denominator) && denominator >= 1;
}

// Faults of one reference to a state with its own spin limit.
std::string entryProblem(const Machine& machine, const std::string& where, std::string_view next,
                         int spins) {
    const State* target = machine.state(next);
    if (target == nullptr) {
        return where + "の移行先" + quoted(next) + "という状態はありません";
    }
    if (spins < 0 || spins > kMostSpinLimit) {
        return where + "の回転数は 0 以上 " + std::to_string(kMostSpinLimit) +
               " 以下で指定してください（" + std::to_string(spins) + "）";
    }
    if (spins > 0 && target->after.empty()) {
        return where + "は回転数を指定していますが、状態" + quoted(next) +
               "には回転数を使い切ったあとの移行先がありません";
    }
    return {};
}

std::string shiftProblem(const Machine& machine, const State& state, std::string_view what,
                         const Shift& shift) {
    const std::string where = "状態" + quoted(state.name) + "の" + std::string(what);
    if (!denominatorInRange(shift.denominator)) {
        return where + "の確率は 1 以上の分母で指定してください（" + number(shift.denominator) +
               "）";
    }
    if (shift.guaranteedSpins < 0 || shift.guaranteedSpins > kMostSpinLimit) {
        return where + "の保証回転数は 0 以上 " + std::to_string(kMostSpinLimit) +
               " 以下で指定してください";
    }
    return entryProblem(machine, where, shift.next, shift.spins);
}

std::string stateProblem(const Machine& machine, const State& state) {
    const std::string where = "状態" + quoted(state.name);
    if (!denominatorInRange(state.hitDenominator)) {
        return where + "の大当り確率は 1 以上の分母で指定してください（" +
               number(state.hitDenominator) + "）";
    }
    if (machine.table(state.table) == nullptr) {
        return where + "の振り分け" + quoted(state.table) + "という振り分け表はありません";
    }
    if (state.spinLimit < 0 || state.spinLimit > kMostSpinLimit || state.heldSpins < 0 ||
        state.heldSpins > kMostSpinLimit) {
        return where + "の回転数と残保留は 0 以上 " + std::to_string(kMostSpinLimit) +
               " 以下で指定してください";
    }
    if (!state.after.empty()) {
        if (std::string problem =
                entryProblem(machine, where + "の終了後", state.after, state.afterSpins);
            !problem.empty()) {
            return problem;
        }
    } else if (state.spinLimit > 0) {
        return where + "は回転数 " + std::to_string(state.spinLimit) +
               " で終わりますが、終了後の移行先がありません";
    }
    if (state.supportNetBalls && !std::isfinite(*state.supportNetBalls)) {
        return where + "の電サポ中の純増玉数が数ではありません";
    }
    if (state.smallHits && (!denominatorInRange(state.smallHits->denominator) ||
                            !std::isfinite(state.smallHits->balls) || state.smallHits->balls < 0)) {
        return where + "の小当りは 1 以上の分母と 0 以上の玉数で指定してください";
    }
    double perSpin = 1 / state.hitDenominator;
    for (const auto& [what, shift] :
         {std::pair{"転落", &state.fall}, std::pair{"c時短", &state.cShortTime}}) {
        if (*shift) {
            if (std::string problem = shiftProblem(machine, state, what, **shift);
                !problem.empty()) {
                return problem;
            }
            perSpin += 1 / (*shift)->denominator;
        }
    }
    if (perSpin > 1 + kWeightTolerance) {
        return where + "の大当り・転落・c時短の確率の合計が 1 を超えています";
    }
    return {};
}

std::string tableProblem(const Machine& machine, const AllocationTable& table) {
    const std::string where = "振り分け表" + quoted(table.name);
    if (table.outcomes.empty()) {
        return where + "に振り分けがありません";
    }
    double total = 0;
    for (const Allocation& outcome : table.outcomes) {
        const std::string at = where + "の" + quoted(outcome.name);
        if (!std::isfinite(outcome.weight) || outcome.weight < 0) {
            return at + "の割合は 0 以上で指定してください（" + number(outcome.weight) + "）";
        }
        if (outcome.rounds < 0 || !std::isfinite(outcome.balls) || outcome.balls < 0) {
            return at + "のラウンド数と出玉は 0 以上で指定してください";
        }
        if (std::string problem = entryProblem(machine, at, outcome.next, outcome.spins);
            !problem.empty()) {
            return problem;
        }
        total += outcome.weight;
    }
    if (std::abs(total - 100) > 1e-6) {
        return where + "の割合の合計が 100% ではありません（" + number(total) + "%）";
    }
    return {};
}

std::string ceilingProblem(const Machine& machine, const Ceiling& ceiling) {
    if (ceiling.spins < 1 || ceiling.spins > kMostCeilingSpins) {
        return "遊タイムの発動回転数は 1 以上 " + std::to_string(kMostCeilingSpins) +
               " 以下で指定してください（" + std::to_string(ceiling.spins) + "）";
    }
    if (ceiling.countedStates.empty()) {
        return "遊タイムの回転数を数える状態がありません";
    }
    for (const std::string& counted : ceiling.countedStates) {
        if (machine.state(counted) == nullptr) {
            return "遊タイムが数える状態" + quoted(counted) + "はありません";
        }
    }
    return entryProblem(machine, "遊タイム", ceiling.state, ceiling.stateSpins);
}

// Whether some entry into the state gets a spin limit, so that its `after` can be reached.
bool everLimited(const Machine& machine, const State& state) {
    if (state.spinLimit > 0) {
        return true;
    }
    const auto limits = [&](std::string_view next, int spins) {
        return next == state.name && spins > 0;
    };
    for (const AllocationTable& table : machine.tables) {
        for (const Allocation& outcome : table.outcomes) {
            if (limits(outcome.next, outcome.spins)) {
                return true;
            }
        }
    }
    for (const State& other : machine.states) {
        if (limits(other.after, other.afterSpins)) {
            return true;
        }
        for (const auto* shift : {&other.fall, &other.cShortTime}) {
            if (*shift && limits((*shift)->next, (*shift)->spins)) {
                return true;
            }
        }
    }
    return machine.ceiling && limits(machine.ceiling->state, machine.ceiling->stateSpins);
}

// The states a state can lead to, by a hit, by running out or by a shift.
std::vector<std::string_view> successors(const Machine& machine, const State& state) {
    std::vector<std::string_view> next;
    if (const AllocationTable* table = machine.table(state.table)) {
        for (const Allocation& outcome : table->outcomes) {
            if (outcome.weight > 0) {
                next.push_back(outcome.next);
            }
        }
    }
    if (!state.after.empty() && everLimited(machine, state)) {
        next.push_back(state.after);
    }
    for (const auto* shift : {&state.fall, &state.cShortTime}) {
        if (*shift) {
            next.push_back((*shift)->next);
        }
    }
    return next;
}

// The support states from which play can get back to a state without support, found for all
// states at once: backwards from those states over the links, through support states alone.
std::set<std::string_view> reachingNormalPlay(const Machine& machine) {
    std::map<std::string_view, std::vector<const State*>> leadingTo;
    for (const State& state : machine.states) {
        for (const std::string_view name : successors(machine, state)) {
            leadingTo[name].push_back(&state);
        }
    }
    std::set<std::string_view> reaching;
    std::vector<std::string_view> open;
    for (const State& state : machine.states) {
        if (!state.support()) {
            open.push_back(state.name);
        }
    }
    while (!open.empty()) {
        const std::string_view name = open.back();
        open.pop_back();
        const auto found = leadingTo.find(name);
        if (found == leadingTo.end()) {
            continue;
        }
        for (const State* state : found->second) {
            if (state->support() && reaching.insert(state->name).second) {
                open.push_back(state->name);
            }
        }
    }
    return reaching;
}

} // namespace

std::string machineProblem(const Machine& machine) {
    if (machine.name.empty()) {
        return "機種名がありません";
    }
    if (machine.states.empty()) {
        return "状態がひとつもありません";
    }
    std::set<std::string_view> names;
    for (const State& state : machine.states) {
        if (state.name.empty()) {
            return "名前のない状態があります";
        }
        if (!names.insert(state.name).second) {
            return "状態" + quoted(state.name) + "が二度定義されています";
        }
    }
    std::set<std::string_view> tableNames;
    for (const AllocationTable& table : machine.tables) {
        if (!tableNames.insert(table.name).second) {
            return "振り分け表" + quoted(table.name) + "が二度定義されています";
        }
    }
    const State* start = machine.state(machine.startState);
    if (start == nullptr) {
        return "開始状態" + quoted(machine.startState) + "という状態はありません";
    }
    if (start->support()) {
        return "開始状態" + quoted(start->name) + "は電サポのない通常の状態にしてください";
    }
    for (const State& state : machine.states) {
        if (std::string problem = stateProblem(machine, state); !problem.empty()) {
            return problem;
        }
    }
    for (const AllocationTable& table : machine.tables) {
        if (std::string problem = tableProblem(machine, table); !problem.empty()) {
            return problem;
        }
    }
    if (machine.ceiling) {
        if (std::string problem = ceilingProblem(machine, *machine.ceiling); !problem.empty()) {
            return problem;
        }
    }
    const std::set<std::string_view> reaching = reachingNormalPlay(machine);
    for (const State& state : machine.states) {
        if (state.support() && !reaching.contains(state.name)) {
            return "状態" + quoted(state.name) +
                   "から通常の状態に戻れないため、連チャンが終わりません";
        }
    }
    return {};
}

std::string campaignProblem(const Campaign& campaign) {
    if (campaign.days < 1 || campaign.days > 10000) {
        return "何日分の検証は 1 以上 10000 以下で指定してください";
    }
    if (!(campaign.exchangeBallsPer100Yen >= 25 && campaign.exchangeBallsPer100Yen <= 100)) {
        return "両替率は 25 以上 100 以下（発で100円）で指定してください";
    }
    if (!(campaign.spinsPer1000Yen > 0) || !std::isfinite(campaign.spinsPer1000Yen)) {
        return "回転数/1000円は 0 より大きい数で指定してください";
    }
    if (campaign.investmentUnitYen < 100 || campaign.investmentUnitYen > 1000) {
        return "投資単位は 100 円以上 1000 円以下で指定してください";
    }
    if (campaign.dailyCapYen < 500 || campaign.dailyCapYen > 500000) {
        return "投資上限/日は 500 円以上 500000 円以下で指定してください";
    }
    const std::string& schedule = campaign.playSchedule;
    const auto first = schedule.find_first_not_of('0');
    const auto last = schedule.find_last_not_of('0');
    if (schedule.size() != 14 || schedule.find_first_not_of("012") != std::string::npos ||
        first == std::string::npos ||
        schedule.substr(first, last - first + 1).find('0') != std::string::npos) {
        return "遊技時間帯は 0・1・2 の 14 桁で、遊技する時間帯が一続きになるよう指定してください";
    }
    if (campaign.serviceTimeRule < 0 || campaign.serviceTimeRule > 2) {
        return "サービスタイムの扱いは 0・1・2 のいずれかで指定してください";
    }
    if (!(campaign.spinSeconds > 0) || !(campaign.supportSpinSeconds > 0) ||
        !std::isfinite(campaign.spinSeconds) || !std::isfinite(campaign.supportSpinSeconds)) {
        return "一回転に要する時間は 0 より大きい秒数で指定してください";
    }
    if (!(campaign.timeRatioPercent > 0 && campaign.timeRatioPercent <= 100)) {
        return "回転の時間比率は 0 より大きく 100 以下で指定してください";
    }
    return {};
}

} // namespace zelkora::machines
