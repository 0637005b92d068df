#pragma once

#include "engine/run_engine.h"

namespace zelkora {

// MK_Start and MK_Cancel as the window calls them. The engine plays; a run it could not start,
// or one a fault ended early, is reported to the user here.
class RunCommands {
public:
    RunCommands(MainWindowModel& model, const PlatformSeams& seams, RunWorkingCopy& workingCopy)
        : model_(model), engine_(model, seams, workingCopy), ui_(seams.ui) {}

    void MK_Start();
    // During a yield of the run.
    void MK_Cancel() { engine_.MK_Cancel(); }

    RunEngine& engine() { return engine_; }

private:
    MainWindowModel& model_;
    RunEngine engine_;
    UserInterface& ui_;
};

} // namespace zelkora
