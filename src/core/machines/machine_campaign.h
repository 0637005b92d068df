#pragma once

#include "machines/machine.h"
#include "machines/machine_graph.h"

#include <cstdint>

namespace zelkora::machines {

// A big hit as the campaign saw it.
struct BigHitEvent {
    int day = 0;
    int state = 0; // the state it came in
    const MachineGraph::Outcome* outcome = nullptr;
    bool firstHit = false;
    int chain = 0;                 // 1 at a first hit, one more at each continuing hit
    std::int64_t normalSpins = 0;  // since the last big hit
    std::int64_t supportSpins = 0; // since the last big hit, 残保留 not included
    double supportBalls = 0;       // since the last big hit
    bool ceiling = false;          // the 遊タイム started since the last big hit
};

// A day's close: every held ball exchanged.
struct DayEndEvent {
    int day = 0;
    double investedYen = 0;
    double exchangedYen = 0;
    double balanceYen = 0;          // exchanged − invested
    bool bust = false;              // 持金パンク: the cap allowed no more purchase
    double exchangedBalls = 0;      // the held balls exchanged; 0 when bust
    double seconds = 0;             // the day's clock: spins and big hits
    std::int64_t heldBallSpins = 0; // normal spins played on balls won, not bought
    bool inSupport = false;         // the day ended in a support state
    // The spins since the day's last big hit, which no hit reported.
    std::int64_t normalSpins = 0;
    std::int64_t supportSpins = 0;
    double supportBalls = 0;
};

// Receives the campaign's events; nothing is called per spin.
class CampaignEvents {
public:
    virtual ~CampaignEvents() = default;
    virtual void bigHit(const BigHitEvent& hit) = 0;
    virtual void dayEnd(const DayEndEvent& day) = 0;
    // Asked after every event: true stops the campaign there (an analysis' cancel).
    virtual bool stopped() const { return false; }
};

// Plays the campaign with the classic engine's ball, money and day rules where they apply: a
// normal-play spin takes 250 ÷ spins per 1000 yen balls and one unit is bought when a spin
// would leave no balls, within the daily cap (without reinvestment the day's investment, with
// it the day's loss); a support spin gains its net balls (buying likewise when it loses more
// than is held); a spin takes its seconds, a big hit 180; the day ends when the clock passes the
// schedule's span, with an hour's grace in support; the held balls are kept as today's
// 無制限 play keeps them and exchanged at the day's end. Each day starts in the start state with
// the ceiling count at 0. Seeded: the same seed and stream play the same campaign.
void playCampaign(const MachineVerification& verification, const MachineGraph& graph,
                  std::uint64_t seed, CampaignEvents& events, std::uint64_t stream = 0);

} // namespace zelkora::machines
