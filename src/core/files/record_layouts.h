#pragma once

#include "common/field_id.h"
#include "conditions/condition_set.h"
#include "files/column_codec.h"
#include "files/column_number.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The kinds of record a verification file holds, each as a plain struct of texts with a
// builder (struct -> record text) and a parser (record text -> struct). Parsers trim every
// column; columns that hold numbers are converted separately, so that a damaged number is an
// error the caller can report rather than a silent 0.
namespace zelkora {

// Every column's text, in column order (the tail column last).
using ColumnTexts = std::array<std::string, kRecordColumnCount>;

// --- Symbol records (1 … n) and blank symbol records (n+1 … 50) -----------------------------

inline constexpr std::string_view kSymbolMarker = "絵柄";
inline constexpr std::size_t kBlankSymbolRecordLength = 190;

// Column 6 of a symbol record holds "0" when the run writes it and spaces when the wizard does.
enum class SymbolRecordWriter : std::uint8_t { WizardFinish, RunStart };

std::string buildSymbolRecord(const SymbolRow& row, SymbolRecordWriter writer);
// 190 spaces: no "絵柄" at the start, so a reader stops at it.
std::string blankSymbolRecord();

struct SymbolRecord {
    SymbolRow row;          // columns 2 … 5 and the tail column, trimmed
    bool hasMarker = false; // column 1 begins with "絵柄"
};
SymbolRecord parseSymbolRecord(std::string_view text);

struct SymbolNumbers {
    std::int16_t shortTimeSpins = 0; // column 3
    std::int16_t payout = 0;         // column 5
};
Result<SymbolNumbers> symbolNumbers(const SymbolRow& row);

// --- Time-condition record (98) ----------------------------------------------------------------

struct TimeConditionTexts {
    std::string spinSeconds;     // 条件_回転時間, column 1
    std::string timeRatio;       // 条件_時間比率, column 4
    std::string fastSpinSeconds; // 条件_確変回転時間, column 5
    std::string investmentUnit;  // 条件_投資単位, column 6
};

struct TimeConditionRecord {
    TimeConditionTexts texts;
    // Service-time rule (column 2), rule option digits (column 3), play schedule (tail).
    ProgramValues program;
};

inline constexpr std::string_view kDefaultInvestmentUnit = "500";

std::string buildTimeConditionRecord(const TimeConditionRecord& record);
// Column 2 must be a number from 0 to 255; an empty column 6 reads as "500".
Result<TimeConditionRecord> parseTimeConditionRecord(std::string_view text);

// --- Run-summary record (99) -------------------------------------------------------------------

struct RunSummary {
    std::int32_t resultCount = 0;  // k, column 1
    std::string holdingRatio{"0"}; // 持ち玉比率, column 2
};

std::string buildRunSummaryRecord(const RunSummary& summary);
// An empty record (cleared) or empty columns read as count 0 and ratio "0". A count that is
// not a number, does not fit 32 bits or is negative is an error.
Result<RunSummary> parseRunSummaryRecord(std::string_view text);

// --- Basic-condition record (100) ------------------------------------------------------------

// The condition display field kept in each column.
inline constexpr std::array<Field, kRecordColumnCount> kBasicConditionColumns{
    Field::条件_確率,       Field::条件_リミッター, Field::条件_リミッター数,
    Field::条件_絵柄数,     Field::条件_何日分,     Field::条件_回転数1000円,
    Field::条件_両替率,     Field::条件_確変倍率,   Field::条件_投資上限日,
    Field::条件_出玉を両替, Field::条件_名前};

struct BasicConditionRecord {
    ColumnTexts columns; // the text of kBasicConditionColumns[i] in column i + 1
};

std::string buildBasicConditionRecord(const BasicConditionRecord& record);
BasicConditionRecord parseBasicConditionRecord(std::string_view text);

// --- Result records (101 … 100+k) ------------------------------------------------------------

// The big-hit detail field kept in each column.
inline constexpr std::array<Field, kRecordColumnCount> kResultColumns{
    Field::c大当り詳細_日目,     Field::c大当り詳細_回転数, Field::c大当り詳細_時短回転数,
    Field::c大当り詳細_投資額F,  Field::c大当り詳細_大当り, Field::c大当り詳細_当絵柄,
    Field::c大当り詳細_ルール,   Field::c大当り詳細_状態,   Field::c大当り詳細_持玉数F,
    Field::c大当り詳細_交換玉数, Field::c大当り詳細_連荘};

struct ResultRecord {
    ColumnTexts columns; // the text of kResultColumns[i] in column i + 1
};

std::string buildResultRecord(const ResultRecord& record);
// Parses into an existing record so that a rebuild reading many records reuses its strings.
void parseResultRecord(std::string_view text, ResultRecord& record);
ResultRecord parseResultRecord(std::string_view text);

// The columns a reader takes as numbers.
struct ResultNumbers {
    double day = 0;            // column 1
    double spins = 0;          // column 2
    double shortTimeSpins = 0; // column 3
    double investment = 0;     // column 4
    double heldBalls = 0;      // column 9
    double exchangedBalls = 0; // column 10
    double streak = 0;         // tail column
};
Result<ResultNumbers> resultNumbers(const ResultRecord& record);

// What a result record stands for, told apart by its columns 5 and 7.
enum class ResultKind : std::uint8_t { BigHit, DayEnd, Cancel, Unknown };
ResultKind resultKind(const ResultRecord& record);

} // namespace zelkora
