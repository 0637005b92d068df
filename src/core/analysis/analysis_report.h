#pragma once

#include "analysis/accumulators.h"
#include "analysis/campaign.h"
#include "analysis/overall_figures.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zelkora {

inline constexpr std::array<double, 7> kBalancePercentiles{0.01, 0.05, 0.25, 0.50,
                                                           0.75, 0.95, 0.99};
inline constexpr std::array<double, 5> kDayBandPercentiles{0.05, 0.25, 0.50, 0.75, 0.95};

// How many numbers the analysis keeps for exact percentiles before it turns to P² estimates:
// 4 Mi doubles (32 MiB) for the final balances, and as much again shared by the days' bands.
inline constexpr std::size_t kExactQuantileBudget = std::size_t{1} << 22U;

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
    double shareOfDaysEndedInStreak = 0;
};

// Takes campaigns one by one, in campaign order, into streaming accumulators.
class AnalysisAccumulator {
public:
    explicit AnalysisAccumulator(int days);
    void add(const CampaignFigures& campaign);
    std::int64_t count() const { return finalMoments_.count(); }
    AnalysisReport report() const;

private:
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
    std::int64_t daysEnded_ = 0;
    std::int64_t daysEndedInStreak_ = 0;
};

} // namespace zelkora
