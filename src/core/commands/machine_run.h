#pragma once

#include "commands/open_machine.h"
#include "machines/machine_campaign.h"
#include "machines/machine_figures.h"
#include "platform/platform_seams.h"
#include "platform/random_stream.h"
#include "platform/yield_point.h"

#include <cstdint>
#include <string>

namespace zelkora {

// The seed of a machine's run in the window, drawn from the program's generator, so every Start
// plays another campaign and the program's seed decides them all. `zelkora-run MACHINE.json
// --seed S` plays the same campaign again.
std::uint64_t drawMachineSeed(RandomStream& random);

// The status bar's text after a run: the seed, so the campaign can be played again.
std::string machineSeedText(std::uint64_t seed);

// Start for an open machine: its campaign played with the machine engine day by day, the same
// panels filled as a classic run fills them where a figure means the same thing. The overall
// and daily figures, the distributions of first-hit gaps and chains, the balance chart and
// Grid3 come from the shared accumulator; each big hit fills the detail strip and becomes a
// Grid1 row, with "—" in the columns a machine has no value for (the investment, the held and
// exchanged balls of a hit; the rule column says 遊タイム when the ceiling brought the hit).
// The window's events are processed at each big hit and day end, at the pump's frame rate;
// Cancel stops the campaign at the next one.
class MachineRun final : public machines::CampaignEvents {
public:
    MachineRun(MainWindowModel& model, const PlatformSeams& seams, const OpenMachine& machine);
    MachineRun(const MachineRun&) = delete;
    MachineRun& operator=(const MachineRun&) = delete;
    ~MachineRun() override = default;

    // Plays to the last day or to Cancel, then gives the window back and says how it ended.
    void play(std::uint64_t seed);
    // During a yield of the run.
    void cancel() { cancelled_ = true; }

    void bigHit(const machines::BigHitEvent& hit) override;
    void dayEnd(const machines::DayEndEvent& day) override;
    bool stopped() const override { return cancelled_; }

    const machines::MachineFigures& figures() const { return figures_; }

private:
    // Brings the figure boxes up to the last event before the window's events are processed.
    class ShowingPump final : public EventPump {
    public:
        ShowingPump(machines::MachineFigures& figures, EventPump& inner)
            : figures_(figures), inner_(inner) {}
        std::uint32_t processEvents() override {
            figures_.show();
            return inner_.processEvents();
        }

    private:
        machines::MachineFigures& figures_;
        EventPump& inner_;
    };

    void enterRunMode();
    void leaveRunMode();
    void tellEnd(const std::optional<Error>& failure);

    MainWindowModel& model_;
    PlatformSeams seams_;
    const OpenMachine& machine_;
    machines::MachineFigures figures_;
    ShowingPump pump_;
    YieldPoint yield_;
    bool cancelled_ = false;
};

} // namespace zelkora
