#include "commands/verification_document.h"

#include "analysis/campaign_setup.h"
#include "commands/machine_run.h"
#include "commands/open_reload.h"
#include "commands/run_commands.h"
#include "commands/version_message.h"
#include "files/working_copy_file.h"

namespace zelkora {

VerificationDocument::VerificationDocument(MainWindowModel& model, const PlatformSeams& seams)
    : model_(model), seams_(seams), wizard_(model, seams), files_(model, seams, wizard_) {
    files_.openMachineFilesWith([this](const std::string& file) { openMachine(file); });
}

VerificationDocument::~VerificationDocument() = default;

void VerificationDocument::run(Menu command) {
    ++depth_;
    switch (command) {
    case Menu::MF_MakeNew:
        // A new verification is a classic one: the machine is closed before its first page.
        if (machine_ != nullptr && model_.commands.enabled(Menu::MF_MakeNew)) {
            showClosedMachine(model_);
        }
        files_.MF_MakeNew();
        break;
    case Menu::MF_Open:
        files_.MF_Open();
        break;
    case Menu::MF_OverSave:
        files_.MF_OverSave();
        break;
    case Menu::MF_NewSave:
        files_.MF_NewSave();
        break;
    case Menu::Mf_End:
        if (model_.commands.enabled(Menu::Mf_End)) {
            model_.requests.close = true;
        }
        break;
    case Menu::MC_Base:
        wizard_.MC_Base();
        break;
    case Menu::MC_Ts:
        wizard_.MC_Ts();
        break;
    case Menu::MC_Pic:
        wizard_.MC_Pic();
        break;
    case Menu::MO_Prob:
        model_.commands.toggleProbabilityConvergence();
        break;
    case Menu::MO_Pic:
        model_.commands.toggleSymbolConvergence();
        break;
    case Menu::MO_Random:
        model_.commands.selectPlainRandom();
        break;
    case Menu::MK_Start:
        start();
        break;
    case Menu::MK_Cancel:
        if (run_ != nullptr) {
            run_->MK_Cancel();
        }
        if (machineRun_ != nullptr) {
            machineRun_->cancel();
        }
        break;
    case Menu::MS_Version:
        seams_.ui.showMessage(versionMessage());
        break;
    default:
        break;
    }
    finishCommand();
}

void VerificationDocument::finishCommand() {
    --depth_;
    // A classic verification opened, or the window emptied for a new one: the machine is gone.
    if (machine_ != nullptr && machineRun_ == nullptr && model_.openKind != OpenKind::Machine) {
        machine_.reset();
    }
    // A close that had to wait for a run or a rebuild is asked for again once that has returned.
    if (depth_ == 0 && closePending_) {
        closePending_ = false;
        model_.requests.close = true;
    }
}

void VerificationDocument::openNamedFile(const std::string& path) {
    ++depth_;
    files_.openNamedFile(path);
    finishCommand();
}

void VerificationDocument::offerUnsavedWork() {
    ++depth_;
    files_.offerUnsavedWork();
    finishCommand();
}

void VerificationDocument::openMachine(const std::string& file) {
    MachineReading reading = readOpenMachine(file);
    if (reading.machine == nullptr) {
        seams_.ui.showMessage(*reading.refusal);
        seams_.ui.setPointer(PointerShape::Default);
        return;
    }
    machine_ = std::move(reading.machine);
    machine_->serial = ++machineOpens_;
    showOpenMachine(model_, *machine_);
    seams_.ui.setPointer(PointerShape::Default);
}

void VerificationDocument::startMachine() {
    lastMachineSeed_ = drawMachineSeed(seams_.random);
    MachineRun run(model_, seams_, *machine_);
    machineRun_ = &run;
    run.play(lastMachineSeed_);
    machineRun_ = nullptr;
}

void VerificationDocument::start() {
    if (running() || !model_.commands.enabled(Menu::MK_Start)) {
        return;
    }
    if (machine_ != nullptr && model_.openKind == OpenKind::Machine) {
        startMachine();
        return;
    }
    FileWorkingCopy workingCopy(model_.workingCopyPath(), seams_.files);
    RunCommands run(model_, seams_, workingCopy);
    run_ = &run;
    run.MK_Start();
    run_ = nullptr;
}

CloseDecision VerificationDocument::close() {
    switch (files_.unload()) {
    case UnloadOutcome::Ends:
        return CloseDecision::Close;
    case UnloadOutcome::AfterRunEnds:
        // The run still has to write its cancel record and its run summary, which it does after
        // this yield returns; the window closes once Start has returned.
        if (run_ != nullptr) {
            run_->MK_Cancel();
        }
        if (machineRun_ != nullptr) {
            machineRun_->cancel();
        }
        closePending_ = depth_ > 0;
        return CloseDecision::Keep;
    case UnloadOutcome::AfterRebuildEnds:
        closePending_ = depth_ > 0;
        return CloseDecision::Keep;
    case UnloadOutcome::StaysOpen:
        break;
    }
    return CloseDecision::Keep;
}

OpenCopyOutcome VerificationDocument::load(const std::filesystem::path& file) {
    OpenCopyOutcome copied =
        copyLoadableFile(seams_.files, seams_.ui, file, model_.workingCopyPath());
    if (copied.outcome != OpenCopy::Copied) {
        return copied;
    }
    if (Status loaded = loadWorkingCopy(); !loaded.ok()) {
        // Only a file changed on the disk since the check comes here.
        return {OpenCopy::Refused, std::move(loaded).error()};
    }
    return copied;
}

Status VerificationDocument::loadWorkingCopy() {
    if (Status loaded = loadOpenedConditions(model_, seams_.ui); !loaded.ok()) {
        return loaded;
    }
    showLoadedConditions(model_);
    return {};
}

RebuildOutcome VerificationDocument::rebuild() {
    return rebuildOpenedResults(model_, seams_);
}

Result<CampaignSetup> VerificationDocument::campaignSetup(int countdown, std::uint64_t seed) {
    return campaignSetupOf(model_, countdown, seed);
}

} // namespace zelkora
