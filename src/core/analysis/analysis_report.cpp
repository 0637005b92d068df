#include "analysis/analysis_report.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelkora {
namespace {

double overallFigure(const CampaignFigures& campaign, Field field) {
    return campaign.overall[overallFigureIndex(field)];
}

} // namespace

RiskFigures AnalysisAccumulator::riskFigures(const AnalysisReport& report) const {
    RiskFigures risk;
    risk.balancePerSpin = perSpin_.estimate();
    risk.spreadPerSpin = perSpin_.spreadPerUnit();
    risk.spreadPerHour = perHour_.spreadPerUnit();
    const double mean = risk.balancePerSpin.mean;
    risk.spinsTo95Ahead = mean > 0 ? std::pow(kZ95OneSided * risk.spreadPerSpin / mean, 2)
                                   : std::numeric_limits<double>::infinity();
    const double spinsPerDay =
        days_ > 0 ? overall_[overallFigureIndex(Field::総回転数表示)].mean() / days_ : 0;
    risk.daysTo95Ahead = spinsPerDay > 0 ? risk.spinsTo95Ahead / spinsPerDay
                                         : std::numeric_limits<double>::infinity();
    risk.bankroll = bankroll_;
    risk.ruin = shareEstimate(ruined_, report.campaigns);
    const std::vector<double> depths = depths_.values();
    std::copy(depths.begin(), depths.end(), risk.bankrollForRuinChance.begin());
    risk.largestDrawdown = drawdowns_.estimate();
    const std::vector<double> drawdowns = drawdownQuantiles_.values();
    std::copy(drawdowns.begin(), drawdowns.end(), risk.drawdownPercentiles.begin());
    risk.quantilesExact = depths_.exact() && drawdownQuantiles_.exact();
    return risk;
}

// The days share one budget of exact values: bands stay exact while every day's balances fit
// their share, and turn to P² estimates beyond it.
AnalysisAccumulator::AnalysisAccumulator(int days, std::optional<double> bankroll)
    : days_(days), finalQuantiles_(kBalancePercentiles, kExactQuantileBudget),
      winningDayCounts_(static_cast<std::size_t>(std::max(days, 0)) + 1, 0),
      dayCapacity_(kExactQuantileBudget / static_cast<std::size_t>(std::max(days, 1))),
      bankroll_(bankroll), depths_(kRuinPercentiles, kRiskQuantileBudget),
      drawdownQuantiles_(kDrawdownPercentiles, kRiskQuantileBudget) {}

void AnalysisAccumulator::add(const CampaignFigures& campaign) {
    const double balance = campaign.finalBalance;
    finalMoments_.add(balance);
    finalQuantiles_.add(balance);
    ahead_ += balance > 0 ? 1 : 0;
    bust_ += campaign.bustDays > 0 ? 1 : 0;

    const double won = overallFigure(campaign, Field::勝数表示);
    winningDays_.add(won);
    const auto wonIndex = static_cast<std::size_t>(std::clamp(won, 0.0, 1e9));
    if (wonIndex >= winningDayCounts_.size()) {
        winningDayCounts_.resize(wonIndex + 1, 0);
    }
    ++winningDayCounts_[wonIndex];
    const auto played = static_cast<double>(campaign.cumulativeBalanceByDay.size());
    if (played > 0) {
        perDay_.add(balance / played);
    }
    perHour_.add(balance, campaign.playSeconds / 3600);

    for (std::size_t day = 0; day < campaign.cumulativeBalanceByDay.size(); ++day) {
        if (day == dayMoments_.size()) {
            dayMoments_.emplace_back();
            dayQuantiles_.emplace_back(kDayBandPercentiles, dayCapacity_);
        }
        dayMoments_[day].add(campaign.cumulativeBalanceByDay[day]);
        dayQuantiles_[day].add(campaign.cumulativeBalanceByDay[day]);
    }

    for (std::size_t index = 0; index < kOverallFigureCount; ++index) {
        overall_[index].add(campaign.overall[index]);
    }
    const double firstHits = overallFigure(campaign, Field::初当たり数表示);
    spinsPerFirstHit_.add(overallFigure(campaign, Field::総回転数表示), firstHits);
    streakPerFirstHit_.add(overallFigure(campaign, Field::総大当り数表示), firstHits);
    payoutPerFirstHit_.add(campaign.payoutBalls, firstHits);
    shortSpinsPerFirstHit_.add(overallFigure(campaign, Field::総時短回転数表示), firstHits);
    payoutPerSpin_.add(campaign.payoutBalls, overallFigure(campaign, Field::総回転数表示));
    perSpin_.add(balance, overallFigure(campaign, Field::総回転数表示));
    ruined_ += bankroll_ && campaign.lowestBalance < -*bankroll_ ? 1 : 0;
    depths_.add(-campaign.lowestBalance);
    drawdowns_.add(campaign.largestDrawdown);
    drawdownQuantiles_.add(campaign.largestDrawdown);
    daysEnded_ += static_cast<std::int64_t>(campaign.cumulativeBalanceByDay.size());
    daysEndedInStreak_ += campaign.daysEndedInStreak;
}

AnalysisReport AnalysisAccumulator::report() const {
    AnalysisReport report;
    report.campaigns = finalMoments_.count();
    report.days = days_;
    report.finalBalance = finalMoments_.estimate();
    const std::vector<double> percentiles = finalQuantiles_.values();
    std::copy(percentiles.begin(), percentiles.end(), report.finalPercentiles.begin());
    report.finalPercentilesExact = finalQuantiles_.exact();
    report.finalMinimum = finalMoments_.minimum();
    report.finalMaximum = finalMoments_.maximum();
    report.endedAhead = shareEstimate(ahead_, report.campaigns);
    report.wentBust = shareEstimate(bust_, report.campaigns);
    report.winningDays = winningDays_.estimate();
    report.winningDayCounts = winningDayCounts_;
    report.balancePerDay = perDay_.estimate();
    report.balancePerHour = perHour_.estimate();
    for (std::size_t day = 0; day < dayMoments_.size(); ++day) {
        DayBand band;
        band.day = static_cast<int>(day) + 1;
        band.mean = dayMoments_[day].mean();
        const std::vector<double> quantiles = dayQuantiles_[day].values();
        std::copy(quantiles.begin(), quantiles.end(), band.percentiles.begin());
        report.dayBandsExact = report.dayBandsExact && dayQuantiles_[day].exact();
        report.dayBands.push_back(band);
    }
    for (std::size_t index = 0; index < kOverallFigureCount; ++index) {
        report.overallMeans[index] = overall_[index].estimate();
    }
    report.spinsPerFirstHit = spinsPerFirstHit_.estimate();
    report.streakPerFirstHit = streakPerFirstHit_.estimate();
    report.payoutPerFirstHit = payoutPerFirstHit_.estimate();
    report.shortSpinsPerFirstHit = shortSpinsPerFirstHit_.estimate();
    report.payoutPerSpin = payoutPerSpin_.estimate();
    report.risk = riskFigures(report);
    report.shareOfDaysEndedInStreak =
        daysEnded_ == 0 ? 0
                        : static_cast<double>(daysEndedInStreak_) / static_cast<double>(daysEnded_);
    return report;
}

} // namespace zelkora
