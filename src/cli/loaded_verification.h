#pragma once

#include "console_platform.h"
#include "model/main_window_model.h"
#include "run_options.h"
#include "working_folder.h"

#include <cstdint>
#include <string>

namespace zelkora::cli {

// A verification file as Open leaves it: copied over the working copy of a temporary program
// folder and loaded by IndPreset, with the runner's convergence options set.
struct LoadedVerification {
    WorkingFolder folder;
    MainWindowModel model;
};

// Loads options.file; the message for the user when it cannot, worded as the window words it.
std::string loadVerification(const RunOptions& options, LoadedVerification& loaded,
                             UserInterface& ui);

// The seed given, or a fresh one printed on standard error so the run can be repeated.
std::uint64_t seedFor(const RunOptions& options, std::ostream& err);

} // namespace zelkora::cli
