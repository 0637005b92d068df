#include "common/numbers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace zelkora {
namespace {

TEST(numbers_test, reading_takes_the_leading_numeric_part) {
    EXPECT_EQ(readNumber("12"), 12);
    EXPECT_EQ(readNumber("2.5"), 2.5);
    EXPECT_EQ(readNumber("40."), 40);
    EXPECT_EQ(readNumber(".5"), 0.5);
    EXPECT_EQ(readNumber("-3333"), -3333);
    EXPECT_EQ(readNumber("+7"), 7);
    EXPECT_EQ(readNumber("  315.27  "), 315.27);
    EXPECT_EQ(readNumber("12.5%"), 12.5);
    EXPECT_EQ(readNumber("100.%"), 100);
    EXPECT_EQ(readNumber("1e3"), 1000);
    EXPECT_EQ(readNumber("2e"), 2);
    EXPECT_EQ(readNumber("3.5.1"), 3.5);
}

TEST(numbers_test, empty_or_non_numeric_text_reads_as_zero) {
    EXPECT_EQ(readNumber(""), 0);
    EXPECT_EQ(readNumber("交換"), 0);
    EXPECT_EQ(readNumber("--"), 0);
    EXPECT_EQ(readNumber("."), 0);
    EXPECT_EQ(readNumber("-"), 0);
    EXPECT_EQ(readNumber("abc12"), 0);
    EXPECT_EQ(readNumber("1e999"), 0); // out of range never becomes infinity
}

TEST(numbers_test, plain_text_is_shortest_decimal_with_fifteen_digits) {
    EXPECT_EQ(plainText(12), "12");
    EXPECT_EQ(plainText(2.5), "2.5");
    EXPECT_EQ(plainText(-10000.0 / 3), "-3333.33333333333");
    EXPECT_EQ(plainText(0.1 + 0.2), "0.3");
    EXPECT_EQ(plainText(0.5), "0.5");
    EXPECT_EQ(plainText(-0.25), "-0.25");
    EXPECT_EQ(plainText(0), "0");
    EXPECT_EQ(plainText(-0.0), "0");
    EXPECT_EQ(plainText(1e-7), "0.0000001");
    EXPECT_EQ(plainText(123456789012345.0), "123456789012345");
    EXPECT_EQ(plainText(1e20), "100000000000000000000"); // no exponent, ever
    EXPECT_EQ(plainText(100.0 / 3 * 3), "100");
}

TEST(numbers_test, two_decimal_pattern_always_writes_the_point) {
    EXPECT_EQ(formatPattern(40, Pattern::TwoDecimals), "40.");
    EXPECT_EQ(formatPattern(0.5, Pattern::TwoDecimals), ".5");
    EXPECT_EQ(formatPattern(33.3333, Pattern::TwoDecimals), "33.33");
    EXPECT_EQ(formatPattern(0, Pattern::TwoDecimals), ".");
    EXPECT_EQ(formatPattern(12.5, Pattern::TwoDecimals), "12.5");
    EXPECT_EQ(formatPattern(100, Pattern::TwoDecimals), "100.");
    EXPECT_EQ(formatPattern(315.2666, Pattern::TwoDecimals), "315.27");
    EXPECT_EQ(formatPattern(12345678.901, Pattern::TwoDecimals), "12345678.9");
}

TEST(numbers_test, patterns_round_half_away_from_zero_on_the_decimal_form) {
    // 2.675 is stored just below 2.675; its 15-digit decimal form is 2.67500000000000.
    EXPECT_EQ(formatPattern(2.675, Pattern::TwoDecimals), "2.68");
    EXPECT_EQ(formatPattern(1.005, Pattern::TwoDecimals), "1.01");
    EXPECT_EQ(formatPattern(0.125, Pattern::TwoDecimals), ".13");
    EXPECT_EQ(formatPattern(0.994, Pattern::TwoDecimals), ".99");
    EXPECT_EQ(formatPattern(0.995, Pattern::TwoDecimals), "1.");
    EXPECT_EQ(formatPattern(99.999, Pattern::TwoDecimals), "100.");
    EXPECT_EQ(formatPattern(0.004, Pattern::TwoDecimals), ".");
    EXPECT_EQ(formatPattern(0.005, Pattern::TwoDecimals), ".01");
}

TEST(numbers_test, patterns_of_negative_values_keep_the_sign_unless_they_round_to_zero) {
    EXPECT_EQ(formatPattern(-0.5, Pattern::TwoDecimals), "-.5");
    EXPECT_EQ(formatPattern(-2.675, Pattern::TwoDecimals), "-2.68");
    EXPECT_EQ(formatPattern(-40, Pattern::TwoDecimals), "-40.");
    EXPECT_EQ(formatPattern(-0.001, Pattern::TwoDecimals), ".");
}

TEST(numbers_test, one_decimal_pattern) {
    EXPECT_EQ(formatPattern(99.99, Pattern::OneDecimal), "100.");
    EXPECT_EQ(formatPattern(33.33 * 3, Pattern::OneDecimal), "100.");
    EXPECT_EQ(formatPattern(12.25, Pattern::OneDecimal), "12.3");
    EXPECT_EQ(formatPattern(0.45, Pattern::OneDecimal), ".5");
    EXPECT_EQ(formatPattern(0.04, Pattern::OneDecimal), ".");
    EXPECT_EQ(formatPattern(50, Pattern::OneDecimal), "50.");
}

TEST(numbers_test, values_read_back_exactly_as_their_texts) {
    for (double value : {0.1 + 0.2, 2.675, -10000.0 / 3, 1.0 / 7, 315.27, 1e-9}) {
        EXPECT_EQ(plainValue(value), readNumber(plainText(value))) << value;
        EXPECT_EQ(patternValue(value, Pattern::TwoDecimals),
                  readNumber(formatPattern(value, Pattern::TwoDecimals)))
            << value;
        EXPECT_EQ(patternValue(value, Pattern::OneDecimal),
                  readNumber(formatPattern(value, Pattern::OneDecimal)))
            << value;
    }
    EXPECT_EQ(patternValue(2.675, Pattern::TwoDecimals), 2.68);
}

TEST(numbers_test, int_floors_fix_truncates_frac_is_never_negative) {
    EXPECT_EQ(intPart(-2.5), -3);
    EXPECT_EQ(fixPart(-2.5), -2);
    EXPECT_EQ(intPart(2.5), 2);
    EXPECT_EQ(fixPart(2.5), 2);
    EXPECT_DOUBLE_EQ(fracPart(-0.25), 0.75);
    EXPECT_DOUBLE_EQ(fracPart(3.25), 0.25);
}

TEST(numbers_test, integer_conversion_rounds_halves_to_even_and_reports_overflow) {
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(2.4999), 2);
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_EQ(toInt16(32767.5), std::nullopt); // rounds to 32768
    EXPECT_EQ(toInt16(-32768.4), -32768);
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(toInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(toInt32(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(toInt32(std::numeric_limits<double>::infinity()), std::nullopt);
}

} // namespace
} // namespace zelkora
