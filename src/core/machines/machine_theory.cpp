#include "machines/machine_theory.h"

#include "machines/envelope_solver.h"
#include "machines/gap_solver.h"
#include "machines/machine_graph.h"
#include "machines/sparse_solver.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace zelkora::machines {
namespace {

constexpr double kYenPerBoughtBall = 4;
constexpr double kBallsPer1000Yen = 250;
constexpr double kBigHitSeconds = 180;
constexpr double kSecondsPerHour = 3600;

// What a chain gathers, hit by hit, in one row.
enum Gathered : std::uint8_t {
    kHits,
    kRounds,
    kPayout,
    kNormalSpins,
    kSupportSpins,
    kHeldSpins,
    kChainSupportBalls,
    kPlaySupportBalls,
    kSmallHitBalls,
    kCeiling,
    kGatheredCount
};
constexpr std::size_t kWidth = kGatheredCount;

void gatherGap(const GapLayout& layout, const double* gap, double share, double* into) {
    into[kNormalSpins] += share * gap[layout.normalSpins()];
    into[kSupportSpins] += share * gap[layout.supportSpins()];
    into[kHeldSpins] += share * gap[layout.heldSpins()];
    into[kChainSupportBalls] += share * gap[layout.chainSupportBalls()];
    into[kPlaySupportBalls] += share * gap[layout.playSupportBalls()];
    into[kSmallHitBalls] += share * gap[layout.smallHitBalls()];
    into[kCeiling] += share * gap[layout.ceilingReached()];
}

std::vector<double> identityMinus(const std::vector<double>& matrix, std::size_t size) {
    std::vector<double> result(size * size);
    for (std::size_t row = 0; row < size; ++row) {
        for (std::size_t column = 0; column < size; ++column) {
            result[row * size + column] = (row == column ? 1.0 : 0.0) - matrix[row * size + column];
        }
    }
    return result;
}

class ChainSolver {
public:
    ChainSolver(const Machine& machine, const MachineGraph& graph, const GapSolution& gaps)
        : machine_(machine), graph_(graph), gaps_(gaps),
          states_(static_cast<std::size_t>(graph.stateCount())) {}

    // Hit by hit from a hit in each state: the chance the next hit continues the chain in each
    // state (A), the chance the next first hit comes in each state (B), and what a hit brings
    // until the next first hit (X = R + A·X).
    bool solve() {
        markHitEntries();
        markFirstHitStates();
        std::vector<double> chain(states_ * states_, 0.0); // A, then I − A
        firstHits_.assign(states_ * firstHitStates_.size(), 0.0);
        gathered_.assign(states_ * kWidth, 0.0);
        for (std::size_t state = 0; state < states_; ++state) {
            for (const MachineGraph::Outcome& outcome : graph_.states[state].outcomes) {
                gatherOutcome(state, outcome, chain.data() + state * states_,
                              firstHits_.data() + state * firstHitStates_.size());
            }
        }
        for (std::size_t row = 0; row < states_; ++row) {
            for (std::size_t column = 0; column < states_; ++column) {
                double& cell = chain[row * states_ + column];
                cell = (row == column ? 1.0 : 0.0) - cell;
            }
        }
        if (!chainFactors_.factor(std::move(chain), states_)) {
            return false;
        }
        chainFactors_.solve(gathered_, kWidth);
        chainFactors_.solve(firstHits_, firstHitStates_.size());
        return stationaryFirstHits();
    }

    ChainFigures figures(const Campaign& campaign) const {
        ChainFigures figures;
        std::array<double, kWidth> perFirstHit{};
        for (std::size_t state = 0; state < states_; ++state) {
            for (std::size_t column = 0; column < kWidth; ++column) {
                perFirstHit[column] += stationary_[state] * gathered_[state * kWidth + column];
            }
        }
        figures.normalSpinsPerFirstHit = perFirstHit[kNormalSpins];
        figures.hitsPerFirstHit = perFirstHit[kHits];
        figures.roundsPerFirstHit = perFirstHit[kRounds];
        figures.payoutBallsPerFirstHit = perFirstHit[kPayout];
        figures.supportSpinsPerFirstHit = perFirstHit[kSupportSpins];
        figures.heldSpinsPerFirstHit = perFirstHit[kHeldSpins];
        figures.supportBallsPerFirstHit =
            perFirstHit[kChainSupportBalls] + perFirstHit[kPlaySupportBalls];
        figures.smallHitBallsPerFirstHit = perFirstHit[kSmallHitBalls];
        figures.ceilingPerFirstHit = perFirstHit[kCeiling];
        const double normalSeconds = campaign.spinSeconds / (campaign.timeRatioPercent / 100);
        figures.hoursPerFirstHit =
            (figures.normalSpinsPerFirstHit * normalSeconds +
             (figures.supportSpinsPerFirstHit + figures.heldSpinsPerFirstHit) *
                 campaign.supportSpinSeconds +
             figures.hitsPerFirstHit * kBigHitSeconds) /
            kSecondsPerHour;
        figures.continuations = continuations();
        figures.entering = entering();
        return figures;
    }

    // The balls a chain from a first hit in `state` brings until play is back in normal play.
    double chainBalls(std::size_t state) const {
        const double* row = gathered_.data() + state * kWidth;
        return row[kPayout] + row[kChainSupportBalls];
    }

private:
    // What one outcome of a hit in `state` brings: its own figures, and the chances of the
    // gap after it, over the states its hits can fall in alone.
    void gatherOutcome(std::size_t state, const MachineGraph::Outcome& outcome, double* continuing,
                       double* firstHits) {
        const GapLayout& layout = gaps_.layout;
        const double* gap = gaps_.afterHitRow(outcome.entry);
        double* into = gathered_.data() + state * kWidth;
        into[kHits] += outcome.share;
        into[kRounds] += outcome.share * outcome.rounds;
        into[kPayout] += outcome.share * outcome.balls;
        gatherGap(layout, gap, outcome.share, into);
        const HitStates& reached = hitStates(outcome.entry);
        for (std::size_t next = reached.continuing.first; next < reached.continuing.end; ++next) {
            continuing[next] += outcome.share * gap[layout.continuingHit(static_cast<int>(next))];
        }
        for (std::size_t next = reached.first.first; next < reached.first.end; ++next) {
            const double chance = gap[layout.firstHit(static_cast<int>(next))];
            // An outcome of weight 0 may reach states no hit reaches; it adds nothing.
            if (chance != 0 && outcome.share > 0) {
                firstHits[firstHitColumn_[next]] += outcome.share * chance;
            }
        }
    }

    // The states where the hits of an entry's gap can fall: a gap of a converted limiter
    // reaches a few of its hundreds of states, and the others add exact zeros.
    struct StateSpan {
        std::size_t first = 0;
        std::size_t end = 0;
    };
    struct HitStates {
        StateSpan continuing;
        StateSpan first;
    };

    StateSpan filledStates(const double* hits) const {
        StateSpan span{0, states_};
        while (span.first < span.end && hits[span.first] == 0) {
            ++span.first;
        }
        while (span.end > span.first && hits[span.end - 1] == 0) {
            --span.end;
        }
        return span;
    }

    const HitStates& hitStates(int entry) {
        std::optional<HitStates>& known = hitStates_[static_cast<std::size_t>(entry)];
        if (!known) {
            const GapLayout& layout = gaps_.layout;
            const double* gap = gaps_.afterHitRow(entry);
            known = HitStates{filledStates(gap + layout.continuingHit(0)),
                              filledStates(gap + layout.firstHit(0))};
        }
        return *known;
    }

    void markHitEntries() {
        hitEntries_.assign(static_cast<std::size_t>(graph_.entryCount()), false);
        hitStates_.assign(static_cast<std::size_t>(graph_.entryCount()), std::nullopt);
        for (const MachineGraph::StateLinks& state : graph_.states) {
            for (const MachineGraph::Outcome& outcome : state.outcomes) {
                if (outcome.share > 0) {
                    hitEntries_[static_cast<std::size_t>(outcome.entry)] = true;
                }
            }
        }
    }

    // The states where a first hit can come (normal play, the ceiling's state): the columns
    // of B that hold anything, which are all that is solved for.
    void markFirstHitStates() {
        std::vector<bool> marked(states_, false);
        for (int entry = 0; entry < graph_.entryCount(); ++entry) {
            if (!hitLeadsTo(entry)) {
                continue;
            }
            const double* gap = gaps_.afterHitRow(entry);
            const StateSpan span = hitStates(entry).first;
            for (std::size_t state = span.first; state < span.end; ++state) {
                marked[state] =
                    marked[state] || gap[gaps_.layout.firstHit(static_cast<int>(state))] != 0;
            }
        }
        firstHitStates_.clear();
        firstHitColumn_.assign(states_, 0);
        for (std::size_t state = 0; state < states_; ++state) {
            if (marked[state]) {
                firstHitColumn_[state] = firstHitStates_.size();
                firstHitStates_.push_back(state);
            }
        }
    }

    // The states of first hits form a chain of their own (Y = (I − A)⁻¹·B); its stationary
    // distribution weighs what each kind of first hit brings.
    bool stationaryFirstHits() {
        // Transposed: π (I − Y) = 0. Y holds the columns of first-hit states alone, so the
        // other rows of the system are those of I.
        SparseRows system(states_);
        for (std::size_t row = 0; row + 1 < states_; ++row) {
            system[row].push_back({static_cast<std::uint32_t>(row), 1.0});
        }
        const std::size_t columns = firstHitStates_.size();
        for (std::size_t index = 0; index < columns; ++index) {
            const std::size_t row = firstHitStates_[index];
            if (row + 1 == states_) {
                continue;
            }
            system[row].clear();
            for (std::size_t column = 0; column < states_; ++column) {
                const double value =
                    (row == column ? 1.0 : 0.0) - firstHits_[column * columns + index];
                if (value != 0) {
                    system[row].push_back({static_cast<std::uint32_t>(column), value});
                }
            }
        }
        // The last equation is replaced by Σ π = 1.
        for (std::size_t column = 0; column < states_; ++column) {
            system[states_ - 1].push_back({static_cast<std::uint32_t>(column), 1.0});
        }
        std::vector<double> rightHandSide(states_, 0.0);
        rightHandSide[states_ - 1] = 1;
        SparseLuFactors factors;
        if (!factors.factor(std::move(system), states_)) {
            return false;
        }
        factors.solve(rightHandSide, 1);
        stationary_ = std::move(rightHandSide);
        return true;
    }

    // Whether some big hit leads to the entry: only those carry a chain.
    bool hitLeadsTo(int entry) const { return hitEntries_[static_cast<std::size_t>(entry)]; }

    std::vector<EntryContinuation> continuations() const {
        std::vector<EntryContinuation> found;
        for (int entry = 0; entry < graph_.entryCount(); ++entry) {
            if (!graph_.stateOf(entry).support || !hitLeadsTo(entry)) {
                continue;
            }
            const double* gap = gaps_.afterHitRow(entry);
            double chance = 0;
            for (int state = 0; state < graph_.stateCount(); ++state) {
                chance += gap[gaps_.layout.continuingHit(state)];
            }
            const Entry& at = graph_.entries[static_cast<std::size_t>(entry)];
            found.push_back(
                {machine_.states[static_cast<std::size_t>(at.state)].name, at.limit, chance});
        }
        return found;
    }

    // For a support state T, the chance a chain from a hit in s enters T through a hit:
    // Z = r + M·Z, with r the share of outcomes into T and M the continuing chances of the
    // other outcomes.
    std::vector<StateEntering> entering() const {
        std::vector<StateEntering> found;
        std::vector<std::size_t> single; // targets entered through one entry alone
        std::vector<int> singleEntry;
        for (std::size_t target = 0; target < states_; ++target) {
            std::vector<int> reachedBy;
            for (int entry = 0; entry < graph_.entryCount(); ++entry) {
                if (static_cast<std::size_t>(
                        graph_.entries[static_cast<std::size_t>(entry)].state) == target &&
                    hitLeadsTo(entry)) {
                    reachedBy.push_back(entry);
                }
            }
            if (!graph_.states[target].support || reachedBy.empty()) {
                continue;
            }
            found.push_back({machine_.states[target].name, 0});
            if (reachedBy.size() == 1) {
                single.push_back(found.size() - 1);
                singleEntry.push_back(reachedBy.front());
            } else {
                found.back().chance = enteringThroughEntries(target);
            }
        }
        enteringThroughOneEntry(found, single, singleEntry);
        return found;
    }

    // A state entered through one entry alone: the chance of entering it at least once is the
    // expected number of entries, E = (I − A)⁻¹·r (one factorisation for every such state),
    // over 1 + the entries expected after one, y = Σ continuing chance from the entry × E: after
    // each entry the chain goes on from the same place. So a machine of hundreds of states needs
    // no factorisation per state.
    void enteringThroughOneEntry(std::vector<StateEntering>& found,
                                 const std::vector<std::size_t>& single,
                                 const std::vector<int>& entries) const {
        const std::size_t columns = single.size();
        if (columns == 0) {
            return;
        }
        std::vector<std::ptrdiff_t> columnOf(static_cast<std::size_t>(graph_.entryCount()), -1);
        for (std::size_t column = 0; column < columns; ++column) {
            columnOf[static_cast<std::size_t>(entries[column])] =
                static_cast<std::ptrdiff_t>(column);
        }
        std::vector<double> expected(states_ * columns, 0.0);
        for (std::size_t state = 0; state < states_; ++state) {
            for (const MachineGraph::Outcome& outcome : graph_.states[state].outcomes) {
                const std::ptrdiff_t column = columnOf[static_cast<std::size_t>(outcome.entry)];
                if (column >= 0) {
                    expected[state * columns + static_cast<std::size_t>(column)] += outcome.share;
                }
            }
        }
        chainFactors_.solve(expected, columns);
        // Row by row, so that the solution is read in the order it is stored; each column still
        // sums over the states in order.
        std::vector<const double*> gapOf(columns);
        for (std::size_t column = 0; column < columns; ++column) {
            gapOf[column] = gaps_.afterHitRow(entries[column]);
        }
        std::vector<double> after(columns, 0.0);
        for (std::size_t next = 0; next < states_; ++next) {
            const double* row = expected.data() + next * columns;
            const std::size_t hit = gaps_.layout.continuingHit(static_cast<int>(next));
            for (std::size_t column = 0; column < columns; ++column) {
                after[column] += gapOf[column][hit] * row[column];
            }
        }
        std::vector<double> chance(columns, 0.0);
        for (std::size_t state = 0; state < states_; ++state) {
            const double* row = expected.data() + state * columns;
            for (std::size_t column = 0; column < columns; ++column) {
                chance[column] += stationary_[state] * row[column] / (1 + after[column]);
            }
        }
        for (std::size_t column = 0; column < columns; ++column) {
            found[single[column]].chance = chance[column];
        }
    }

    // A state entered through several entries (limits), each with its own future: Z solved
    // with the outcomes into the state taken out of M.
    double enteringThroughEntries(std::size_t target) const {
        std::vector<double> other(states_ * states_, 0.0);
        std::vector<double> into(states_, 0.0);
        for (std::size_t state = 0; state < states_; ++state) {
            for (const MachineGraph::Outcome& outcome : graph_.states[state].outcomes) {
                if (static_cast<std::size_t>(
                        graph_.entries[static_cast<std::size_t>(outcome.entry)].state) == target) {
                    into[state] += outcome.share;
                    continue;
                }
                const double* gap = gaps_.afterHitRow(outcome.entry);
                for (std::size_t next = 0; next < states_; ++next) {
                    other[state * states_ + next] +=
                        outcome.share * gap[gaps_.layout.continuingHit(static_cast<int>(next))];
                }
            }
        }
        EnvelopeLuFactors factors;
        if (!factors.factor(identityMinus(other, states_), states_)) {
            return 0;
        }
        factors.solve(into, 1);
        double chance = 0;
        for (std::size_t state = 0; state < states_; ++state) {
            chance += stationary_[state] * into[state];
        }
        return chance;
    }

    const Machine& machine_;
    const MachineGraph& graph_;
    const GapSolution& gaps_;
    std::size_t states_;
    std::vector<bool> hitEntries_;
    std::vector<std::optional<HitStates>> hitStates_;
    std::vector<std::size_t> firstHitStates_;
    std::vector<std::size_t> firstHitColumn_; // by state, for the states in firstHitStates_
    std::vector<double> firstHits_;           // states × first-hit states
    std::vector<double> gathered_;
    std::vector<double> stationary_;
    EnvelopeLuFactors chainFactors_;
};

double leftoverBoughtBalls(double ballsPerSpin, const Campaign& campaign) {
    const double unitBalls = campaign.investmentUnitYen / kYenPerBoughtBall;
    return std::max(unitBalls - ballsPerSpin, 0.0) / 2;
}

CeilingFigures ceilingFigures(const GapSolution& gaps, const ChainSolver& chain,
                              const Campaign& campaign) {
    const GapLayout& layout = gaps.layout;
    const double ballsPerSpin = kBallsPer1000Yen / campaign.spinsPer1000Yen;
    const double yenPerBall = 100 / campaign.exchangeBallsPer100Yen;
    const double exchangeLoss =
        (kYenPerBoughtBall - yenPerBall) * leftoverBoughtBalls(ballsPerSpin, campaign);
    CeilingFigures figures;
    const auto counts = static_cast<int>(gaps.fromCount.size() / layout.size());
    for (int count = 0; count < counts; ++count) {
        const double* row = gaps.fromCountRow(count);
        double balls = row[layout.playSupportBalls()] + row[layout.chainSupportBalls()];
        for (int state = 0; state < layout.states(); ++state) {
            balls +=
                row[layout.firstHit(state)] * chain.chainBalls(static_cast<std::size_t>(state));
        }
        const double spins = row[layout.normalSpins()];
        figures.byCount.push_back(
            {count, spins,
             balls * yenPerBall - spins * ballsPerSpin * kYenPerBoughtBall - exchangeLoss,
             (balls - spins * ballsPerSpin) * yenPerBall});
    }
    for (int count = counts; count-- > 0;) {
        if (figures.byCount[static_cast<std::size_t>(count)].cashYen < 0) {
            break;
        }
        figures.breakEvenCount = count;
    }
    return figures;
}

} // namespace

double playedHoursPerDay(const std::string& playSchedule) {
    const auto first = playSchedule.find_first_not_of('0');
    const auto last = playSchedule.find_last_not_of('0');
    return first == std::string::npos ? 0.0 : static_cast<double>(last - first + 1);
}

MoneyFigures moneyFigures(const ChainFigures& chain, const Campaign& campaign, double heldShare) {
    const double ballsPerSpin = kBallsPer1000Yen / campaign.spinsPer1000Yen;
    const double yenPerBall = 100 / campaign.exchangeBallsPer100Yen;
    const double spins = chain.normalSpinsPerFirstHit;
    const double ballsOut = chain.payoutBallsPerFirstHit + chain.supportBallsPerFirstHit;
    const double ballCost = heldShare * yenPerBall + (1 - heldShare) * kYenPerBoughtBall;
    // One exchange after each first hit and one at each day end, of the cash share.
    const double dayHours = playedHoursPerDay(campaign.playSchedule);
    const double exchanges = 1 + (dayHours > 0 ? chain.hoursPerFirstHit / dayHours : 0.0);
    const double lossPerBall = (1 - heldShare) * (kYenPerBoughtBall - yenPerBall) * exchanges;
    const double unitBalls = campaign.investmentUnitYen / kYenPerBoughtBall;

    MoneyFigures money;
    money.heldShare = heldShare;
    money.balancePerSpin = (ballsOut * yenPerBall - spins * ballsPerSpin * ballCost -
                            lossPerBall * leftoverBoughtBalls(ballsPerSpin, campaign)) /
                           spins;
    money.balancePerHour = money.balancePerSpin * spins / chain.hoursPerFirstHit;
    // The balance is 0 where ballsOut·y = n·b·c + loss·(U − b)/2, which is linear in b.
    const double plainBalls = ballsOut * yenPerBall / (spins * ballCost);
    money.plainBorder = kBallsPer1000Yen / plainBalls;
    const double breakEvenBalls = (ballsOut * yenPerBall - lossPerBall * unitBalls / 2) /
                                  (spins * ballCost - lossPerBall / 2);
    money.border = breakEvenBalls > 0 && breakEvenBalls <= unitBalls
                       ? kBallsPer1000Yen / breakEvenBalls
                       : money.plainBorder;
    return money;
}

Checked<MachineTheory> machineTheory(const MachineVerification& verification, double heldShare) {
    const MachineGraph graph = buildGraph(verification.machine);
    const std::optional<GapSolution> gaps = solveGaps(graph);
    if (!gaps) {
        return Checked<MachineTheory>::refused(
            "大当りに届かない遊技があるため理論値を計算できません");
    }
    ChainSolver chain(verification.machine, graph, *gaps);
    if (!chain.solve()) {
        return Checked<MachineTheory>::refused("連チャンが終わらないため理論値を計算できません");
    }
    const Campaign& campaign = verification.campaign;
    MachineTheory theory;
    theory.chain = chain.figures(campaign);
    if (!(theory.chain.normalSpinsPerFirstHit > 0)) {
        return Checked<MachineTheory>::refused("通常の回転がないため理論値を計算できません");
    }
    theory.ballsPerSpin = kBallsPer1000Yen / campaign.spinsPer1000Yen;
    theory.yenPerBall = 100 / campaign.exchangeBallsPer100Yen;
    theory.cash = moneyFigures(theory.chain, campaign, 0);
    theory.held = moneyFigures(theory.chain, campaign, 1);
    theory.mixed = moneyFigures(theory.chain, campaign, heldShare);
    theory.ceiling = ceilingFigures(*gaps, chain, campaign);
    return theory;
}

} // namespace zelkora::machines
