#include "common/error.h"
#include "results/statistics.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

class StatisticsTest : public ::testing::Test {
protected:
    StatisticsTest() { 統計データobCLR(fields); }
    std::string text(Field field) const { return fields.text(field); }
    // Closes day `day` with the given balance, as the day end leaves the daily strip.
    void closeDay(int day, double dayBalance, double cumulativeBalance) {
        fields.setNumber(Field::c日合計_日目, day);
        fields.setNumber(Field::c日合計_収支F, dayBalance);
        closeDayFigures(fields, cumulativeBalance);
    }

    FieldStore fields;
};

TEST_F(StatisticsTest, ClearsLeaveDayNumberBalanceAndHeldBalls) {
    for (Field field : {Field::持ち玉比率, Field::c日合計_日目, Field::c日合計_積算収支F,
                        Field::c日合計_収支F, Field::c大当り詳細_持玉数F}) {
        fields.setText(field, "77");
    }
    計算日合計CLR(fields);
    計算大当り詳細CLR(fields);
    EXPECT_EQ(text(Field::c日合計_収支F), "0");
    EXPECT_EQ(text(Field::c大当り詳細_当絵柄), "--");
    EXPECT_EQ(text(Field::c大当り詳細_状態), "通常");
    EXPECT_EQ(text(Field::c大当り詳細_日目), "0");
    for (Field kept : {Field::持ち玉比率, Field::c日合計_日目, Field::c日合計_積算収支F,
                       Field::c大当り詳細_持玉数F}) {
        EXPECT_EQ(text(kept), "77") << fieldName(kept);
    }
}

TEST_F(StatisticsTest, ExchangeSettlementTurnsHeldBallsIntoYen) {
    fields.setText(Field::条件_両替率, "28");
    fields.setText(Field::c大当り詳細_持玉数F, "1234");
    fields.setNumber(Field::c日合計_交換出玉, 100);
    fields.setNumber(Field::c日合計_収支F, -3000);
    Money money{1234.7, -4407.5};
    交換精算(fields, money);
    EXPECT_EQ(money.heldBalls, 0);
    EXPECT_EQ(text(Field::c大当り詳細_持玉数F), "0");
    EXPECT_EQ(text(Field::c大当り詳細_交換玉数), "1234");
    EXPECT_EQ(text(Field::c日合計_交換出玉), "1334");
    EXPECT_EQ(text(Field::c日合計_収支F), "1407"); // -3000 + Fix(1234 / 28 × 100)
    EXPECT_DOUBLE_EQ(money.cumulativeBalance, -0.5);
    EXPECT_EQ(text(Field::c日合計_積算収支F), "0"); // truncated toward zero, no "-0"
    EXPECT_EQ(text(Field::収支表示F), "0");

    fields.setText(Field::条件_両替率, "0");
    EXPECT_THROW(交換精算(fields, money), Fault);
}

TEST_F(StatisticsTest, DaysAtExactlyZeroYenAreAllWon) {
    closeDay(1, 0, 0);
    closeDay(2, 0, 0);
    EXPECT_EQ(text(Field::勝数表示), "2");
    EXPECT_EQ(text(Field::負け数表示), "0");
    EXPECT_EQ(text(Field::勝率表示), "100.");
}

TEST_F(StatisticsTest, WinRateAverageAndProbabilitiesAcrossDays) {
    fields.setNumber(Field::総回転数表示, 1000);
    closeDay(1, -4000, -4000);
    EXPECT_EQ(text(Field::勝率表示), "0"); // no won day yet
    EXPECT_EQ(text(Field::初当たり確率表示), "0");
    EXPECT_EQ(text(Field::確率表示), "0");
    closeDay(2, 1000, -3000);
    fields.setNumber(Field::初当たり数表示, 3);
    fields.setNumber(Field::総大当り数表示, 8);
    closeDay(3, -7000, -10000);
    EXPECT_EQ(text(Field::勝率表示), "33.33");
    EXPECT_EQ(text(Field::平均収支表示), "-3333"); // Fix(-10000 / 3)
    EXPECT_EQ(text(Field::初当たり確率表示), "333.33");
    EXPECT_EQ(text(Field::確率表示), "125.");
    closeDay(4, 10000, 0); // a balance back at 0 leaves the average as it was
    EXPECT_EQ(text(Field::平均収支表示), "-3333");
    EXPECT_EQ(text(Field::勝率表示), "50.");
}

TEST_F(StatisticsTest, CancelledDayDiffersFromTheDayClose) {
    fields.setText(Field::勝率表示, "shown");
    fields.setText(Field::平均収支表示, "-7");
    fields.setText(Field::確率表示, "99.");
    fields.setNumber(Field::総回転数表示, 1000);
    fields.setNumber(Field::初当たり数表示, 4);
    fields.setNumber(Field::総大当り数表示, 10);
    fields.setNumber(Field::c日合計_日目, 3);
    fields.setNumber(Field::c日合計_収支F, -1);
    closeCancelledDayFigures(fields, -300);
    EXPECT_EQ(text(Field::負け数表示), "1");
    EXPECT_EQ(text(Field::勝率表示), "shown");  // kept while nothing is won
    EXPECT_EQ(text(Field::平均収支表示), "-7"); // only a positive balance is averaged
    EXPECT_EQ(text(Field::初当たり確率表示), "250.");
    EXPECT_EQ(text(Field::確率表示), "99.");

    fields.setNumber(Field::c日合計_収支F, 0);
    closeCancelledDayFigures(fields, 10000);
    EXPECT_EQ(text(Field::勝率表示), "50.");
    EXPECT_EQ(text(Field::平均収支表示), "3333.33333333333"); // not truncated
}

TEST_F(StatisticsTest, GuardedFiguresChangeOnlyWhenTheirGuardHolds) {
    fields.setNumber(Field::初当たり数表示, 8);
    fields.setNumber(Field::総大当り数表示, 200);
    const auto refreshAll = [&] {
        refresh初当り確変率(fields);
        refresh総時短率(fields);
        refresh初当り時短率(fields);
        refresh確変率(fields);
        refresh平均連荘(fields);
    };
    refreshAll();
    EXPECT_EQ(text(Field::初当り確変率表示), "0");
    EXPECT_EQ(text(Field::総時短率表示), "0");
    EXPECT_EQ(text(Field::確変率表示), "0");

    fields.setNumber(Field::初当り確変数表示, 1);
    fields.setNumber(Field::確変数表示, 1);
    fields.setNumber(Field::総時短数表示, 80);
    fields.setNumber(Field::初当り時短数表示, 3);
    refreshAll();
    EXPECT_EQ(text(Field::初当り確変率表示), "12.5");
    EXPECT_EQ(text(Field::確変率表示), ".5");
    EXPECT_EQ(text(Field::総時短率表示), "40.");
    EXPECT_EQ(text(Field::初当り時短率表示), "37.5");
    EXPECT_EQ(text(Field::平均連荘表示), "25.");

    fields.setNumber(Field::初当たり数表示, 0); // a count over no first hit is a fault
    EXPECT_THROW(refresh初当り確変率(fields), Fault);

    refresh最大はまり(fields, 812);
    refresh最大はまり(fields, 700);
    EXPECT_EQ(text(Field::最大はまり表示), "812");
}

} // namespace
} // namespace zelkora
