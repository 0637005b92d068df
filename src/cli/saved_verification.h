#pragma once

#include "run_options.h"

#include <ostream>

namespace zelkora::cli {

// zelkora-run --rebuild FILE.pac: loads the file as Open does (IndPreset), answers the rebuild
// question with Yes, replays its result records and reports the figures they give, with the
// same JSON keys as after a run.
int rebuildSavedVerification(const RunOptions& options, std::ostream& out, std::ostream& err);

// zelkora-run --setup: the first start in the current folder (zelkora.ini, the data folder,
// the samples moved into it), with its messages on the console.
int setUpProgramFolder(std::ostream& out, std::ostream& err);

} // namespace zelkora::cli
