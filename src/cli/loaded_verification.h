#pragma once

#include "commands/verification_document.h"
#include "console_platform.h"
#include "model/main_window_model.h"
#include "run_options.h"
#include "working_folder.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace zelkora::cli {

// A verification file opened in a temporary program folder as Open leaves it, held by the
// document that plays it on the console's platform.
class LoadedVerification {
public:
    LoadedVerification(UserInterface& ui, int countdown,
                       std::unique_ptr<RandomSource> source = nullptr);
    LoadedVerification(const LoadedVerification&) = delete;
    LoadedVerification& operator=(const LoadedVerification&) = delete;
    ~LoadedVerification();

    // Loads options.file with the runner's convergence options set; the message for the user
    // when it cannot, worded as the window words it.
    std::string load(const RunOptions& options);

    VerificationDocument& document() { return document_; }
    MainWindowModel& model() { return model_; }

private:
    WorkingFolder folder_;
    MainWindowModel model_;
    ConsolePlatform platform_;
    VerificationDocument document_;
};

// The seed given, or a fresh one.
std::uint64_t seedOf(const RunOptions& options);
// The seed given, or a fresh one printed on standard error so the run can be repeated.
std::uint64_t seedFor(const RunOptions& options, std::ostream& err);

} // namespace zelkora::cli
