#include "run_csv.h"

#include "files/utf8_path.h"
#include "json_report.h"
#include "messages/error_messages.h"

#include <algorithm>
#include <system_error>

namespace zelkora::cli {
namespace {

void writeGrid(CsvFile& file, const GridTable& grid) {
    std::vector<std::string_view> cells(static_cast<std::size_t>(grid.columnCount()));
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < grid.columnCount(); ++column) {
            cells[static_cast<std::size_t>(column)] = grid.cell(row, column);
        }
        file.row(std::span<const std::string_view>(cells));
    }
}

} // namespace

CsvFolder::CsvFolder(const std::string& folder, std::span<const std::string_view> names)
    : folder_(pathFromUtf8(folder)), names_(names.begin(), names.end()) {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error) {
        status_ = Error{ErrorKind::CannotWrite}.inFile(folder_).because(error);
        return;
    }
    for (const std::string_view name : names_) {
        files_.push_back(std::make_unique<CsvFile>(folder_ / std::filesystem::path(name)));
        if (!files_.back()->status().ok()) {
            status_ = files_.back()->status();
            return;
        }
    }
}

CsvFile& CsvFolder::file(std::string_view name) {
    const auto at = std::find(names_.begin(), names_.end(), name) - names_.begin();
    return *files_.at(static_cast<std::size_t>(at));
}

Status CsvFolder::commit() {
    if (!status_.ok()) {
        return status_;
    }
    LocalFileSystem files;
    for (const std::unique_ptr<CsvFile>& file : files_) {
        if (Status committed = file->commit(files); !committed.ok()) {
            status_ = std::move(committed);
            return status_;
        }
    }
    return {};
}

Status writeRunCsv(CsvFolder& folder, const MainWindowModel& model) {
    writeGrid(folder.file(kBigHitsCsv), model.grids.grid1);
    writeGrid(folder.file(kDailyTotalsCsv), model.grids.grid3);
    std::vector<std::string> names;
    std::vector<std::string> texts;
    for (const auto& [name, text] : reportedFigures(model.fields)) {
        names.emplace_back(name);
        texts.push_back(text);
    }
    names.emplace_back("records");
    texts.push_back(std::to_string(model.window.resultRecordCounter));
    CsvFile& overall = folder.file(kOverallCsv);
    overall.row(std::span<const std::string>(names));
    overall.row(std::span<const std::string>(texts));
    return folder.commit();
}

void reportError(std::ostream& err, const Error& error) {
    err << "zelkora-run: " << errorText(error) << '\n';
}

bool openRunCsv(const std::optional<std::string>& folder, std::optional<CsvFolder>& csv,
                std::ostream& err) {
    if (!folder) {
        return true;
    }
    csv.emplace(*folder, kRunCsvFiles);
    if (!csv->status().ok()) {
        reportError(err, csv->status().error());
        return false;
    }
    return true;
}

} // namespace zelkora::cli
