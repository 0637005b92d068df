#include "analysis/streak_values.h"

#include <algorithm>

namespace zelkora {
namespace {

// A remaining count no symbol can give, so a hit that keeps it is told from one that sets it.
constexpr std::int32_t kProbeRemaining = 1 << 30;

struct Reset {
    MachineState state = MachineState::時短;
    int remaining = 0;
    double chance = 0;
};

// The symbols by what a hit with them does from a mode with a pending 時短.
struct SymbolClasses {
    double ends = 0;      // 通常 without 時短数
    double stays確変 = 0; // 確変 without 時短数
    double staysNext = 0; // 次まで時短 without 時短数
    std::vector<Reset> resets;
    int longest = 0;
};

SymbolClasses classify(const StreakChainInput& input) {
    SymbolClasses classes;
    const ModeState probe{MachineState::時短, true, kProbeRemaining};
    for (const ChainSymbol& symbol : input.symbols) {
        const ModeState next = transition(probe, symbol.info, 0, Limiter{}).next;
        if (next.remainingShortSpins != kProbeRemaining) {
            classes.resets.push_back({next.state, next.remainingShortSpins, symbol.chance});
            classes.longest = std::max(classes.longest, next.remainingShortSpins);
        } else if (next.state == MachineState::確変) {
            classes.stays確変 += symbol.chance;
        } else if (next.state == MachineState::次まで時短) {
            classes.staysNext += symbol.chance;
        } else {
            classes.ends += symbol.chance;
        }
    }
    return classes;
}

double resetChance(const SymbolClasses& classes) {
    double chance = 0;
    for (const Reset& reset : classes.resets) {
        chance += reset.chance;
    }
    return chance;
}

} // namespace

Result<StreakValues> StreakValues::solve(const StreakChainInput& input) {
    const SymbolClasses classes = classify(input);
    const double resets = resetChance(classes);
    // A hit leaves 確変 and 次まで時短 only by a symbol that ends the streak or resets it.
    const double leaving = classes.ends + resets;
    if (!(leaving > 0)) {
        return Error{ErrorKind::EndlessStreak};
    }
    const double normal = input.hitChanceNormal;
    const double miss = 1 - normal;
    const double spins確変 = 1 / input.hitChance確変;
    const double spinsNext = 1 / normal;
    const auto size = static_cast<std::size_t>(classes.longest) + 1;
    StreakValues values;

    // The value of a hit from a mode with pending flag p and r left, given what a 通常 symbol
    // leads to (`ended`): 1 hit, then the next mode.
    const auto atHit = [&](const Affine& ended) {
        Affine hit;
        hit.hits = (1 + classes.ends * ended.hits) / leaving;
        hit.spins = (classes.ends * ended.spins + classes.stays確変 * spins確変 +
                     classes.staysNext * spinsNext) /
                    leaving;
        hit.reset = (classes.ends * ended.reset + resets) / leaving;
        hit.end = classes.ends * ended.end / leaving;
        return hit;
    };
    const auto plusSpins = [](Affine value, double spins) {
        value.spins += spins;
        return value;
    };
    const Affine streakOver{0, 0, 0, 1};
    const Affine hitFree = atHit(streakOver);
    values.kakuhenFree_ = plusSpins(hitFree, spins確変);
    values.nextHitFree_ = plusSpins(hitFree, spinsNext);

    values.kakuhenPending_.resize(size);
    values.nextHitPending_.resize(size);
    values.shortTimeFree_.resize(size);
    values.shortTimePending_.resize(size);
    // running: Σ_j p(1 − p)^(j−1) × (the hit after j spins with r − j left), kept from r − 1.
    Affine running;
    Affine previousHit;
    double allMiss = 1; // (1 − p)^r
    for (std::size_t remaining = 0; remaining < size; ++remaining) {
        if (remaining > 0) {
            running.hits = normal * previousHit.hits + miss * running.hits;
            running.spins = normal * previousHit.spins + miss * running.spins;
            running.reset = normal * previousHit.reset + miss * running.reset;
            running.end = normal * previousHit.end + miss * running.end;
            allMiss *= miss;
        }
        const double reached = 1 - allMiss;
        const double spinsInShortTime = reached / normal;
        // A resumed 時短 hits within its r spins, each hit then as from 確変 without a pending
        // 時短; or it runs out and the streak is over.
        Affine resumed{reached * hitFree.hits, reached * hitFree.spins + spinsInShortTime,
                       reached * hitFree.reset, reached * hitFree.end + allMiss};
        values.shortTimeFree_[remaining] = resumed;
        const Affine hitPending = atHit(resumed);
        values.kakuhenPending_[remaining] = plusSpins(hitPending, spins確変);
        values.nextHitPending_[remaining] = plusSpins(hitPending, spinsNext);
        values.shortTimePending_[remaining] = {running.hits, running.spins + spinsInShortTime,
                                               running.reset, running.end + allMiss};
        previousHit = hitPending;
    }

    // Z is the mean value of a reset, Σ (c ÷ C)·(a + b·Z) over the resets with C = Σ c, so
    // Z·(C − Σ c·b) = Σ c·a, and C − Σ c·b = Σ c·(chance of ending before the next reset).
    if (classes.resets.empty()) {
        return values;
    }
    double weight = 0;
    StreakValue sum;
    for (const Reset& reset : classes.resets) {
        const Affine& target = values.affineAt(reset.state, true, reset.remaining);
        weight += reset.chance * target.end;
        sum.hits += reset.chance * target.hits;
        sum.shortSpins += reset.chance * target.spins;
    }
    if (!(weight > 0)) {
        return Error{ErrorKind::EndlessStreak};
    }
    values.reset_ = {sum.hits / weight, sum.shortSpins / weight};
    return values;
}

const StreakValues::Affine& StreakValues::affineAt(MachineState mode, bool pending,
                                                   int remaining) const {
    const auto at = static_cast<std::size_t>(
        std::clamp(remaining, 0, static_cast<int>(shortTimePending_.size()) - 1));
    switch (mode) {
    case MachineState::確変:
        return pending ? kakuhenPending_[at] : kakuhenFree_;
    case MachineState::次まで時短:
        return pending ? nextHitPending_[at] : nextHitFree_;
    default:
        return pending ? shortTimePending_[at] : shortTimeFree_[at];
    }
}

StreakValue StreakValues::at(MachineState mode, bool pending, int remaining) const {
    const Affine& value = affineAt(mode, pending, remaining);
    return {value.hits + value.reset * reset_.hits, value.spins + value.reset * reset_.shortSpins};
}

} // namespace zelkora
