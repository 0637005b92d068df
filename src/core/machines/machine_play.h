#pragma once

#include "machines/machine_graph.h"
#include "machines/pcg_batch.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace zelkora::machines {

// What one gap brought: the spins from the last big hit up to the next one.
struct PlayedGap {
    int hitState = -1;     // the state the hit came in; -1 when the account stopped play
    bool firstHit = false; // a normal-play spin came since the last hit
    std::int64_t normalSpins = 0;
    std::int64_t supportSpins = 0;
    std::int64_t heldSpins = 0; // 残保留
    double supportBalls = 0;    // net balls of support spins, 小当り included
    double smallHitBalls = 0;
    bool ceiling = false; // the 遊タイム started in this gap
};

// An account that lets every spin be played and counts nothing: plain machine play.
struct FreePlay {
    static bool normalSpin() { return true; }
    static bool supportSpin(double /*balls*/) { return true; }
    static bool heldSpin() { return true; }
    static std::int64_t quietSpins(bool /*support*/, double /*balls*/) {
        return std::int64_t{1} << 40U;
    }
    struct QuietRun {
        static void spin() {}
    };
    static QuietRun beginQuiet(bool /*support*/, double /*balls*/) { return {}; }
    static void endQuiet(const QuietRun& /*run*/, bool /*support*/, double /*balls*/,
                         std::int64_t /*spins*/) {}
};

// Plays a machine spin by spin, seeded and reproducible: each spin draws one 32-bit value of
// pcg32 (computed in batches) and compares it with whole-number thresholds (hit, then each shift),
// plus one more draw for 小当り in the states that have them. The spin loop calls the account once
// per spin, inline, so money and time can stop play between spins without a virtual call or an
// allocation.
class MachinePlay {
public:
    MachinePlay(const MachineGraph& graph, std::uint64_t seed, std::uint64_t stream = 0);

    // Back to the start state with the ceiling count at 0 (a new day).
    void restart();

    // Plays up to the next big hit, or until the account refuses a spin.
    template <typename Account> PlayedGap playGap(Account& account);

    // The outcome of a big hit in `state`, drawn from its table; play goes on from its entry.
    const MachineGraph::Outcome& drawOutcome(int state);

    int currentState() const { return graph_.entries[static_cast<std::size_t>(entry_)].state; }
    bool inSupport() const { return states_[static_cast<std::size_t>(currentState())].support; }

private:
    struct Thresholds {
        std::uint64_t hit = 0;
        std::vector<std::uint64_t> shiftsBelow; // cumulative, after the hit
        std::uint64_t smallHit = 0;
        double smallHitBalls = 0;
        double netBalls = 0; // 電サポ alone
        bool support = false;
        bool counted = false;
        int lastGuaranteed = 0; // the spins before every shift may come
    };

    void enter(int entry);
    std::uint64_t draw() { return generator_(); }

    // How many spins from here surely meet no event but a hit or a shift (小当り only add
    // balls): none before a shift's guaranteed spins are over or where the account is near a
    // purchase or the day's end; otherwise up to the limit and the ceiling.
    template <typename Account>
    std::int64_t quietRoom(Account& account, const Entry& at, const Thresholds& state) const {
        if (spinsInStay_ < state.lastGuaranteed) {
            return 0;
        }
        std::int64_t room = account.quietSpins(state.support, state.netBalls);
        if (at.limit > 0) {
            room = std::min<std::int64_t>(room, at.limit - spinsInStay_);
        }
        if (state.counted && !triggered_ && graph_.ceilingEntry) {
            room = std::min<std::int64_t>(room, graph_.ceilingSpins - count_);
        }
        return room > 4 ? room : 0;
    }

    // Plays up to `quiet` spins that meet nothing but the draw, up to the first value below
    // `eventBelow` (a hit or a shift), from the pending values held in locals: one tight loop,
    // accounted in one step. `spins` gets the spins before that value (all of them when none
    // came), `value` the last value drawn.
    template <typename Account>
    void playQuiet(Account& account, const Thresholds& state, std::uint64_t eventBelow,
                   std::int64_t quiet, std::uint64_t& value, std::int64_t& spins,
                   std::int64_t& smallHits) {
        // The account's time and balls of each spin go along in the same loop: their sums,
        // spin by spin, wait on each other and run beside the draws.
        auto run = account.beginQuiet(state.support, state.netBalls);
        const std::size_t perSpin = state.smallHit > 0 ? 2 : 1;
        bool event = false;
        while (spins < quiet && !event) {
            const std::span<const std::uint32_t> values = generator_.pending(perSpin);
            const std::int64_t room = std::min<std::int64_t>(
                quiet - spins, static_cast<std::int64_t>(values.size() / perSpin));
            const std::uint32_t* next = values.data();
            std::int64_t drawn = 0;
            if (perSpin == 2) {
                for (; drawn < room && !event; ++drawn, next += 2) {
                    run.spin();
                    value = next[0];
                    smallHits += next[1] < state.smallHit ? 1 : 0;
                    event = value < eventBelow;
                }
            } else {
                for (; drawn < room && !event; ++drawn) {
                    run.spin();
                    value = next[drawn];
                    event = value < eventBelow;
                }
            }
            generator_.take(static_cast<std::size_t>(drawn) * perSpin);
            spins += event ? drawn - 1 : drawn;
        }
        account.endQuiet(run, state.support, state.netBalls, event ? spins + 1 : spins);
    }

    static void countSpins(PlayedGap& gap, const Thresholds& state, std::int64_t spins) {
        if (state.support) {
            gap.supportSpins += spins;
            gap.supportBalls += static_cast<double>(spins) * state.netBalls;
        } else {
            gap.normalSpins += spins;
        }
    }

    const MachineGraph& graph_;
    std::vector<Thresholds> states_;
    Pcg32Batch generator_;
    int entry_ = 0;
    int spinsInStay_ = 0;
    int heldLeft_ = -1; // ≥ 0 while 残保留 is being drawn
    int count_ = 0;
    bool triggered_ = false;
};

template <typename Account> PlayedGap MachinePlay::playGap(Account& account) {
    PlayedGap gap;
    bool played = false;
    for (;;) {
        const Entry& at = graph_.entries[static_cast<std::size_t>(entry_)];
        const Thresholds& state = states_[static_cast<std::size_t>(at.state)];
        const MachineGraph::StateLinks& links = graph_.states[static_cast<std::size_t>(at.state)];
        if (heldLeft_ == 0) {
            heldLeft_ = -1;
            enter(*links.afterEntry);
            continue;
        }
        // A full count starts the 遊タイム before anything else, a limit that ran out the 残保留.
        if (heldLeft_ < 0 && state.counted && !triggered_ && graph_.ceilingEntry &&
            count_ >= graph_.ceilingSpins) {
            triggered_ = true;
            gap.ceiling = true;
            enter(*graph_.ceilingEntry);
            continue;
        }
        if (heldLeft_ < 0 && at.limit > 0 && spinsInStay_ >= at.limit) {
            heldLeft_ = links.heldSpins;
            continue;
        }
        const bool held = heldLeft_ > 0;
        std::uint64_t value = 0;
        if (const std::int64_t quiet = held ? 0 : quietRoom(account, at, state); quiet > 0) {
            played = played || !state.support;
            const std::uint64_t eventBelow =
                state.shiftsBelow.empty() ? state.hit : state.shiftsBelow.back();
            std::int64_t spins = 0;
            std::int64_t smallHits = 0;
            playQuiet(account, state, eventBelow, quiet, value, spins, smallHits);
            if (smallHits > 0) {
                const double balls = static_cast<double>(smallHits) * state.smallHitBalls;
                gap.supportBalls += balls;
                gap.smallHitBalls += balls;
                if constexpr (requires { account.smallHit(balls); }) {
                    account.smallHit(balls);
                }
            }
            countSpins(gap, state, spins);
            spinsInStay_ += static_cast<int>(spins);
            count_ += state.counted && !triggered_ ? static_cast<int>(spins) : 0;
            if (spins == quiet) {
                continue;
            }
            countSpins(gap, state, 1);
        } else {
            if (held ? !account.heldSpin()
                     : (state.support ? !account.supportSpin(state.netBalls)
                                      : !account.normalSpin())) {
                return gap;
            }
            value = draw();
            if (held) {
                --heldLeft_;
                ++gap.heldSpins;
            } else {
                countSpins(gap, state, 1);
                if (state.smallHit > 0 && draw() < state.smallHit) {
                    gap.supportBalls += state.smallHitBalls;
                    gap.smallHitBalls += state.smallHitBalls;
                    if constexpr (requires { account.smallHit(state.smallHitBalls); }) {
                        account.smallHit(state.smallHitBalls);
                    }
                }
            }
        }
        played = played || (!held && !state.support);
        if (value < state.hit) {
            gap.hitState = at.state;
            gap.firstHit = played || !state.support;
            return gap;
        }
        if (held) {
            continue;
        }
        ++spinsInStay_;
        if (state.counted && !triggered_) {
            ++count_;
        }
        // Each shift owns a band of values above the hit's; before its guaranteed spins are
        // over, its band draws nothing.
        for (std::size_t index = 0; index < state.shiftsBelow.size(); ++index) {
            if (value < state.shiftsBelow[index]) {
                if (spinsInStay_ > links.shifts[index].guaranteedSpins) {
                    enter(links.shifts[index].entry);
                }
                break;
            }
        }
    }
}

} // namespace zelkora::machines
