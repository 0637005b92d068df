#include "files/cp932_table.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

#if ZELKORA_CP932_ICU
#include "files/cp932_icu.h"
#endif

// The generated table stands in for ICU where the build has none (Windows): wherever both
// exist, every byte sequence that can start a character and every character must convert
// alike, failures and their positions included, or a file written on one system would read
// differently on the other.
namespace zelkora {
namespace {

TEST(cp932_table_test, the_table_decodes_what_windows_would_write) {
    const TableCp932 table;
    std::string text;
    bool invalid = true;
    // 0x5C is a backslash alone and the second byte of 表; ｱ is one byte.
    ASSERT_TRUE(table.appendDecoded("\x95\x5C\\\xB1", text, invalid));
    EXPECT_FALSE(invalid);
    EXPECT_EQ(text, "表\\ｱ");
    text.clear();
    ASSERT_TRUE(table.appendDecoded("\x82\xB5\x82", text, invalid));
    EXPECT_TRUE(invalid);
    EXPECT_EQ(text, "し\uFFFD");
}

TEST(cp932_table_test, the_table_reports_what_has_no_form_where_it_stands) {
    const TableCp932 table;
    std::string bytes;
    const Status emoji = table.appendEncoded("表\U0001F600", bytes);
    ASSERT_FALSE(emoji.ok());
    EXPECT_EQ(emoji.error().kind, ErrorKind::Unencodable);
    EXPECT_EQ(emoji.error().text, "\U0001F600");
    EXPECT_EQ(emoji.error().number, 1);
    bytes.clear();
    // Broken UTF-8 is found even after a character without a form.
    const Status broken = table.appendEncoded("\U0001F600a\xFF", bytes);
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.error().kind, ErrorKind::MalformedText);
    EXPECT_EQ(broken.error().number, 2);
}

#if ZELKORA_CP932_ICU
std::string utf8Of(char32_t character) {
    std::string text;
    if (character < 0x80) {
        text += static_cast<char>(character);
    } else if (character < 0x800) {
        text += static_cast<char>(0xC0U | (character >> 6U));
        text += static_cast<char>(0x80U | (character & 0x3FU));
    } else if (character < 0x10000) {
        text += static_cast<char>(0xE0U | (character >> 12U));
        text += static_cast<char>(0x80U | ((character >> 6U) & 0x3FU));
        text += static_cast<char>(0x80U | (character & 0x3FU));
    } else {
        text += static_cast<char>(0xF0U | (character >> 18U));
        text += static_cast<char>(0x80U | ((character >> 12U) & 0x3FU));
        text += static_cast<char>(0x80U | ((character >> 6U) & 0x3FU));
        text += static_cast<char>(0x80U | (character & 0x3FU));
    }
    return text;
}

void expectSameDecoding(IcuCp932& icu, const TableCp932& table, const std::string& bytes) {
    std::string fromIcu;
    std::string fromTable;
    bool icuInvalid = false;
    bool tableInvalid = false;
    ASSERT_TRUE(icu.appendDecoded(bytes, fromIcu, icuInvalid));
    ASSERT_TRUE(table.appendDecoded(bytes, fromTable, tableInvalid));
    ASSERT_EQ(fromTable, fromIcu) << "bytes " << std::hex
                                  << static_cast<unsigned>(static_cast<unsigned char>(bytes[0]))
                                  << " "
                                  << static_cast<unsigned>(static_cast<unsigned char>(bytes[1]));
    ASSERT_EQ(tableInvalid, icuInvalid);
}

TEST(cp932_table_test, every_byte_pair_decodes_as_icu_decodes_it) {
    IcuCp932 icu;
    ASSERT_TRUE(icu.available());
    const TableCp932 table;
    for (unsigned first = 0; first < 256; ++first) {
        const std::string lead(1, static_cast<char>(first));
        expectSameDecoding(icu, table, lead + lead);
        expectSameDecoding(icu, table, lead);
        for (unsigned second = 0; second < 256; ++second) {
            // The byte after the pair shows whether the pair was taken as one sequence.
            const std::string pair = lead + static_cast<char>(second);
            expectSameDecoding(icu, table, pair);
            expectSameDecoding(icu, table, pair + "A");
            expectSameDecoding(icu, table, pair + "\x82");
        }
    }
}

TEST(cp932_table_test, every_character_encodes_as_icu_encodes_it) {
    IcuCp932 icu;
    ASSERT_TRUE(icu.available());
    const TableCp932 table;
    for (char32_t character = 0; character <= 0x10FFFF; ++character) {
        if (character >= 0xD800 && character <= 0xDFFF) {
            continue;
        }
        // Behind another character, so a failure's position is compared too.
        const std::string text = "し" + utf8Of(character);
        std::string fromIcu;
        std::string fromTable;
        const Status icuStatus = icu.appendEncoded(text, fromIcu);
        const Status tableStatus = table.appendEncoded(text, fromTable);
        ASSERT_EQ(tableStatus.ok(), icuStatus.ok())
            << "U+" << std::hex << static_cast<std::uint32_t>(character);
        if (icuStatus.ok()) {
            ASSERT_EQ(fromTable, fromIcu)
                << "U+" << std::hex << static_cast<std::uint32_t>(character);
        } else {
            ASSERT_EQ(tableStatus.error().kind, icuStatus.error().kind);
            ASSERT_EQ(tableStatus.error().text, icuStatus.error().text);
            ASSERT_EQ(tableStatus.error().number, icuStatus.error().number);
        }
    }
}

TEST(cp932_table_test, broken_utf8_is_reported_alike) {
    IcuCp932 icu;
    const TableCp932 table;
    for (const std::string text : {"\xFF", "a\xC3", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80z"}) {
        std::string ignored;
        const Status icuStatus = icu.appendEncoded(text, ignored);
        const Status tableStatus = table.appendEncoded(text, ignored);
        ASSERT_FALSE(icuStatus.ok());
        ASSERT_FALSE(tableStatus.ok());
        EXPECT_EQ(tableStatus.error().kind, icuStatus.error().kind);
        EXPECT_EQ(tableStatus.error().number, icuStatus.error().number);
    }
}
#endif

} // namespace
} // namespace zelkora
