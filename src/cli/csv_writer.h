#pragma once

#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

namespace zelkora::cli {

// One CSV field: as it is, or in double quotes (inner quotes doubled) when it holds a comma, a
// quote, a line break or a space at either end.
std::string csvField(std::string_view text);

// A CSV file as spreadsheet programs open Japanese text: UTF-8 with a byte order mark, fields
// separated by commas, rows ended by CR LF.
class CsvFile {
public:
    explicit CsvFile(const std::filesystem::path& path);
    bool ok() const { return static_cast<bool>(stream_); }
    void row(std::span<const std::string> fields);
    void row(std::span<const std::string_view> fields);
    // Flushes and closes; false when anything could not be written.
    bool close();

private:
    std::ofstream stream_;
    std::string line_;
};

} // namespace zelkora::cli
