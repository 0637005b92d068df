#include "commands/startup.h"

#include "commands/setup_messages.h"
#include "files/sample_files.h"
#include "files/settings_file.h"
#include "files/utf8_path.h"

namespace zelkora {

namespace fs = std::filesystem;

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
    model.programFolder = folderFromRecordText(settings->programFolder);
    result.windowsDirectory = withoutTrailingBackslash(settings->windowsDirectory);
    if (enter == EnterProgramFolder::Yes) {
        std::error_code error;
        fs::current_path(model.programFolder, error);
        if (error) {
            ui.showMessage(programFolderMissingMessage(settings->programFolder));
            result.outcome = StartupOutcome::ProgramMustEnd;
            return result;
        }
    }
    resetWindowValues(model);
    return result;
}

} // namespace zelkora
