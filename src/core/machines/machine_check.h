#pragma once

#include "machines/machine.h"

#include <string>

namespace zelkora::machines {

// The first fault of a machine, in Japanese, naming the offending state, table or outcome;
// empty when the machine can be played and solved: probabilities in range, every table's
// weights summing to 100 %, every name it refers to defined, and from every support state a way
// back to normal play, so a chain can end.
std::string machineProblem(const Machine& machine);

// The first fault of a campaign, in Japanese, with the allowed range; empty when sound.
std::string campaignProblem(const Campaign& campaign);

// The highest limits the checks allow, so that the theory stays quick and exact.
inline constexpr int kMostSpinLimit = 100'000;
inline constexpr int kMostCeilingSpins = 10'000;

} // namespace zelkora::machines
