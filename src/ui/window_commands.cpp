#include "window_commands.h"

#include "commands/run_commands.h"
#include "commands/version_message.h"
#include "condition_pages.h"
#include "files/working_copy_file.h"

namespace zelkora::ui {

WindowCommands::WindowCommands(MainWindowModel& model, DesktopSeams seams, EventPump& pump,
                               WindowHooks hooks)
    : model_(model), seams_(seams), pump_(pump), hooks_(std::move(hooks)),
      files_(model, {seams.ui, seams.files, pump, seams.timers, seams.random}, *this) {}

WindowCommands::~WindowCommands() = default;

void WindowCommands::run(Menu command) {
    ++depth_;
    const CommandState& state = model_.commands;
    switch (command) {
    case Menu::MF_MakeNew:
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
        if (state.enabled(Menu::Mf_End)) {
            hooks_.closeWindow();
        }
        break;
    case Menu::MC_Base:
        if (state.enabled(Menu::MC_Base)) {
            seams_.pages.showPage1();
        }
        break;
    case Menu::MC_Ts:
        if (state.enabled(Menu::MC) && state.enabled(Menu::MC_Ts)) {
            seams_.pages.showPage2();
        }
        break;
    case Menu::MC_Pic:
        if (state.enabled(Menu::MC_Pic)) {
            seams_.pages.showPage3();
        }
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
        cancelRun();
        break;
    case Menu::MS_Version:
        seams_.ui.showMessage(versionMessage());
        break;
    default:
        break;
    }
    finishCommand();
}

void WindowCommands::finishCommand() {
    --depth_;
    // A close that had to wait for a run or a rebuild comes again once that has returned.
    if (depth_ == 0 && closePending_) {
        closePending_ = false;
        hooks_.closeWindow();
    }
}

void WindowCommands::openNamedFile(const std::string& path) {
    ++depth_;
    files_.openNamedFile(path);
    finishCommand();
}

void WindowCommands::offerUnsavedWork() {
    ++depth_;
    files_.offerUnsavedWork();
    finishCommand();
}

void WindowCommands::start() {
    if (run_ != nullptr || !model_.commands.enabled(Menu::MK_Start)) {
        return;
    }
    FileWorkingCopy workingCopy(model_.workingCopyPath(), seams_.files);
    RunCommands run(model_, {seams_.ui, pump_, seams_.timers, seams_.random, workingCopy});
    run_ = &run;
    run.MK_Start();
    run_ = nullptr;
}

CloseDecision WindowCommands::close() {
    switch (files_.unload()) {
    case UnloadOutcome::Ends:
        return CloseDecision::Close;
    case UnloadOutcome::AfterRunEnds:
    case UnloadOutcome::AfterRebuildEnds:
        closePending_ = depth_ > 0;
        return CloseDecision::Keep;
    case UnloadOutcome::StaysOpen:
        break;
    }
    return CloseDecision::Keep;
}

void WindowCommands::showConditionPage1() {
    seams_.pages.showPage1();
}

void WindowCommands::showBasicConditionPanel() {
    hooks_.showBasicConditionPanel();
}

void WindowCommands::cancelRun() {
    if (run_ != nullptr) {
        run_->MK_Cancel();
    }
}

void WindowCommands::unloadConditionPages() {
    seams_.pages.unloadPages();
}

} // namespace zelkora::ui
