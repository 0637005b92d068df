#include "commands/startup.h"

#include "commands/setup_messages.h"
#include "files/file_system.h"
#include "files/leftover_partials.h"
#include "files/sample_files.h"
#include "files/settings_file.h"
#include "files/utf8_path.h"

namespace zelkora {

namespace fs = std::filesystem;

namespace {

// A program folder moved or copied elsewhere keeps a zelkora.ini that names the old place. The
// program runs in the folder it starts in, so record 1 follows it there. Nothing reads record 1
// for anything else, so a file that cannot be rewritten costs nothing and is not worth a word.
void recordCurrentFolder(const Settings& settings, const SetupPlace& place, FileSystem& files) {
    const std::string current = programFolderRecordText(place.currentFolderText);
    if (settings.programFolder == current || settings.programFolder == kThisFolderRecordText ||
        isSameFile(folderFromRecordText(settings.programFolder), place.currentFolder)) {
        return;
    }
    Settings updated = settings;
    updated.programFolder = current;
    static_cast<void>(writeSettingsFile(files, place.currentFolder, updated));
}

} // namespace

void resetWindowValues(MainWindowModel& model) {
    WindowValues& window = model.window;
    window.filePath = utf8FromPath(model.programFolder / kDataFolderName);
    window.fileTitle = kInitialFileTitle;
    window.savedName = false;
    window.unsaved = false;
    window.cancelled = false;
    window.caption = kProductTitle;
    model.program = ProgramValues{};
}

StartupResult startUpFromSettings(MainWindowModel& model, const SetupPlace& place,
                                  UserInterface& ui, SplashView& splash, FileSystem& files,
                                  EnterProgramFolder enter) {
    StartupResult result;
    if (fileiniLoad(place, ui, splash, files).outcome == SetupOutcome::ProgramMustEnd) {
        result.outcome = StartupOutcome::ProgramMustEnd;
        return result;
    }
    const Result<Settings> settings = readSettingsFile(place.currentFolder);
    if (!settings.ok()) {
        ui.showMessage(
            settingsUnreadableMessage(utf8FromPath(place.currentFolder / kSettingsFileName)));
        result.outcome = StartupOutcome::ProgramMustEnd;
        return result;
    }
    recordCurrentFolder(settings.value(), place, files);
    model.programFolder = place.currentFolder;
    result.windowsDirectory = withoutTrailingBackslash(settings->windowsDirectory);
    if (enter == EnterProgramFolder::Yes) {
        std::error_code error;
        fs::current_path(model.programFolder, error);
        if (error) {
            ui.showMessage(programFolderMissingMessage(
                place.currentFolderText, Error{ErrorKind::CannotOpen}.because(error)));
            result.outcome = StartupOutcome::ProgramMustEnd;
            return result;
        }
    }
    // A start or a save killed mid-write leaves its temporary file; nothing else ever would
    // remove it.
    removeLeftoverPartials(model.programFolder);
    removeLeftoverPartials(model.programFolder / kDataFolderName);
    resetWindowValues(model);
    return result;
}

} // namespace zelkora
