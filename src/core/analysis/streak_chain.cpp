#include "analysis/streak_chain.h"

#include "analysis/streak_values.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zelkora {
namespace {

constexpr double kNegligibleMass = 1e-15;
// The hits followed one by one: the ten streak buckets need the first ten, a limiter its count.
// A limiter count beyond this comes only from a damaged file.
constexpr std::int32_t kBucketHits = 10;
constexpr std::int32_t kMostFollowedHits = 100'000;

// The modes after a hit that continue the streak. A pending 時短 keeps its remaining spins
// through 確変 and 次まで時短; without one, their remaining spins are never read again, so they
// are kept at 0.
enum class Mode : std::uint8_t { 確変, 次まで時短, 時短 };
constexpr std::array<Mode, 3> kModes{Mode::確変, Mode::次まで時短, Mode::時短};

MachineState stateOf(Mode mode) {
    switch (mode) {
    case Mode::確変:
        return MachineState::確変;
    case Mode::次まで時短:
        return MachineState::次まで時短;
    case Mode::時短:
        break;
    }
    return MachineState::時短;
}

// A mass (or a value) for each mode, pending flag and remaining count 0 … longest.
class ModeTable {
public:
    explicit ModeTable(int longest) : width_(static_cast<std::size_t>(longest) + 1) {
        cells_.assign(kModes.size() * 2 * width_, 0.0);
    }
    double& at(Mode mode, bool pending, int remaining) {
        return cells_[index(mode, pending, remaining)];
    }
    double at(Mode mode, bool pending, int remaining) const {
        return cells_[index(mode, pending, remaining)];
    }
    int longest() const { return static_cast<int>(width_) - 1; }
    double total() const {
        double sum = 0;
        for (const double cell : cells_) {
            sum += cell;
        }
        return sum;
    }
    void clear() { std::fill(cells_.begin(), cells_.end(), 0.0); }
    double totalIn(Mode mode) const {
        const auto first = cells_.begin() +
                           static_cast<std::ptrdiff_t>(static_cast<std::size_t>(mode) * 2 * width_);
        double sum = 0;
        for (auto cell = first; cell != first + static_cast<std::ptrdiff_t>(2 * width_); ++cell) {
            sum += *cell;
        }
        return sum;
    }

private:
    std::size_t index(Mode mode, bool pending, int remaining) const {
        const auto used = mode == Mode::時短 || pending ? static_cast<std::size_t>(remaining) : 0;
        return (static_cast<std::size_t>(mode) * 2 + (pending ? 1 : 0)) * width_ + used;
    }

    std::size_t width_;
    std::vector<double> cells_;
};

class Chain {
public:
    explicit Chain(const StreakChainInput& input) : input_(input) {
        for (const ChainSymbol& symbol : input.symbols) {
            longest_ = std::max<int>(longest_, symbol.info.shortTimeSpins);
        }
        const double miss = 1 - input.hitChanceNormal;
        missAll_.resize(static_cast<std::size_t>(longest_) + 1);
        missAll_[0] = 1;
        for (std::size_t count = 1; count < missAll_.size(); ++count) {
            missAll_[count] = missAll_[count - 1] * miss;
        }
    }

    int longest() const { return longest_; }

    // Hit `hits` out of mode `from` with `mass`: each symbol's share goes to the mode the
    // transition leaves, or ends the streak at this hit.
    void hit(const ModeState& from, double mass, std::int32_t hits, ModeTable& after,
             double& ended) {
        for (const ChainSymbol& symbol : input_.symbols) {
            const ModeState next = transition(from, symbol.info, hits, input_.limiter).next;
            const double share = mass * symbol.chance;
            if (next.state == MachineState::通常) {
                ended += share;
                continue;
            }
            const Mode mode = next.state == MachineState::確変         ? Mode::確変
                              : next.state == MachineState::次まで時短 ? Mode::次まで時短
                                                                       : Mode::時短;
            after.at(mode, next.pendingShortTime, std::max(next.remainingShortSpins, 0)) += share;
        }
    }

    // From the modes after a hit to the modes in which the next hit comes: 確変 and 次まで時短
    // always hit again; a 時短 with r spins left hits after j spins (chance p(1 − p)^(j−1)),
    // with r − j left, or runs out (chance (1 − p)^r) and ends the streak.
    void wait(const ModeTable& after, ModeTable& before, double& shortSpins, double& ended) {
        const double normal = input_.hitChanceNormal;
        for (const bool pending : {false, true}) {
            for (int remaining = 0; remaining <= (pending ? longest_ : 0); ++remaining) {
                const double fast = after.at(Mode::確変, pending, remaining);
                before.at(Mode::確変, pending, remaining) += fast;
                shortSpins += fast / input_.hitChance確変;
                const double untilNext = after.at(Mode::次まで時短, pending, remaining);
                before.at(Mode::次まで時短, pending, remaining) += untilNext;
                shortSpins += untilNext / normal;
            }
            // Running sum over r > r' of mass(r)·(1 − p)^(r − r' − 1), from the top down.
            double reaching = 0;
            for (int remaining = longest_; remaining >= 0; --remaining) {
                const double mass = after.at(Mode::時短, pending, remaining);
                const double missAll = missAll_[static_cast<std::size_t>(remaining)];
                shortSpins += mass * (1 - missAll) / normal;
                ended += mass * missAll;
                before.at(Mode::時短, pending, remaining) += normal * reaching;
                reaching = mass + (1 - normal) * reaching;
            }
        }
    }

private:
    const StreakChainInput& input_;
    int longest_ = 0;
    std::vector<double> missAll_; // (1 − p)^r
};

// Every mode that holds mass hits once more.
void hitEveryMode(Chain& chain, const ModeTable& before, std::int32_t hits, ModeTable& after,
                  double& ended) {
    for (const Mode mode : kModes) {
        for (const bool pending : {false, true}) {
            const int top = mode == Mode::時短 || pending ? chain.longest() : 0;
            for (int remaining = 0; remaining <= top; ++remaining) {
                const double mass = before.at(mode, pending, remaining);
                if (mass > 0) {
                    chain.hit({stateOf(mode), pending, remaining}, mass, hits, after, ended);
                }
            }
        }
    }
}

// Symbols that differ only in rule and payout move the chain alike; one entry per kind and
// 時短数 keeps a hit's work to the few distinct moves.
StreakChainInput mergedSymbols(const StreakChainInput& input) {
    StreakChainInput merged = input;
    merged.symbols.clear();
    for (const ChainSymbol& symbol : input.symbols) {
        const auto same = std::find_if(
            merged.symbols.begin(), merged.symbols.end(), [&](const ChainSymbol& known) {
                return known.info.kind == symbol.info.kind &&
                       known.info.shortTimeSpins == symbol.info.shortTimeSpins;
            });
        if (same == merged.symbols.end()) {
            merged.symbols.push_back(
                {{symbol.info.kind, symbol.info.rule, symbol.info.shortTimeSpins, 0},
                 symbol.chance});
        } else {
            same->chance += symbol.chance;
        }
    }
    return merged;
}

// The last hit whose move can depend on the hit count.
std::int32_t lastCountedHit(const Limiter& limiter) {
    std::int32_t last = kBucketHits;
    if (limiter.enabled && limiter.count > kBucketHits && limiter.count < kMostFollowedHits) {
        last = static_cast<std::int32_t>(std::ceil(limiter.count));
    } else if (limiter.enabled && limiter.count >= kMostFollowedHits) {
        last = kMostFollowedHits;
    }
    return last;
}

// The rest of the streak from the modes after the last counted hit, solved directly.
Status addRemainder(const StreakChainInput& input, const ModeTable& after,
                    StreakExpectation& expectation) {
    Result<StreakValues> solved = StreakValues::solve(input);
    if (!solved.ok()) {
        return std::move(solved).error();
    }
    const StreakValues& values = solved.value();
    for (const Mode mode : kModes) {
        for (const bool pending : {false, true}) {
            const int top = mode == Mode::時短 || pending ? after.longest() : 0;
            for (int remaining = 0; remaining <= top; ++remaining) {
                const double mass = after.at(mode, pending, remaining);
                if (mass > 0) {
                    const StreakValue value = values.at(stateOf(mode), pending, remaining);
                    expectation.hits += mass * value.hits;
                    expectation.shortSpins += mass * value.shortSpins;
                }
            }
        }
    }
    return {};
}

} // namespace

StreakChainOutcome expectStreak(const StreakChainInput& original, std::int32_t followedHits) {
    const StreakChainInput input = mergedSymbols(original);
    Chain chain(input);
    ModeTable after(chain.longest());
    ModeTable before(chain.longest());
    StreakExpectation expectation;
    std::vector<double> endedAt{0.0, 0.0}; // index: the streak length

    // The first hit comes in 通常 with no 時短 pending.
    expectation.hits = 1;
    chain.hit({MachineState::通常, false, 0}, 1.0, 1, after, endedAt[1]);
    const std::int32_t lastCounted =
        std::max(lastCountedHit(input.limiter), std::min(followedHits, kMostFollowedHits));
    expectation.reachChances.push_back(1.0);
    expectation.nextHitShortTimeAfter.push_back(after.totalIn(Mode::次まで時短));
    for (std::int32_t hits = 1;; ++hits) {
        if (after.total() < kNegligibleMass) {
            break;
        }
        if (hits > lastCounted) {
            if (input.limiter.enabled && input.limiter.count >= kMostFollowedHits) {
                return Error{ErrorKind::TheoryTooLarge};
            }
            if (Status rest = addRemainder(input, after, expectation); !rest.ok()) {
                return std::move(rest).error();
            }
            break;
        }
        before.clear();
        chain.wait(after, before, expectation.shortSpins, endedAt.back());
        expectation.hits += before.total();
        after.clear();
        endedAt.push_back(0.0);
        hitEveryMode(chain, before, hits + 1, after, endedAt.back());
        if (hits < followedHits) {
            expectation.reachChances.push_back(before.total());
            expectation.nextHitShortTimeAfter.push_back(after.totalIn(Mode::次まで時短));
        }
    }
    double shorter = 0;
    for (std::size_t length = 1; length <= 10; ++length) {
        const double chance = length < endedAt.size() ? endedAt[length] : 0.0;
        expectation.lengthChances[length - 1] = chance;
        shorter += chance;
    }
    expectation.lengthChances[10] = std::max(0.0, 1 - shorter);
    return expectation;
}

} // namespace zelkora
