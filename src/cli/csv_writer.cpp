#include "csv_writer.h"

namespace zelkora::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

template <typename Text> void appendRow(std::string& line, std::span<const Text> fields) {
    line.clear();
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (index > 0) {
            line += ',';
        }
        line += csvField(fields[index]);
    }
    line += "\r\n";
}

} // namespace

std::string csvField(std::string_view text) {
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted) {
        return std::string(text);
    }
    std::string field = "\"";
    for (const char character : text) {
        field += character;
        if (character == '"') {
            field += '"';
        }
    }
    field += '"';
    return field;
}

CsvFile::CsvFile(const std::filesystem::path& path)
    : stream_(path, std::ios::binary | std::ios::trunc) {
    stream_ << kByteOrderMark;
}

void CsvFile::row(std::span<const std::string> fields) {
    appendRow(line_, fields);
    stream_ << line_;
}

void CsvFile::row(std::span<const std::string_view> fields) {
    appendRow(line_, fields);
    stream_ << line_;
}

bool CsvFile::close() {
    stream_.flush();
    const bool written = static_cast<bool>(stream_);
    stream_.close();
    return written && !stream_.fail();
}

} // namespace zelkora::cli
