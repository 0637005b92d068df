#include "files/column_codec.h"

#include "files/utf8.h"

#include <cstring>

namespace zelkora {

void appendColumn(std::string& text, std::string_view value, std::size_t width) {
    const std::string_view kept = characterSlice(value, 0, width);
    text.append(kept);
    text.append(width - countCharacters(kept), ' ');
}

std::string buildRecordText(const ColumnValues& values) {
    std::string text;
    buildRecordTextInto(text, values);
    return text;
}

void buildRecordTextInto(std::string& text, const ColumnValues& values) {
    // Every column is written in place into a buffer long enough for the worst case; a record
    // is mostly short ASCII values, which need no character counting.
    std::size_t longest = 0;
    for (std::size_t index = 0; index < values.size(); ++index) {
        longest += values[index].size() + kColumnWidths[index];
    }
    text.resize(longest);
    char* out = text.data();
    for (std::size_t index = 0; index < values.size(); ++index) {
        const std::string_view value = values[index];
        const std::size_t width = kColumnWidths[index];
        std::string_view kept = value.substr(0, width);
        std::size_t characters = kept.size();
        if (asciiPrefixLength(kept) != kept.size()) {
            kept = characterSlice(value, 0, width);
            characters = countCharacters(kept);
        }
        if (!kept.empty()) {
            std::memcpy(out, kept.data(), kept.size());
            out += kept.size();
        }
        std::memset(out, ' ', width - characters);
        out += width - characters;
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
}

std::string_view trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string_view column(std::string_view text, std::size_t position, std::size_t width) {
    if (position < 1) {
        return {};
    }
    return trimSpaces(characterSlice(text, position - 1, width));
}

std::string_view column(std::string_view text, int columnNumber) {
    if (columnNumber < 1 || columnNumber > kRecordColumnCount) {
        return {};
    }
    const auto index = static_cast<std::size_t>(columnNumber - 1);
    return column(text, kColumnPositions[index], kColumnWidths[index]);
}

ColumnValues splitColumns(std::string_view text) {
    ColumnValues columns{};
    std::string_view rest = text;
    for (std::size_t index = 0; index < columns.size(); ++index) {
        const std::size_t end = characterOffset(rest, kColumnWidths[index]);
        columns[index] = trimSpaces(rest.substr(0, end));
        rest.remove_prefix(end);
    }
    return columns;
}

} // namespace zelkora
