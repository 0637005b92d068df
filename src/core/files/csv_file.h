#pragma once

#include "common/error.h"
#include "files/file_system.h"

#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// CSV files as spreadsheet programs open Japanese text: UTF-8 with a byte order mark, fields
// separated by commas and quoted as RFC 4180 says, rows ended by CR LF.
namespace zelkora {

// One CSV field: as it is, or in double quotes (inner quotes doubled) when it holds a comma, a
// quote, a line break or a space at either end. A text a spreadsheet would run as a formula (it
// begins with =, +, -, @, a tab or a CR and is not a plain number) gets a leading apostrophe
// and quotes, so the spreadsheet shows it as text; a negative number stays a number.
std::string csvField(std::string_view text);

// A CSV file written beside its target under another name and put in the target's place only
// when it is complete (replaceFileSafely), so a failure leaves the old file whole. The first
// failure is kept: rows after it are dropped, and commit() reports it.
class CsvFile {
public:
    // Opens the file it writes; a target that is a folder, or a folder that refuses a new file,
    // fails here, before any row is made.
    explicit CsvFile(std::filesystem::path target);
    ~CsvFile();
    CsvFile(const CsvFile&) = delete;
    CsvFile& operator=(const CsvFile&) = delete;

    const Status& status() const { return status_; }
    const std::filesystem::path& target() const { return target_; }
    void row(std::span<const std::string> fields);
    void row(std::span<const std::string_view> fields);
    // Writes the rest and replaces the target with the file; the first failure, if any.
    Status commit(FileSystem& files);

private:
    template <typename Text> void appendRow(std::span<const Text> fields);
    void write(std::string_view bytes);
    Error failure(ErrorKind kind, int error) const;

    std::filesystem::path target_;
    std::filesystem::path writing_;
    std::FILE* file_ = nullptr;
    Status status_;
    std::string line_;
};

} // namespace zelkora
