#pragma once

#include "files/file_system.h"
#include "model/main_window_model.h"
#include "platform/platform.h"
#include "platform/random_stream.h"

#include <cstdint>

namespace zelkora {

// What the file commands ask of the rest of the window.
class FileCommandHost {
public:
    virtual ~FileCommandHost() = default;
    // New: shows wizard page 1 (条件1), modeless; the page reads the new-verification flag while
    // it loads.
    virtual void showConditionPage1() = 0;
    // Open: shows the basic-condition panel (as Command_基本条件).
    virtual void showBasicConditionPanel() = 0;
    // Exit during a run: MK_Cancel. The run winds down once the caller's yield returns.
    virtual void cancelRun() = 0;
    // Exit: unloads wizard pages 条件1 and 条件2.
    virtual void unloadConditionPages() = 0;
};

// The platform the file commands use: the dialogs and boxes, the files, and what the rebuild
// after an Open needs (the yields, Timer3 and the program's one generator).
struct FileCommandSeams {
    UserInterface& ui;
    FileSystem& files;
    EventPump& pump;
    RunTimers& timers;
    RandomStream& random;
};

enum class UnloadOutcome : std::uint8_t {
    Ends,         // the program ends now
    AfterRunEnds, // a run was cancelled; call unload() again once Start has returned
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
    FileCommands(MainWindowModel& model, FileCommandSeams seams, FileCommandHost& host)
        : model_(model), seams_(seams), ui_(seams.ui), host_(host) {}

    void MF_MakeNew();
    void MF_Open();
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
    FileCommandSeams seams_;
    UserInterface& ui_; // seams_.ui, named for the many message boxes
    FileCommandHost& host_;
};

} // namespace zelkora
