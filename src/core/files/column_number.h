#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Columns that a reader converts to numbers. Unlike a display field, where text without a
// number reads as 0, a number column of a record must hold a valid number: anything else marks
// the record as damaged and is reported, never turned into 0.
namespace zelkora {

enum class ColumnProblem : std::uint8_t {
    NotANumber, // empty, or anything but an optional sign, digits, a point and an exponent
    OutOfRange, // a number that does not fit the column's integer type
};

struct ColumnError {
    int column = 0;   // 1 … 10, or 11 for the tail column
    std::string text; // the trimmed column as found
    ColumnProblem problem = ColumnProblem::NotANumber;
    // e.g. "column 3 holds \"abc\", which is not a number"
    std::string describe() const;
};

// A converted value or the reason it could not be converted.
template <typename T> struct Checked {
    T value{};
    std::optional<ColumnError> error;
    bool ok() const { return !error.has_value(); }
};

// True when the whole text is one number: an optional sign, digits with at most one point (at
// least one digit in all) and an optional exponent ("12", "-3", "2.5", ".5", "40.", "1E3").
bool isNumberText(std::string_view text);

// The trimmed column `text` of column `column` as a number.
Checked<double> columnDouble(std::string_view text, int column);
// As integers, rounding halves to the even neighbour; out of range is an error.
Checked<std::int16_t> columnInt16(std::string_view text, int column);
Checked<std::int32_t> columnInt32(std::string_view text, int column);
Checked<std::uint8_t> columnUint8(std::string_view text, int column);

} // namespace zelkora
