#include "machines/machine_trials.h"

#include "analysis/campaign_streams.h"
#include "machines/machine_figures.h"

namespace zelkora::machines {

MachineCampaigns::MachineCampaigns(const MachineVerification& verification, std::uint64_t seed)
    : verification_(verification), graph_(buildGraph(verification.machine)), seed_(seed) {}

CampaignOutcome MachineCampaigns::play(std::int64_t index,
                                       const std::atomic<bool>& cancelled) const {
    const CampaignStream stream = campaignStream(seed_, index);
    MachineFigures figures(verification_, graph_, &cancelled);
    playCampaign(verification_, graph_, stream.seed, figures, stream.stream);
    CampaignOutcome outcome;
    if (figures.stopped()) {
        outcome.end = CampaignEnd::Cancelled;
    } else {
        outcome.figures = figures.campaignFigures();
    }
    outcome.figures.index = index;
    return outcome;
}

} // namespace zelkora::machines
