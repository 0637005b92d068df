#include "files/column_number.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

TEST(column_number_test, only_a_whole_number_counts_as_one) {
    for (const char* text :
         {"0", "12", "-3", "+5", "2.5", ".5", "40.", "1E3", "1e-2", "-0.25e+1"}) {
        EXPECT_TRUE(isNumberText(text)) << text;
    }
    for (const char* text : {"", ".", "-", "1e", "1.2.3", "12a", " 5", "5 ", "１２", "1,000"}) {
        EXPECT_FALSE(isNumberText(text)) << text;
    }
}

TEST(column_number_test, integer_columns_round_halves_to_even_and_check_the_range) {
    EXPECT_EQ(columnInt16("2.5", 3).value(), 2);
    EXPECT_EQ(columnInt16("3.5", 3).value(), 4);
    EXPECT_EQ(columnInt16("-32768", 3).value(), -32768);
    EXPECT_EQ(columnInt16("32767.5", 3).error().kind, ErrorKind::NumberOutOfRange);
    EXPECT_EQ(columnUint8("255", 2).value(), 255);
    EXPECT_EQ(columnUint8("-0.4", 2).value(), 0);
    EXPECT_FALSE(columnUint8("256", 2).ok());
    EXPECT_EQ(columnInt32("2147483647", 1).value(), 2147483647);
    EXPECT_FALSE(columnInt32("2147483648", 1).ok());
    // Beyond a double: reported, not read as 0 the way a display field would.
    EXPECT_EQ(columnDouble("1e999", 4).error().kind, ErrorKind::NumberOutOfRange);
}

} // namespace
} // namespace zelkora
