#pragma once

#include "analysis/campaign.h"
#include "commands/file_commands.h"
#include "commands/open_machine.h"
#include "commands/open_reload.h"
#include "model/main_window_model.h"
#include "platform/platform_seams.h"
#include "wizard/condition_wizard.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace zelkora {

class MachineRun;
class RunCommands;

// What a close of the window comes to.
enum class CloseDecision : std::uint8_t { Close, Keep };

// The open verification and every command that changes it. It is a classic verification (the
// working copy of a .pac) or a machine of today read from its machine file, which Start plays
// with the machine engine and which nothing edits or saves (the model's openKind says which). The
// document owns the condition wizard (the draft of the conditions, which only Finish commits), the
// file commands (the working copy, the file path and title, the saved-name and unsaved flags) and
// the run in progress, and it assembles every run: the window's Start, the runner's, the sample
// maker's and the setup every campaign of a many-campaign analysis starts from. What the window
// must do beyond showing the model (a panel, a close) it records in the model's requests.
//
// A run plays on the caller's thread; the seams' pump processes the window's events inside it,
// and a command that comes in through the pump (Cancel, a close) runs nested.
class VerificationDocument {
public:
    VerificationDocument(MainWindowModel& model, const PlatformSeams& seams);
    VerificationDocument(const VerificationDocument&) = delete;
    VerificationDocument& operator=(const VerificationDocument&) = delete;
    ~VerificationDocument();

    MainWindowModel& model() { return model_; }
    const MainWindowModel& model() const { return model_; }
    ConditionWizard& wizard() { return wizard_; }

    // A menu entry or toolbar button; a command whose entry is disabled does nothing.
    void run(Menu command);
    // Open with the file already chosen (a double-clicked .pac).
    void openNamedFile(const std::string& path);
    // At start: a verification left unsaved at the last Exit is offered again.
    void offerUnsavedWork();
    // The window's close. Keep means the window stays, either for good (the exit save failed)
    // or until the run or rebuild in progress has returned, when the document asks for the
    // close again through the model's requests.
    CloseDecision close();
    bool running() const { return run_ != nullptr || machineRun_ != nullptr; }
    // The open machine; none while a classic verification (or nothing) is open.
    const OpenMachine* machine() const { return machine_.get(); }
    // The seed of the last machine run, for the runner's --seed.
    std::uint64_t lastMachineSeed() const { return lastMachineSeed_; }

    // Open without dialogs or messages, for the runner and the sample maker: the file is checked,
    // copied over the working copy and loaded as Open loads it; the results are not rebuilt.
    // Nothing changes when it cannot be loaded.
    OpenCopyOutcome load(const std::filesystem::path& file);
    // The same for conditions already written to the working copy.
    Status loadWorkingCopy();
    // The rebuild Open offers once the conditions are loaded: the question, then the replay.
    RebuildOutcome rebuild();
    // The loaded verification as every campaign of an analysis starts from it.
    Result<CampaignSetup> campaignSetup(int countdown, std::uint64_t seed);

private:
    void start();
    void startMachine();
    void openMachine(const std::string& file);
    void finishCommand();

    MainWindowModel& model_;
    PlatformSeams seams_;
    ConditionWizard wizard_;
    FileCommands files_;
    RunCommands* run_ = nullptr; // the run in progress, for Cancel
    std::unique_ptr<OpenMachine> machine_;
    MachineRun* machineRun_ = nullptr; // the machine's run in progress, for Cancel
    std::uint64_t lastMachineSeed_ = 0;
    std::uint64_t machineOpens_ = 0;
    int depth_ = 0; // commands in progress; nested ones run inside a yield
    bool closePending_ = false;
};

} // namespace zelkora
