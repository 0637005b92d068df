#include "files/column_codec.h"

#include "files/utf8.h"

namespace zelkora {

void appendColumn(std::string& text, std::string_view value, std::size_t width) {
    const std::string_view kept = characterSlice(value, 0, width);
    text.append(kept);
    text.append(width - countCharacters(kept), ' ');
}

std::string buildRecordText(const ColumnValues& values) {
    std::string text;
    text.reserve(kRecordTextLength * 3);
    for (std::size_t index = 0; index < values.size(); ++index) {
        appendColumn(text, values[index], kColumnWidths[index]);
    }
    return text;
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
