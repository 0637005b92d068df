#pragma once

#include "common/error.h"
#include "files/csv_file.h"
#include "model/main_window_model.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zelkora::cli {

// The file names of the CSV files, in the folder --csv names.
inline constexpr std::string_view kBigHitsCsv = "big_hits.csv";
inline constexpr std::string_view kDailyTotalsCsv = "daily_totals.csv";
inline constexpr std::string_view kOverallCsv = "overall.csv";

// The CSV files one command writes, opened before anything is played so that a folder or a file
// that cannot be written is known at once; each file takes its target's place only when it is
// complete.
class CsvFolder {
public:
    // Makes the folder when it is missing and opens a file for each name.
    CsvFolder(const std::string& folder, std::span<const std::string_view> names);
    // The first file or folder that cannot be written, with the system's reason.
    const Status& status() const { return status_; }
    CsvFile& file(std::string_view name);
    // Puts every file in its place; the first failure.
    Status commit();

private:
    std::filesystem::path folder_;
    std::vector<std::string_view> names_;
    std::vector<std::unique_ptr<CsvFile>> files_;
    Status status_;
};

// The files of one run or rebuild.
inline constexpr std::array<std::string_view, 3> kRunCsvFiles{kBigHitsCsv, kDailyTotalsCsv,
                                                              kOverallCsv};

// Fills the big-hit grid (Grid1) and the daily grid (Grid3) with their heading rows, and the
// figures of the JSON report as one heading row and one row of texts, each cell as the window
// shows it, then puts the files in place.
Status writeRunCsv(CsvFolder& folder, const MainWindowModel& model);

// "zelkora-run: " and the Japanese text of the error, as one line on `err`.
void reportError(std::ostream& err, const Error& error);

// Opens the run's CSV files in `folder` into `csv` when a folder is given; false, with the reason
// on `err`, when one of them cannot be written, so the caller stops before playing anything.
bool openRunCsv(const std::optional<std::string>& folder, std::optional<CsvFolder>& csv,
                std::ostream& err);

} // namespace zelkora::cli
