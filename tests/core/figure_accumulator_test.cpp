#include "common/error.h"
#include "model/main_window_model.h"
#include "results/figure_accumulator.h"
#include "results/grids_and_charts.h"
#include "results/statistics.h"

#include <gtest/gtest.h>
#include <string>

namespace zelkora {
namespace {

// The accumulator fed by hand with the events a run hands it, and its figures read through the
// display fields as the window would show them.
class FigureAccumulatorTest : public ::testing::Test {
protected:
    FigureAccumulatorTest() {
        グラフCLR(model.charts);
        model.distributions.reset(2);
        統計データobCLR(model.fields);
        accumulator.reset(300, 25); // P = 300; 25 balls per 100 yen, a ball is worth 4 yen
    }
    std::string text(Field field) {
        accumulator.showDistributions();
        return model.fields.text(field);
    }
    // One big hit as the run reports it: its first counts, the symbol, the streak length it
    // leaves, its mode entries and whether it entered 確変.
    struct Hit {
        bool firstHit;
        bool into確変;
        bool into時短;
        std::int32_t streak;
    };
    void hit(const Hit& h) {
        accumulator.beginBigHit(h.firstHit);
        accumulator.countSymbol(0);
        model.distributions.setRunningStreak(h.streak);
        accumulator.countModeEntries(h.firstHit && h.into確変, h.into時短,
                                     h.firstHit && h.into時短 ? 1 : 0);
        accumulator.countStateEntry(h.into確変);
    }
    void spins(double count) {
        accumulator.addTotalSpins(count);
        accumulator.addDaySpins(count);
    }
    void endDay(double next) {
        accumulator.closeDay();
        accumulator.clearDayTotals();
        accumulator.beginDay(next);
    }

    MainWindowModel model;
    FigureAccumulator accumulator{model};
};

// A day end in 確変 drops the open streak: the next day's first hit starts a new one, and only
// streaks that end in 通常 are counted.
TEST_F(FigureAccumulatorTest, StreakCutByADayEndIsNotCounted) {
    spins(250);
    hit({true, true, false, 1});
    spins(10);
    hit({false, true, false, 2});
    endDay(2);
    spins(400);
    hit({true, false, false, 1});
    accumulator.endStreak();

    EXPECT_EQ(model.distributions.streakBucket(0), 1);
    EXPECT_EQ(model.distributions.streakBucket(1), 0);
    EXPECT_EQ(text(Field::初当たり数表示), "2");
    EXPECT_EQ(text(Field::確変数表示), "2");
    EXPECT_EQ(text(Field::確変率表示), "66.67");
    EXPECT_EQ(text(Field::初当り確変率表示), "50.");
    EXPECT_EQ(text(Field::平均連荘表示), "1.5");
    EXPECT_EQ(text(Field::最大はまり表示), "410"); // 660 - 250, across the day end
    EXPECT_EQ(text(Field::連荘1r), "50%");         // over the two first hits
    EXPECT_EQ(text(Field::c日合計_日目), "2");
    EXPECT_EQ(text(Field::c日合計_大当り数), "1");
    EXPECT_EQ(text(Field::確率表示), "130."); // refreshed only at the day close: 260 / 2
}

// A 時短 that runs out ends the streak of its first hit.
TEST_F(FigureAccumulatorTest, TimeSavingThatRunsOutEndsTheStreak) {
    spins(120);
    hit({true, false, true, 1});
    EXPECT_EQ(model.distributions.streakBucket(0), 0);
    accumulator.endStreak();
    EXPECT_EQ(model.distributions.streakBucket(0), 1);
    EXPECT_EQ(text(Field::連荘1r), "100%");
    EXPECT_EQ(text(Field::総時短数表示), "1");
    EXPECT_EQ(text(Field::総時短率表示), "100.");
    EXPECT_EQ(text(Field::初当り時短率表示), "100.");
    EXPECT_EQ(text(Field::確変率表示), "0");  // never shown without a 確変 entry
    EXPECT_EQ(text(Field::回転数3r), "100%"); // 2P/6 = 100 <= gap 120 < 3P/6 = 150
}

// The limiter sends the machine back to 通常 on a 確変 symbol: that hit is no 確変 entry, and
// the streak it ends is as long as the limit.
TEST_F(FigureAccumulatorTest, LimiterEndsTheStreakWithoutA確変Entry) {
    spins(300);
    hit({true, true, false, 1});
    hit({false, true, false, 2});
    hit({false, false, false, 3});
    accumulator.endStreak();
    EXPECT_EQ(model.distributions.streakBucket(2), 1);
    EXPECT_EQ(text(Field::確変数表示), "2");
    EXPECT_EQ(text(Field::確変率表示), "66.67");
    EXPECT_EQ(text(Field::平均連荘表示), "3.");
    EXPECT_EQ(text(Field::連荘3r), "100%");
}

// A day ended by 持金パンク: purchases until the cap refused more, no hit, a lost day.
TEST_F(FigureAccumulatorTest, BustDayIsLostAndAveragedOverItsDay) {
    spins(100);
    accumulator.invest(500, 3, true);
    accumulator.invest(500, 1, false);
    EXPECT_EQ(text(Field::c日合計_投資額F), "2000");
    EXPECT_EQ(text(Field::c日合計_収支F), "-2000");
    endDay(2);
    EXPECT_EQ(text(Field::負け数表示), "1");
    EXPECT_EQ(text(Field::勝率表示), "0");
    EXPECT_EQ(text(Field::平均収支表示), "-2000");
    EXPECT_EQ(text(Field::初当たり確率表示), "0"); // no first hit yet
    EXPECT_EQ(text(Field::c日合計_投資額F), "0");
    EXPECT_EQ(text(Field::収支表示F), "-2000");

    // A won second day: 1500 balls are 6000 yen.
    accumulator.invest(500, 2, true);
    accumulator.exchange(1500);
    endDay(3);
    EXPECT_EQ(text(Field::勝数表示), "1");
    EXPECT_EQ(text(Field::勝率表示), "50.");
    EXPECT_EQ(text(Field::平均収支表示), "1500"); // 3000 over 2 days
    EXPECT_EQ(text(Field::c日合計_積算収支F), "3000");
}

TEST_F(FigureAccumulatorTest, SumsReadBackAsTheirBoxesShowThem) {
    // A unit with more digits than the plain text keeps: each purchase starts from the shown
    // sum, as when the boxes were the store.
    accumulator.invest(1.0 / 3, 3, false);
    EXPECT_EQ(accumulator.figures().dayTotals.investment,
              plainValue(plainValue(1.0 / 3) + 1.0 / 3) + 1.0 / 3);
    EXPECT_EQ(text(Field::c日合計_投資額F), plainText(accumulator.figures().dayTotals.investment));
}

TEST_F(FigureAccumulatorTest, DayClosesWinRateAverageAndProbabilities) {
    struct Day {
        double balance;
        bool hit;
        const char* winRate;
        const char* average;
    };
    // Days at exactly 0 yen are won; a cumulative balance back at 0 keeps the average shown.
    const Day days[] = {{0, false, "100.", "0"},
                        {-4000, true, "50.", "-2000"},
                        {-6000, false, "33.33", "-3333"},
                        {10000, false, "50.", "-3333"}};
    double day = 1;
    for (const Day& d : days) {
        spins(250);
        if (d.hit) {
            hit({true, false, false, 1});
        }
        if (d.balance < 0) {
            accumulator.invest(-d.balance, 1, true);
        } else {
            accumulator.exchange(d.balance / 4);
        }
        endDay(++day);
        EXPECT_EQ(text(Field::勝率表示), d.winRate) << "day " << day - 1;
        EXPECT_EQ(text(Field::平均収支表示), d.average) << "day " << day - 1;
    }
    EXPECT_EQ(text(Field::初当たり確率表示), "1000.");
    EXPECT_EQ(text(Field::確率表示), "1000.");
}

TEST_F(FigureAccumulatorTest, CancelledDayDiffersFromTheDayClose) {
    spins(1000);
    for (int first = 0; first < 4; ++first) {
        hit({true, false, false, 1});
    }
    accumulator.invest(300, 1, true);
    accumulator.closeCancelledDay();
    EXPECT_EQ(text(Field::負け数表示), "1");
    EXPECT_EQ(text(Field::勝率表示), "0");     // kept while nothing is won
    EXPECT_EQ(text(Field::平均収支表示), "0"); // only a positive balance is averaged
    EXPECT_EQ(text(Field::初当たり確率表示), "250.");
    EXPECT_EQ(text(Field::確率表示), "0"); // not refreshed by Cancel

    accumulator.clearDayTotals();
    accumulator.beginDay(3);
    accumulator.exchange(2575); // 10300 yen: the cumulative balance is 10000
    accumulator.closeCancelledDay();
    EXPECT_EQ(text(Field::勝率表示), "50.");
    EXPECT_EQ(text(Field::平均収支表示), "3333.33333333333"); // not truncated
}

TEST_F(FigureAccumulatorTest, ExchangeTurnsBallsIntoYenAndFailsWithoutARate) {
    FieldStore& fields = model.fields;
    fields.setText(Field::c大当り詳細_持玉数F, "1234");
    accumulator.reset(300, 28);
    accumulator.invest(3000, 1, true);
    Money money{1234.7};
    交換精算(fields, money, accumulator);
    EXPECT_EQ(money.heldBalls, 0);
    EXPECT_EQ(text(Field::c大当り詳細_持玉数F), "0");
    EXPECT_EQ(text(Field::c大当り詳細_交換玉数), "1234");
    EXPECT_EQ(text(Field::c日合計_交換出玉), "1234");
    EXPECT_EQ(text(Field::c日合計_収支F), "1407"); // -3000 + Fix(1234 / 28 × 100)

    accumulator.reset(300, 0);
    EXPECT_THROW(accumulator.exchange(10), Fault);
}

TEST_F(FigureAccumulatorTest, ClearsLeaveDayNumberBalanceAndHeldBalls) {
    FieldStore& fields = model.fields;
    for (Field field : {Field::持ち玉比率, Field::c日合計_日目, Field::c日合計_積算収支F,
                        Field::c日合計_収支F, Field::c大当り詳細_持玉数F}) {
        fields.setText(field, "77");
    }
    計算日合計CLR(fields);
    計算大当り詳細CLR(fields);
    EXPECT_EQ(fields.text(Field::c日合計_収支F), "0");
    EXPECT_EQ(fields.text(Field::c大当り詳細_当絵柄), "--");
    EXPECT_EQ(fields.text(Field::c大当り詳細_状態), "通常");
    EXPECT_EQ(fields.text(Field::c大当り詳細_日目), "0");
    for (Field kept : {Field::持ち玉比率, Field::c日合計_日目, Field::c日合計_積算収支F,
                       Field::c大当り詳細_持玉数F}) {
        EXPECT_EQ(fields.text(kept), "77") << fieldName(kept);
    }
}

} // namespace
} // namespace zelkora
