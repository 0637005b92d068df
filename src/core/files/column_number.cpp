#include "files/column_number.h"

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

Error columnError(ErrorKind kind, std::string_view text, int column) {
    Error error{kind};
    error.column = column;
    error.text = std::string(text);
    return error;
}

template <typename Integer> Result<Integer> columnInteger(std::string_view text, int column) {
    Result<double> number = columnDouble(text, column);
    if (!number.ok()) {
        return std::move(number).error();
    }
    const double rounded = std::nearbyint(number.value());
    if (!std::isfinite(rounded) ||
        rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
        return columnError(ErrorKind::NumberOutOfRange, text, column);
    }
    return static_cast<Integer>(rounded);
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

Result<double> columnDouble(std::string_view text, int column) {
    if (!isNumberText(text)) {
        return columnError(ErrorKind::NotANumber, text, column);
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
        return columnError(ErrorKind::NumberOutOfRange, text, column);
    }
    return negative ? -value : value;
}

Result<std::int16_t> columnInt16(std::string_view text, int column) {
    return columnInteger<std::int16_t>(text, column);
}

Result<std::int32_t> columnInt32(std::string_view text, int column) {
    return columnInteger<std::int32_t>(text, column);
}

Result<std::uint8_t> columnUint8(std::string_view text, int column) {
    return columnInteger<std::uint8_t>(text, column);
}

} // namespace zelkora
