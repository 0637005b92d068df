#include "files/column_number.h"

#include "files/column_codec.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zelkora {
namespace {

bool isDigit(char character) {
    return character >= '0' && character <= '9';
}

// Skips a run of digits from `position`; returns how many there were.
std::size_t skipDigits(std::string_view text, std::size_t& position) {
    const std::size_t start = position;
    while (position < text.size() && isDigit(text[position])) {
        ++position;
    }
    return position - start;
}

void skipSign(std::string_view text, std::size_t& position) {
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        ++position;
    }
}

ColumnError makeError(std::string_view text, int column, ColumnProblem problem) {
    return ColumnError{column, std::string(text), problem};
}

template <typename Integer> Checked<Integer> columnInteger(std::string_view text, int column) {
    const Checked<double> number = columnDouble(text, column);
    if (!number.ok()) {
        return {Integer{}, number.error};
    }
    const double rounded = std::nearbyint(number.value);
    if (!std::isfinite(rounded) ||
        rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
        return {Integer{}, makeError(text, column, ColumnProblem::OutOfRange)};
    }
    return {static_cast<Integer>(rounded), std::nullopt};
}

} // namespace

bool isNumberText(std::string_view text) {
    std::size_t position = 0;
    skipSign(text, position);
    std::size_t digits = skipDigits(text, position);
    if (position < text.size() && text[position] == '.') {
        ++position;
        digits += skipDigits(text, position);
    }
    if (digits == 0) {
        return false;
    }
    if (position < text.size() && (text[position] == 'e' || text[position] == 'E')) {
        ++position;
        skipSign(text, position);
        if (skipDigits(text, position) == 0) {
            return false;
        }
    }
    return position == text.size();
}

Checked<double> columnDouble(std::string_view text, int column) {
    if (!isNumberText(text)) {
        return {0.0, makeError(text, column, ColumnProblem::NotANumber)};
    }
    // Read as a display field reads its text, except that a number beyond the range of a double
    // (which the field would read as 0) is reported.
    std::string_view digits = text;
    const bool negative = digits.front() == '-';
    if (digits.front() == '+' || negative) {
        digits.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec != std::errc{} || !std::isfinite(value)) {
        return {0.0, makeError(text, column, ColumnProblem::OutOfRange)};
    }
    return {negative ? -value : value, std::nullopt};
}

Checked<std::int16_t> columnInt16(std::string_view text, int column) {
    return columnInteger<std::int16_t>(text, column);
}

Checked<std::int32_t> columnInt32(std::string_view text, int column) {
    return columnInteger<std::int32_t>(text, column);
}

Checked<std::uint8_t> columnUint8(std::string_view text, int column) {
    return columnInteger<std::uint8_t>(text, column);
}

std::string ColumnError::describe() const {
    const std::string where =
        column == kRecordColumnCount ? "the tail column" : "column " + std::to_string(column);
    const std::string what =
        problem == ColumnProblem::NotANumber ? "which is not a number" : "which is out of range";
    return where + " holds \"" + text + "\", " + what;
}

} // namespace zelkora
