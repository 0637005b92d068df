#pragma once

#include "common/error.h"

#include <functional>
#include <thread>

namespace zelkora {

// Starts the worker threads of an analysis. The program's starter asks the system, which may
// refuse (no memory for a stack, a limit on threads); a test's starter refuses when told to, so
// what the analysis does then can be seen without exhausting a machine.
class ThreadStarter {
public:
    virtual ~ThreadStarter() = default;
    // `work` running on a new thread, or ThreadNotStarted with the system's reason.
    virtual Result<std::jthread> start(std::function<void()> work) = 0;
};

class SystemThreadStarter final : public ThreadStarter {
public:
    Result<std::jthread> start(std::function<void()> work) override;
};

} // namespace zelkora
