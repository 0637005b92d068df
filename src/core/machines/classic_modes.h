#pragma once

#include "files/verification_conditions.h"
#include "machines/checked.h"
#include "machines/machine.h"

#include <vector>

namespace zelkora::machines {

// The most states a classic verification's modes may unroll into.
inline constexpr std::size_t kMostClassicModeStates = 3000;

// A classic machine as states that carry everything the classic engine's next transition reads:
// the mode (確変, 時短, 次まで時短), a 時短 waiting to resume with its remaining spins, and, with a
// limiter, the streak's length up to the limiter's count. A 時短 becomes one state a spin (its
// remaining spins in its name), each running out after one spin into the next, so a hit in it
// knows the spins left. Every reachable mode is found from 通常 by the engine's own transition,
// so the states follow the classic rules exactly; equal tables are shared.
//
// Refused, with the reason, when more than kMostClassicModeStates states would be needed (a
// limiter count far beyond any streak, with long 時短).
Checked<Machine> classicModeMachine(const StoredConditions& conditions,
                                    const std::vector<StoredSymbol>& symbols);

} // namespace zelkora::machines
