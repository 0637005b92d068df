#pragma once

#include "machines/machine_campaign.h"

#include <cstdint>

namespace zelkora::machines {

// The figures of a played campaign, counted from its events.
class CampaignTotals final : public CampaignEvents {
public:
    void bigHit(const BigHitEvent& hit) override;
    void dayEnd(const DayEndEvent& day) override;

    std::int64_t days = 0;
    std::int64_t winningDays = 0;
    std::int64_t bustDays = 0;
    std::int64_t firstHits = 0;
    std::int64_t bigHits = 0;
    std::int64_t ceilings = 0;
    std::int64_t normalSpins = 0;
    std::int64_t supportSpins = 0;
    std::int64_t rounds = 0;
    double payoutBalls = 0;
    double supportBalls = 0;
    double investedYen = 0;
    double balanceYen = 0;
    int longestChain = 0;
};

} // namespace zelkora::machines
