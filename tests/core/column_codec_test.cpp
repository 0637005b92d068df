#include "files/column_codec.h"
#include "files/utf8.h"

#include <gtest/gtest.h>
#include <string>

namespace zelkora {
namespace {

std::string repeat(std::string_view text, int times) {
    std::string result;
    for (int index = 0; index < times; ++index) {
        result += text;
    }
    return result;
}

TEST(record_text_test, places_each_value_at_its_column_position) {
    const std::string text =
        buildRecordText({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "tail"});
    ASSERT_EQ(countCharacters(text), kRecordTextLength);
    const std::size_t positions[] = {1, 11, 21, 31, 51, 61, 71, 81, 91, 101, 111};
    const char letters[] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 't'};
    for (std::size_t index = 0; index < 11; ++index) {
        EXPECT_EQ(text[positions[index] - 1], letters[index]) << "column " << index + 1;
    }
    EXPECT_EQ(text.substr(31, 19), std::string(19, ' ')); // column 4 is 20 wide
    EXPECT_EQ(text.substr(110), "tail" + std::string(66, ' '));
}

TEST(record_text_test, widths_count_double_byte_characters_as_one) {
    const std::string twenty = repeat("交", 20);
    const std::string twentyOne = twenty + "換";
    const std::string kept = buildRecordText({"絵柄", "", "", twenty, "", "", "", "", "", "", ""});
    EXPECT_EQ(countCharacters(kept), kRecordTextLength);
    EXPECT_EQ(column(kept, 4), twenty);
    EXPECT_EQ(column(kept, 1), "絵柄");

    const std::string cut = buildRecordText({"", "", "", twentyOne, "x", "", "", "", "", "", ""});
    EXPECT_EQ(countCharacters(cut), kRecordTextLength);
    EXPECT_EQ(column(cut, 4), twenty);
    EXPECT_EQ(column(cut, 5), "x"); // the cut character did not push column 5 along
}

TEST(record_text_test, long_values_are_cut_and_short_ones_padded) {
    std::string line;
    appendColumn(line, "12345678901", 10);
    appendColumn(line, "ab", 5);
    EXPECT_EQ(line, "1234567890ab   ");
}

TEST(record_text_test, reading_a_column_trims_only_ascii_spaces) {
    const std::string text =
        buildRecordText({"  316 ", "\t9", "　全角", "", "", "", "", "", "", "", " 名前 "});
    EXPECT_EQ(column(text, 1), "316");
    EXPECT_EQ(column(text, 2), "\t9");
    EXPECT_EQ(column(text, 3), "　全角");
    EXPECT_EQ(column(text, 4), "");
    EXPECT_EQ(column(text, 11), "名前");
    EXPECT_EQ(trimSpaces("   "), "");
}

TEST(record_text_test, positions_past_the_end_give_short_or_empty_columns) {
    EXPECT_EQ(column("12345678901234", 2), "1234");
    EXPECT_EQ(column("12345678901234", 3), "");
    EXPECT_EQ(column("", 11), "");
    EXPECT_EQ(column("abc", 2, 10), "bc");
    EXPECT_EQ(column("abc", 0, 10), "");
    EXPECT_EQ(column("abc", 0), "");
    EXPECT_EQ(column("abc", 12), "");
}

TEST(record_text_test, splitting_agrees_with_reading_column_by_column) {
    const std::string text = buildRecordText(
        {"1", "250", " 0 ", "12500", "した", "７", "ラッキー", "確変", "1234", "0", "17"});
    for (const std::string_view sample :
         {std::string_view(text), std::string_view(text).substr(0, 75),
          std::string_view("short")}) {
        const ColumnValues columns = splitColumns(sample);
        for (int number = 1; number <= kRecordColumnCount; ++number) {
            EXPECT_EQ(columns[static_cast<std::size_t>(number - 1)], column(sample, number))
                << "column " << number << " of \"" << sample << "\"";
        }
    }
}

} // namespace
} // namespace zelkora
