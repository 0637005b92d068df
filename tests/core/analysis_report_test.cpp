#include "analysis/analysis_report.h"

#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

CampaignFigures campaign(std::int64_t index, std::vector<double> byDay, double won, int bustDays,
                         double hours) {
    CampaignFigures figures;
    figures.index = index;
    figures.cumulativeBalanceByDay = std::move(byDay);
    figures.finalBalance = figures.cumulativeBalanceByDay.back();
    figures.overall[overallFigureIndex(Field::勝数表示)] = won;
    figures.overall[overallFigureIndex(Field::収支表示F)] = figures.finalBalance;
    figures.overall[overallFigureIndex(Field::総回転数表示)] = 600 * hours;
    figures.overall[overallFigureIndex(Field::初当たり数表示)] = 2 * hours;
    figures.overall[overallFigureIndex(Field::総大当り数表示)] = 5 * hours;
    figures.bustDays = bustDays;
    figures.daysEndedInStreak = bustDays == 0 ? 1 : 0;
    figures.playSeconds = hours * 3600;
    figures.payoutBalls = 4000 * hours;
    return figures;
}

// Three campaigns of two days, worked out by hand below.
TEST(AnalysisAccumulator, folds_a_small_exact_case) {
    AnalysisAccumulator accumulator(2);
    accumulator.add(campaign(0, {-500, -1000}, 0, 1, 10));
    accumulator.add(campaign(1, {300, 500}, 1, 0, 20));
    accumulator.add(campaign(2, {1000, 2000}, 2, 2, 10));
    const AnalysisReport report = accumulator.report();

    EXPECT_EQ(report.campaigns, 3);
    EXPECT_EQ(report.days, 2);
    // Final balances −1000, 500, 2000: mean 500, deviations −1500, 0, 1500, variance 2250000.
    EXPECT_DOUBLE_EQ(report.finalBalance.mean, 500);
    EXPECT_DOUBLE_EQ(report.finalBalance.standardDeviation, 1500);
    EXPECT_TRUE(report.finalPercentilesExact);
    // The 1% point lies 0.02 of the way from −1000 to 500; the median is 500.
    EXPECT_DOUBLE_EQ(report.finalPercentiles[0], -970);
    EXPECT_DOUBLE_EQ(report.finalPercentiles[3], 500);
    EXPECT_DOUBLE_EQ(report.finalPercentiles[6], 1970);
    EXPECT_EQ(report.finalMinimum, -1000);
    EXPECT_EQ(report.finalMaximum, 2000);
    EXPECT_DOUBLE_EQ(report.endedAhead.share, 2.0 / 3);
    EXPECT_DOUBLE_EQ(report.wentBust.share, 2.0 / 3);
    EXPECT_DOUBLE_EQ(report.winningDays.mean, 1);
    EXPECT_EQ(report.winningDayCounts, (std::vector<std::int64_t>{1, 1, 1}));
    EXPECT_DOUBLE_EQ(report.balancePerDay.mean, 250); // (−500 + 250 + 1000) / 3
    EXPECT_DOUBLE_EQ(report.balancePerHour.mean, 1500.0 / 40);

    ASSERT_EQ(report.dayBands.size(), 2U);
    EXPECT_EQ(report.dayBands[0].day, 1);
    EXPECT_DOUBLE_EQ(report.dayBands[0].mean, 800.0 / 3);
    EXPECT_DOUBLE_EQ(report.dayBands[0].percentiles[2], 300);  // the median of day 1
    EXPECT_DOUBLE_EQ(report.dayBands[1].percentiles[0], -850); // 0.1 of the way to 500
    EXPECT_TRUE(report.dayBandsExact);

    EXPECT_DOUBLE_EQ(report.overallMeans[overallFigureIndex(Field::勝数表示)].mean, 1);
    // Pooled per first hit: 600 spins, 2.5 hits and 2000 balls for every first hit.
    EXPECT_DOUBLE_EQ(report.spinsPerFirstHit.mean, 300);
    EXPECT_DOUBLE_EQ(report.streakPerFirstHit.mean, 2.5);
    EXPECT_DOUBLE_EQ(report.payoutPerFirstHit.mean, 2000);
    EXPECT_DOUBLE_EQ(report.shareOfDaysEndedInStreak, 1.0 / 6);
}

TEST(AnalysisAccumulator, turns_to_estimated_bands_when_the_days_outgrow_the_budget) {
    const int days = static_cast<int>(kExactQuantileBudget / 4) + 1; // room for 3 each
    AnalysisAccumulator accumulator(days);
    for (std::int64_t index = 0; index < 4; ++index) {
        accumulator.add(
            campaign(index, std::vector<double>(3, static_cast<double>(index)), 0, 0, 1));
    }
    const AnalysisReport report = accumulator.report();
    EXPECT_FALSE(report.dayBandsExact);
    EXPECT_TRUE(report.finalPercentilesExact);
    EXPECT_DOUBLE_EQ(report.dayBands[0].percentiles[2], 1.5); // P² is still exact at 4 values
}

} // namespace
} // namespace zelkora::testing
