#include "run_csv.h"

#include "csv_writer.h"
#include "files/utf8_path.h"
#include "json_report.h"

#include <vector>

namespace zelkora::cli {
namespace {

std::filesystem::path csvPath(const std::string& folder, std::string_view name) {
    return pathFromUtf8(folder) / std::filesystem::path(name);
}

bool writeGrid(const std::string& folder, std::string_view name, const GridTable& grid,
               std::ostream& err) {
    CsvFile file(csvPath(folder, name));
    std::vector<std::string_view> cells(static_cast<std::size_t>(grid.columnCount()));
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column) {
            cells[static_cast<std::size_t>(column)] = grid.cell(row, column);
        }
        file.row(std::span<const std::string_view>(cells));
    }
    return finishCsv(file, utf8FromPath(csvPath(folder, name)), err);
}

} // namespace

bool prepareCsvFolder(const std::string& folder, std::ostream& err) {
    std::error_code error;
    std::filesystem::create_directories(pathFromUtf8(folder), error);
    if (error) {
        err << "zelkora-run: cannot make " << folder << ": " << error.message() << '\n';
        return false;
    }
    return true;
}

bool finishCsv(CsvFile& file, const std::string& name, std::ostream& err) {
    if (!file.close()) {
        err << "zelkora-run: cannot write " << name << '\n';
        return false;
    }
    return true;
}

bool writeRunCsv(const std::string& folder, const MainWindowModel& model, std::ostream& err) {
    if (!prepareCsvFolder(folder, err) || !writeGrid(folder, kBigHitsCsv, model.grids.grid1, err) ||
        !writeGrid(folder, kDailyTotalsCsv, model.grids.grid3, err)) {
        return false;
    }
    std::vector<std::string> names;
    std::vector<std::string> texts;
    for (const auto& [name, text] : reportedFigures(model.fields)) {
        names.emplace_back(name);
        texts.push_back(text);
    }
    names.emplace_back("records");
    texts.push_back(std::to_string(model.window.resultRecordCounter));
    CsvFile file(csvPath(folder, kOverallCsv));
    file.row(std::span<const std::string>(names));
    file.row(std::span<const std::string>(texts));
    return finishCsv(file, utf8FromPath(csvPath(folder, kOverallCsv)), err);
}

} // namespace zelkora::cli
