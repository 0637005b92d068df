#include "machines/machine_graph.h"

#include <map>
#include <utility>

namespace zelkora::machines {
namespace {

// Names and entries are looked up in maps: a converted limiter has hundreds of states, each
// naming several others.
class GraphBuilder {
public:
    explicit GraphBuilder(const Machine& machine) : machine_(machine) {
        for (std::size_t index = 0; index < machine.states.size(); ++index) {
            stateIndices_.try_emplace(machine.states[index].name, static_cast<int>(index));
        }
    }

    int stateIndex(std::string_view name) const { return stateIndices_.find(name)->second; }

    // The entry into `name` with `spins` spins, 0 taking the state's own limit.
    int entry(std::string_view name, int spins) {
        const int state = stateIndex(name);
        const int limit =
            spins > 0 ? spins : machine_.states[static_cast<std::size_t>(state)].spinLimit;
        const auto [found, added] = entryIndices_.try_emplace({state, limit}, graph_.entryCount());
        if (added) {
            graph_.entries.push_back({state, limit});
        }
        return found->second;
    }

    MachineGraph build() {
        graph_.startEntry = entry(machine_.startState, 0);
        for (const State& state : machine_.states) {
            graph_.states.push_back(links(state));
        }
        if (machine_.ceiling) {
            graph_.ceilingEntry = entry(machine_.ceiling->state, machine_.ceiling->stateSpins);
            graph_.ceilingSpins = machine_.ceiling->spins;
            for (const std::string& counted : machine_.ceiling->countedStates) {
                graph_.states[static_cast<std::size_t>(stateIndex(counted))].counted = true;
            }
        }
        return std::move(graph_);
    }

private:
    MachineGraph::StateLinks links(const State& state) {
        MachineGraph::StateLinks links;
        links.hitChance = 1 / state.hitDenominator;
        links.support = state.support();
        links.heldSpins = state.heldSpins;
        if (state.smallHits) {
            links.smallHitChance = 1 / state.smallHits->denominator;
            links.smallHitBalls = state.smallHits->balls;
            links.smallHitBallsPerSpin = links.smallHitBalls * links.smallHitChance;
        }
        links.supportBallsPerSpin = state.supportNetBalls.value_or(0) + links.smallHitBallsPerSpin;
        if (!state.after.empty()) {
            links.afterEntry = entry(state.after, state.afterSpins);
        }
        for (const auto* shift : {&state.fall, &state.cShortTime}) {
            if (*shift) {
                links.shifts.push_back({1 / (*shift)->denominator, (*shift)->guaranteedSpins,
                                        entry((*shift)->next, (*shift)->spins)});
            }
        }
        for (const Allocation& outcome : machine_.table(state.table)->outcomes) {
            links.outcomes.push_back({outcome.weight / 100, outcome.rounds, outcome.balls,
                                      entry(outcome.next, outcome.spins)});
        }
        return links;
    }

    const Machine& machine_;
    std::map<std::string_view, int, std::less<>> stateIndices_;
    std::map<std::pair<int, int>, int> entryIndices_;
    MachineGraph graph_;
};

} // namespace

MachineGraph buildGraph(const Machine& machine) {
    return GraphBuilder(machine).build();
}

} // namespace zelkora::machines
