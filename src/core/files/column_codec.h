#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The text inside a verification record: eleven fixed-width columns measured in characters
// (a double-byte character counts as one), 180 characters in all. Values are left-aligned,
// padded with spaces and cut to the width; readers trim the spaces off again.
namespace zelkora {

inline constexpr int kRecordColumnCount = 11;
// Column 4 is twice as wide as its neighbours in every kind of record.
inline constexpr std::array<std::size_t, kRecordColumnCount> kColumnWidths{10, 10, 10, 20, 10, 10,
                                                                           10, 10, 10, 10, 70};
// 1-based character positions at which the columns start.
inline constexpr std::array<std::size_t, kRecordColumnCount> kColumnPositions{
    1, 11, 21, 31, 51, 61, 71, 81, 91, 101, 111};
inline constexpr std::size_t kRecordTextLength = 180;

// The eleven values of a record in column order (the tail column last).
using ColumnValues = std::array<std::string_view, kRecordColumnCount>;

// Places each value in its column and concatenates the columns.
std::string buildRecordText(const ColumnValues& values);
// The same into `text`, replacing what it held (its capacity is reused).
void buildRecordTextInto(std::string& text, const ColumnValues& values);
// Appends one value left-aligned in a column of `width` characters.
void appendColumn(std::string& text, std::string_view value, std::size_t width);

// The characters at 1-based `position` .. position + width - 1 with leading and trailing
// spaces removed; shorter or empty where the text ends before. A view into `text`.
std::string_view column(std::string_view text, std::size_t position, std::size_t width);
// Column 1 … 10, or 11 for the tail column; empty for any other number.
std::string_view column(std::string_view text, int columnNumber);

// All eleven trimmed columns in one pass over the text (views into `text`).
ColumnValues splitColumns(std::string_view text);

// Removes leading and trailing ASCII spaces; other blanks (tabs, the ideographic space) stay.
std::string_view trimSpacesFromEnds(std::string_view text);
inline std::string_view trimSpaces(std::string_view text) {
    // Most texts given are trimmed already: two looks decide.
    if (text.empty() || (text.front() != ' ' && text.back() != ' ')) {
        return text;
    }
    return trimSpacesFromEnds(text);
}

} // namespace zelkora
