#include "analysis/accumulators.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace zelkora::testing {
namespace {

TEST(RunningMoments, gives_the_mean_spread_and_interval_of_a_small_exact_case) {
    RunningMoments moments;
    for (const double value : {2.0, 4.0, 4.0, 4.0, 5.0, 5.0, 7.0, 9.0}) {
        moments.add(value);
    }
    // Mean 40 / 8 = 5; squared deviations 9+1+1+1+0+0+4+16 = 32, so the sample variance is
    // 32 / 7 and the margin 1.959964 × √(32/7) / √8 = 1.481594.
    const MeanEstimate estimate = moments.estimate();
    EXPECT_DOUBLE_EQ(estimate.mean, 5);
    EXPECT_DOUBLE_EQ(moments.variance(), 32.0 / 7);
    EXPECT_NEAR(estimate.low, 5 - 1.481594, 1e-6);
    EXPECT_NEAR(estimate.high, 5 + 1.481594, 1e-6);
    EXPECT_EQ(moments.minimum(), 2);
    EXPECT_EQ(moments.maximum(), 9);
}

TEST(RunningMoments, stays_accurate_far_from_zero_and_leaves_one_value_without_spread) {
    RunningMoments far;
    for (const double value : {1e9 + 4, 1e9 + 7, 1e9 + 13, 1e9 + 16}) {
        far.add(value);
    }
    EXPECT_DOUBLE_EQ(far.variance(), 30); // deviations −6, −3, 3, 6: 90 / 3
    RunningMoments one;
    one.add(-1200);
    EXPECT_EQ(one.estimate().mean, -1200);
    EXPECT_TRUE(std::isnan(one.estimate().standardDeviation));
    EXPECT_TRUE(std::isnan(one.estimate().low));
}

TEST(RatioAccumulator, pools_the_sums_and_gives_the_delta_method_interval) {
    RatioAccumulator exact;
    for (const double y : {1.0, 2.0, 3.0}) {
        exact.add(2 * y, y);
    }
    EXPECT_DOUBLE_EQ(exact.estimate().mean, 2);
    EXPECT_DOUBLE_EQ(exact.estimate().low, 2);
    EXPECT_DOUBLE_EQ(exact.estimate().high, 2);

    // (1, 1) and (3, 1): R = 4 / 2 = 2; x − R·y is −1 and 1, variance 2; the spread of R is
    // √2 / ȳ = √2 and the margin 1.959964 × √2 / √2.
    RatioAccumulator spread;
    spread.add(1, 1);
    spread.add(3, 1);
    EXPECT_DOUBLE_EQ(spread.estimate().mean, 2);
    EXPECT_NEAR(spread.estimate().low, 2 - 1.959964, 1e-6);
    EXPECT_NEAR(spread.estimate().high, 2 + 1.959964, 1e-6);

    // Weighted by y: campaigns of 1 and 3 first hits with 100 and 900 spins give 250, where
    // the mean of their own ratios would give 200.
    RatioAccumulator weighted;
    weighted.add(100, 1);
    weighted.add(900, 3);
    EXPECT_DOUBLE_EQ(weighted.estimate().mean, 250);

    EXPECT_TRUE(std::isnan(RatioAccumulator().estimate().mean));
}

TEST(ShareEstimate, gives_the_wilson_interval_even_at_none_and_all) {
    // 0 of 10: centre and margin are both (z²/20) / (1 + z²/10) = 0.138766.
    const ShareEstimate none = shareEstimate(0, 10);
    EXPECT_EQ(none.share, 0);
    EXPECT_EQ(none.low, 0);
    EXPECT_NEAR(none.high, 0.277533, 1e-6);
    const ShareEstimate all = shareEstimate(10, 10);
    EXPECT_NEAR(all.low, 1 - 0.277533, 1e-6);
    EXPECT_NEAR(all.high, 1, 1e-12);
    const ShareEstimate half = shareEstimate(50, 100);
    EXPECT_NEAR(half.low, 0.403832, 1e-6);
    EXPECT_NEAR(half.high, 0.596168, 1e-6);
}

TEST(SortedQuantile, interpolates_between_order_statistics) {
    const std::vector<double> sorted{1, 2, 3, 4};
    EXPECT_DOUBLE_EQ(sortedQuantile(sorted, 0), 1);
    EXPECT_DOUBLE_EQ(sortedQuantile(sorted, 0.25), 1.75); // position 0.75
    EXPECT_DOUBLE_EQ(sortedQuantile(sorted, 0.5), 2.5);
    EXPECT_DOUBLE_EQ(sortedQuantile(sorted, 1), 4);
    EXPECT_DOUBLE_EQ(sortedQuantile(std::vector<double>{7}, 0.99), 7);
    EXPECT_TRUE(std::isnan(sortedQuantile({}, 0.5)));
}

// 0 … 10006 in a scrambled order (7919 is a unit modulo the prime 10007).
std::vector<double> scrambledRange() {
    std::vector<double> values;
    for (int index = 0; index < 10007; ++index) {
        values.push_back(static_cast<double>((index * 7919) % 10007));
    }
    return values;
}

TEST(P2Quantile, is_exact_up_to_five_values_and_close_beyond) {
    P2Quantile median(0.5);
    for (const double value : {9.0, 1.0, 5.0, 3.0}) {
        median.add(value);
    }
    EXPECT_DOUBLE_EQ(median.value(), 4); // 1 3 5 9: halfway between 3 and 5

    // The quantiles of 0 … 10006 are 10006·p; the estimate stays within 0.5% of the range.
    for (const double probability : {0.01, 0.05, 0.25, 0.5, 0.75, 0.95, 0.99}) {
        P2Quantile quantile(probability);
        for (const double value : scrambledRange()) {
            quantile.add(value);
        }
        EXPECT_NEAR(quantile.value(), 10006 * probability, 50) << probability;
    }
}

TEST(BoundedQuantiles, stays_exact_within_its_capacity_then_matches_p2_from_the_start) {
    const std::vector<double> probabilities{0.05, 0.5, 0.95};
    BoundedQuantiles roomy(probabilities, 20000);
    BoundedQuantiles tight(probabilities, 100);
    std::vector<P2Quantile> streaming{P2Quantile(0.05), P2Quantile(0.5), P2Quantile(0.95)};
    for (const double value : scrambledRange()) {
        roomy.add(value);
        tight.add(value);
        for (P2Quantile& quantile : streaming) {
            quantile.add(value);
        }
    }
    EXPECT_TRUE(roomy.exact());
    const std::vector<double> exact = roomy.values();
    EXPECT_NEAR(exact[0], 500.3, 1e-9);
    EXPECT_NEAR(exact[1], 5003, 1e-9);
    EXPECT_NEAR(exact[2], 9505.7, 1e-9);
    EXPECT_FALSE(tight.exact());
    const std::vector<double> estimated = tight.values();
    for (std::size_t index = 0; index < streaming.size(); ++index) {
        EXPECT_EQ(estimated[index], streaming[index].value());
    }
}

} // namespace
} // namespace zelkora::testing
