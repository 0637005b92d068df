#pragma once

#include "common/field_id.h"

#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The condition set of a verification, defined once: every condition with its page control,
// label, default, allowed values and file column; the program-wide values; the symbol table's
// columns; the colours of the schedule slots. The wizard pages, the engine and the file
// readers and writers all take their facts from here.
namespace zelkora {

inline constexpr double kUnbounded = std::numeric_limits<double>::infinity();

// What the wizard accepts for a condition.
enum class AllowedKind : std::uint8_t {
    NonEmptyText, // not empty, at most maxLength characters
    Number,       // the value (leading numeric part) lies in the range
    YesNo,        // exactly "はい" or "いいえ"
};

struct NumberRange {
    double minimum = -kUnbounded;
    bool minimumInclusive = true;
    double maximum = kUnbounded;
    bool maximumInclusive = true;

    bool contains(double value) const {
        const bool aboveMinimum = minimumInclusive ? value >= minimum : value > minimum;
        const bool belowMaximum = maximumInclusive ? value <= maximum : value < maximum;
        return aboveMinimum && belowMaximum;
    }
};

// Where the file keeps a value: a record number and a column (1 … 10, or the tail column).
inline constexpr int kTailColumn = 11;
struct FileColumn {
    int record = 0;
    int column = 0;
};

inline constexpr int kBasicConditionRecord = 100;
inline constexpr int kRunSummaryRecord = 99;
inline constexpr int kTimeConditionRecord = 98;
inline constexpr int kFirstResultRecord = 101;
inline constexpr int kSymbolRecordSlots = 50;

struct ConditionSpec {
    Field field;
    std::string_view pageControl;
    std::string_view label;
    AllowedKind allowed;
    NumberRange range;
    int maxLength; // NonEmptyText only
    std::string_view
        defaultText; // a new verification's value (time conditions: the put-back value)
    FileColumn fileColumn;
};

inline constexpr std::string_view kYes = "はい";
inline constexpr std::string_view kNo = "いいえ";

// Page 1: the eleven basic conditions, in the order of the page.
inline constexpr std::array<ConditionSpec, 11> kBasicConditions{{
    {Field::条件_名前,
     "検証名表示",
     "検証の名前:",
     AllowedKind::NonEmptyText,
     {},
     25,
     "新しい検証",
     {100, kTailColumn}},
    {Field::条件_確率,
     "大当り確率表示",
     "大当り確率:",
     AllowedKind::Number,
     {2, true, 3000, true},
     0,
     "316",
     {100, 1}},
    {Field::条件_確変倍率,
     "確変倍率表示",
     "確変時の確率の倍率",
     AllowedKind::Number,
     {1, true, 20, true},
     0,
     "5",
     {100, 8}},
    {Field::条件_リミッター,
     "リッミター表示",
     "リミッター付き",
     AllowedKind::YesNo,
     {},
     0,
     "いいえ",
     {100, 2}},
    {Field::条件_リミッター数,
     "リッミター数表示",
     "リミッター数:",
     AllowedKind::Number,
     {2, true, 3000, true},
     0,
     "256",
     {100, 3}},
    {Field::条件_両替率,
     "両替率表示",
     "両替率:",
     AllowedKind::Number,
     {25, true, 100, true},
     0,
     "40",
     {100, 7}},
    {Field::条件_何日分,
     "何日分表示",
     "何日分の検証",
     AllowedKind::Number,
     {1, true, 10000, true},
     0,
     "50",
     {100, 5}},
    {Field::条件_回転数1000円,
     "回転数表示",
     "回転数/1000円:",
     AllowedKind::Number,
     {0, false, kUnbounded, true},
     0,
     "27",
     {100, 6}},
    {Field::条件_投資上限日,
     "投資上限表示",
     "投資上限/日:",
     AllowedKind::Number,
     {500, true, 500000, true},
     0,
     "20000",
     {100, 9}},
    {Field::条件_出玉を両替,
     "再投資表示",
     "出玉を両替して再投資",
     AllowedKind::YesNo,
     {},
     0,
     "はい",
     {100, 10}},
    {Field::条件_投資単位,
     "投資単位",
     "投資単位",
     AllowedKind::Number,
     {100, true, 1000, true},
     0,
     "500",
     {98, 6}},
}};

// Page 2: the three time conditions; the default is the value the page puts back on a bad entry.
inline constexpr std::array<ConditionSpec, 3> kTimeConditions{{
    {Field::条件_回転時間,
     "回転時間",
     "通常時",
     AllowedKind::Number,
     {0, false, kUnbounded, true},
     0,
     "10",
     {98, 1}},
    {Field::条件_確変回転時間,
     "回転時間_確変",
     "確変、時短時",
     AllowedKind::Number,
     {0, false, kUnbounded, true},
     0,
     "6",
     {98, 5}},
    {Field::条件_時間比率,
     "回転時間_比率",
     "回転の時間比率",
     AllowedKind::Number,
     {0, false, 100, true},
     0,
     "100",
     {98, 4}},
}};

inline constexpr ConditionSpec kSymbolCountCondition{Field::条件_絵柄数,
                                                     "絵柄数表示",
                                                     "絵柄数",
                                                     AllowedKind::Number,
                                                     {1, true, 50, true},
                                                     0,
                                                     "2",
                                                     {100, 4}};

// Looks a condition up by its display field; null for fields that are not conditions.
const ConditionSpec* findCondition(Field field);

// --- Program-wide values --------------------------------------------------------------------

inline constexpr int kScheduleSlots = 14;
inline constexpr std::string_view kDefaultPlaySchedule = "02111211100000";
inline constexpr std::string_view kDefaultRuleOptionDigits = "1122";

enum class ServiceTimeRule : std::uint8_t { Unlimited = 0, WithinHourUnlimited = 1, Lucky = 2 };
inline constexpr ServiceTimeRule kDefaultServiceTimeRule = ServiceTimeRule::Unlimited;
// The text shown in 条件_TS for a code: "無制限", "時間内無制限", "ラッキー"; empty for others.
std::string_view serviceTimeRuleText(int code);

struct ProgramValues {
    std::string playSchedule{kDefaultPlaySchedule};
    std::uint8_t serviceTimeRule = static_cast<std::uint8_t>(kDefaultServiceTimeRule);
    std::string ruleOptionDigits{kDefaultRuleOptionDigits};
};

// Schedule digits and the colour values of their slot boxes.
inline constexpr char kSlotNotPlayed = '0';
inline constexpr char kSlotPlayed = '1';
inline constexpr char kSlotServiceTime = '2';
inline constexpr std::uint32_t kSlotColourNotPlayed = 0x80000000; // system colour of scroll bars
inline constexpr std::uint32_t kSlotColourPlayed = 0x80FF;        // RGB (255, 128, 0)
inline constexpr std::uint32_t kSlotColourServiceTime = 0xC0;     // RGB (192, 0, 0)
struct Rgb {
    std::uint8_t red, green, blue;
};
inline constexpr Rgb kPlayedRgb{255, 128, 0};
inline constexpr Rgb kServiceTimeRgb{192, 0, 0};
// Colour value of a schedule digit; 0 for a digit that is none of "0", "1", "2".
std::uint32_t slotColour(char digit);

// --- Symbol table -----------------------------------------------------------------------------

inline constexpr int kMaxSymbols = 50;
inline constexpr int kSymbolTableCapacity = 99; // the copies the engine reads hold 99 entries
inline constexpr int kMaxSymbolNameLength = 5;

inline constexpr std::string_view kKind確変 = "確変";
inline constexpr std::string_view kKind通常 = "通常";
inline constexpr std::string_view kKind次まで時短 = "次まで時短";
inline constexpr std::array<std::string_view, 3> kSymbolKinds{kKind確変, kKind通常,
                                                              kKind次まで時短};

inline constexpr std::string_view kRule通常時交換 = "通常時交換";
inline constexpr std::string_view kRuleアウト = "アウト";
inline constexpr std::string_view kRuleラッキー = "ラッキー";
inline constexpr std::string_view kRule無制限 = "無制限";
inline constexpr std::array<std::string_view, 4> kSymbolRules{kRule通常時交換, kRuleアウト,
                                                              kRuleラッキー, kRule無制限};

inline constexpr std::array<std::string_view, 5> kSymbolColumnHeadings{
    "絵柄名", "確変,通常", "時短数", "ルール", "出玉数"};

// One row of the symbol table as the grids hold it: every cell is text.
struct SymbolRow {
    std::string name;
    std::string kind{kKind通常};
    std::string shortTimeSpins{"0"}; // 時短数
    std::string rule{kRule通常時交換};
    std::string payout{"2100"}; // 出玉数

    bool operator==(const SymbolRow&) const = default;
};

// The row that raising the symbol count adds at 1-based row number `row`.
SymbolRow defaultSymbolRow(int row);
// The program's two default symbols, "1" and "2".
std::vector<SymbolRow> defaultSymbolTable();

// The rule option groups of the symbol page: digit d1 … d4, its options and their help texts.
struct RuleOption {
    std::string_view control;
    char digit;
    std::string_view caption;
    std::string_view help;
};
struct RuleOptionGroup {
    std::string_view caption;
    std::span<const RuleOption> options;
};
extern const std::array<RuleOptionGroup, 4> kRuleOptionGroups;

} // namespace zelkora
