#pragma once

#include "analysis/accumulators.h"
#include "analysis/campaign.h"
#include "analysis/overall_figures.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zelkora {

inline constexpr std::array<double, 7> kBalancePercentiles{0.01, 0.05, 0.25, 0.50,
                                                           0.75, 0.95, 0.99};
inline constexpr std::array<double, 5> kDayBandPercentiles{0.05, 0.25, 0.50, 0.75, 0.95};

// How many numbers the analysis keeps for exact percentiles before it turns to P² estimates:
// 4 Mi doubles (32 MiB) for the final balances, and as much again shared by the days' bands.
inline constexpr std::size_t kExactQuantileBudget = std::size_t{1} << 22U;

// The bankroll that is gone with at most these chances over a campaign.
inline constexpr std::array<double, 2> kRuinChances{0.05, 0.01};
inline constexpr std::array<double, 2> kRuinPercentiles{0.95, 0.99};
// Exact values kept for the bankroll and drawdown percentiles before P² takes over.
inline constexpr std::size_t kRiskQuantileBudget = std::size_t{1} << 20U;
inline constexpr std::array<double, 6> kDrawdownPercentiles{0.05, 0.25, 0.50, 0.75, 0.95, 0.99};
// The one-sided 95% point of the normal distribution.
inline constexpr double kZ95OneSided = 1.6448536269514722;

// The risk of play, from the campaigns. Balances are in yen.
struct RiskFigures {
    MeanEstimate balancePerSpin; // pooled: all balances over all normal spins
    // Standard deviations per normal spin and per hour of play, as a sum of independent spins
    // (hours) would have them: a campaign's spread over the square root of its spins (hours).
    double spreadPerSpin = 0;
    double spreadPerHour = 0;
    // The normal spins (and days) after which the chance of being ahead reaches 95%, by the
    // normal approximation: n = (1.645·σ ÷ μ)²; infinity when the balance per spin is not
    // above 0.
    double spinsTo95Ahead = 0;
    double daysTo95Ahead = 0;
    // The bankroll B asked for and the share of campaigns whose balance fell below −B.
    std::optional<double> bankroll;
    ShareEstimate ruin;
    // The bankroll whose ruin chance over a campaign is at most 5% and at most 1%: the 95th and
    // 99th percentiles of the lowest balance's depth.
    std::array<double, kRuinChances.size()> bankrollForRuinChance{};
    MeanEstimate largestDrawdown;
    std::array<double, kDrawdownPercentiles.size()> drawdownPercentiles{};
    bool quantilesExact = true;
};

// The cumulative balance at the end of one day over all campaigns.
struct DayBand {
    int day = 0; // 1-based
    double mean = 0;
    std::array<double, kDayBandPercentiles.size()> percentiles{};
};

// Every figure of an analysis of many campaigns. Balances are in yen; intervals are 95%.
struct AnalysisReport {
    std::int64_t campaigns = 0;
    int days = 0; // days of each campaign

    MeanEstimate finalBalance;
    std::array<double, kBalancePercentiles.size()> finalPercentiles{};
    bool finalPercentilesExact = true;
    double finalMinimum = 0;
    double finalMaximum = 0;

    ShareEstimate endedAhead;                   // final balance above 0
    ShareEstimate wentBust;                     // 持金パンク on at least one day
    MeanEstimate winningDays;                   // days with a daily balance of 0 or more
    std::vector<std::int64_t> winningDayCounts; // campaigns by their number of winning days
    MeanEstimate balancePerDay;
    MeanEstimate balancePerHour; // pooled: all balances over all hours played

    std::vector<DayBand> dayBands;
    bool dayBandsExact = true;

    std::array<MeanEstimate, kOverallFigureCount> overallMeans{};

    // Pooled over all campaigns (sums over sums), to set beside the theoretical figures. Every
    // normal spin hits with the same chance and every hit in 通常 is a first hit, so all normal
    // spins over all first hits estimates the spins per first hit soundly however the days
    // end; streaks cut by a day's end make the other two come out short.
    MeanEstimate spinsPerFirstHit;
    MeanEstimate streakPerFirstHit;
    MeanEstimate payoutPerFirstHit;
    MeanEstimate shortSpinsPerFirstHit;
    MeanEstimate payoutPerSpin; // balls paid over normal spins
    double shareOfDaysEndedInStreak = 0;

    RiskFigures risk;
};

// Takes campaigns one by one, in campaign order, into streaming accumulators.
class AnalysisAccumulator {
public:
    explicit AnalysisAccumulator(int days, std::optional<double> bankroll = std::nullopt);
    void add(const CampaignFigures& campaign);
    std::int64_t count() const { return finalMoments_.count(); }
    AnalysisReport report() const;

private:
    RiskFigures riskFigures(const AnalysisReport& report) const;

    int days_;
    RunningMoments finalMoments_;
    BoundedQuantiles finalQuantiles_;
    std::int64_t ahead_ = 0;
    std::int64_t bust_ = 0;
    RunningMoments winningDays_;
    std::vector<std::int64_t> winningDayCounts_;
    RunningMoments perDay_;
    RatioAccumulator perHour_;
    std::vector<RunningMoments> dayMoments_;
    std::vector<BoundedQuantiles> dayQuantiles_;
    std::size_t dayCapacity_;
    std::array<RunningMoments, kOverallFigureCount> overall_{};
    RatioAccumulator spinsPerFirstHit_;
    RatioAccumulator streakPerFirstHit_;
    RatioAccumulator payoutPerFirstHit_;
    RatioAccumulator shortSpinsPerFirstHit_;
    RatioAccumulator payoutPerSpin_;
    RatioAccumulator perSpin_;
    std::optional<double> bankroll_;
    std::int64_t ruined_ = 0;
    BoundedQuantiles depths_;
    RunningMoments drawdowns_;
    BoundedQuantiles drawdownQuantiles_;
    std::int64_t daysEnded_ = 0;
    std::int64_t daysEndedInStreak_ = 0;
};

} // namespace zelkora
