#include "analysis/streak_chain.h"
#include "analysis/streak_values.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

ChainSymbol symbolOf(SymbolKind kind, std::int16_t shortTime, double chance) {
    return {{kind, SymbolRule::Exchange, shortTime, 1000}, chance};
}

StreakExpectation expected(const StreakChainInput& input) {
    const StreakChainOutcome outcome = expectStreak(input);
    EXPECT_TRUE(outcome.ok()) << static_cast<int>(outcome.error().kind);
    return outcome.ok() ? outcome.value() : StreakExpectation{};
}

struct ChainCase {
    const char* name;
    StreakChainInput input;
};

// Chains whose streaks end soon, with every kind of move: pending 時短 behind 確変 and
// 次まで時短, resumed 時短, resets from any mode.
std::vector<ChainCase> shortStreakChains() {
    using enum SymbolKind;
    return {
        {"light machine",
         {1.0 / 99,
          6.0 / 99,
          {symbolOf(確変, 0, 0.25), symbolOf(次まで時短, 0, 0.5), symbolOf(通常, 50, 0.25)},
          {}}},
        {"pending behind kakuhen",
         {0.01,
          0.05,
          {symbolOf(確変, 30, 0.3), symbolOf(通常, 0, 0.3), symbolOf(次まで時短, 0, 0.1),
           symbolOf(通常, 100, 0.3)},
          {}}},
        {"resumed one spin", {0.5, 1, {symbolOf(確変, 1, 0.5), symbolOf(通常, 0, 0.5)}, {}}},
        {"next-hit with short time",
         {0.02,
          0.1,
          {symbolOf(次まで時短, 20, 0.4), symbolOf(確変, 0, 0.2), symbolOf(通常, 0, 0.4)},
          {}}},
        {"reset into next-hit",
         {1.0 / 300,
          6.0 / 300,
          {symbolOf(確変, 0, 0.5), symbolOf(通常, 0, 0.3), symbolOf(次まで時短, 5, 0.2)},
          {}}},
        {"every spin hits",
         {1, 1, {symbolOf(確変, 0, 0.5), symbolOf(通常, 10, 0.25), symbolOf(通常, 0, 0.25)}, {}}},
    };
}

// A limiter far beyond any streak these chains reach makes the chain follow every hit one by
// one until less than 10^-15 is left: the reference the direct solution must meet.
TEST(StreakValues, the_direct_solution_meets_the_chain_followed_hit_by_hit) {
    for (const ChainCase& chain : shortStreakChains()) {
        StreakChainInput followed = chain.input;
        followed.limiter = {true, 90000};
        const StreakExpectation reference = expected(followed);
        const StreakExpectation direct = expected(chain.input);
        EXPECT_NEAR(direct.hits, reference.hits, 1e-11 * reference.hits) << chain.name;
        EXPECT_NEAR(direct.shortSpins, reference.shortSpins, 1e-11 * reference.shortSpins + 1e-12)
            << chain.name;
        for (std::size_t bucket = 0; bucket < direct.lengthChances.size(); ++bucket) {
            EXPECT_NEAR(direct.lengthChances[bucket], reference.lengthChances[bucket], 1e-14)
                << chain.name << " bucket " << bucket;
        }
    }
}

// The light machine by hand: a hit is followed by another for sure after 確変 or 次まで時短
// (3/4), and after the 時短 of 50 with c = 1 − (98/99)^50, so the mean streak is
// 1 / (1/4 − c/4)... = 1 / (1 − 3/4 − c/4).
TEST(StreakValues, the_light_machine_by_hand) {
    const StreakChainInput input = shortStreakChains().front().input;
    const double c = 1 - std::pow(98.0 / 99, 50);
    EXPECT_NEAR(expected(input).hits, 1 / (1 - 0.75 - c / 4), 1e-12);
}

// One 通常 symbol with a 時短 of r spins: each hit starts r spins that hit again with
// 1 − (1 − p)^r, so the mean streak is 1 / (1 − p)^r and the time-saving spins
// (1 / (1 − p)^r − 1) / p. With r = 32767 these are the streaks of 54,500 and 1.7·10^14 hits
// that the hit-by-hit chain could not finish; now they take no longer than short ones.
TEST(StreakValues, streaks_of_any_length_solve_at_once) {
    struct Case {
        double hitChance;
        double meanStreak;
    };
    for (const Case& machine : {Case{1.0 / 3000, 0}, Case{1.0 / 1000, 0}}) {
        const StreakChainInput input{
            machine.hitChance, machine.hitChance * 6, {symbolOf(SymbolKind::通常, 32767, 1)}, {}};
        const double survive = std::pow(1 - machine.hitChance, 32767);
        const auto started = std::chrono::steady_clock::now();
        const StreakExpectation streak = expected(input);
        const auto took = std::chrono::steady_clock::now() - started;
        EXPECT_NEAR(streak.hits, 1 / survive, 1e-8 / survive);
        EXPECT_NEAR(streak.shortSpins, (1 / survive - 1) / machine.hitChance,
                    1e-8 / survive / machine.hitChance);
        // A bound far above the work (a few thousand cells), to catch a return to hit-by-hit.
        EXPECT_LT(took, std::chrono::seconds(2));
    }
}

TEST(StreakValues, streaks_that_truly_never_end_are_refused) {
    using enum SymbolKind;
    // 確変 for good; a 時短 of 10 behind every 確変 hit that is always replaced before it runs;
    // 次まで時短 and 確変 only.
    for (const StreakChainInput& input :
         {StreakChainInput{0.01, 0.05, {symbolOf(確変, 0, 1)}, {}},
          StreakChainInput{0.01, 0.05, {symbolOf(確変, 10, 1)}, {}},
          StreakChainInput{
              0.01, 0.05, {symbolOf(確変, 0, 0.5), symbolOf(次まで時短, 0, 0.5)}, {}}}) {
        const StreakChainOutcome outcome = expectStreak(input);
        ASSERT_FALSE(outcome.ok());
        EXPECT_EQ(outcome.error().kind, ErrorKind::EndlessStreak);
    }
    // The same 確変 for good with a limiter of 2000 ends at the limit: 2000 hits.
    const StreakChainInput limited{0.01, 0.05, {symbolOf(確変, 0, 1)}, {true, 2000}};
    EXPECT_DOUBLE_EQ(expected(limited).hits, 2000);
}

} // namespace
} // namespace zelkora::testing
