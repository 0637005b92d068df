#include "engine/repeated_sum.h"
#include "engine/spin_draw.h"

#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace zelkora {
namespace {

double addedOneByOne(double value, double step, std::int64_t count) {
    for (std::int64_t index = 0; index < count; ++index) {
        value += step;
    }
    return value;
}

// Bit for bit, so a sum that differs only in the sign of zero or the kind of NaN fails too.
void expectSameSum(double value, double step, std::int64_t count) {
    const double expected = addedOneByOne(value, step, count);
    const double got = RepeatedStep(step).addTo(value, count);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(expected))
        << std::hexfloat << value << " + " << step << " × " << count << ": " << got << " against "
        << expected;
}

TEST(RepeatedSum, EqualsTheLoopAtEveryKindOfStep) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        double step;
        std::int64_t count;
    };
    const std::vector<Case> cases{
        {0, 250.0 / 18, 40000},  // from zero, a step of 53 significant bits
        {1000, -250.0 / 18, 60}, // down through three binades to below zero
        {0x1p52 - 3, 1, 10},     // whole ulps across a binade
        {0x1p40, 0x1p-13, 5000}, // exactly half an ulp: ties alternate with the parity
        {0x1p40 + 0x1p-12, 0x1p-13, 5000},
        {0x1p40, 0x1p-13 + 0x1p-40, 500}, // just above half an ulp
        {0x1p40, 0x1p-14, 500},           // a quarter ulp: never moves
        {0x1p40, -0x1p-14, 500},          // the binade's bottom: the grid below is finer
        {-7.25, 0.1, 300},                // negative, crossing zero
        {1e-310, 1e-311, 50},             // subnormal
        {1, inf, 3},
        {inf, -1, 3},
        {std::numeric_limits<double>::quiet_NaN(), 1, 2},
        {3.5, 0, 1000},
        {36000, 6.0, 0},
    };
    for (const Case& sum : cases) {
        expectSameSum(sum.value, sum.step, sum.count);
    }
}

TEST(RepeatedSum, EqualsTheLoopForRandomClocksAndBalls) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int trial = 0; trial < 3000; ++trial) {
        const double spinsPerThousandYen = 10 + unit(random) * 30;
        const double step = trial % 2 == 0 ? 3600 / (300 + unit(random) * 600) // a spin's seconds
                                           : -250 / spinsPerThousandYen;       // a spin's balls
        const double start = trial % 3 == 0 ? 0 : unit(random) * 40000;
        expectSameSum(start, step, 1 + static_cast<std::int64_t>(unit(random) * 3000));
    }
}

// One step over many runs, as the engine keeps it: the binade it knows from the last run must not
// leak into the next.
TEST(RepeatedSum, OneStepOverManyRunsEqualsTheLoop) {
    std::mt19937_64 random(3);
    std::uniform_real_distribution<double> unit(0, 1);
    for (const double step : {250.0 / 27, -250.0 / 27, 3600.0 / 697}) {
        RepeatedStep repeated(step);
        double value = step < 0 ? 30000 : 0;
        for (int run = 0; run < 400; ++run) {
            const auto count = static_cast<std::int64_t>(unit(random) * 300);
            if (run % 50 == 49) {
                value = unit(random) * 5000; // a new day or a big hit's balls
            }
            const double got = repeated.addTo(value, count);
            value = addedOneByOne(value, step, count);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(got), std::bit_cast<std::uint64_t>(value))
                << step << " run " << run;
        }
    }
}

TEST(FirstHit, FindsTheHitTheDrawsGiveOneByOne) {
    std::mt19937_64 random(5);
    std::uniform_real_distribution<float> unit(0, 1);
    std::vector<float> draws(1024);
    for (const double countdown : {1.0, 1000.0, 0x1p61, 0x1p63}) {
        for (int trial = 0; trial < 200; ++trial) {
            for (float& value : draws) {
                value = std::ldexp(std::floor(unit(random) * 0x1p24F), -24);
            }
            const SpinDraw draw(countdown, 100000.0 * (trial % 2 == 0 ? 319 : 5), 100000);
            const auto length = static_cast<std::size_t>(trial * 5 % 1025);
            const std::span<const float> some(draws.data(), length);
            std::size_t expected = 0;
            while (expected < length && !draw.hits(some[expected])) {
                ++expected;
            }
            ASSERT_EQ(firstHit(some, draw), expected) << countdown << " trial " << trial;
        }
    }
}

} // namespace
} // namespace zelkora
