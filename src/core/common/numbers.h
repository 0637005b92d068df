#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Number conventions of the display fields: how a field's text reads as a number, how a
// number is written back as text, and the digit-placeholder display patterns.
namespace zelkora {

// The leading numeric part of a text: optional blanks, a sign, digits with at most one point,
// an optional exponent. Empty or non-numeric text reads as 0 ("40." reads 40, ".5" 0.5,
// "12.5%" 12.5, "交換" 0).
double readNumber(std::string_view text);

// Shortest plain decimal text of a value with at most 15 significant digits: no exponent,
// no grouping, no trailing zeros, no trailing point (12, 2.5, -3333.33333333333, 0.3).
std::string plainText(double value);
// Appends the same text to a buffer; avoids a fresh string when a caller reuses one.
void appendPlainText(std::string& out, double value);

// The digit-placeholder patterns "##.##" / "###.##" (two fraction digits) and "###.#" (one):
// every integer digit, the fraction rounded half away from zero on the value's 15-digit decimal
// form, trailing fraction zeros dropped, no zero before the point, and always the point
// (40 -> "40.", 0.5 -> ".5", 33.3333 -> "33.33", 0 -> ".").
enum class Pattern : std::uint8_t { TwoDecimals, OneDecimal };
std::string formatPattern(double value, Pattern pattern);
void appendPattern(std::string& out, double value, Pattern pattern);

// The number that the pattern's text reads back as, without making the text.
double patternValue(double value, Pattern pattern);
// The number that plainText(value) reads back as (the value rounded to 15 significant digits).
double plainValue(double value);

// Int: the largest whole number not above x. Fix: truncation toward zero. Inline: the engine
// takes them at every big hit and hour.
inline double intPart(double x) {
    return std::floor(x);
}
inline double fixPart(double x) {
    return std::trunc(x);
}
// x - Int(x).
inline double fracPart(double x) {
    return x - std::floor(x);
}

// Conversion to 16- and 32-bit integers with halves going to the even neighbour; empty when
// the rounded value does not fit (the caller decides how an overflow ends its procedure).
std::optional<std::int16_t> toInt16(double x);
std::optional<std::int32_t> toInt32(double x);

} // namespace zelkora
