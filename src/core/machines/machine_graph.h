#pragma once

#include "machines/machine.h"

#include <optional>
#include <vector>

namespace zelkora::machines {

// An entry into a state with the spin limit it gets: the same state entered with another limit
// is another entry. Play moves from entry to entry by hits and by shifts, limits and the ceiling.
struct Entry {
    int state = 0;
    int limit = 0; // 0: until a hit or a shift
};

// A checked machine by index instead of by name, with every entry play can make.
struct MachineGraph {
    struct Outcome {
        double share = 0; // weight ÷ 100
        int rounds = 0;
        double balls = 0;
        int entry = 0;
    };
    struct ShiftLink {
        double chance = 0;
        int guaranteedSpins = 0;
        int entry = 0;
    };
    struct StateLinks {
        double hitChance = 0;
        bool support = false;
        bool counted = false;           // spins that count towards the ceiling
        double supportBallsPerSpin = 0; // 電サポ net balls and 小当り balls
        double smallHitBallsPerSpin = 0;
        double smallHitChance = 0;
        double smallHitBalls = 0;
        int heldSpins = 0;
        std::optional<int> afterEntry;
        std::vector<ShiftLink> shifts; // 転落, c時短
        std::vector<Outcome> outcomes; // the allocation table of a hit here
    };

    std::vector<Entry> entries;
    std::vector<StateLinks> states;
    int startEntry = 0;
    std::optional<int> ceilingEntry;
    int ceilingSpins = 0;

    int stateCount() const { return static_cast<int>(states.size()); }
    int entryCount() const { return static_cast<int>(entries.size()); }
    const StateLinks& stateOf(int entry) const {
        return states[static_cast<std::size_t>(entries[static_cast<std::size_t>(entry)].state)];
    }
};

// The graph of a machine that has passed machineProblem().
MachineGraph buildGraph(const Machine& machine);

} // namespace zelkora::machines
