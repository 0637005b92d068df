#include "analysis/comparison.h"

#include <vector>

namespace zelkora {
namespace {

// Passes every campaign on and keeps its final balance.
class FinalBalances final : public CampaignSink {
public:
    explicit FinalBalances(CampaignSink* next) : next_(next) {}
    void campaign(const CampaignFigures& figures) override {
        balances.push_back(figures.finalBalance);
        if (next_ != nullptr) {
            next_->campaign(figures);
        }
    }
    std::vector<double> balances;

private:
    CampaignSink* next_;
};

// The second analysis' campaigns against the first's, in campaign order; each is passed on.
class Differences final : public CampaignSink {
public:
    Differences(const std::vector<double>& first, CampaignSink* next)
        : first_(first), next_(next) {}
    void campaign(const CampaignFigures& figures) override {
        const double difference =
            figures.finalBalance - first_.at(static_cast<std::size_t>(figures.index));
        moments.add(difference);
        ahead += difference > 0 ? 1 : 0;
        if (next_ != nullptr) {
            next_->campaign(figures);
        }
    }
    RunningMoments moments;
    std::int64_t ahead = 0;

private:
    const std::vector<double>& first_;
    CampaignSink* next_;
};

} // namespace

ComparisonOutcome compareVerifications(const CampaignSetup& first, const CampaignSetup& second,
                                       const AnalysisRequest& request, const PlatformSeams& seams,
                                       AnalysisObservers observers, std::optional<double> bankroll,
                                       CampaignSink* secondSink) {
    ComparisonOutcome outcome;
    FinalBalances balances(observers.sink);
    CampaignAnalysis firstAnalysis(first, request);
    firstAnalysis.followBankroll(bankroll);
    AnalysisOutcome played =
        firstAnalysis.run(seams, {observers.progress, &balances, observers.cancelRequest});
    outcome.report.first = std::move(played.report);
    if (played.end != AnalysisEnd::Done) {
        outcome.end = played.end;
        outcome.failure = std::move(played.failure);
        outcome.failedCampaign = played.failedCampaign;
        return outcome;
    }
    Differences differences(balances.balances, secondSink);
    CampaignAnalysis secondAnalysis(second, request);
    secondAnalysis.followBankroll(bankroll);
    played = secondAnalysis.run(seams, {observers.progress, &differences, observers.cancelRequest});
    outcome.report.second = std::move(played.report);
    if (played.end != AnalysisEnd::Done) {
        outcome.end = played.end;
        outcome.failure = std::move(played.failure);
        outcome.failedCampaign = played.failedCampaign;
        outcome.failedInSecond = true;
        return outcome;
    }
    outcome.report.difference = differences.moments.estimate();
    outcome.report.secondAhead = shareEstimate(differences.ahead, differences.moments.count());
    return outcome;
}

} // namespace zelkora
