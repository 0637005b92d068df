#pragma once

#include "common/error.h"
#include "files/file_system.h"
#include "model/main_window_model.h"
#include "results/rebuild.h"

#include <cstdint>
#include <filesystem>

namespace zelkora {

enum class OpenCopy : std::uint8_t {
    Copied,  // the working copy now holds the chosen file
    Failed,  // the copy failed; the working copy is as it was
    Refused, // the file's conditions cannot be loaded; the working copy is as it was
};

struct OpenCopyOutcome {
    OpenCopy outcome = OpenCopy::Copied;
    Error error{ErrorKind::CannotOpen};
};

// Open's copy, checked before it lands: the chosen file is copied beside the working copy and
// replaces it only when its conditions load, so a damaged file never becomes the verification the
// window holds while it still shows the previous one.
OpenCopyOutcome copyLoadableFile(FileSystem& files, UserInterface& ui,
                                 const std::filesystem::path& chosen,
                                 const std::filesystem::path& workingCopy);

// What Open does once the file is copied over the working copy, without the panel switch: every
// result display, grid, chart and distribution cleared and the conditions reloaded (IndPreset),
// so that whatever the rebuild question is answered, nothing of the previous verification
// remains. Fails, with the results cleared, when IndPreset cannot load the working copy.
Status loadOpenedConditions(MainWindowModel& model, UserInterface& ui);

// The loaded conditions shown: the verification's name over the run area and the commands of a
// loaded verification.
void showLoadedConditions(MainWindowModel& model);

// The rebuild after the conditions are shown. A rebuild that stops at a bad record tells the
// user here and returns Failed, the window showing what was reached.
RebuildOutcome rebuildOpenedResults(MainWindowModel& model, const PlatformSeams& seams);

// Both in one, for a file already in the working copy (the runner's --rebuild, the tests).
Result<RebuildOutcome> reloadOpenedVerification(MainWindowModel& model, const PlatformSeams& seams);

} // namespace zelkora
