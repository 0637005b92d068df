#include "analysis/analysis_report.h"
#include "analysis/campaign_analysis.h"
#include "analysis/comparison.h"
#include "analysis_fixture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <vector>

namespace zelkora::testing {
namespace {

CampaignFigures withLow(std::int64_t index, double finalBalance, double lowest, double drawdown,
                        double spins) {
    CampaignFigures figures;
    figures.index = index;
    figures.cumulativeBalanceByDay = {finalBalance};
    figures.finalBalance = finalBalance;
    figures.lowestBalance = lowest;
    figures.largestDrawdown = drawdown;
    figures.overall[overallFigureIndex(Field::総回転数表示)] = spins;
    figures.playSeconds = spins * 6;
    return figures;
}

// Four campaigns by hand: a bankroll of 3000 runs out when the balance went below −3000, so
// the one that touched exactly −3000 survives.
TEST(RiskFigures, ruin_counts_balances_below_the_bankroll_and_drawdowns_are_kept) {
    AnalysisAccumulator accumulator(1, 3000.0);
    accumulator.add(withLow(0, -4000, -5000, 5000, 1000));
    accumulator.add(withLow(1, 2000, -3000, 3000, 1000));
    accumulator.add(withLow(2, 500, -1000, 4000, 1000));
    accumulator.add(withLow(3, 7500, 0, 0, 1000));
    const RiskFigures risk = accumulator.report().risk;
    ASSERT_TRUE(risk.bankroll.has_value());
    EXPECT_DOUBLE_EQ(risk.ruin.share, 0.25);
    // Depths 5000, 3000, 1000, 0: the 95th percentile lies 0.85 of the way from 3000 to 5000.
    EXPECT_DOUBLE_EQ(risk.bankrollForRuinChance[0], 4700);
    EXPECT_DOUBLE_EQ(risk.bankrollForRuinChance[1], 4940);
    EXPECT_DOUBLE_EQ(risk.largestDrawdown.mean, 3000);
    EXPECT_DOUBLE_EQ(risk.drawdownPercentiles[2], 3500); // the median of 0, 3000, 4000, 5000
    // 6000 yen over 4000 spins.
    EXPECT_DOUBLE_EQ(risk.balancePerSpin.mean, 1.5);
}

// Campaigns of n spins whose every spin wins or loses 1 yen with chances p and 1 − p (the
// two-state walk): the balance per spin is 2p − 1 and its spread per spin √(4p(1 − p)); being
// ahead with chance 95% takes (1.645·σ ÷ μ)² spins; and a bankroll of B runs out (the balance
// reaches −(B + 1)) with the gambler's-ruin chance ((1 − p) ÷ p)^(B + 1), the walk drifting up
// too fast for the campaign's end to matter.
TEST(RiskFigures, spread_per_spin_and_the_spins_to_be_ahead_follow_a_random_walk) {
    constexpr double kWin = 0.55;
    constexpr int kSpins = 400;
    std::mt19937_64 generator(7);
    std::bernoulli_distribution win(kWin);
    constexpr double kBankroll = 5;
    AnalysisAccumulator accumulator(1, kBankroll);
    for (std::int64_t index = 0; index < 20000; ++index) {
        double balance = 0;
        double lowest = 0;
        for (int spin = 0; spin < kSpins; ++spin) {
            balance += win(generator) ? 1 : -1;
            lowest = std::min(lowest, balance);
        }
        accumulator.add(withLow(index, balance, lowest, 0, kSpins));
    }
    const RiskFigures risk = accumulator.report().risk;
    const double mean = 2 * kWin - 1;
    const double spread = std::sqrt(4 * kWin * (1 - kWin));
    EXPECT_NEAR(risk.balancePerSpin.mean, mean, 0.003);
    EXPECT_NEAR(risk.spreadPerSpin, spread, 0.01);
    EXPECT_NEAR(risk.spinsTo95Ahead, std::pow(kZ95OneSided * spread / mean, 2), 12);
    EXPECT_DOUBLE_EQ(risk.daysTo95Ahead, risk.spinsTo95Ahead / kSpins);
    const double ruin = std::pow((1 - kWin) / kWin, kBankroll + 1);
    EXPECT_NEAR(risk.ruin.share, ruin, 0.012); // four standard errors of 20,000 campaigns
    EXPECT_LT(risk.ruin.low, ruin);
    EXPECT_GT(risk.ruin.high, ruin);

    AnalysisAccumulator losing(1);
    losing.add(withLow(0, -10, -10, 10, 100));
    losing.add(withLow(1, -20, -20, 20, 100));
    EXPECT_TRUE(std::isinf(losing.report().risk.spinsTo95Ahead));
}

// The lowest balance is followed at every exchange, so it is never above the lowest balance a
// day's end shows, and the largest drawdown never below the largest fall between days' ends.
TEST(RiskFigures, a_campaigns_lows_are_at_least_as_deep_as_its_days_ends) {
    TempFolder folder;
    const CampaignSetup setup = loadedSetup(folder, sampleNamed("定番確変315"), 3);
    const std::atomic<bool> cancelled{false};
    for (std::int64_t index = 0; index < 20; ++index) {
        const CampaignOutcome played = playCampaign(setup, index, cancelled);
        ASSERT_EQ(played.end, CampaignEnd::Played);
        const CampaignFigures& figures = played.figures;
        double high = 0;
        double fall = 0;
        double low = 0;
        for (const double balance : figures.cumulativeBalanceByDay) {
            low = std::min(low, balance);
            fall = std::max(fall, high - balance);
            high = std::max(high, balance);
        }
        EXPECT_LE(figures.lowestBalance, low) << index;
        EXPECT_GE(figures.largestDrawdown, fall) << index;
        // A cash player's first spin already costs a unit.
        EXPECT_LT(figures.lowestBalance, 0) << index;
    }
}

// The final balance of every campaign a sink is handed, in the order it comes.
class FinalBalancesSeen final : public CampaignSink {
public:
    void campaign(const CampaignFigures& figures) override {
        indices.push_back(figures.index);
        balances.push_back(figures.finalBalance);
    }
    std::vector<std::int64_t> indices;
    std::vector<double> balances;
};

// Common random numbers: a verification against itself differs by nothing in any campaign;
// against a changed one the interval of the difference is narrower than independent analyses'.
TEST(Comparison, common_random_numbers_cancel_the_shared_luck) {
    TempFolder folder;
    const SampleDefinition sample =
        withCondition(sampleNamed("定番確変315"), Field::条件_何日分, "5");
    const CampaignSetup first = loadedSetup(folder, sample, 11);
    TempFolder otherFolder;
    const CampaignSetup same = loadedSetup(otherFolder, sample, 11);
    NoEvents pump;
    const ComparisonOutcome itself =
        compareVerifications(first, same, {300, 2}, quietSeams(pump), {});
    ASSERT_EQ(itself.end, AnalysisEnd::Done);
    EXPECT_EQ(itself.report.difference.mean, 0);
    EXPECT_EQ(itself.report.difference.standardDeviation, 0);
    EXPECT_EQ(itself.report.secondAhead.share, 0);

    TempFolder richerFolder;
    const CampaignSetup richer =
        loadedSetup(richerFolder, withCondition(sample, Field::条件_回転数1000円, "21"), 11);
    FinalBalancesSeen firstSeen;
    FinalBalancesSeen secondSeen;
    const ComparisonOutcome compared =
        compareVerifications(first, richer, {300, 2}, quietSeams(pump),
                             {nullptr, &firstSeen, nullptr}, std::nullopt, &secondSeen);
    ASSERT_EQ(compared.end, AnalysisEnd::Done);
    const ComparisonReport& report = compared.report;
    // Each side's sink sees its own campaigns in order, and their differences are the report's.
    ASSERT_EQ(firstSeen.balances.size(), 300U);
    ASSERT_EQ(secondSeen.balances.size(), 300U);
    std::vector<std::int64_t> inOrder(300);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    EXPECT_EQ(firstSeen.indices, inOrder);
    EXPECT_EQ(secondSeen.indices, inOrder);
    RunningMoments differences;
    for (std::size_t index = 0; index < 300; ++index) {
        differences.add(secondSeen.balances[index] - firstSeen.balances[index]);
    }
    EXPECT_DOUBLE_EQ(differences.estimate().mean, report.difference.mean);
    EXPECT_NE(firstSeen.balances, secondSeen.balances);
    EXPECT_GT(report.difference.low, 0); // more spins for the money: ahead in the difference
    const double independent =
        std::hypot(report.first.finalBalance.high - report.first.finalBalance.low,
                   report.second.finalBalance.high - report.second.finalBalance.low);
    EXPECT_LT(report.difference.high - report.difference.low, independent / 3);
}

} // namespace
} // namespace zelkora::testing
