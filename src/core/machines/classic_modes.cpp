#include "machines/classic_modes.h"

#include "common/numbers.h"
#include "engine/state_transition.h"

#include <cmath>
#include <deque>
#include <map>
#include <tuple>

namespace zelkora::machines {
namespace {

// The classic lottery divides the denominator by this fixed factor in 確変.
constexpr double k確変Factor = 6;

// A mode of the classic engine between two spins, with what its next transition reads.
struct Mode {
    MachineState state = MachineState::通常;
    bool pending = false; // a 時短 waits (or runs) with `remaining` spins
    int remaining = 0;    // 時短: spins left before this spin; otherwise the pending 時短's
    int streak = 0;       // with a limiter: hits so far, the limiter's count standing for more

    auto key() const { return std::tuple(state, pending, remaining, streak); }
    bool operator<(const Mode& other) const { return key() < other.key(); }
};

// `pendingRead`: whether the mode's waiting flag is ever read; a 時短 that was resumed is named so
// only then.
std::string stateName(const Mode& mode, int limiterCount, bool pendingRead) {
    if (mode.state == MachineState::通常) {
        return "通常";
    }
    // Appended piece by piece: GCC 12 warns falsely on chains of + over std::string.
    std::string name(stateText(mode.state));
    if (mode.state == MachineState::時短) {
        name.append(" 残り").append(std::to_string(mode.remaining));
        if (!mode.pending && pendingRead) {
            name.append(" 再開");
        }
    } else if (mode.pending) {
        name.append(" 時短待ち").append(std::to_string(mode.remaining));
    }
    if (mode.streak > 0) {
        name.append(" ").append(std::to_string(mode.streak));
        name.append(mode.streak == limiterCount ? "連以上" : "連");
    }
    return name;
}

class Unroller {
public:
    Unroller(const StoredConditions& conditions, const std::vector<StoredSymbol>& symbols)
        : denominator_(readNumber(conditions.basic[basicColumnIndex(Field::条件_確率)])) {
        const double count =
            readNumber(conditions.basic[basicColumnIndex(Field::条件_リミッター数)]);
        limiter_.enabled = conditions.basic[basicColumnIndex(Field::条件_リミッター)] == "はい";
        limiter_.count = count;
        // A count that no streak can equal never cuts one, and the streak need not be followed.
        if (limiter_.enabled && count >= 1 && count == std::trunc(count) &&
            count < static_cast<double>(kMostClassicModeStates)) {
            limiterCount_ = static_cast<int>(count);
        }
        for (const StoredSymbol& stored : symbols) {
            SymbolInfo info;
            info.kind = symbolKindOf(stored.kind);
            info.shortTimeSpins = stored.shortTimeSpins;
            info.payout = stored.payout;
            symbols_.push_back({stored, info});
            plainNormal_ =
                plainNormal_ || (info.kind == SymbolKind::通常 && info.shortTimeSpins == 0);
        }
    }

    Checked<Machine> machine(std::string name) {
        machine_.name = std::move(name);
        machine_.startState = "通常";
        nameOf(Mode{});
        while (!pending_.empty()) {
            if (machine_.states.size() > kMostClassicModeStates) {
                return Checked<Machine>::refused("リミッターと時短の組み合わせで状態が " +
                                                 std::to_string(kMostClassicModeStates) +
                                                 " を超えるため変換できません");
            }
            const Mode mode = pending_.front();
            pending_.pop_front();
            machine_.states.push_back(stateOf(mode));
        }
        return std::move(machine_);
    }

private:
    struct Symbol {
        StoredSymbol stored;
        SymbolInfo info;
    };

    // The name of a mode's state, queued to be made when it is met for the first time. Modes
    // that play alike share a state: a 時短 with no spins left ends the streak at once (通常),
    // and what a mode without a waiting 時短 remembers of one is never read.
    std::string nameOf(Mode mode) {
        if (mode.state == MachineState::時短 && mode.remaining <= 0) {
            mode = Mode{};
        }
        // A waiting 時短 with no spins left resumes only to end at once, as none would; and
        // the flag is read only by a 通常 symbol without 時短 and by the limiter's cut, so
        // without the one and past the other it is never read.
        const bool pendingRead = plainNormal_ || (limiterCount_ > 0 && mode.streak < limiterCount_);
        if (mode.pending && (mode.remaining <= 0 || !pendingRead)) {
            mode.pending = false;
        }
        if (mode.state == MachineState::通常) {
            mode = Mode{};
        } else if (mode.state != MachineState::時短 && !mode.pending) {
            mode.remaining = 0;
        }
        const auto [found, added] =
            names_.try_emplace(mode, stateName(mode, limiterCount_, pendingRead));
        if (added) {
            pending_.push_back(mode);
        }
        return found->second;
    }

    State stateOf(const Mode& mode) {
        State state;
        state.name = names_.at(mode);
        state.hitDenominator =
            mode.state == MachineState::確変 ? denominator_ / k確変Factor : denominator_;
        if (mode.state != MachineState::通常) {
            state.supportNetBalls = 0;
        }
        if (mode.state == MachineState::時短) {
            state.spinLimit = 1;
            Mode next = mode;
            --next.remaining;
            state.after = nameOf(next);
        }
        state.table = tableOf(mode);
        return state;
    }

    // Each symbol's share of the hit, leading where the engine's transition leads.
    std::string tableOf(const Mode& mode) {
        ModeState before{mode.state, mode.pending, mode.remaining};
        if (mode.state == MachineState::時短) {
            --before.remainingShortSpins; // the hit's own spin is one of the 時短's
        }
        const std::int32_t streak = mode.state == MachineState::通常 ? 1 : mode.streak + 1;
        std::vector<Allocation> outcomes;
        std::vector<std::string> leadsTo;
        for (const Symbol& symbol : symbols_) {
            const ModeState after = transition(before, symbol.info, streak, limiter_).next;
            Mode next{after.state, after.pendingShortTime, after.remainingShortSpins,
                      limiterCount_ > 0 ? std::min(streak, limiterCount_) : 0};
            Allocation outcome;
            outcome.name = symbol.stored.name;
            outcome.weight = 100.0 / static_cast<double>(symbols_.size());
            outcome.balls = symbol.stored.payout;
            outcome.next = nameOf(next);
            leadsTo.push_back(outcome.next);
            outcomes.push_back(std::move(outcome));
        }
        const auto [found, added] =
            tables_.try_emplace(leadsTo, "絵柄" + std::to_string(machine_.tables.size() + 1));
        if (added) {
            machine_.tables.push_back({found->second, outcomes});
        }
        return found->second;
    }

    double denominator_;
    Limiter limiter_;
    int limiterCount_ = 0;
    bool plainNormal_ = false; // a 通常 symbol without 時短, which resumes a waiting 時短
    std::vector<Symbol> symbols_;
    Machine machine_;
    std::map<Mode, std::string> names_;
    std::deque<Mode> pending_;
    // Tables by the states their symbols lead to, in the symbols' order: the rest is the same.
    std::map<std::vector<std::string>, std::string> tables_;
};

} // namespace

Checked<Machine> classicModeMachine(const StoredConditions& conditions,
                                    const std::vector<StoredSymbol>& symbols) {
    Unroller unroller(conditions, symbols);
    return unroller.machine(conditions.basic[basicColumnIndex(Field::条件_名前)]);
}

} // namespace zelkora::machines
