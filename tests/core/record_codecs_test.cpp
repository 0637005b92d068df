#include "files/column_codec.h"
#include "files/cp932.h"
#include "files/record_decoder.h"
#include "files/record_encoder.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace zelkora {
namespace {

// Texts a verification writes into records, ASCII and not, a few of them longer than a column.
const std::vector<std::string> kTexts{
    "",       "0",          "12",    "-3500",  "1.5",          "した",
    "--",     "通常",       "確変",  "時短",   "ｻｰﾋﾞｽ　ﾀｲﾑ",   "持金パンク",
    "無制限", "絵柄１２３", "７",    "ソ表能", "ABCDEFGHIJKL", "長い長い長い長い長い長い名前",
    " lead",  "trail ",     "＼～－"};

ColumnValues randomRecord(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> pick(0, kTexts.size() - 1);
    ColumnValues values{};
    for (std::string_view& value : values) {
        value = kTexts[pick(random)];
    }
    return values;
}

// What RecordFile::write stores and what the rebuild reads back the slow way.
std::string encodeFully(Cp932Codec& codec, const ColumnValues& values) {
    std::string encoded;
    EXPECT_TRUE(codec.encodeInto(buildRecordText(values), encoded).ok());
    return encoded;
}

TEST(RecordEncoder, GivesTheFullConversionsBytesOnceItKnowsTheTexts) {
    Cp932Codec codec;
    RecordEncoder encoder;
    std::mt19937 random(5);
    int encodedDirectly = 0;
    for (int record = 0; record < 3000; ++record) {
        const ColumnValues values = randomRecord(random);
        const std::string expected = encodeFully(codec, values);
        if (const std::optional<std::string_view> bytes = encoder.encode(values)) {
            ASSERT_EQ(std::string(*bytes), expected) << record;
            ++encodedDirectly;
        } else {
            encoder.learn(values);
        }
    }
    EXPECT_GT(encodedDirectly, 1500); // records with a text cut to its column are converted
}

TEST(RecordEncoder, LeavesATextWithoutACodePage932FormToTheFullConversion) {
    RecordEncoder encoder;
    const ColumnValues values{"1", "2", "3", "4", "😀", "6", "7", "8", "9", "10", "11"};
    EXPECT_FALSE(encoder.encode(values));
    encoder.learn(values);
    EXPECT_FALSE(encoder.encode(values));
}

TEST(RecordDecoder, GivesTheColumnsOfTheFullDecodingOnceItKnowsTheTexts) {
    Cp932Codec codec;
    RecordDecoder decoder;
    std::mt19937 random(9);
    int decodedDirectly = 0;
    std::string text;
    for (int record = 0; record < 3000; ++record) {
        const std::string encoded = encodeFully(codec, randomRecord(random));
        ASSERT_TRUE(codec.decodeInto(encoded, text));
        const ColumnValues expected = splitColumns(text);
        if (const std::optional<ColumnValues> columns = decoder.decode(encoded)) {
            for (std::size_t index = 0; index < expected.size(); ++index) {
                ASSERT_EQ((*columns)[index], expected[index]) << record << " column " << index;
            }
            ++decodedDirectly;
        } else {
            decoder.learn(encoded, expected);
        }
    }
    EXPECT_GT(decodedDirectly, 1500);
}

TEST(RecordDecoder, LeavesBytesThatAreNotCodePage932ToTheFullDecoding) {
    Cp932Codec codec;
    RecordDecoder decoder;
    const std::string good =
        encodeFully(codec, {"1", "した", "3", "4", "5", "6", "7", "8", "9", "10", "11"});
    std::string text;
    ASSERT_TRUE(codec.decodeInto(good, text));
    decoder.learn(good, splitColumns(text));
    ASSERT_TRUE(decoder.decode(good));
    // A lead byte with nothing after it, and bytes that start no character.
    EXPECT_FALSE(decoder.decode(good.substr(0, 11)));
    for (const char bad : {'\x80', '\xA0', '\xFD'}) {
        std::string damaged = good;
        damaged[10] = bad;
        EXPECT_FALSE(decoder.decode(damaged)) << static_cast<int>(static_cast<unsigned char>(bad));
    }
}

} // namespace
} // namespace zelkora
