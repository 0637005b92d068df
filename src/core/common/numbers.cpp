#include "common/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace zelkora {
namespace {

// Integers below this are written digit for digit; 15 significant digits hold them exactly.
constexpr double kExactIntegerLimit = 1e15;

bool isExactInteger(double value) {
    return std::fabs(value) < kExactIntegerLimit && value == std::trunc(value);
}

void appendInteger(std::string& out, double value) {
    std::array<char, 24> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<long long>(value));
    out.append(buffer.data(), result.ptr);
}

// A value's 15-significant-digit decimal form, split at the decimal point.
struct DecimalForm {
    bool negative = false;
    std::string integerDigits;  // without leading zeros; empty for values below 1
    std::string fractionDigits; // without trailing zeros
};

DecimalForm decimalForm(double value) {
    DecimalForm form;
    if (value == 0 || !std::isfinite(value)) {
        return form;
    }
    form.negative = value < 0;
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view text(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));
    const auto exponentAt = text.find('e');
    std::string digits;
    digits.push_back(text[0]);
    digits.append(text.substr(2, exponentAt - 2));
    int exponent = 0;
    std::from_chars(text.data() + exponentAt + (text[exponentAt + 1] == '+' ? 2 : 1),
                    text.data() + text.size(), exponent);
    const int pointPosition = exponent + 1; // digits before the decimal point
    if (pointPosition <= 0) {
        form.fractionDigits.assign(static_cast<std::size_t>(-pointPosition), '0');
        form.fractionDigits += digits;
    } else if (static_cast<std::size_t>(pointPosition) >= digits.size()) {
        form.integerDigits = digits;
        form.integerDigits.append(static_cast<std::size_t>(pointPosition) - digits.size(), '0');
    } else {
        form.integerDigits = digits.substr(0, static_cast<std::size_t>(pointPosition));
        form.fractionDigits = digits.substr(static_cast<std::size_t>(pointPosition));
    }
    while (!form.fractionDigits.empty() && form.fractionDigits.back() == '0') {
        form.fractionDigits.pop_back();
    }
    return form;
}

// Adds one unit in the last place of integerDigits + fractionDigits.
void incrementLastDigit(DecimalForm& form) {
    std::string all = form.integerDigits + form.fractionDigits;
    int index = static_cast<int>(all.size()) - 1;
    while (index >= 0 && all[static_cast<std::size_t>(index)] == '9') {
        all[static_cast<std::size_t>(index)] = '0';
        --index;
    }
    if (index < 0) {
        all.insert(all.begin(), '1');
    } else {
        ++all[static_cast<std::size_t>(index)];
    }
    const std::size_t fractionSize = form.fractionDigits.size();
    form.integerDigits = all.substr(0, all.size() - fractionSize);
    form.fractionDigits = all.substr(all.size() - fractionSize);
}

void roundHalfAwayFromZero(DecimalForm& form, std::size_t fractionDigits) {
    if (form.fractionDigits.size() <= fractionDigits) {
        return;
    }
    const bool roundUp = form.fractionDigits[fractionDigits] >= '5';
    form.fractionDigits.resize(fractionDigits);
    if (roundUp) {
        incrementLastDigit(form);
    }
    while (!form.fractionDigits.empty() && form.fractionDigits.back() == '0') {
        form.fractionDigits.pop_back();
    }
    const auto firstNonZero = form.integerDigits.find_first_not_of('0');
    form.integerDigits.erase(0, firstNonZero == std::string::npos ? form.integerDigits.size()
                                                                  : firstNonZero);
}

std::size_t fractionDigitsOf(Pattern pattern) {
    return pattern == Pattern::TwoDecimals ? 2 : 1;
}

} // namespace

double readNumber(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size() && (text[position] == ' ' || text[position] == '\t')) {
        ++position;
    }
    const std::size_t start = position;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        ++position;
    }
    const auto isDigit = [&](std::size_t at) {
        return at < text.size() && text[at] >= '0' && text[at] <= '9';
    };
    std::size_t digitCount = 0;
    while (isDigit(position)) {
        ++position;
        ++digitCount;
    }
    if (position < text.size() && text[position] == '.') {
        ++position;
        while (isDigit(position)) {
            ++position;
            ++digitCount;
        }
    }
    if (digitCount == 0) {
        return 0;
    }
    std::size_t end = position;
    if (position < text.size() && (text[position] == 'e' || text[position] == 'E')) {
        std::size_t exponentAt = position + 1;
        if (exponentAt < text.size() && (text[exponentAt] == '+' || text[exponentAt] == '-')) {
            ++exponentAt;
        }
        if (isDigit(exponentAt)) {
            while (isDigit(exponentAt)) {
                ++exponentAt;
            }
            end = exponentAt;
        }
    }
    std::string_view number = text.substr(start, end - start);
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc{}) {
        return 0;
    }
    return negative ? -value : value;
}

void appendPlainText(std::string& out, double value) {
    if (isExactInteger(value)) {
        appendInteger(out, value);
        return;
    }
    const DecimalForm form = decimalForm(value);
    if (form.integerDigits.empty() && form.fractionDigits.empty()) {
        out += '0';
        return;
    }
    if (form.negative) {
        out += '-';
    }
    out += form.integerDigits.empty() ? std::string("0") : form.integerDigits;
    if (!form.fractionDigits.empty()) {
        out += '.';
        out += form.fractionDigits;
    }
}

std::string plainText(double value) {
    std::string text;
    appendPlainText(text, value);
    return text;
}

void appendPattern(std::string& out, double value, Pattern pattern) {
    if (isExactInteger(value)) {
        if (value != 0) {
            appendInteger(out, value);
        }
        out += '.';
        return;
    }
    DecimalForm form = decimalForm(value);
    roundHalfAwayFromZero(form, fractionDigitsOf(pattern));
    if (form.negative && !(form.integerDigits.empty() && form.fractionDigits.empty())) {
        out += '-';
    }
    out += form.integerDigits;
    out += '.';
    out += form.fractionDigits;
}

std::string formatPattern(double value, Pattern pattern) {
    std::string text;
    appendPattern(text, value, pattern);
    return text;
}

double patternValue(double value, Pattern pattern) {
    if (isExactInteger(value)) {
        return value;
    }
    return readNumber(formatPattern(value, pattern));
}

double plainValue(double value) {
    if (isExactInteger(value)) {
        return value;
    }
    return readNumber(plainText(value));
}

namespace {
template <typename Integer> std::optional<Integer> toIntegerHalfEven(double x) {
    if (!std::isfinite(x)) {
        return std::nullopt;
    }
    // Most values are whole already (counts, days), and a whole number rounds to itself.
    const double rounded = x == std::trunc(x) ? x : std::nearbyint(x);
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
        return std::nullopt;
    }
    return static_cast<Integer>(rounded);
}
} // namespace

std::optional<std::int16_t> toInt16(double x) {
    return toIntegerHalfEven<std::int16_t>(x);
}
std::optional<std::int32_t> toInt32(double x) {
    return toIntegerHalfEven<std::int32_t>(x);
}

} // namespace zelkora
