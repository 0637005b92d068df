#include "commands/first_run_setup.h"

#include "commands/setup_messages.h"
#include "files/sample_files.h"
#include "files/settings_file.h"
#include "files/utf8_path.h"
#include "files/windows_directory.h"

namespace zelkora {

namespace fs = std::filesystem;

namespace {

// The data folder may exist already (an interrupted setup, a user's own folder); anything else
// in its place is a failure.
bool createDataFolder(const fs::path& dataFolder) {
    std::error_code error;
    fs::create_directory(dataFolder, error);
    return fs::is_directory(dataFolder, error);
}

bool moveSample(FileSystem& files, const fs::path& programFolder, int sample) {
    const std::string fileName = std::string(kSampleNames.at(static_cast<std::size_t>(sample))) +
                                 std::string(kVerificationExtension);
    const fs::path source = programFolder / pathFromUtf8(fileName);
    const fs::path target = programFolder / kDataFolderName / pathFromUtf8(fileName);
    return copyFileSafely(files, source, target).ok() && files.remove(source).ok();
}

// The setup proper, once the check found the program not set up: the welcome, the settings
// file, the data folder and the samples moved into it, each with its splash progress.
SetupResult runSetup(const SetupPlace& place, UserInterface& ui, SplashView& splash,
                     FileSystem& files) {
    SetupResult result;
    ui.showMessage(welcomeMessage());
    const Settings settings{programFolderRecordText(place.currentFolderText),
                            place.windowsDirectory, kSetupCompleteMark};
    if (Status written = writeSettingsFile(files, place.currentFolder, settings); !written.ok()) {
        ui.showMessage(settingsNotWrittenMessage(
            utf8FromPath(place.currentFolder / kSettingsFileName), written.error()));
        result.outcome = SetupOutcome::ProgramMustEnd;
        return result;
    }
    result.setupDone = true;

    splash.show();
    for (const SplashStep& step : kSplashSteps) {
        splash.setProgress(step.progress);
        if (step.step == SetupStep::CreateDataFolder &&
            !createDataFolder(place.currentFolder / kDataFolderName)) {
            ui.showMessage(setupAbortedMessage());
            splash.close();
            result.outcome = SetupOutcome::ProgramMustEnd;
            return result;
        }
        if (step.step == SetupStep::MoveSample &&
            !moveSample(files, place.currentFolder, step.sample)) {
            ui.showMessage(copyErrorMessage(step.sample));
        }
    }
    ui.showMessage(setupFinishedMessage());
    splash.close();
    result.outcome = SetupOutcome::Completed;
    return result;
}

} // namespace

SetupPlace currentSetupPlace() {
    SetupPlace place;
    std::error_code error;
    place.currentFolder = fs::current_path(error);
    place.currentFolderText = utf8FromPath(place.currentFolder);
    place.windowsDirectory = windowsDirectory();
    return place;
}

SetupResult fileiniLoad(const SetupPlace& place, UserInterface& ui, SplashView& splash,
                        FileSystem& files) {
    const Result<Settings> found = readSettingsFile(place.currentFolder);
    if (found.ok() && found->setupMark == kSetupCompleteMark) {
        return {SetupOutcome::FoundComplete, true};
    }
    if (!found.ok() && found.error().kind != ErrorKind::FileMissing) {
        ui.showMessage(
            damagedSettingsMessage(utf8FromPath(place.currentFolder / kSettingsFileName)));
    }
    return runSetup(place, ui, splash, files);
}

} // namespace zelkora
