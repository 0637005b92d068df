#pragma once

#include "files/file_system.h"
#include "platform/platform.h"
#include "platform/random_stream.h"

namespace zelkora::ui {

class ConditionPages;

// What the main window takes from the program: the message boxes and dialogs, the files, the
// two timers, the program's one generator and the condition wizard's pages. The desktop program
// passes Qt's; the tests pass recording doubles, so no test waits on a modal window.
struct DesktopSeams {
    UserInterface& ui;
    FileSystem& files;
    RunTimers& timers;
    RandomStream& random;
    ConditionPages& pages;
};

} // namespace zelkora::ui
