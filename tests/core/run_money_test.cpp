#include "run_harness.h"

#include <gtest/gtest.h>
#include <map>

namespace zelkora::testing {
namespace {

const auto& column = RunHarness::column;

// 25 spins per 1000 yen and a unit of 1000 yen: 250 balls per unit, 10 balls per spin.
void tenBallsPerSpin(RunHarness& run) {
    run.set(Field::条件_回転数1000円, "25");
    run.set(Field::条件_投資単位, "1000");
}

TEST(Purchase, TwentyFiveSpinsPerThousandYenBuyBeforeSpinsOneAndTwentyFive) {
    RunHarness run;
    tenBallsPerSpin(run);
    run.scriptStart();
    std::map<std::int64_t, std::pair<std::string, std::string>> seen;
    run.pump.onYield = [&](std::int64_t yield) {
        seen[yield] = {run.field(Field::c大当り詳細_投資額F),
                       run.field(Field::c大当り詳細_持玉数F)};
    };
    run.start();
    EXPECT_EQ(seen[1], (std::pair<std::string, std::string>{"1000", "240"}));
    EXPECT_EQ(seen[24], (std::pair<std::string, std::string>{"1000", "10"}));
    EXPECT_EQ(seen[25], (std::pair<std::string, std::string>{"2000", "250"}));
    EXPECT_EQ(seen[26], (std::pair<std::string, std::string>{"2000", "240"}));
}

TEST(MoneyBust, CapWithoutReinvestmentRefusesTheEleventhUnit) {
    RunHarness run;
    tenBallsPerSpin(run);
    run.set(Field::条件_投資上限日, "10000");
    run.set(Field::条件_出玉を両替, "いいえ");
    run.scriptStart();
    run.start();

    ASSERT_EQ(run.workingCopy.results.size(), 1U);
    const auto& day = run.record(1);
    EXPECT_EQ(column(day, kRule), "持金パンク");
    EXPECT_EQ(column(day, kSpins), "249"); // ten units bought at spins 1, 25, 50 … 225
    EXPECT_EQ(column(day, kInvestment), "10000");
    EXPECT_EQ(column(day, kHeldBalls), "0");
    EXPECT_EQ(column(day, kExchanged), "0"); // the 10 balls left are dropped
    EXPECT_EQ(run.model.grids.grid3.cell(1, 5), "-10000");
    EXPECT_EQ(run.random.draws, 2 + 249);
}

TEST(MoneyBust, ReinvestmentLetsExchangedYenBeInvestedAgain) {
    RunHarness run;
    tenBallsPerSpin(run);
    run.set(Field::条件_投資上限日, "10000");
    run.set(Field::条件_出玉を両替, "はい");
    // 240 balls left after the first spin plus 960 paid: 1200 balls exchanged for 3000 yen.
    run.setSymbols({symbol("E", "通常", 0, "通常時交換", 960)});
    run.scriptStart();
    run.scriptHit(0);
    run.start();

    ASSERT_EQ(run.workingCopy.results.size(), 2U);
    EXPECT_EQ(column(run.record(1), kExchanged), "1200");
    EXPECT_EQ(column(run.record(2), kRule), "持金パンク");
    EXPECT_EQ(column(run.record(2), kInvestment), "12000");
    const GridTable& days = run.model.grids.grid3;
    EXPECT_EQ(days.cell(1, 1), "13000"); // the balance stays at or above -10000
    EXPECT_EQ(days.cell(1, 4), "1200");
    EXPECT_EQ(days.cell(1, 5), "-10000");
}

TEST(MoneyBust, LastDayBustEndsTheRun) {
    RunHarness run;
    tenBallsPerSpin(run);
    run.set(Field::条件_投資上限日, "10000");
    run.set(Field::条件_何日分, "2");
    run.scriptStart();
    run.start();
    ASSERT_EQ(run.workingCopy.results.size(), 2U);
    EXPECT_EQ(column(run.record(2), kRule), "持金パンク");
    EXPECT_EQ(column(run.record(2), kDay), "2");
    EXPECT_EQ(run.field(Field::負け数表示), "2");
    EXPECT_EQ(run.field(Field::平均収支表示), "-10000");
    EXPECT_TRUE(run.ui.showed(kRunEndMessage));
}

// A cap below one unit lets no purchase through, also not on the first spin of the day after a
// day that ended: every day ends at once with 持金パンク and not a yen invested.
TEST(MoneyBust, CapBelowOneUnitEndsEveryDayBeforeItsFirstSpin) {
    for (const char* reinvest : {"はい", "いいえ"}) {
        SCOPED_TRACE(reinvest);
        RunHarness run;
        tenBallsPerSpin(run);
        run.set(Field::条件_投資上限日, "500");
        run.set(Field::条件_出玉を両替, reinvest);
        run.set(Field::条件_何日分, "3");
        run.scriptStart();
        run.start();

        ASSERT_EQ(run.workingCopy.results.size(), 3U);
        for (std::size_t day = 1; day <= 3; ++day) {
            EXPECT_EQ(column(run.record(day), kDay), std::to_string(day));
            EXPECT_EQ(column(run.record(day), kRule), "持金パンク");
            EXPECT_EQ(column(run.record(day), kSpins), "0");
            EXPECT_EQ(column(run.record(day), kInvestment), "0");
        }
        EXPECT_EQ(run.random.draws, 2) << "no spin was drawn";
        EXPECT_TRUE(run.ui.showed(kRunEndMessage));
    }
}

// A day that ends by time hands its last spin to the next day, whose cap it is held to.
TEST(MoneyBust, FirstSpinAfterADayEndedByTimeBuysWithinTheNewDaysCap) {
    RunHarness run;
    run.set(Field::条件_投資上限日, "500000");
    run.set(Field::条件_何日分, "2");
    run.conditions.playSchedule = "10000000000000"; // one hour: 360 spins of 10 s
    run.scriptStart();
    run.start();
    ASSERT_EQ(run.workingCopy.results.size(), 2U);
    EXPECT_EQ(column(run.record(1), kRule), "回転数終了");
    EXPECT_EQ(column(run.record(1), kSpins), "360");
    EXPECT_EQ(column(run.record(2), kSpins), "360");
    EXPECT_EQ(column(run.record(1), kInvestment), column(run.record(2), kInvestment));
}

TEST(PlaySchedule, GapInsideTheScheduleCountsAsPlayTime) {
    RunHarness run;
    run.set(Field::条件_投資上限日, "500000");
    run.conditions.playSchedule = "11110011110000";
    run.scriptStart();
    run.start();
    EXPECT_EQ(column(run.record(1), kSpins), "3600"); // 10 hours
}

TEST(PlaySchedule, HourBarsBeginAtTheFirstPlayedSlot) {
    RunHarness run;
    run.set(Field::条件_投資上限日, "500000");
    run.conditions.playSchedule = "00111111110000";
    run.scriptStart();
    std::map<std::int64_t, std::array<double, 3>> bars;
    run.pump.onYield = [&](std::int64_t yield) {
        const FieldStore& fields = run.model.fields;
        bars[yield] = {fields.number(progressBarField(3)), fields.number(progressBarField(4)),
                       fields.number(progressBarField(5))};
    };
    run.start();
    // At a spin's yield the bars show the spin before it: spin 30 ended at 300 s.
    EXPECT_EQ(bars[31], (std::array<double, 3>{0, 5, 0}));
    // In the second hour the first bar keeps the last minute of its hour.
    EXPECT_EQ(bars[370], (std::array<double, 3>{0, 59, 1}));
    EXPECT_EQ(run.model.fields.number(progressBarField(4)), 59);
}

TEST(PlaySchedule, TimeRatioStretchesNormalSpinsOnly) {
    RunHarness run;
    run.set(Field::条件_投資上限日, "500000");
    run.set(Field::条件_回転時間, "6");
    run.set(Field::条件_時間比率, "50");
    run.scriptStart();
    run.start();
    EXPECT_EQ(column(run.record(1), kSpins), "2400"); // 12 s per spin in 8 hours
}

TEST(PlaySchedule, DayEndClearsTheBarsAndShowsTheNextDay) {
    RunHarness run;
    run.set(Field::条件_投資上限日, "500000");
    run.set(Field::条件_何日分, "2");
    run.scriptStart();
    run.timers.seconds = 150; // the first day took 150 s of real time
    std::string dayLabel;
    std::string remaining;
    double barAtStartOfDayTwo = -1;
    double progress = -1;
    run.pump.onYield = [&](std::int64_t) {
        if (dayLabel.empty() && run.field(Field::c日合計_日目) == "2") {
            dayLabel = run.field(Field::date);
            remaining = run.field(Field::StatusBar1_Panel2);
            barAtStartOfDayTwo = run.model.fields.number(progressBarField(9));
            progress = run.model.fields.number(Field::ProgressBar1);
        }
    };
    run.start();
    EXPECT_EQ(dayLabel, "2　日目");
    EXPECT_EQ(remaining, "残り　約　2分"); // one day of 150 s left: 2.5 minutes, halves to even
    EXPECT_EQ(progress, 50);
    EXPECT_EQ(barAtStartOfDayTwo, 0);
    // Both days have their balance row, the last one too, as a rebuild of the run gives them.
    EXPECT_EQ(run.model.charts.chart2.rowCount(), 2);
}

} // namespace
} // namespace zelkora::testing
