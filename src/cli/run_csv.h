#pragma once

#include "csv_writer.h"
#include "model/main_window_model.h"

#include <ostream>
#include <string>

namespace zelkora::cli {

// The file names of the CSV files of one run, in the folder --csv names.
inline constexpr std::string_view kBigHitsCsv = "big_hits.csv";
inline constexpr std::string_view kDailyTotalsCsv = "daily_totals.csv";
inline constexpr std::string_view kOverallCsv = "overall.csv";

// Writes the big-hit grid (Grid1) and the daily grid (Grid3) with their heading rows, and the
// figures of the JSON report as one heading row and one row of texts, each cell as the window
// shows it. Creates the folder when needed; false (with the reason on `err`) when it cannot.
bool writeRunCsv(const std::string& folder, const MainWindowModel& model, std::ostream& err);

// The folder for CSV files, created when missing; false (with the reason on `err`) when it
// cannot be made.
bool prepareCsvFolder(const std::string& folder, std::ostream& err);

// Closes the file and reports a failure to write it on `err`.
bool finishCsv(CsvFile& file, const std::string& name, std::ostream& err);

} // namespace zelkora::cli
