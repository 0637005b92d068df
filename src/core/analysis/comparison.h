#pragma once

#include "analysis/campaign_analysis.h"

#include <cstdint>

namespace zelkora {

// Two verifications played with common random numbers: campaign i of both draws from the same
// stream (the same seed and i), so the luck they share cancels in the difference and its
// interval is far narrower than that of two independent analyses.
struct ComparisonReport {
    AnalysisReport first;
    AnalysisReport second;
    MeanEstimate difference;   // final balance of the second minus the first, per campaign
    ShareEstimate secondAhead; // campaigns in which the second ended above the first
};

struct ComparisonOutcome {
    AnalysisEnd end = AnalysisEnd::Done;
    std::optional<Error> failure;
    std::int64_t failedCampaign = -1;
    bool failedInSecond = false;
    ComparisonReport report;
};

// Plays both analyses one after the other with the same seed and request; the first keeps its
// campaigns' final balances (K numbers) until the second's come. The observers' `sink` sees the
// campaigns of the first analysis, `secondSink` those of the second.
ComparisonOutcome compareVerifications(const CampaignSetup& first, const CampaignSetup& second,
                                       const AnalysisRequest& request, const PlatformSeams& seams,
                                       AnalysisObservers observers,
                                       std::optional<double> bankroll = std::nullopt,
                                       CampaignSink* secondSink = nullptr);

} // namespace zelkora
