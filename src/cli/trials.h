#pragma once

#include "run_options.h"
#include "trials_csv.h"

#include <array>
#include <ostream>

namespace zelkora::cli {

// zelkora-run FILE.pac --trials K: plays K campaigns of the file's verification on --threads
// threads and prints the statistics of their figures (a table, or JSON with --json); with
// --csv, writes every campaign's figures and the daily bands as CSV.
int runTrials(const RunOptions& options, std::ostream& out, std::ostream& err);

} // namespace zelkora::cli
