#pragma once

#include "analysis/campaign.h"
#include "common/error.h"
#include "files/file_system.h"
#include "model/main_window_model.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace zelkora {

// What the campaigns of an analysis start from: `loaded` as IndPreset left it, and the
// conditions its working copy holds, which each campaign's Start reads again. The one assembly
// for the document's own verification and for a model it does not own (a comparison's second
// file), so both sides of a comparison start alike.
Result<CampaignSetup> campaignSetupOf(MainWindowModel loaded, int countdown, std::uint64_t seed);

// The window's verification loaded afresh from its working copy into a clean window with the
// window's convergence options: the campaigns then copy no grid row, chart or figure of an
// earlier run, however long that run was.
Result<MainWindowModel> freshlyLoaded(const MainWindowModel& window);

// Another verification file, as the second of a comparison: checked and copied as Open copies
// it into `folder` (which becomes the model's program folder), then loaded with the window's
// convergence options. A copy that fails says so in `copyFailed`, so the caller can tell the
// user which step refused.
struct LoadedCopy {
    Result<MainWindowModel> model;
    bool copyFailed = false;
};
LoadedCopy loadedCopyOf(FileSystem& files, const std::filesystem::path& file,
                        const std::filesystem::path& folder, const MainWindowModel& window);

// Everything of the window that the theoretical figures read (the conditions, the program-wide
// values, the symbol table, the convergence options), as one text: the figures are computed
// again only when it changes.
std::string theoryInputsKey(const MainWindowModel& window);

} // namespace zelkora
