#pragma once

#include "commands/first_run_setup.h"
#include "model/main_window_model.h"

#include <string>

namespace zelkora {

enum class StartupOutcome : std::uint8_t { Ready, ProgramMustEnd };
enum class EnterProgramFolder : std::uint8_t { No, Yes };

struct StartupResult {
    StartupOutcome outcome = StartupOutcome::Ready;
    std::string windowsDirectory; // record 2 without its trailing "\"
};

// The main window's start-up before it shows itself: the first-run setup, the settings read, the
// program folder made current (when asked) and the window-level and program-wide values set to
// their start-up state. The program folder is the folder the program starts in, where
// zelkora.ini lies: a folder moved since its setup works where it now is, and record 1 is
// rewritten to name it. Temporary files of writes cut short earlier are removed from the program
// and data folders. On ProgramMustEnd a message has told the user why.
StartupResult startUpFromSettings(MainWindowModel& model, const SetupPlace& place,
                                  UserInterface& ui, SplashView& splash, FileSystem& files,
                                  EnterProgramFolder enter);

// The window-level and program-wide values of a window without a verification.
void resetWindowValues(MainWindowModel& model);

} // namespace zelkora
