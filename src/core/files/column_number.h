#pragma once

#include "common/error.h"

#include <cstdint>
#include <string>
#include <string_view>

// Columns that a reader converts to numbers. Unlike a display field, where text without a
// number reads as 0, a number column of a record must hold a valid number: anything else marks
// the record as damaged and is reported, never turned into 0.
namespace zelkora {

// A column that cannot be read fails with NotANumber (empty, or anything but an optional sign,
// digits, a point and an exponent) or NumberOutOfRange (a number that does not fit the
// column's type), the Error's column and text saying which column held what.

// True when the whole text is one number: an optional sign, digits with at most one point (at
// least one digit in all) and an optional exponent ("12", "-3", "2.5", ".5", "40.", "1E3").
bool isNumberText(std::string_view text);

// The trimmed column `text` of column `column` as a number.
Result<double> columnDouble(std::string_view text, int column);
// As integers, rounding halves to the even neighbour; out of range is an error.
Result<std::int16_t> columnInt16(std::string_view text, int column);
Result<std::int32_t> columnInt32(std::string_view text, int column);
Result<std::uint8_t> columnUint8(std::string_view text, int column);

} // namespace zelkora
