#include "files/cp932.h"
#include "files/utf8.h"

#include <gtest/gtest.h>
#include <string>

namespace zelkora {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string text;
    for (const int value : values) {
        text.push_back(static_cast<char>(value));
    }
    return text;
}

TEST(cp932_test, encodes_and_decodes_the_characters_the_records_use) {
    Cp932Codec codec;
    ASSERT_TRUE(codec.available());
    struct Case {
        std::string text;
        std::string encoded;
    };
    const Case cases[] = {
        {"絵柄", bytes({0x8A, 0x47, 0x95, 0xBF})},
        {"～", bytes({0x81, 0x60})}, // U+FF5E, the tilde that Windows' table uses
        {"－", bytes({0x81, 0x7C})}, // U+FF0D
        {"ｻｰﾋﾞｽ　ﾀｲﾑ", bytes({0xBB, 0xB0, 0xCB, 0xDE, 0xBD, 0x81, 0x40, 0xC0, 0xB2, 0xD1})},
        {"した", bytes({0x82, 0xB5, 0x82, 0xBD})},
        {"a\\~", "a\\~"}, // backslash and tilde stay ASCII, not yen sign and overline
        // Trail bytes in the ASCII range: the second byte of ソ and 表 is a backslash.
        {"aソ表b\\", bytes({'a', 0x83, 0x5C, 0x95, 0x5C, 'b', 0x5C})},
        {"表", bytes({0x95, 0x5C})},
        {"ｱ1", bytes({0xB1, '1'})},
    };
    for (const Case& c : cases) {
        const Cp932Encoded encoded = codec.encode(c.text);
        EXPECT_TRUE(encoded.status.ok()) << c.text;
        EXPECT_EQ(encoded.bytes, c.encoded) << c.text;
        const Cp932Decoded decoded = codec.decode(c.encoded);
        EXPECT_TRUE(decoded.valid) << c.text;
        EXPECT_EQ(decoded.text, c.text);
    }
}

TEST(cp932_test, every_ascii_byte_is_its_own_character_both_ways) {
    Cp932Codec codec;
    for (int value = 0; value < 0x80; ++value) {
        const std::string single(1, static_cast<char>(value));
        EXPECT_EQ(codec.encode(single).bytes, single) << "character " << value;
        EXPECT_EQ(codec.decode(single).text, single) << "byte " << value;
    }
}

TEST(cp932_test, reports_characters_without_a_code_page_932_form) {
    Cp932Codec codec;
    const Cp932Encoded emoji = codec.encode("ab\U0001F600c");
    ASSERT_FALSE(emoji.status.ok());
    EXPECT_EQ(emoji.status.error().kind, ErrorKind::Unencodable);
    EXPECT_EQ(emoji.status.error().text, "\U0001F600");
    EXPECT_EQ(emoji.status.error().number, 2);
    EXPECT_TRUE(emoji.bytes.empty());

    // No best-fit substitutes: the yen sign and the wave dash are refused, not turned into
    // a backslash or the full-width tilde.
    for (const char* text : {"\u00A5", "\u301C", "漢\u00A2"}) {
        EXPECT_EQ(codec.encode(text).status.error().kind, ErrorKind::Unencodable) << text;
    }
    EXPECT_EQ(codec.encode("漢\u00A2").status.error().number, 1);
}

TEST(cp932_test, reports_broken_utf8_input) {
    Cp932Codec codec;
    const Cp932Encoded encoded = codec.encode("ab\xFF");
    ASSERT_FALSE(encoded.status.ok());
    EXPECT_EQ(encoded.status.error().kind, ErrorKind::MalformedText);
    EXPECT_EQ(encoded.status.error().number, 2);
}

TEST(cp932_test, decodes_what_it_can_of_invalid_bytes_and_says_so) {
    Cp932Codec codec;
    // 0x80 is no character; a lead byte at the end lacks its trail byte.
    const Cp932Decoded stray = codec.decode(bytes({'A', 0x80, 'B'}));
    EXPECT_FALSE(stray.valid);
    EXPECT_EQ(stray.text, "A\uFFFDB");
    const Cp932Decoded cutOff = codec.decode(bytes({0x82, 0xB5, 0x82}));
    EXPECT_FALSE(cutOff.valid);
    EXPECT_EQ(cutOff.text.substr(0, 3), "し");

    // The flag belongs to one call: a clean decode afterwards is valid again.
    EXPECT_TRUE(codec.decode(bytes({0x82, 0xB5})).valid);
}

TEST(cp932_test, a_moved_codec_keeps_working) {
    Cp932Codec first;
    Cp932Codec second(std::move(first));
    // A moved-from codec refuses work instead of crashing: the use after the move is the test.
    EXPECT_FALSE(first.available()); // NOLINT(bugprone-use-after-move)
    EXPECT_FALSE(second.decode(bytes({0x80})).valid);
    EXPECT_EQ(second.encode("絵柄").bytes.size(), 4U);

    std::string text = "old";
    EXPECT_FALSE(first.decodeInto("x", text));
    EXPECT_TRUE(text.empty());
}

TEST(utf8_test, counts_and_slices_by_character_never_inside_one) {
    EXPECT_EQ(countCharacters("絵柄ab"), 4U);
    EXPECT_EQ(countCharacters("\U0001F600"), 1U);
    EXPECT_EQ(characterSlice("絵柄ab", 1, 2), "柄a");
    EXPECT_EQ(characterSlice("絵柄ab", 3, 5), "b");
    EXPECT_EQ(characterSlice("絵柄ab", 9, 5), "");
    EXPECT_EQ(characterOffset("絵柄ab", 2), 6U);
}

TEST(utf8_test, rejects_malformed_sequences) {
    for (const char* text : {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE7\xB5", "\x80"}) {
        std::size_t offset = 0;
        EXPECT_FALSE(nextCodePoint(text, offset).has_value()) << text;
        EXPECT_EQ(offset, 1U);
    }
    std::size_t offset = 0;
    EXPECT_EQ(nextCodePoint("柄", offset), U'柄');
    EXPECT_EQ(offset, 3U);
}

} // namespace
} // namespace zelkora
