#pragma once

#include "common/error.h"
#include "engine/machine_state.h"
#include "engine/state_transition.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zelkora {

// A symbol of the table with the chance the symbol draw gives it.
struct ChainSymbol {
    SymbolInfo info;
    double chance = 0;
};

struct StreakChainInput {
    double hitChanceNormal = 0; // a spin in 通常, 時短 or 次まで時短
    double hitChance確変 = 0;   // a spin in 確変
    std::vector<ChainSymbol> symbols;
    Limiter limiter;
};

// What one first hit brings until the machine is back in 通常.
struct StreakExpectation {
    double hits = 0;       // big hits, the first hit included (the mean streak)
    double shortSpins = 0; // spins in 確変, 時短 and 次まで時短
    // The chance that a streak has 1, 2, … 10 hits, and 11 or more (the streak buckets).
    std::array<double, 11> lengthChances{};
    // For the hits followed one by one (see expectStreak): the chance that a streak reaches
    // hit k, and that it is in 次まで時短 after hit k (index k − 1).
    std::vector<double> reachChances;
    std::vector<double> nextHitShortTimeAfter;
};

// Fails with EndlessStreak when a streak that has begun may never end, and with TheoryTooLarge
// when a limiter beyond any reachable streak length leaves too many hits to follow one by one.
using StreakChainOutcome = Result<StreakExpectation>;

// The streak as a Markov chain over the machine's modes after each hit: the state (確変, 時短,
// 次まで時短; 通常 ends the streak), the pending-時短 flag, the remaining 時短 spins and, through
// the hit count, the limiter's streak length. Each hit moves the chain by the engine's own
// transition() for every kind of symbol, weighted by the symbols' chances; between hits 確変 and
// 次まで時短 wait for the next hit (1 ÷ p spins), a 時短 of r spins hits within them with chance
// 1 − (1 − p)^r.
//
// The distribution is carried forward hit by hit while the hit count still matters (the ten
// streak buckets and the limiter's count); from then on the chain no longer depends on the hit
// count and what the rest of the streak brings is solved directly (streak_values.h), so the
// time does not grow with the length of the streaks.
// `followedHits`: at least this many hits are followed one by one, for the reach chances.
StreakChainOutcome expectStreak(const StreakChainInput& input, std::int32_t followedHits = 0);

} // namespace zelkora
