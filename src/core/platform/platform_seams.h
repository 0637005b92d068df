#pragma once

#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/random_stream.h"
#include "platform/thread_starter.h"

namespace zelkora {

// Everything the core asks of the platform, in one bundle: the message boxes and dialogs, the
// files, the yields, the two timers, the program's one generator and the threads. A front end
// (the window, the runner, a test) builds it once; every command, run, rebuild and analysis
// takes from it what it needs.
struct PlatformSeams {
    UserInterface& ui;
    FileSystem& files;
    EventPump& pump;
    RunTimers& timers;
    RandomStream& random;
    ThreadStarter& threads;
};

} // namespace zelkora
