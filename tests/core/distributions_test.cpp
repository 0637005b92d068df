#include "common/error.h"
#include "model/main_window_model.h"
#include "results/distributions.h"
#include "results/grids_and_charts.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

class DistributionsTest : public ::testing::Test {
protected:
    DistributionsTest() {
        グラフCLR(charts);
        distributions.reset(3);
    }
    std::string text(Field field) const { return fields.text(field); }
    // A first hit after `gap` spins with P = 300, counted and shown as the big-hit steps do.
    void firstHitAfter(double gap) {
        fields.add(Field::初当たり数表示, 1);
        distributions.classifyFirstHitGap(gap, 300);
        回転数分布表示(distributions, fields, charts.chart3);
    }
    static int spinBucketOf(double gap, double p) {
        DistributionCounters fresh;
        fresh.classifyFirstHitGap(gap, p);
        int bucket = 0;
        while (fresh.spinBucket(bucket) == 0) {
            ++bucket;
        }
        return bucket;
    }
    void recordStreak(std::int32_t length) {
        fields.add(Field::初当たり数表示, 1);
        distributions.setRunningStreak(length);
        連荘分布記録(distributions, fields, charts.chart4);
    }

    FieldStore fields;
    Charts charts;
    DistributionCounters distributions;
};

TEST_F(DistributionsTest, SpinBucketBoundariesAreStrict) {
    EXPECT_EQ(spinBucketOf(49, 300), 0);
    EXPECT_EQ(spinBucketOf(50, 300), 1);  // 50 < 50 is false
    EXPECT_EQ(spinBucketOf(300, 300), 6); // exactly P: "<確率の2倍"
    EXPECT_EQ(spinBucketOf(899, 300), 7);
    EXPECT_EQ(spinBucketOf(900, 300), 8);
}

TEST_F(DistributionsTest, SpinDisplayShowsRoundedAndCumulativeShares) {
    firstHitAfter(60);  // bucket 1
    firstHitAfter(180); // bucket 3
    firstHitAfter(220); // bucket 4
    EXPECT_EQ(text(Field::回転数1r), "0%");
    EXPECT_EQ(text(Field::回転数1t), ".%");
    EXPECT_EQ(text(Field::回転数2r), "33.33%");
    EXPECT_EQ(text(Field::回転数2t), "33.3%");
    EXPECT_EQ(text(Field::回転数4t), "66.7%");
    EXPECT_EQ(text(Field::回転数5t), "100.%"); // 99.99 rounds to a whole number, point kept
    EXPECT_EQ(charts.chart3.value(2, 1), "33.33");
    EXPECT_EQ(charts.chart3.label(1), "<確率の1/6"); // no longer the cleared "<1/6確率"
    EXPECT_EQ(charts.chart3.label(9), ">確率の3倍");

    firstHitAfter(1000); // every share is now 25
    EXPECT_EQ(text(Field::回転数2r), "25%");
    EXPECT_EQ(text(Field::回転数9r), "25%");
    for (int hit = 0; hit < 4; ++hit) {
        firstHitAfter(1000);
    }
    EXPECT_EQ(text(Field::回転数2r), "12.5%");
    fields.setNumber(Field::初当たり数表示, 200);
    回転数分布表示(distributions, fields, charts.chart3);
    EXPECT_EQ(text(Field::回転数2r), "0.5%");
    EXPECT_EQ(text(Field::回転数2t), ".5%");
}

TEST_F(DistributionsTest, StreakBuckets) {
    recordStreak(10);
    EXPECT_EQ(distributions.streakBucket(9), 1); // "１０連荘"
    EXPECT_EQ(distributions.runningStreak(), 1);
    recordStreak(11);
    recordStreak(40);
    EXPECT_EQ(distributions.streakBucket(10), 2); // "１０以上"
    recordStreak(1);
    EXPECT_EQ(distributions.streakBucket(0), 1);
    EXPECT_EQ(text(Field::連荘10r), "25%");
    EXPECT_EQ(text(Field::連荘11r), "50%");
    EXPECT_EQ(charts.chart4.value(11, 1), "50");

    distributions.setRunningStreak(0); // nothing to record, the display still refreshes
    fields.setNumber(Field::初当たり数表示, 8);
    連荘分布記録(distributions, fields, charts.chart4);
    EXPECT_EQ(text(Field::連荘11r), "25%");
    EXPECT_EQ(distributions.streakBucket(0), 1);
}

TEST_F(DistributionsTest, CountersGoPastSixteenBits) {
    for (int hit = 0; hit < 40000; ++hit) {
        distributions.classifyFirstHitGap(1, 300);
    }
    EXPECT_EQ(distributions.spinBucket(0), 40000);
}

TEST_F(DistributionsTest, SymbolHitsAndShares) {
    showSymbolShares(distributions, charts.chart1, 0); // no big hit yet: no share, no fault
    EXPECT_EQ(charts.chart1.value(3, 1), "0");
    distributions.countSymbolHit(1);
    distributions.countSymbolHit(2);
    distributions.countSymbolHit(2);
    distributions.countSymbolHit(0);
    EXPECT_EQ(distributions.leastHitSymbol(3), 0); // ties go to the lowest index
    distributions.countSymbolHit(0);
    EXPECT_EQ(distributions.leastHitSymbol(3), 1);

    showSymbolShares(distributions, charts.chart1, 6);
    EXPECT_EQ(charts.chart1.value(1, 1), "33.3333333333333"); // plain, not rounded to 2 places
    EXPECT_EQ(charts.chart1.value(2, 1), "16.6666666666667");
    EXPECT_THROW(distributions.countSymbolHit(3), Fault);
}

TEST_F(DistributionsTest, TransitionChartShowsOnlyClosedBlocks) {
    double totalSpins = 0;
    const auto firstHit = [&](int hits, double spins) {
        for (int hit = 0; hit < hits; ++hit) {
            distributions.countBlockHit();
        }
        totalSpins += spins;
        countBlockFirstHit(distributions, totalSpins, charts.chart5);
    };
    for (int count = 1; count <= 9; ++count) {
        firstHit(2, 300.1);
    }
    EXPECT_EQ(charts.chart5.rowCount(), 1);
    EXPECT_EQ(charts.chart5.label(1), "確率変移");
    EXPECT_EQ(charts.chart5.value(1, 2), "0");

    firstHit(2, 300.1);
    EXPECT_FLOAT_EQ(distributions.blockTotalProbability(1), 150.05F);
    EXPECT_EQ(charts.chart5.rowCount(), 1);
    EXPECT_EQ(charts.chart5.label(1), "10");
    EXPECT_EQ(charts.chart5.value(1, 1), "150.05"); // a single's digits, not its widened double
    EXPECT_EQ(charts.chart5.value(1, 2), "300.1");

    for (int count = 1; count <= 10; ++count) {
        firstHit(1, 100);
    }
    EXPECT_EQ(charts.chart5.rowCount(), 2);
    EXPECT_EQ(charts.chart5.label(2), "20");
    EXPECT_EQ(charts.chart5.value(2, 1), "100");

    distributions.reset(3);
    EXPECT_EQ(distributions.blockCount(), 0);
    EXPECT_EQ(distributions.blockTotalProbability(1), 0.0F);
}

} // namespace
} // namespace zelkora
