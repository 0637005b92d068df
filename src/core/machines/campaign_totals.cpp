#include "machines/campaign_totals.h"

#include <algorithm>

namespace zelkora::machines {

void CampaignTotals::bigHit(const BigHitEvent& hit) {
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

void CampaignTotals::dayEnd(const DayEndEvent& day) {
    ++days;
    winningDays += day.balanceYen > 0 ? 1 : 0;
    bustDays += day.bust ? 1 : 0;
    normalSpins += day.normalSpins;
    supportSpins += day.supportSpins;
    supportBalls += day.supportBalls;
    investedYen += day.investedYen;
    balanceYen += day.balanceYen;
}

} // namespace zelkora::machines
