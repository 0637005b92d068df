#pragma once

#include "analysis/campaign.h"
#include "machines/machine_campaign.h"
#include "model/main_window_model.h"
#include "results/figure_accumulator.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace zelkora::machines {

// What only a machine of today has, beside the figures every verification shares.
struct MachineOnlyFigures {
    std::int64_t supportSpins = 0; // 電サポ spins, 残保留 not included
    std::int64_t ceilings = 0;     // 遊タイム reached
    std::int64_t rounds = 0;
    std::int64_t bustDays = 0;
    std::int64_t heldBallSpins = 0; // normal spins played on balls won
    double payoutBalls = 0;         // balls paid by big hits
    double supportBalls = 0;        // net balls of support spins, 小当り included
    double investedYen = 0;
    double playSeconds = 0;
    int longestChain = 0;
    std::vector<std::int64_t> entriesByState; // big hits whose outcome entered each state
};

// The figures of one played campaign. The counts every verification shares (spins, big and
// first hits, 確変 and 時短 entries, won and lost days, the balance) go through the results
// floor's FigureAccumulator from the same events the classic run hands it, so they are kept
// and shown by the same rules; what only a machine of today has is kept beside them.
//
// A hit counts as into 確変 when its outcome enters a support state that hits more often than
// the start state (ST, 確変), as into 時短 when it enters a support state that does not.
class MachineFigures final : public CampaignEvents {
public:
    MachineFigures(const MachineVerification& verification, const MachineGraph& graph,
                   const std::atomic<bool>* cancelled = nullptr);
    // The same, keeping the shared figures in `shown`, the window's model, whose overall and
    // daily boxes and distributions then show this campaign.
    MachineFigures(const MachineVerification& verification, const MachineGraph& graph,
                   MainWindowModel& shown);
    MachineFigures(const MachineFigures&) = delete;
    MachineFigures& operator=(const MachineFigures&) = delete;
    ~MachineFigures() override = default;

    void bigHit(const BigHitEvent& hit) override;
    void dayEnd(const DayEndEvent& day) override;
    bool stopped() const override;

    const Figures& figures() const { return accumulator_.figures(); }
    // Writes every figure box and distribution view of the model from the figures so far.
    void show();
    const MachineOnlyFigures& machineFigures() const { return machine_; }
    // The campaign as an analysis folds it: the overall panel's texts and numbers (written into
    // this campaign's own fields first) and its days.
    CampaignFigures campaignFigures();

private:
    enum class EntryKind : std::uint8_t { Normal, 確変, 時短 };

    void setUp(const MachineVerification& verification);
    void addSpins(std::int64_t normalSpins, std::int64_t supportSpins, double supportBalls);
    void showMachineFigures();

    const MachineGraph& graph_;
    const std::atomic<bool>* cancelled_;
    double unitYen_;
    std::unique_ptr<MainWindowModel> ownModel_; // none when the figures live in a shown model
    MainWindowModel& model_;
    FigureAccumulator accumulator_;
    std::vector<EntryKind> kinds_; // by entry
    MachineOnlyFigures machine_;
    CampaignFigures campaign_;
    bool chainOpen_ = false;
    double high_ = 0; // the highest cumulative balance so far
};

} // namespace zelkora::machines
