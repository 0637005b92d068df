#include "commands/file_commands.h"

#include "commands/file_command_messages.h"
#include "commands/file_dialogs.h"
#include "commands/open_machine.h"
#include "commands/open_reload.h"
#include "commands/unsaved_work.h"
#include "files/utf8_path.h"
#include "messages/error_messages.h"

#include <optional>

namespace zelkora {

namespace fs = std::filesystem;

bool FileCommands::confirmDiscard() {
    if (!model_.window.unsaved) {
        return true;
    }
    return ui_.showMessage(discardChangesQuestion()) == MessageResult::Ok;
}

void FileCommands::rememberFile(const std::string& path) {
    WindowValues& window = model_.window;
    window.savedName = true;
    window.filePath = path;
    window.fileTitle = utf8FromPath(pathFromUtf8(path).filename());
    window.caption = captionWithTitle(window.fileTitle);
    window.unsaved = false;
}

bool FileCommands::saveWorkingCopyTo(const std::string& target) {
    Status saved = copyFileSafely(seams_.files, model_.workingCopyPath(), pathFromUtf8(target));
    if (!saved.ok()) {
        ui_.showMessage(saveFailedMessage(target, saved.error()));
        return false;
    }
    return true;
}

void FileCommands::MF_MakeNew() {
    if (!model_.commands.enabled(Menu::MF_MakeNew) || !confirmDiscard()) {
        return;
    }
    model_.window.newVerification = 1;
    wizard_.showPage1();
    model_.window.newVerification = 0;
    ui_.setPointer(PointerShape::Default);
}

void FileCommands::MF_Open() {
    if (!model_.commands.enabled(Menu::MF_Open) || !confirmDiscard()) {
        return;
    }
    ui_.setPointer(PointerShape::Hourglass);
    const std::optional<std::string> chosen = ui_.openFileDialog(openDialogRequest(model_.window));
    if (!chosen) {
        ui_.setPointer(PointerShape::Default);
        return;
    }
    openChosen(*chosen);
}

void FileCommands::openNamedFile(const std::string& path) {
    if (!model_.commands.enabled(Menu::MF_Open) || !confirmDiscard()) {
        return;
    }
    ui_.setPointer(PointerShape::Hourglass);
    openChosen(path);
}

// Open changes all or nothing: the file replaces the working copy only once its conditions are
// known to load, and until then the window, its caption and its commands are untouched.
void FileCommands::openChosen(const std::string& chosen) {
    if (openMachine_ && isMachineFileName(chosen)) {
        openMachine_(chosen);
        return;
    }
    OpenCopyOutcome copied =
        copyLoadableFile(seams_.files, ui_, pathFromUtf8(chosen), model_.workingCopyPath());
    if (copied.outcome != OpenCopy::Copied) {
        ui_.showMessage(copied.outcome == OpenCopy::Refused
                            ? openRefusedMessage(chosen, copied.error)
                            : openFailedMessage(chosen, copied.error));
        ui_.setPointer(PointerShape::Default);
        return;
    }
    rememberFile(chosen);
    model_.requests.showBasicConditionPanel = true;
    if (Status loaded = loadOpenedConditions(model_, ui_); !loaded.ok()) {
        // Only a file changed on the disk since the check comes here.
        ui_.showMessage(loadFailedMessage(chosen, loaded.error()));
        ui_.setPointer(PointerShape::Default);
        return;
    }
    showLoadedVerification();
}

// The conditions are loaded: the commands follow, then the rebuild question.
void FileCommands::showLoadedVerification() {
    showLoadedConditions(model_);
    static_cast<void>(rebuildOpenedResults(model_, seams_));
    // The rebuild's unlock enables every command it locked, Cancel among them.
    model_.commands.apply(Availability::VerificationLoaded);
    ui_.setPointer(PointerShape::Default);
}

void FileCommands::MF_OverSave() {
    if (!model_.commands.enabled(Menu::MF_OverSave)) {
        return;
    }
    if (!model_.window.savedName) {
        MF_NewSave();
        return;
    }
    ui_.setPointer(PointerShape::Hourglass);
    if (saveWorkingCopyTo(model_.window.filePath)) {
        model_.window.unsaved = false;
    }
    ui_.setPointer(PointerShape::Default);
}

void FileCommands::MF_NewSave() {
    if (!model_.commands.enabled(Menu::MF_NewSave)) {
        return;
    }
    const std::optional<std::string> chosen = ui_.saveFileDialog(saveDialogRequest(model_.window));
    if (!chosen) {
        return;
    }
    ui_.setPointer(PointerShape::Hourglass);
    if (saveWorkingCopyTo(*chosen)) {
        rememberFile(*chosen);
    }
    ui_.setPointer(PointerShape::Default);
}

// The save offered at exit: straight to the dialog, and the working copy goes once it is safe
// in the chosen file. Returns false when the save failed.
bool FileCommands::saveBeforeExit() {
    const std::optional<std::string> chosen = ui_.saveFileDialog(saveDialogRequest(model_.window));
    if (!chosen) {
        // The working copy stays, and the next start offers it again.
        markUnsavedWork(model_.programFolder,
                        model_.window.savedName ? model_.window.filePath : std::string());
        return true;
    }
    if (!saveWorkingCopyTo(*chosen)) {
        return false;
    }
    rememberFile(*chosen);
    // Saved onto the working copy itself: deleting it would delete the save.
    // A working copy left behind is replaced at the next start; the save itself succeeded.
    if (!isSameFile(model_.workingCopyPath(), pathFromUtf8(*chosen))) {
        static_cast<void>(seams_.files.remove(model_.workingCopyPath()));
    }
    return true;
}

UnloadOutcome FileCommands::unload() {
    // Exit is enabled in every state but the rebuild's lock, so a disabled Exit means the close
    // arrived through the window's own close button during a rebuild.
    if (!model_.commands.enabled(Menu::Mf_End)) {
        return UnloadOutcome::AfterRebuildEnds;
    }
    if (model_.window.running == 1) {
        return UnloadOutcome::AfterRunEnds;
    }
    wizard_.unloadAll();
    bool saved = true;
    if (model_.window.unsaved) {
        saved = saveBeforeExit();
    }
    ui_.setPointer(PointerShape::Default);
    return saved ? UnloadOutcome::Ends : UnloadOutcome::StaysOpen;
}

void FileCommands::offerUnsavedWork() {
    const std::optional<std::string> savedFile = readUnsavedMark(model_.programFolder);
    if (!savedFile) {
        return;
    }
    const bool reopen = ui_.showMessage(reopenUnsavedWorkQuestion()) == MessageResult::Yes;
    forgetUnsavedWork(seams_.files, model_.programFolder);
    if (reopen) {
        reopenWorkingCopy(*savedFile);
    }
}

// The working copy is the verification: loaded as Open loads a file, known by the file it was
// last saved to, or by its name, and still unsaved.
void FileCommands::reopenWorkingCopy(const std::string& savedFile) {
    if (Status loaded = loadOpenedConditions(model_, ui_); !loaded.ok()) {
        ui_.showMessage(loadFailedMessage(utf8FromPath(model_.workingCopyPath()), loaded.error()));
        ui_.setPointer(PointerShape::Default);
        return;
    }
    if (savedFile.empty()) {
        WindowValues& window = model_.window;
        window.fileTitle = model_.fields.text(Field::条件_名前) + ".pac";
        window.caption = captionWithTitle(window.fileTitle);
    } else {
        rememberFile(savedFile);
    }
    model_.window.unsaved = true;
    model_.requests.showBasicConditionPanel = true;
    showLoadedVerification();
}

} // namespace zelkora
