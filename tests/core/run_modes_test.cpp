#include "run_harness.h"

#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

const auto& column = RunHarness::column;

RunHarness& richPlayer(RunHarness& run) {
    run.set(Field::条件_投資上限日, "500000");
    return run;
}

TEST(Limiter, CutsTheStreakAtExactlyItsCount) {
    RunHarness run;
    richPlayer(run);
    run.setSymbols({symbol("K", "確変", 0, "通常時交換", 1000)});
    run.set(Field::条件_リミッター, "はい");
    run.set(Field::条件_リミッター数, "3");
    run.scriptStart();
    run.scriptMisses(5);
    run.scriptHit(0);
    run.scriptMisses(3);
    run.scriptHit(0);
    run.scriptMisses(2);
    run.scriptHit(0);
    run.start();

    ASSERT_EQ(run.workingCopy.results.size(), 4U);
    EXPECT_EQ(column(run.record(1), kState), "通常");
    EXPECT_EQ(column(run.record(2), kState), "確変");
    EXPECT_EQ(column(run.record(3), kState), "確変");
    EXPECT_EQ(column(run.record(3), kStreak), "3");
    EXPECT_EQ(run.field(Field::確変数表示), "2");          // the hit at the limit is not counted
    EXPECT_EQ(column(run.record(4), kShortSpins), "0");    // back in 通常 at once
    EXPECT_EQ(run.model.distributions.streakBucket(2), 1); // one streak of three
    EXPECT_EQ(run.field(Field::連荘3r), "100%");
}

TEST(Limiter, LeadsIntoAPendingShortTime) {
    RunHarness run;
    richPlayer(run);
    run.setSymbols({symbol("K", "確変", 10, "通常時交換", 1000)});
    run.set(Field::条件_リミッター, "はい");
    run.set(Field::条件_リミッター数, "3");
    run.scriptStart();
    for (int hit = 0; hit < 3; ++hit) {
        run.scriptMisses(2);
        run.scriptHit(0);
    }
    run.start();

    ASSERT_EQ(run.workingCopy.results.size(), 4U);
    EXPECT_EQ(column(run.record(4), kShortSpins), "10");
    EXPECT_EQ(run.field(Field::確変数表示), "2");
    EXPECT_EQ(run.model.distributions.streakBucket(2), 1);
}

TEST(ShortTime, NormalSymbolDuringItResumesTheRemainingSpins) {
    RunHarness run;
    richPlayer(run);
    run.setSymbols(
        {symbol("S", "通常", 100, "通常時交換", 1000), symbol("N", "通常", 0, "通常時交換", 1000)});
    run.scriptStart();
    run.scriptMisses(3);
    run.scriptHit(0);
    run.scriptMisses(59); // the hitting spin is the 60th of the 時短
    run.scriptHit(1);
    run.start();

    ASSERT_EQ(run.workingCopy.results.size(), 3U);
    EXPECT_EQ(column(run.record(2), kState), "時短");
    EXPECT_EQ(column(run.record(2), kShortSpins), "60");
    EXPECT_EQ(column(run.record(2), kStreak), "2");
    EXPECT_EQ(column(run.record(3), kShortSpins), "40"); // 100 - 60 carried on
}

TEST(ShortTime, SecondNormalSymbolEndsItForGood) {
    RunHarness run;
    richPlayer(run);
    run.setSymbols(
        {symbol("S", "通常", 100, "通常時交換", 1000), symbol("N", "通常", 0, "通常時交換", 1000)});
    run.scriptStart();
    run.scriptMisses(3);
    run.scriptHit(0);
    run.scriptMisses(59);
    run.scriptHit(1);
    run.scriptMisses(9);
    run.scriptHit(1);
    run.start();

    ASSERT_EQ(run.workingCopy.results.size(), 4U);
    EXPECT_EQ(column(run.record(3), kState), "時短");
    EXPECT_EQ(column(run.record(3), kShortSpins), "10");
    EXPECT_EQ(column(run.record(3), kStreak), "3");
    EXPECT_EQ(column(run.record(4), kShortSpins), "0");
    EXPECT_EQ(run.field(Field::総時短回転数表示), "70");
    EXPECT_EQ(run.model.distributions.streakBucket(2), 1);
}

TEST(GraceHour, StreakInProbabilityChangePlaysOneMoreHour) {
    RunHarness run;
    richPlayer(run);
    run.set(Field::条件_何日分, "2");
    run.setSymbols(
        {symbol("K", "確変", 0, "通常時交換", 1000), symbol("E", "通常", 0, "通常時交換", 1000)});
    run.scriptStart();
    run.scriptMisses(2799);
    run.scriptHit(0); // at 28000 s, 28180 s after the hit
    run.scriptMisses(704);
    // On day 2 a fraction of 0.01 would hit with 確変 odds (316 ÷ 6) but not with 316.
    run.random.pushRepeated(0.01F, 20);
    double denominatorOnDayTwo = 0;
    run.pump.onYield = [&](std::int64_t) {
        if (run.field(Field::c日合計_日目) == "2") {
            denominatorOnDayTwo = run.engine.denominator();
        }
    };
    run.start();

    const auto& dayEnd = run.record(2);
    EXPECT_EQ(column(dayEnd, kRule), "回転数終了");
    EXPECT_EQ(column(dayEnd, kState), "確変");
    EXPECT_EQ(column(dayEnd, kShortSpins), "704"); // 28180 + 704 × 6 passes 28800 + 3600
    // The day end puts the denominator back with the state.
    EXPECT_EQ(denominatorOnDayTwo, 316);
    EXPECT_EQ(run.workingCopy.results.size(), 3U);
    EXPECT_EQ(column(run.record(3), kBigHit), "--");
}

TEST(UntilNextHit, DayDoesNotEndByTimeUntilTheStateChanges) {
    RunHarness run;
    richPlayer(run);
    run.setSymbols({symbol("J", "次まで時短", 0, "通常時交換", 1000),
                    symbol("E", "通常", 0, "通常時交換", 1000)});
    run.scriptStart();
    run.scriptMisses(2799);
    run.scriptHit(0);
    run.scriptMisses(999); // 6000 s with the hitting spin, past the day and its grace hour
    run.scriptHit(1);
    run.start();

    ASSERT_EQ(run.workingCopy.results.size(), 3U);
    EXPECT_EQ(column(run.record(2), kState), "時短");
    EXPECT_EQ(column(run.record(2), kShortSpins), "1000");
    EXPECT_EQ(column(run.record(2), kStreak), "2");
    EXPECT_EQ(column(run.record(3), kRule), "回転数終了");
    EXPECT_EQ(column(run.record(3), kSpins), "0"); // the first check after the hit ends the day
    EXPECT_EQ(run.random.draws, 2 + 2800 + 1 + 1000 + 1);
    EXPECT_EQ(run.field(Field::総時短数表示), "1");
    EXPECT_EQ(run.field(Field::初当り時短数表示), "1");
}

TEST(RuleDigits, DigitThreeGrantsUnlimitedOnlyOnFirstHitsUnderExchange) {
    RunHarness run;
    richPlayer(run);
    run.conditions.ruleOptionDigits = "3122";
    run.setSymbols(
        {symbol("K", "確変", 0, "通常時交換", 1000), symbol("U", "通常", 0, "無制限", 1000)});
    run.scriptStart();
    run.scriptHit(0);
    run.scriptMisses(1);
    run.scriptHit(1); // in the streak: exchanged
    run.scriptMisses(1);
    run.scriptHit(1); // first hit under 交換: 無制限
    run.start();

    EXPECT_EQ(column(run.record(2), kRule), "交換");
    EXPECT_NE(column(run.record(2), kExchanged), "0");
    EXPECT_EQ(column(run.record(2), kHeldBalls), "0");
    EXPECT_EQ(column(run.record(3), kRule), "無制限");
    EXPECT_EQ(column(run.record(3), kExchanged), "0");
    EXPECT_EQ(column(run.record(3), kHeldBalls), "1106"); // 125 - 2 × 9.26 + 1000, kept
}

// A 無制限 hit, 30 spins that use up its balls, then a hit with an exchange symbol.
std::string ruleAfterBallsUsedUp(std::string digits) {
    RunHarness run;
    richPlayer(run);
    run.conditions.ruleOptionDigits = std::move(digits);
    run.setSymbols(
        {symbol("U", "通常", 0, "無制限", 100), symbol("E", "通常", 0, "通常時交換", 100)});
    run.scriptStart();
    run.scriptHit(0);
    run.scriptMisses(30);
    run.scriptHit(1);
    run.start();
    EXPECT_EQ(column(run.record(1), kRule), "無制限");
    return column(run.record(2), kRule);
}

TEST(RuleDigits, DigitFourSendsAnEmptyHandedPlayerBackToExchange) {
    EXPECT_EQ(ruleAfterBallsUsedUp("1121"), "交換");
    EXPECT_EQ(ruleAfterBallsUsedUp("1122"), "無制限");
}

// A hit in the service-time first hour, then one in the second hour, both with an exchange
// symbol: the records of both.
std::pair<std::array<std::string, 11>, std::array<std::string, 11>>
serviceTimeHits(std::uint8_t serviceTimeRule) {
    RunHarness run;
    richPlayer(run);
    run.conditions.playSchedule = "02111111100000";
    run.conditions.serviceTimeRule = serviceTimeRule;
    run.setSymbols({symbol("E", "通常", 0, "通常時交換", 1000)});
    run.scriptStart();
    run.scriptHit(0);
    run.scriptMisses(360);
    run.scriptHit(0);
    run.start();
    return {run.record(1), run.record(2)};
}

TEST(ServiceTime, ExchangeStepKeepsTheBallsUnderEachRule) {
    const std::array<std::string, 3> laterRule{"無制限", "交換", "ラッキー"};
    for (std::uint8_t rule = 0; rule < 3; ++rule) {
        SCOPED_TRACE(rule);
        const auto [inServiceTime, nextHour] = serviceTimeHits(rule);
        EXPECT_EQ(column(inServiceTime, kRule), "ｻｰﾋﾞｽ　ﾀｲﾑ");
        EXPECT_EQ(column(inServiceTime, kExchanged), "0");
        EXPECT_EQ(column(inServiceTime, kHeldBalls), "1115"); // 125 - 9.26 + 1000
        EXPECT_EQ(column(nextHour, kRule), laterRule[rule]);
        EXPECT_EQ(column(nextHour, kExchanged) == "0", rule != 1);
    }
}

TEST(SymbolConvergence, EveryTenthHitGoesToTheLeastHitSymbol) {
    RunHarness run;
    richPlayer(run);
    run.setSymbols({symbol("A", "通常", 0, "通常時交換", 100),
                    symbol("B", "通常", 0, "通常時交換", 100),
                    symbol("C", "通常", 0, "通常時交換", 100)});
    run.model.commands.toggleSymbolConvergence();
    run.scriptStart();
    for (int hit = 0; hit < 10; ++hit) {
        run.scriptMisses(1);
        run.scriptHit(2);
    }
    run.start();
    EXPECT_EQ(column(run.record(9), kSymbol), "C");
    EXPECT_EQ(column(run.record(10), kSymbol), "A"); // A and B tie; the first in the table
    EXPECT_EQ(run.model.distributions.symbolHits(0), 1);
    EXPECT_EQ(run.model.distributions.symbolHits(2), 9);
}

TEST(ProbabilityConvergence, RecomputesAfterTwentyTimesNSpins) {
    RunHarness run;
    richPlayer(run);
    run.set(Field::条件_確率, "10");
    run.setSymbols({symbol("E", "通常", 0, "通常時交換", 100)});
    run.model.commands.toggleProbabilityConvergence();
    run.scriptStart();
    for (int hit = 0; hit < 40; ++hit) {
        run.scriptMisses(4);
        run.scriptHit(0);
    }
    // 0.06 hits 1 in 10 but not 1 in 19.
    run.random.pushRepeated(0.06F, 5);
    run.pump.onYield = [&](std::int64_t) {
        if (run.field(Field::総回転数表示) == "205") {
            run.engine.MK_Cancel();
        }
    };
    run.start();
    // At spin 200, X is the shown 199 ÷ 39 = 5.1: C = Fix(float(10 ÷ 5.1) × 10) = 19.
    EXPECT_EQ(run.engine.correctedDenominator(), 19);
    EXPECT_EQ(run.workingCopy.results.size(), 41U);
}

TEST(ProbabilityConvergence, KeepsTheDenominatorWhileNoFirstHitIsShown) {
    RunHarness run;
    richPlayer(run);
    run.set(Field::条件_確率, "10");
    run.model.commands.toggleProbabilityConvergence();
    run.scriptStart();
    run.start();
    EXPECT_EQ(run.engine.correctedDenominator(), 10);
    EXPECT_EQ(run.workingCopy.results.size(), 1U);
}

} // namespace
} // namespace zelkora::testing
