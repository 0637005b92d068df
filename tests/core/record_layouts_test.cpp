#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "files/utf8.h"
#include "record_bytes.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <string>

namespace zelkora {
namespace {

using testing::ascii;
using testing::Bytes;
using testing::join;
using testing::readBytes;
using testing::recordBytes;
using testing::spaces;
using testing::TempFolder;

// Shift-JIS bytes of the double-byte texts used below, written out by hand.
const Bytes k絵柄{0x8A, 0x47, 0x95, 0xBF};
const Bytes k確変{0x8A, 0x6D, 0x95, 0xCF};
const Bytes k通常時交換{0x92, 0xCA, 0x8F, 0xED, 0x8E, 0x9E, 0x8C, 0xF0, 0x8A, 0xB7};
const Bytes kＳＥＶＥＮ{0x82, 0x72, 0x82, 0x64, 0x82, 0x75, 0x82, 0x64, 0x82, 0x6D};
const Bytes kいいえ{0x82, 0xA2, 0x82, 0xA2, 0x82, 0xA6};
const Bytes kはい{0x82, 0xCD, 0x82, 0xA2};
const Bytes k新しい検証{0x90, 0x56, 0x82, 0xB5, 0x82, 0xA2, 0x8C, 0x9F, 0x8F, 0xD8};
const Bytes kした{0x82, 0xB5, 0x82, 0xBD};
const Bytes k７{0x82, 0x56};
const Bytes kラッキー{0x83, 0x89, 0x83, 0x62, 0x83, 0x4C, 0x81, 0x5B};

// A symbol with every text double-byte: 絵柄, a two-character kind, a five-character rule and a
// five-character name.
SymbolRow doubleByteSymbol() {
    return {"ＳＥＶＥＮ", "確変", "0", "通常時交換", "2100"};
}

// Writes one record into a fresh file and returns that record's bytes.
Bytes writtenBytes(int recordNumber, const std::string& text) {
    TempFolder folder;
    RecordFile file(kVerificationRecordLength);
    EXPECT_TRUE(file.open(folder.file("golden.pac")).ok());
    const Status written = file.write(recordNumber, text);
    EXPECT_TRUE(written.ok());
    EXPECT_TRUE(file.close().ok());
    const Bytes all = readBytes(folder.file("golden.pac"));
    const auto start = static_cast<std::ptrdiff_t>(recordNumber - 1) * 200;
    return all.size() < static_cast<std::size_t>(start) ? Bytes{}
                                                        : Bytes(all.begin() + start, all.end());
}

std::string repeat(std::string_view text, std::size_t times) {
    std::string result;
    for (std::size_t index = 0; index < times; ++index) {
        result += text;
    }
    return result;
}

TEST(records_test, every_record_kind_writes_the_bytes_of_its_layout) {
    const Bytes symbolStart = join({k絵柄, spaces(8), k確変, spaces(8), ascii("0"), spaces(9),
                                    k通常時交換, spaces(15), ascii("2100"), spaces(6)});
    const Bytes symbolEnd = join({spaces(40), kＳＥＶＥＮ, spaces(65)});
    TimeConditionRecord time;
    time.texts = {"10", "100", "6", "500"};
    BasicConditionRecord basic{
        {"316", "いいえ", "256", "2", "50", "27", "40", "5", "20000", "はい", "新しい検証"}};
    ResultRecord result{
        {"1", "250", "0", "12500", "した", "７", "ラッキー", "確変", "1234", "0", "1"}};
    struct Case {
        const char* kind;
        int recordNumber;
        std::string text;
        Bytes expected;
    };
    const Case cases[] = {
        {"symbol, wizard", 1,
         buildSymbolRecord(doubleByteSymbol(), SymbolRecordWriter::WizardFinish),
         join({symbolStart, spaces(10), symbolEnd})},
        {"symbol, run start", 1,
         buildSymbolRecord(doubleByteSymbol(), SymbolRecordWriter::RunStart),
         join({symbolStart, ascii("0"), spaces(9), symbolEnd})},
        {"blank symbol", 2, blankSymbolRecord(), spaces(190)},
        {"time condition", 98, buildTimeConditionRecord(time),
         join({ascii("10"), spaces(8), ascii("0"), spaces(9), ascii("1122"), spaces(6),
               ascii("100"), spaces(17), ascii("6"), spaces(9), ascii("500"), spaces(7), spaces(40),
               ascii("02111211100000"), spaces(56)})},
        {"run summary", 99, buildRunSummaryRecord({57, "43.21"}),
         join({ascii("57"), spaces(8), ascii("43.21"), spaces(5), spaces(160)})},
        {"basic condition", 100, buildBasicConditionRecord(basic),
         join({ascii("316"), spaces(7),  kいいえ,     spaces(7), ascii("256"),   spaces(7),
               ascii("2"),   spaces(19), ascii("50"), spaces(8), ascii("27"),    spaces(8),
               ascii("40"),  spaces(8),  ascii("5"),  spaces(9), ascii("20000"), spaces(5),
               kはい,        spaces(8),  k新しい検証, spaces(65)})},
        {"result", 101, buildResultRecord(result),
         join({ascii("1"),     spaces(9),  ascii("250"), spaces(7), ascii("0"),    spaces(9),
               ascii("12500"), spaces(15), kした,        spaces(8), k７,           spaces(9),
               kラッキー,      spaces(6),  k確変,        spaces(8), ascii("1234"), spaces(6),
               ascii("0"),     spaces(9),  ascii("1"),   spaces(69)})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(writtenBytes(c.recordNumber, c.text), recordBytes(c.expected)) << c.kind;
    }
}

TEST(records_test, an_all_double_byte_symbol_takes_194_bytes_and_reads_back) {
    const std::string text = buildSymbolRecord(doubleByteSymbol(), SymbolRecordWriter::RunStart);
    EXPECT_EQ(countCharacters(text), 180U);
    const Bytes bytes = writtenBytes(1, text);
    ASSERT_GE(bytes.size(), 2U);
    EXPECT_EQ(bytes[0] | (bytes[1] << 8), 194);

    TempFolder folder;
    RecordFile file(kVerificationRecordLength);
    ASSERT_TRUE(file.open(folder.file("s.pac")).ok());
    ASSERT_TRUE(file.write(1, text).ok());
    const SymbolRecord read = parseSymbolRecord(file.read(1)->text);
    EXPECT_TRUE(read.hasMarker);
    EXPECT_EQ(read.row, doubleByteSymbol());
}

TEST(records_test, column_4_holds_20_characters_and_cuts_the_21st) {
    TempFolder folder;
    RecordFile file(kVerificationRecordLength);
    ASSERT_TRUE(file.open(folder.file("c.pac")).ok());
    const auto writeRule = [&](const std::string& rule) {
        ResultRecord record;
        record.columns[3] = rule;
        const Status written = file.write(101, buildResultRecord(record));
        return written.ok() ? std::string(column(file.read(101)->text, 4)) : "refused";
    };
    // 18 double-byte characters are all that 198 bytes leave room for beside 180 characters.
    const std::string mixed = repeat("交", 18) + "12";
    EXPECT_EQ(writeRule(mixed), mixed);
    EXPECT_EQ(writeRule(repeat("r", 20)), repeat("r", 20));
    EXPECT_EQ(writeRule(repeat("r", 21)), repeat("r", 20));
    EXPECT_EQ(writeRule(repeat("交", 20)), "refused"); // 200 bytes: refused, never cut
}

TEST(records_test, symbol_records_are_recognised_by_their_marker) {
    EXPECT_TRUE(
        parseSymbolRecord(buildSymbolRecord({}, SymbolRecordWriter::WizardFinish)).hasMarker);
    const std::string blank = blankSymbolRecord();
    EXPECT_EQ(blank.size(), 190U);
    EXPECT_FALSE(parseSymbolRecord(blank).hasMarker);
    EXPECT_FALSE(parseSymbolRecord("").hasMarker);
    EXPECT_TRUE(parseSymbolRecord("絵柄X").hasMarker);
}

TEST(records_test, symbol_numbers_must_be_numbers_that_fit_16_bits) {
    SymbolRow row = doubleByteSymbol();
    row.shortTimeSpins = "100";
    const auto numbers = symbolNumbers(row);
    ASSERT_TRUE(numbers.ok());
    EXPECT_EQ(numbers->shortTimeSpins, 100);
    EXPECT_EQ(numbers->payout, 2100);

    row.shortTimeSpins = "12.5"; // halves go to the even neighbour
    EXPECT_EQ(symbolNumbers(row)->shortTimeSpins, 12);
    row.shortTimeSpins = "abc";
    const auto text = symbolNumbers(row);
    ASSERT_FALSE(text.ok());
    EXPECT_EQ(text.error().column, 3);
    EXPECT_EQ(text.error().kind, ErrorKind::NotANumber);
    row.shortTimeSpins = "";
    EXPECT_FALSE(symbolNumbers(row).ok());
    row.shortTimeSpins = "0";
    row.payout = "40000";
    const auto large = symbolNumbers(row);
    ASSERT_FALSE(large.ok());
    EXPECT_EQ(large.error().column, 5);
    EXPECT_EQ(large.error().kind, ErrorKind::NumberOutOfRange);
}

TEST(records_test, the_time_condition_record_reads_back_with_its_defaults) {
    TimeConditionRecord written;
    written.texts = {" 10", "50 ", "6", ""};
    written.program = {"01122111000002", 2, "2211"};
    const auto read = parseTimeConditionRecord(buildTimeConditionRecord(written));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->texts.spinSeconds, "10");
    EXPECT_EQ(read->texts.timeRatio, "50");
    EXPECT_EQ(read->texts.fastSpinSeconds, "6");
    EXPECT_EQ(read->texts.investmentUnit, "500"); // empty investment unit
    EXPECT_EQ(read->program.playSchedule, "01122111000002");
    EXPECT_EQ(read->program.serviceTimeRule, 2);
    EXPECT_EQ(read->program.ruleOptionDigits, "2211");

    for (const char* rule : {"x", "", "256", "-1"}) {
        const std::string text =
            buildRecordText({"10", rule, "1122", "", "", "", "", "", "", "", ""});
        const auto bad = parseTimeConditionRecord(text);
        ASSERT_FALSE(bad.ok()) << rule;
        EXPECT_EQ(bad.error().column, 2);
    }
}

TEST(records_test, the_run_summary_reads_empty_as_zero_and_refuses_damage) {
    const auto cleared = parseRunSummaryRecord("");
    ASSERT_TRUE(cleared.ok());
    EXPECT_EQ(cleared->resultCount, 0);
    EXPECT_EQ(cleared->holdingRatio, "0");

    const auto filled = parseRunSummaryRecord(buildRunSummaryRecord({1234567, "43.21"}));
    ASSERT_TRUE(filled.ok());
    EXPECT_EQ(filled->resultCount, 1234567);
    EXPECT_EQ(filled->holdingRatio, "43.21");

    for (const char* count : {"abc", "-3", "3000000000", "1e999"}) {
        const auto bad = parseRunSummaryRecord(
            buildRecordText({count, "1", "", "", "", "", "", "", "", "", ""}));
        EXPECT_FALSE(bad.ok()) << count;
    }
}

TEST(records_test, the_basic_condition_record_puts_back_trimmed_texts) {
    BasicConditionRecord written{
        {" 316", "いいえ ", "256", "2", "50", "27", "40", "5", "20000", "はい", "  新しい検証  "}};
    const BasicConditionRecord read = parseBasicConditionRecord(buildBasicConditionRecord(written));
    EXPECT_EQ(read.columns[0], "316");
    EXPECT_EQ(read.columns[1], "いいえ");
    EXPECT_EQ(read.columns[10], "新しい検証");
    EXPECT_EQ(read.columns[8], "20000");
}

TEST(records_test, basic_condition_columns_agree_with_the_condition_set) {
    for (const ConditionSpec& condition : kBasicConditions) {
        if (condition.fileColumn.record != kBasicConditionRecord) {
            continue;
        }
        const auto column = static_cast<std::size_t>(condition.fileColumn.column - 1);
        EXPECT_EQ(kBasicConditionColumns[column], condition.field) << condition.label;
    }
    const auto symbolCount = static_cast<std::size_t>(kSymbolCountCondition.fileColumn.column - 1);
    EXPECT_EQ(kBasicConditionColumns[symbolCount], Field::条件_絵柄数);
}

TEST(records_test, result_records_parse_into_reused_storage_without_leftovers) {
    ResultRecord record;
    parseResultRecord(buildResultRecord({{"1", "250", "0", "12500", "した", "７", "ラッキー",
                                          "確変", "1234", "0", "1"}}),
                      record);
    parseResultRecord(
        buildResultRecord({{"2", "9", "", "0", "--", "--", "回転数終了", "通常", "0", "", "0"}}),
        record);
    EXPECT_EQ(record.columns[0], "2");
    EXPECT_EQ(record.columns[2], "");
    EXPECT_EQ(record.columns[6], "回転数終了");
    EXPECT_EQ(record.columns[9], "");
}

TEST(records_test, result_numbers_are_converted_or_reported) {
    const ResultRecord record = parseResultRecord(buildResultRecord(
        {{"3", "250", "40.", "12500", "した", "７", "ラッキー", "確変", "-1234.5", ".5", "7"}}));
    const auto numbers = resultNumbers(record);
    ASSERT_TRUE(numbers.ok());
    EXPECT_EQ(numbers->day, 3);
    EXPECT_EQ(numbers->spins, 250);
    EXPECT_EQ(numbers->shortTimeSpins, 40);
    EXPECT_EQ(numbers->investment, 12500);
    EXPECT_EQ(numbers->heldBalls, -1234.5);
    EXPECT_EQ(numbers->exchangedBalls, 0.5);
    EXPECT_EQ(numbers->streak, 7);

    ResultRecord damaged = record;
    damaged.columns[8] = "12a";
    const auto bad = resultNumbers(damaged);
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().column, 9);
    EXPECT_EQ(bad.error().text, "12a");
}

TEST(records_test, result_kinds_are_told_apart_by_columns_5_and_7) {
    const auto kindOf = [](const char* hit, const char* rule) {
        ResultRecord record;
        record.columns[4] = hit;
        record.columns[6] = rule;
        return resultKind(record);
    };
    EXPECT_EQ(kindOf("した", "ラッキー"), ResultKind::BigHit);
    EXPECT_EQ(kindOf("--", "回転数終了"), ResultKind::DayEnd);
    EXPECT_EQ(kindOf("--", "持金パンク"), ResultKind::DayEnd);
    EXPECT_EQ(kindOf("--", "キャンセル"), ResultKind::Cancel);
    EXPECT_EQ(kindOf("--", "交換"), ResultKind::Unknown);
}

} // namespace
} // namespace zelkora
