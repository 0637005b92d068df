#include "engine/lottery.h"
#include "platform/pcg_random_source.h"
#include "platform/random_stream.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

TEST(LotteryScale, IsAHundredTimesThePermilleOfTheCountdownFraction) {
    EXPECT_EQ(drawLotteryScale(0.0F, 1), 100);
    EXPECT_EQ(drawLotteryScale(0.5F, 1), 50100);
    // T × u = 1.5: only the fraction counts.
    EXPECT_EQ(drawLotteryScale(0.0015F, 1000), 50100);
    EXPECT_EQ(drawLotteryScale(0.99999994F, 1), 100000);
}

TEST(SpinDraw, HitsExactlyWhenTheLotteryValueIsAtMostTheScale) {
    const std::int32_t scale = 100;
    const double scaleTimesN = scale * 300.0;
    // R = Int(b) + 1: the largest fraction that still hits gives b just below M.
    const float hitting = 1.0F / 300.0F - 1e-7F;
    const double product = spinProduct(hitting, 1, scaleTimesN);
    EXPECT_TRUE(isHit(product, scale));
    EXPECT_LE(lotteryValue(product), scale);
    const double missing = spinProduct(1.0F / 300.0F + 1e-6F, 1, scaleTimesN);
    EXPECT_FALSE(isHit(missing, scale));
    EXPECT_GT(lotteryValue(missing), scale);
}

TEST(SpinDraw, ProductBeyondThirtyTwoBitsNeitherOverflowsNorHits) {
    // A corrected denominator of 9 000 000 with the largest scale: M × C is 9 × 10^11.
    const double scaleTimesC = 100000.0 * 9000000.0;
    const double product = spinProduct(0.5F, 1, scaleTimesC);
    EXPECT_FALSE(isHit(product, 100000));
    EXPECT_EQ(lotteryValue(product), 450000000001);
    EXPECT_TRUE(isHit(spinProduct(0.0F, 1, scaleTimesC), 100000));
    EXPECT_EQ(lotteryValue(1e300), std::numeric_limits<std::int64_t>::max());
}

TEST(SpinDraw, PlainDrawHitsAboutOneSpinInN) {
    PcgRandomSource source(42);
    RandomStream stream(source);
    const std::int32_t scale = drawLotteryScale(stream.next(), 777);
    const double denominator = 300;
    int hits = 0;
    constexpr int kSpins = 3000000;
    for (int spin = 0; spin < kSpins; ++spin) {
        hits += isHit(spinProduct(stream.next(), 777, scale * denominator), scale) ? 1 : 0;
    }
    EXPECT_NEAR(static_cast<double>(hits), kSpins / denominator, 300); // about 5 sigma
}

TEST(CorrectedDenominator, IsNSquaredOverTheShownFirstHitSpins) {
    // q = 10 ÷ 50 in single precision is a little above 0.2; Fix keeps 2.
    EXPECT_EQ(correctedDenominator(10, 50), 2.0);
    EXPECT_EQ(correctedDenominator(316, 400), 249.0);
    EXPECT_EQ(correctedDenominator(3000, 1), 9000000.0);
}

TEST(CorrectedDenominator, IsKeptWhileNoFirstHitIsShown) {
    EXPECT_FALSE(correctedDenominator(316, 0).has_value());
}

TEST(SymbolDraw, UsesTheFractionOfDrawTimesRunSeconds) {
    EXPECT_EQ(drawSymbolIndex(0.75F, 1, 2), 1);
    EXPECT_EQ(drawSymbolIndex(0.75F, 2, 2), 1); // Frac(1.5) = 0.5
    EXPECT_EQ(drawSymbolIndex(0.75F, 4, 2), 0); // Frac(3) = 0
    EXPECT_EQ(drawSymbolIndex(0.999F, 1, 50), 49);
}

TEST(SymbolDraw, RunSecondsZeroCountAsOne) {
    // Taken literally, u × 0 would give every hit of a run's first second symbol 0.
    EXPECT_EQ(drawSymbolIndex(0.75F, 0, 2), 1);
    EXPECT_EQ(drawSymbolIndex(0.25F, 0, 10), 2);
}

} // namespace
} // namespace zelkora
