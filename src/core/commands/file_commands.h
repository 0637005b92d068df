#pragma once

#include "model/main_window_model.h"
#include "platform/platform_seams.h"
#include "wizard/condition_wizard.h"

#include <cstdint>
#include <functional>
#include <string>

namespace zelkora {

enum class UnloadOutcome : std::uint8_t {
    Ends,         // the program ends now
    AfterRunEnds, // a run is in progress: cancel it and call unload() again once Start returns
    // A rebuild is replaying records (the close came in one of its yields); call unload() again
    // once it has returned, as it has the working copy open and the window locked.
    AfterRebuildEnds,
    StaysOpen, // the exit save failed and said so; the window stays so nothing is lost
};

// The file commands New, Open, Save, Save As and Exit. They move whole files between the
// working copy and the user's files and keep the window-level values in step. A command whose
// menu entry is disabled does nothing, so a late shortcut can never copy a working copy that a
// run is still writing.
class FileCommands {
public:
    // New shows the wizard's first page; Open and a reopened working copy ask the window for the
    // basic-condition panel through the model's requests.
    FileCommands(MainWindowModel& model, const PlatformSeams& seams, ConditionWizard& wizard)
        : model_(model), seams_(seams), ui_(seams.ui), wizard_(wizard) {}

    void MF_MakeNew();
    void MF_Open();
    // Open hands a chosen machine file (.json) to `open`, after the question about unsaved
    // changes, instead of copying it over the working copy.
    void openMachineFilesWith(std::function<void(const std::string&)> open) {
        openMachine_ = std::move(open);
    }
    // Open with the file already chosen: a file named when the program starts (a double-clicked
    // .pac) opens as if the open dialog had returned it.
    void openNamedFile(const std::string& path);
    void MF_OverSave();
    void MF_NewSave();
    // Mf_End and the window's close: the unload event.
    UnloadOutcome unload();
    // At start, once the window shows: a verification left unsaved at the last Exit is offered
    // again, as it stands in the working copy.
    void offerUnsavedWork();

private:
    bool confirmDiscard();
    // Open from the copy onwards, once a file is chosen.
    void openChosen(const std::string& chosen);
    void showLoadedVerification();
    // Copies the working copy to `target`; reports a failure and returns false.
    bool saveWorkingCopyTo(const std::string& target);
    void rememberFile(const std::string& path);
    bool saveBeforeExit();
    void reopenWorkingCopy(const std::string& savedFile);

    MainWindowModel& model_;
    PlatformSeams seams_;
    UserInterface& ui_; // seams_.ui, named for the many message boxes
    ConditionWizard& wizard_;
    std::function<void(const std::string&)> openMachine_;
};

} // namespace zelkora
