#include "machines/gap_solver.h"

#include "machines/sparse_solver.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zelkora::machines {
namespace {

using StateLinks = MachineGraph::StateLinks;

void addScaled(double* to, const double* from, double scale, std::size_t size) {
    if (scale == 0) {
        return;
    }
    for (std::size_t index = 0; index < size; ++index) {
        to[index] += scale * from[index];
    }
}

int maxGuaranteed(const StateLinks& state) {
    int most = 0;
    for (const MachineGraph::ShiftLink& shift : state.shifts) {
        most = std::max(most, shift.guaranteedSpins);
    }
    return most;
}

// One stay in a state with its limit, in closed form, phase by phase: a shift competes with the
// hit only after its guaranteed spins.
struct Stay {
    double hit = 0;
    double spins = 0;
    double heldHit = 0;
    double heldSpins = 0;
    std::vector<double> shifted;
    double runsOut = 0;
};

Stay stayIn(const StateLinks& state, int limit) {
    std::vector<int> starts{0};
    for (const MachineGraph::ShiftLink& shift : state.shifts) {
        if (shift.guaranteedSpins > 0 && (limit == 0 || shift.guaranteedSpins < limit)) {
            starts.push_back(shift.guaranteedSpins);
        }
    }
    std::ranges::sort(starts);
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    const double hit = state.hitChance;
    Stay stay;
    stay.shifted.assign(state.shifts.size(), 0);
    double surviving = 1;
    for (std::size_t phase = 0; phase < starts.size(); ++phase) {
        const int from = starts[phase];
        const int to = phase + 1 < starts.size() ? starts[phase + 1] : limit;
        double leave = hit;
        for (const MachineGraph::ShiftLink& shift : state.shifts) {
            leave += shift.guaranteedSpins <= from ? shift.chance : 0;
        }
        leave = std::min(leave, 1.0);
        // 1 − (1 − leave)^n, exactly for small chances; an unlimited last phase always ends.
        const double ends =
            to > 0 ? -std::expm1(static_cast<double>(to - from) * std::log1p(-leave)) : 1.0;
        const double played = surviving * ends / leave;
        stay.hit += played * hit;
        stay.spins += played;
        for (std::size_t index = 0; index < state.shifts.size(); ++index) {
            if (state.shifts[index].guaranteedSpins <= from) {
                stay.shifted[index] += played * state.shifts[index].chance;
            }
        }
        surviving *= 1 - ends;
    }
    if (limit > 0) {
        const double missAll = std::pow(1 - hit, state.heldSpins);
        stay.heldHit = surviving * (1 - missAll);
        stay.heldSpins = surviving * (1 - missAll) / hit;
        stay.runsOut = surviving * missAll;
    }
    return stay;
}

struct Move {
    std::size_t node = 0;
    double chance = 0;
};

class Solver {
public:
    explicit Solver(const MachineGraph& graph)
        : graph_(graph), layout_(graph.stateCount()), width_(layout_.size()) {}

    std::optional<GapSolution> solve() {
        if (!solveWithoutCount()) {
            return std::nullopt;
        }
        GapSolution solution;
        solution.layout = layout_;
        if (!graph_.ceilingEntry) {
            solution.fromCount.assign(row(free_, node(graph_.startEntry, true)),
                                      row(free_, node(graph_.startEntry, true)) + width_);
            solution.afterHit = std::move(free_);
            return solution;
        }
        if (!solveCounted(solution.fromCount)) {
            return std::nullopt;
        }
        solution.afterHit = std::move(levelNext_);
        return solution;
    }

private:
    static std::size_t node(int entry, bool played) {
        return static_cast<std::size_t>(entry) * 2 + (played ? 1 : 0);
    }
    std::size_t nodeCount() const { return static_cast<std::size_t>(graph_.entryCount()) * 2; }
    double* row(std::vector<double>& rows, std::size_t at) const {
        return rows.data() + at * width_;
    }
    const double* row(const std::vector<double>& rows, std::size_t at) const {
        return rows.data() + at * width_;
    }
    int stateIndex(int entry) const {
        return graph_.entries[static_cast<std::size_t>(entry)].state;
    }

    // A hit in `state`: continuing while no normal-play spin came (`played` false) in support.
    void addHit(double* values, int state, bool played, double chance) const {
        const bool first = played || !graph_.states[static_cast<std::size_t>(state)].support;
        values[first ? layout_.firstHit(state) : layout_.continuingHit(state)] += chance;
    }

    void addSpins(double* values, const StateLinks& state, bool played, double spins) const {
        if (!state.support) {
            values[layout_.normalSpins()] += spins;
            return;
        }
        values[layout_.supportSpins()] += spins;
        values[played ? layout_.playSupportBalls() : layout_.chainSupportBalls()] +=
            spins * state.supportBallsPerSpin;
        values[layout_.smallHitBalls()] += spins * state.smallHitBallsPerSpin;
    }

    // The stay at an entry in closed form: its own figures, and where it moves without a hit.
    void closedForm(int entry, bool played, double* values, std::vector<Move>& moves) const {
        const StateLinks& state = graph_.stateOf(entry);
        const int limit = graph_.entries[static_cast<std::size_t>(entry)].limit;
        const Stay stay = stayIn(state, limit);
        addHit(values, stateIndex(entry), played, stay.hit + stay.heldHit);
        addSpins(values, state, played, stay.spins);
        values[layout_.heldSpins()] += stay.heldSpins;
        const bool playedAfter = played || !state.support;
        for (std::size_t index = 0; index < state.shifts.size(); ++index) {
            moves.push_back({node(state.shifts[index].entry, playedAfter), stay.shifted[index]});
        }
        if (stay.runsOut > 0 && state.afterEntry) {
            moves.push_back({node(*state.afterEntry, playedAfter), stay.runsOut});
        }
    }

    // Every entry by its closed form: play after the ceiling has triggered, or without one.
    bool solveWithoutCount() {
        const std::size_t size = nodeCount();
        SparseRows matrix(size);
        free_.assign(size * width_, 0.0);
        for (std::size_t at = 0; at < size; ++at) {
            addToCell(matrix[at], at, 1);
            std::vector<Move> moves;
            closedForm(static_cast<int>(at / 2), at % 2 == 1, row(free_, at), moves);
            for (const Move& move : moves) {
                addToCell(matrix[at], move.node, -move.chance);
            }
            finishRow(matrix[at]);
        }
        SparseLuFactors factors;
        if (!factors.factor(std::move(matrix), size)) {
            return false;
        }
        factors.solve(free_, width_);
        return true;
    }

    // The count matters only until the ceiling triggers. At count c a counted entry plays spin
    // by spin (the k-th spin of its stay) and leads to count c + 1; the other entries keep the
    // count and are solved together at each count, with one factorisation for all counts.
    bool solveCounted(std::vector<double>& fromCount) {
        const int ceiling = graph_.ceilingSpins;
        std::vector<std::size_t> uncounted;
        std::vector<std::ptrdiff_t> uncountedIndex(nodeCount(), -1);
        for (std::size_t at = 0; at < nodeCount(); ++at) {
            if (!graph_.stateOf(static_cast<int>(at / 2)).counted) {
                uncountedIndex[at] = static_cast<std::ptrdiff_t>(uncounted.size());
                uncounted.push_back(at);
            }
        }
        const std::size_t size = uncounted.size();
        SparseRows matrix(size);
        std::vector<double> local(size * width_, 0.0);
        std::vector<std::vector<Move>> toCounted(size);
        for (std::size_t index = 0; index < size; ++index) {
            addToCell(matrix[index], index, 1);
            std::vector<Move> moves;
            closedForm(static_cast<int>(uncounted[index] / 2), uncounted[index] % 2 == 1,
                       row(local, index), moves);
            for (const Move& move : moves) {
                if (uncountedIndex[move.node] >= 0) {
                    addToCell(matrix[index], static_cast<std::size_t>(uncountedIndex[move.node]),
                              -move.chance);
                } else {
                    toCounted[index].push_back(move);
                }
            }
            finishRow(matrix[index]);
        }
        SparseLuFactors factors;
        if (size > 0 && !factors.factor(std::move(matrix), size)) {
            return false;
        }
        std::array<std::vector<double>, 2> trigger;
        for (const bool played : {false, true}) {
            std::vector<double>& values = trigger[played ? 1 : 0];
            const double* after = row(free_, node(*graph_.ceilingEntry, played));
            values.assign(after, after + width_);
            values[layout_.ceilingReached()] += 1;
        }
        prepareSpinRows();
        levelNow_.assign(nodeCount() * width_, 0.0);
        levelNext_.assign(nodeCount() * width_, 0.0);
        fromCount.assign(static_cast<std::size_t>(ceiling + 1) * width_, 0.0);
        for (int count = ceiling; count >= 0; --count) {
            std::fill(levelNow_.begin(), levelNow_.end(), 0.0);
            for (std::size_t counted = 0; counted < spinRows_.size(); ++counted) {
                countedEntryAt(counted, count, trigger);
            }
            std::vector<double> rightHandSides = local;
            for (std::size_t index = 0; index < size; ++index) {
                for (const Move& move : toCounted[index]) {
                    addScaled(row(rightHandSides, index), row(levelNow_, move.node), move.chance,
                              width_);
                }
            }
            if (size > 0) {
                factors.solve(rightHandSides, width_);
            }
            for (std::size_t index = 0; index < size; ++index) {
                std::copy_n(row(rightHandSides, index), width_, row(levelNow_, uncounted[index]));
            }
            std::copy_n(row(levelNow_, node(graph_.startEntry, true)), width_,
                        fromCount.data() + static_cast<std::size_t>(count) * width_);
            std::swap(levelNow_, levelNext_);
            for (SpinRows& rows : spinRows_) {
                std::swap(rows.now, rows.next);
            }
        }
        return true;
    }

    // The values of a counted entry before its k-th spin, for both flags and every k.
    struct SpinRows {
        int entry = 0;
        int lastSpin = 0; // the highest k whose value differs: the limit − 1, or the last
                          // guaranteed spin of an unlimited state
        double heldMissAll = 1;
        std::vector<double> now;
        std::vector<double> next;
    };

    void prepareSpinRows() {
        spinRows_.clear();
        for (int entry = 0; entry < graph_.entryCount(); ++entry) {
            const StateLinks& state = graph_.stateOf(entry);
            if (!state.counted) {
                continue;
            }
            const int limit = graph_.entries[static_cast<std::size_t>(entry)].limit;
            SpinRows rows;
            rows.entry = entry;
            rows.lastSpin = limit > 0 ? limit - 1 : maxGuaranteed(state);
            rows.heldMissAll = std::pow(1 - state.hitChance, state.heldSpins);
            const std::size_t cells = static_cast<std::size_t>(rows.lastSpin + 1) * 2 * width_;
            rows.now.assign(cells, 0.0);
            rows.next.assign(cells, 0.0);
            spinRows_.push_back(std::move(rows));
        }
    }

    double* spinRow(std::vector<double>& rows, int spin, bool played) const {
        return rows.data() + (static_cast<std::size_t>(spin) * 2 + (played ? 1 : 0)) * width_;
    }

    void countedEntryAt(std::size_t counted, int count,
                        const std::array<std::vector<double>, 2>& trigger) {
        SpinRows& rows = spinRows_[counted];
        for (const bool played : {false, true}) {
            if (count == graph_.ceilingSpins) {
                // The count is full: the ceiling triggers as the state is entered.
                std::copy_n(trigger[played ? 1 : 0].data(), width_,
                            row(levelNow_, node(rows.entry, played)));
                continue;
            }
            for (int spin = rows.lastSpin; spin >= 0; --spin) {
                double* values = spinRow(rows.now, spin, played);
                std::fill_n(values, width_, 0.0);
                oneCountedSpin(rows, spin, count, played, values, trigger);
            }
            std::copy_n(spinRow(rows.now, 0, played), width_,
                        row(levelNow_, node(rows.entry, played)));
        }
    }

    void oneCountedSpin(SpinRows& rows, int spin, int count, bool played, double* values,
                        const std::array<std::vector<double>, 2>& trigger) const {
        const StateLinks& state = graph_.stateOf(rows.entry);
        const int stateAt = stateIndex(rows.entry);
        const int limit = graph_.entries[static_cast<std::size_t>(rows.entry)].limit;
        addSpins(values, state, played, 1);
        addHit(values, stateAt, played, state.hitChance);
        const bool playedAfter = played || !state.support;
        double goesOn = 1 - state.hitChance;
        for (const MachineGraph::ShiftLink& shift : state.shifts) {
            if (shift.guaranteedSpins <= spin) {
                addScaled(values, row(levelNext_, node(shift.entry, playedAfter)), shift.chance,
                          width_);
                goesOn -= shift.chance;
            }
        }
        goesOn = std::max(goesOn, 0.0);
        if (count + 1 == graph_.ceilingSpins) {
            addScaled(values, trigger[playedAfter ? 1 : 0].data(), goesOn, width_);
        } else if (limit > 0 && spin + 1 == limit) {
            // 残保留 does not raise the count.
            const double heldHit = goesOn * (1 - rows.heldMissAll);
            addHit(values, stateAt, playedAfter, heldHit);
            values[layout_.heldSpins()] += heldHit / state.hitChance;
            addScaled(values, row(levelNext_, node(*state.afterEntry, playedAfter)),
                      goesOn * rows.heldMissAll, width_);
        } else {
            addScaled(values, spinRow(rows.next, std::min(spin + 1, rows.lastSpin), playedAfter),
                      goesOn, width_);
        }
    }

    const MachineGraph& graph_;
    GapLayout layout_;
    std::size_t width_;
    std::vector<double> free_;
    std::vector<double> levelNow_;
    std::vector<double> levelNext_;
    std::vector<SpinRows> spinRows_;
};

} // namespace

std::optional<GapSolution> solveGaps(const MachineGraph& graph) {
    return Solver(graph).solve();
}

} // namespace zelkora::machines
