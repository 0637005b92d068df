#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

// A CSV reader after RFC 4180, for reading back what the runner writes: fields in double quotes
// may hold commas, line breaks and doubled quotes; rows end with CR LF or LF. A leading UTF-8
// byte order mark is reported and skipped.
namespace zelkora::testing {

using CsvRows = std::vector<std::vector<std::string>>;

struct CsvDocument {
    bool byteOrderMark = false;
    CsvRows rows;
    bool wellFormed = true; // no stray quote, no unterminated quoted field
};

inline CsvDocument parseCsv(std::string_view text) {
    CsvDocument document;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        document.byteOrderMark = true;
        text.remove_prefix(3);
    }
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the current field was quoted (only a separator may follow)
    bool rowStarted = false;
    const auto endField = [&] {
        row.push_back(field);
        field.clear();
        wasQuoted = false;
    };
    const auto endRow = [&] {
        endField();
        document.rows.push_back(row);
        row.clear();
        rowStarted = false;
    };
    for (std::size_t index = 0; index < text.size(); ++index) {
        const char character = text[index];
        if (quoted) {
            if (character != '"') {
                field += character;
            } else if (index + 1 < text.size() && text[index + 1] == '"') {
                field += '"';
                ++index;
            } else {
                quoted = false;
                wasQuoted = true;
            }
            continue;
        }
        rowStarted = true;
        if (character == '"') {
            if (!field.empty() || wasQuoted) {
                document.wellFormed = false;
            }
            quoted = true;
        } else if (character == ',') {
            endField();
        } else if (character == '\r' && index + 1 < text.size() && text[index + 1] == '\n') {
            ++index;
            endRow();
        } else if (character == '\n') {
            endRow();
        } else {
            if (wasQuoted) {
                document.wellFormed = false;
            }
            field += character;
        }
    }
    if (quoted) {
        document.wellFormed = false;
    }
    if (rowStarted) {
        endRow();
    }
    return document;
}

inline CsvDocument readCsv(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(stream), {}};
    return parseCsv(text);
}

} // namespace zelkora::testing
