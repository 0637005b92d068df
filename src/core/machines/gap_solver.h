#pragma once

#include "machines/machine_graph.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace zelkora::machines {

// What play brings from an entry until the next big hit: a gap. Its figures are expectations,
// kept side by side in one row of numbers so that whole rows can be added and solved for.
// A hit ends the gap: a continuing hit when no normal-play spin came since the last hit, which
// keeps the chain (連チャン) going; otherwise a first hit (初当り).
class GapLayout {
public:
    explicit GapLayout(int states) : states_(static_cast<std::size_t>(states)) {}

    std::size_t continuingHit(int state) const { return static_cast<std::size_t>(state); }
    std::size_t firstHit(int state) const { return states_ + static_cast<std::size_t>(state); }
    std::size_t normalSpins() const { return 2 * states_; }
    std::size_t supportSpins() const { return 2 * states_ + 1; }
    std::size_t heldSpins() const { return 2 * states_ + 2; } // 残保留
    // Net balls of support spins, while the chain goes on and after normal play came.
    std::size_t chainSupportBalls() const { return 2 * states_ + 3; }
    std::size_t playSupportBalls() const { return 2 * states_ + 4; }
    std::size_t smallHitBalls() const { return 2 * states_ + 5; }
    std::size_t ceilingReached() const { return 2 * states_ + 6; }
    std::size_t size() const { return 2 * states_ + 7; }
    int states() const { return static_cast<int>(states_); }

private:
    std::size_t states_;
};

struct GapSolution {
    GapLayout layout{0};
    // Row 2e: play from entry e right after a hit (the ceiling's count at 0); row 2e + 1: the
    // same once normal play has come, which only the solver reads.
    std::vector<double> afterHit;
    // Row c: play in normal play (the start entry) with the ceiling's count at c, 0 … ceiling
    // spins; one row when the machine has no ceiling.
    std::vector<double> fromCount;

    const double* afterHitRow(int entry) const {
        return afterHit.data() + static_cast<std::size_t>(entry) * 2 * layout.size();
    }
    const double* fromCountRow(int count) const {
        return fromCount.data() + static_cast<std::size_t>(count) * layout.size();
    }
};

// Solves every gap exactly. Inside a state the spins follow closed forms: with hit chance p and
// shift chance q per spin, a stay of n spins hits with chance p (1 − r^n) ÷ (p + q), r = 1 − p − q,
// and lasts (1 − r^n) ÷ (p + q) spins on average; 残保留 adds h spins at p. Entries that lead to
// one another without a hit form a linear system, solved directly. With a ceiling (遊タイム), a
// counted spin raises the count by one, so the values at count c follow from those at c + 1:
// the count is solved backwards from the ceiling, one spin per step, in finitely many steps.
// Empty when the system has no solution (play that never reaches a hit).
std::optional<GapSolution> solveGaps(const MachineGraph& graph);

} // namespace zelkora::machines
