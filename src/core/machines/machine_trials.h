#pragma once

#include "analysis/campaign_analysis.h"
#include "machines/machine.h"
#include "machines/machine_graph.h"

#include <cstdint>

namespace zelkora::machines {

// The campaigns of a machine verification for CampaignAnalysis: campaign i plays the machine
// from the analysis' stream i, so the analysis is seeded and the same for any thread count.
class MachineCampaigns final : public CampaignPlayer {
public:
    // The verification must have passed its checks and outlive this player.
    MachineCampaigns(const MachineVerification& verification, std::uint64_t seed);

    int days() const override { return verification_.campaign.days; }
    CampaignOutcome play(std::int64_t index, const std::atomic<bool>& cancelled) const override;

private:
    const MachineVerification& verification_;
    MachineGraph graph_;
    std::uint64_t seed_;
};

} // namespace zelkora::machines
