#include "machines/machine_play.h"

#include <algorithm>
#include <cmath>

namespace zelkora::machines {
namespace {

constexpr double kValues = 4294967296.0; // 2^32

std::uint64_t below(double chance) {
    return static_cast<std::uint64_t>(std::llround(std::min(chance, 1.0) * kValues));
}

} // namespace

MachinePlay::MachinePlay(const MachineGraph& graph, std::uint64_t seed, std::uint64_t stream)
    : graph_(graph), generator_(seed, stream) {
    for (const MachineGraph::StateLinks& links : graph.states) {
        Thresholds state;
        state.hit = below(links.hitChance);
        double cumulative = links.hitChance;
        for (const MachineGraph::ShiftLink& shift : links.shifts) {
            state.lastGuaranteed = std::max(state.lastGuaranteed, shift.guaranteedSpins);
            cumulative += shift.chance;
            state.shiftsBelow.push_back(below(cumulative));
        }
        state.smallHit = below(links.smallHitChance);
        state.smallHitBalls = links.smallHitBalls;
        state.netBalls = links.supportBallsPerSpin - links.smallHitBallsPerSpin;
        state.support = links.support;
        state.counted = links.counted;
        states_.push_back(std::move(state));
    }
    restart();
}

void MachinePlay::restart() {
    count_ = 0;
    triggered_ = false;
    enter(graph_.startEntry);
}

void MachinePlay::enter(int entry) {
    entry_ = entry;
    spinsInStay_ = 0;
    heldLeft_ = -1;
}

const MachineGraph::Outcome& MachinePlay::drawOutcome(int state) {
    const std::vector<MachineGraph::Outcome>& outcomes =
        graph_.states[static_cast<std::size_t>(state)].outcomes;
    const double value = static_cast<double>(draw()) / kValues;
    double cumulative = 0;
    const MachineGraph::Outcome* chosen = &outcomes.back();
    for (const MachineGraph::Outcome& outcome : outcomes) {
        cumulative += outcome.share;
        if (value < cumulative) {
            chosen = &outcome;
            break;
        }
    }
    count_ = 0;
    triggered_ = false;
    enter(chosen->entry);
    return *chosen;
}

} // namespace zelkora::machines
