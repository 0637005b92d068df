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
};

// Fails with EndlessStreak or TheoryTooLarge when the chain cannot be carried to its end.
using StreakChainOutcome = Result<StreakExpectation>;

// The streak as a Markov chain over the machine's modes after each hit: the state (確変, 時短,
// 次まで時短; 通常 ends the streak), the pending-時短 flag, the remaining 時短 spins and, through
// the hit count, the limiter's streak length. Each hit moves the chain by the engine's own
// transition() for every symbol, weighted by the symbol's chance; between hits 確変 and
// 次まで時短 wait for the next hit (1 ÷ p spins), a 時短 of r spins hits within them with chance
// 1 − (1 − p)^r. The distribution over modes is carried forward hit by hit until less than
// 10^-15 of it is still in a streak.
StreakChainOutcome expectStreak(const StreakChainInput& input);

} // namespace zelkora
