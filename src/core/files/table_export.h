#pragma once

#include "common/error.h"
#include "files/file_system.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A table's rows (headings first) as a spreadsheet takes them: a CSV file, or tab-separated
// text to paste.
namespace zelkora {

using TableRows = std::vector<std::vector<std::string>>;

// Writes the rows as a CSV file through the safe replace: the old file stays whole on failure.
Status writeCsvRows(FileSystem& files, const std::filesystem::path& target,
                    std::span<const std::vector<std::string>> rows);

// Writes `bytes` (an image) as the file `target` through the safe replace.
Status writeBytesSafely(FileSystem& files, const std::filesystem::path& target,
                        std::string_view bytes);

// Cells separated by tabs, rows ended by CR LF. A tab or line break inside a cell would start
// another cell or row in the spreadsheet, so it becomes a space.
std::string tabSeparatedText(std::span<const std::vector<std::string>> rows);

} // namespace zelkora
