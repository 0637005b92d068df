#include "analysis/campaign_analysis.h"
#include "analysis/engine_draws.h"
#include "analysis/streak_chain.h"
#include "analysis/theory.h"
#include "analysis_fixture.h"
#include "engine/lottery.h"
#include "results/window_conditions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

float generatorValue(std::int64_t k) {
    return static_cast<float>(k) / static_cast<float>(kGeneratorValues);
}

// Every one of the generator's 2^24 values through the engine's own spin draw.
TEST(EngineDraws, spin_hit_chance_counts_what_the_engines_draw_hits) {
    struct Case {
        double denominator;
        int countdown;
        std::int32_t scale;
    };
    for (const Case& draw :
         {Case{315, 1000, 54300}, Case{256, 1000, 100000}, Case{52.5, 512, 100}}) {
        const double scaleTimesN = static_cast<double>(draw.scale) * draw.denominator;
        const double countdown = static_cast<float>(draw.countdown);
        std::int64_t hits = 0;
        for (std::int64_t k = 0; k < kGeneratorValues; ++k) {
            hits +=
                isHit(spinProduct(generatorValue(k), countdown, scaleTimesN), draw.scale) ? 1 : 0;
        }
        EXPECT_EQ(spinHitChance(draw.denominator, draw.countdown),
                  static_cast<double>(hits) / static_cast<double>(kGeneratorValues))
            << draw.denominator << " " << draw.countdown;
    }
    // With T = 512 only 2^15 fractions occur, so 1/315 becomes ceil(32768/315)/32768 = 1/312.08.
    EXPECT_DOUBLE_EQ(spinHitChance(315, 512), 105.0 / 32768);
    EXPECT_DOUBLE_EQ(spinHitChance(256, 1000), 1.0 / 256); // 2^21/256 fractions lie below 1/256
}

TEST(EngineDraws, symbol_chances_count_what_the_engines_symbol_draw_gives) {
    for (const int count : {3, 7}) {
        std::vector<std::int64_t> counted(static_cast<std::size_t>(count), 0);
        for (std::int64_t k = 0; k < kGeneratorValues; ++k) {
            ++counted[static_cast<std::size_t>(
                drawSymbolIndex(generatorValue(k), 0, static_cast<double>(count)))];
        }
        const std::vector<double> chances = symbolChances(count);
        ASSERT_EQ(chances.size(), counted.size());
        for (std::size_t index = 0; index < counted.size(); ++index) {
            EXPECT_EQ(chances[index],
                      static_cast<double>(counted[index]) / static_cast<double>(kGeneratorValues));
        }
    }
    EXPECT_EQ(symbolChances(4), std::vector<double>(4, 0.25));
}

ChainSymbol symbolOf(SymbolKind kind, std::int16_t shortTime, double chance) {
    return {{kind, SymbolRule::Exchange, shortTime, 2000}, chance};
}

StreakExpectation expectation(const StreakChainInput& input) {
    const StreakChainOutcome outcome = expectStreak(input);
    EXPECT_TRUE(outcome.ok());
    return outcome.ok() ? outcome.value() : StreakExpectation{};
}

// Hit chances 1/100 in 通常 and 1/20 in 確変 unless a case says otherwise.
TEST(StreakChain, hand_computed_streaks) {
    StreakChainInput input{0.01, 0.05, {}, {}};

    // A lone 通常 symbol: every first hit is a streak of one.
    input.symbols = {symbolOf(SymbolKind::通常, 0, 1)};
    EXPECT_DOUBLE_EQ(expectation(input).hits, 1);
    EXPECT_DOUBLE_EQ(expectation(input).lengthChances[0], 1);

    // 確変 and 通常 half and half: P(n hits) = 1/2^n, a mean of 2; one 確変 wait of 1/0.05 = 20
    // spins per first hit on average (n − 1 waits).
    input.symbols = {symbolOf(SymbolKind::確変, 0, 0.5), symbolOf(SymbolKind::通常, 0, 0.5)};
    StreakExpectation half = expectation(input);
    EXPECT_NEAR(half.hits, 2, 1e-12);
    EXPECT_NEAR(half.shortSpins, 20, 1e-10);
    EXPECT_DOUBLE_EQ(half.lengthChances[0], 0.5);
    EXPECT_DOUBLE_EQ(half.lengthChances[2], 0.125);
    EXPECT_NEAR(half.lengthChances[10], 1.0 / 1024, 1e-15);

    // Only 確変 with a limiter of 3: hits 1 and 2 enter 確変, the third is cut at the limit.
    input.symbols = {symbolOf(SymbolKind::確変, 0, 1)};
    input.limiter = {true, 3};
    StreakExpectation limited = expectation(input);
    EXPECT_DOUBLE_EQ(limited.hits, 3);
    EXPECT_DOUBLE_EQ(limited.shortSpins, 40);
    EXPECT_DOUBLE_EQ(limited.lengthChances[2], 1);
    input.limiter = {};

    // 通常 with 時短 100: each hit starts 100 spins that hit again with c = 1 − 0.99^100; the
    // streak lasts 1 / 0.99^100 = 2.731999 hits; each 時短 runs (1 − 0.99^100) / 0.01 spins,
    // so a first hit brings (1 / 0.99^100 − 1) / 0.01 = 173.1999 time-saving spins.
    input.symbols = {symbolOf(SymbolKind::通常, 100, 1)};
    const double survive = std::pow(0.99, 100);
    StreakExpectation shortTime = expectation(input);
    EXPECT_NEAR(shortTime.hits, 1 / survive, 1e-9);
    EXPECT_NEAR(shortTime.shortSpins, (1 / survive - 1) / 0.01, 1e-7);
}

// A 確変 symbol with a 時短 of one spin (W) and a 通常 symbol (Z), half and half; a spin hits
// with chance 1/2, in 確変 always. A first hit W leaves 確変 with a pending 時短 of 1 spin; from
// there W keeps it so, Z resumes the pending 時短 of 1 spin, whose one spin hits with 1/2
// (then W returns to 確変, Z ends it). With a and b the further hits after 確変 and after the
// resumed 時短: a = 1 + a/2 + b/2, b = (1 + a/2) / 2, so a = 10/3 and the mean streak is
// 1 + a/2 = 8/3. Spins: A = 1 + A/2 + B/2, B = 1 + A/4, so A = 4 and a first hit brings A/2 = 2.
// Ending the streak at Z instead of resuming the 時短 would give a mean of 2.
TEST(StreakChain, a_pending_short_time_resumes_after_the_kakuhen) {
    StreakChainInput input{0.5, 1, {}, {}};
    input.symbols = {symbolOf(SymbolKind::確変, 1, 0.5), symbolOf(SymbolKind::通常, 0, 0.5)};
    const StreakExpectation pending = expectation(input);
    EXPECT_NEAR(pending.hits, 8.0 / 3, 1e-12);
    EXPECT_NEAR(pending.shortSpins, 2, 1e-12);
    EXPECT_DOUBLE_EQ(pending.lengthChances[0], 0.5);
}

TEST(StreakChain, a_streak_that_never_ends_has_no_expectation) {
    StreakChainInput input{0.01, 0.05, {symbolOf(SymbolKind::確変, 0, 1)}, {}};
    const StreakChainOutcome outcome = expectStreak(input);
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error().kind, ErrorKind::EndlessStreak);
}

// One 通常 symbol paying 2100 at 1 in 256 (exactly 1/256 with T = 1000), 25 spins per 1000
// yen (10 balls a spin), 10 s a spin, bought in units of 1000 yen (250 balls):
// - 2100 balls per 256 spins is 8.203125 balls a spin; at 25 balls per 100 yen (4 yen a ball)
//   32.8125 yen against 40 yen of balls: −7.1875 yen a spin on cash and on held balls;
// - a first hit takes (256 × 10 + 180) s = 0.761111 h, so −7.1875 × 256 / 0.761111 = −2417.5
//   yen an hour; the border is 1000 / 32.8125 = 250 / 8.203125 = 30.4762 spins per 1000 yen;
// - at 40 balls per 100 yen a ball fetches 2.5 yen: 20.5078 − 25 = −4.4922 a spin on held
//   balls. On cash the spins cost 40 yen and the bought balls still held at the first hit
//   fetch 2.5 yen instead of 4: after k spins from none held the run holds
//   h(k) = 10·(25 − k mod 25) balls (a unit bought every 25 spins), so over the geometric k
//   E[h] = Σ_{j=1..25} p(1 − p)^(j−1)·h(j) ÷ (1 − (1 − p)^25), and the balance per spin is
//   20.5078 − 40 − 1.5·E[h] ÷ 256.
TEST(Theory, money_figures_of_a_hand_computed_machine) {
    StoredConditions conditions = defaultConditions();
    const auto set = [&conditions](Field field, std::string text) {
        conditions.basic[basicColumnIndex(field)] = std::move(text);
    };
    set(Field::条件_確率, "256");
    set(Field::条件_回転数1000円, "25");
    set(Field::条件_両替率, "25");
    set(Field::条件_絵柄数, "1");
    conditions.investmentUnit = "1000";
    conditions.spinSeconds = "10";
    conditions.timeRatio = "100";
    conditions.symbols = {{"通常", 0, "通常時交換", 2100, "A"}};
    MainWindowModel model;
    applyConditions(model, conditions);

    TheoryOutcome outcome = theoreticalFigures(model, 1000);
    ASSERT_TRUE(outcome.ok());
    const TheoreticalFigures& even = outcome.value();
    EXPECT_DOUBLE_EQ(even.spinsPerFirstHit, 256);
    EXPECT_DOUBLE_EQ(even.meanStreak, 1);
    EXPECT_DOUBLE_EQ(even.payoutPerFirstHit, 2100);
    EXPECT_NEAR(even.onCash.balancePerSpin, -7.1875, 1e-12);
    EXPECT_NEAR(even.onHeldBalls.balancePerSpin, -7.1875, 1e-12);
    EXPECT_NEAR(even.hoursPerFirstHit, 2740.0 / 3600, 1e-12);
    EXPECT_NEAR(even.onCash.balancePerHour, -2417.5182, 1e-3);
    EXPECT_NEAR(even.onCash.border, 30.47619, 1e-5);
    EXPECT_NEAR(even.onHeldBalls.border, 30.47619, 1e-5);

    const double p = 1.0 / 256;
    double period = 0;
    for (int j = 1; j <= 25; ++j) {
        period += p * std::pow(1 - p, j - 1) * 10 * (25 - j % 25);
    }
    const double heldAtHit = period / (1 - std::pow(1 - p, 25));
    EXPECT_NEAR(even.boughtBallsAtFirstHit, heldAtHit, 1e-9);

    set(Field::条件_両替率, "40");
    applyConditions(model, conditions);
    outcome = theoreticalFigures(model, 1000, 0.25);
    ASSERT_TRUE(outcome.ok());
    const double onCash = 20.5078125 - 40 - 1.5 * heldAtHit / 256;
    EXPECT_NEAR(outcome->onCash.balancePerSpin, onCash, 1e-9);
    EXPECT_NEAR(outcome->onHeldBalls.balancePerSpin, -4.4921875, 1e-12);
    EXPECT_NEAR(outcome->atShare.balancePerSpin, 0.25 * -4.4921875 + 0.75 * onCash, 1e-9);
    EXPECT_NEAR(outcome->onHeldBalls.border, 30.47619, 1e-5);
    // Without the bought balls the cash border would be 1000 / 20.5078 = 48.76; they raise it,
    // and at the border found the balance is 0 (to within the step the single-precision balls
    // per spin make in the held balls).
    EXPECT_GT(outcome->onCash.border, 48.8);
    for (const double share : {0.0, 0.25}) {
        const MoneyFigures atBorder = moneyFigures(
            outcome->basis,
            {40, share == 0 ? outcome->onCash.border : outcome->atShare.border, share});
        EXPECT_NEAR(atBorder.balancePerSpin, 0, 0.01) << share;
    }
}

// A denominator of 0 or below makes the engine's product f × M × N never reach M: every spin
// hits, in 通常 and in 確変 alike.
TEST(Theory, a_denominator_below_zero_hits_on_every_spin) {
    EXPECT_EQ(spinHitChance(-5, 1000), 1);
    EXPECT_EQ(spinHitChance(0, 1000), 1);
    StoredConditions conditions = defaultConditions();
    conditions.basic[basicColumnIndex(Field::条件_確率)] = "-5";
    MainWindowModel model;
    applyConditions(model, conditions);
    const TheoryOutcome outcome = theoreticalFigures(model, 1000);
    ASSERT_TRUE(outcome.ok()) << static_cast<int>(outcome.error().kind);
    EXPECT_EQ(outcome->spinsPerFirstHit, 1);
    EXPECT_EQ(outcome->hitChance確変, 1);
}

// はまり: a first hit needs at least n spins when the first n − 1 all miss.
TEST(Theory, hamari_chances_are_geometric) {
    EXPECT_EQ(hamariChance(0.01, 1), 1);
    EXPECT_NEAR(hamariChance(0.01, 2), 0.99, 1e-15);
    EXPECT_NEAR(hamariChance(1.0 / 300, 901), std::pow(299.0 / 300, 900), 1e-15);
    EXPECT_EQ(hamariChance(1, 5), 0);
}

TEST(Theory, refuses_conditions_a_run_refuses) {
    MainWindowModel model;
    StoredConditions conditions = defaultConditions();
    conditions.playSchedule = "00000000000000";
    applyConditions(model, conditions);
    const TheoryOutcome outcome = theoreticalFigures(model, 1000);
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error().kind, ErrorKind::NoPlayedSlot);
}

// The sample with the limiter: its days end in a streak on well under 0.1% of days, so the
// theory that assumes no day ends should hold within the campaigns' 95% intervals.
TEST(Theory, agrees_with_long_seeded_simulations_within_their_intervals) {
    TempFolder folder;
    const CampaignSetup setup = loadedSetup(folder, sampleNamed("リミッター5回399"), 8);
    const TheoryOutcome theory = theoreticalFigures(setup.loaded, setup.countdown);
    ASSERT_TRUE(theory.ok());
    CampaignAnalysis analysis(setup, {400, 2});
    NoEvents pump;
    const AnalysisOutcome simulated = analysis.run(quietSeams(pump), {nullptr, nullptr});
    ASSERT_EQ(simulated.end, AnalysisEnd::Done);
    const AnalysisReport& report = simulated.report;
    EXPECT_LT(report.shareOfDaysEndedInStreak, 0.002);
    const auto within = [](const MeanEstimate& interval, double value) {
        return interval.low <= value && value <= interval.high;
    };
    EXPECT_TRUE(within(report.spinsPerFirstHit, theory->spinsPerFirstHit))
        << report.spinsPerFirstHit.low << " " << theory->spinsPerFirstHit << " "
        << report.spinsPerFirstHit.high;
    EXPECT_TRUE(within(report.streakPerFirstHit, theory->meanStreak))
        << report.streakPerFirstHit.low << " " << theory->meanStreak << " "
        << report.streakPerFirstHit.high;
    EXPECT_TRUE(within(report.payoutPerFirstHit, theory->payoutPerFirstHit))
        << report.payoutPerFirstHit.low << " " << theory->payoutPerFirstHit << " "
        << report.payoutPerFirstHit.high;
    // Intervals narrow enough to catch a wrong chain: a mean streak off by 1% falls outside.
    EXPECT_LT(report.streakPerFirstHit.high - report.streakPerFirstHit.low,
              0.02 * theory->meanStreak);
}

} // namespace
} // namespace zelkora::testing
