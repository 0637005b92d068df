#pragma once

#include "machines/machine_campaign.h"

#include <algorithm>
#include <cstdint>

namespace zelkora::machines {

// The figures of a played campaign, counted from its events in the plainest way, for the tests
// to set beside the campaign's own figures.
class CampaignTotals final : public CampaignEvents {
public:
    void bigHit(const BigHitEvent& hit) override {
        ++bigHits;
        firstHits += hit.firstHit ? 1 : 0;
        ceilings += hit.ceiling ? 1 : 0;
        normalSpins += hit.normalSpins;
        supportSpins += hit.supportSpins;
        rounds += hit.outcome->rounds;
        payoutBalls += hit.outcome->balls;
        supportBalls += hit.supportBalls;
        longestChain = std::max(longestChain, hit.chain);
    }
    void dayEnd(const DayEndEvent& day) override {
        ++days;
        winningDays += day.balanceYen > 0 ? 1 : 0;
        bustDays += day.bust ? 1 : 0;
        normalSpins += day.normalSpins;
        supportSpins += day.supportSpins;
        supportBalls += day.supportBalls;
        investedYen += day.investedYen;
        balanceYen += day.balanceYen;
    }

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
