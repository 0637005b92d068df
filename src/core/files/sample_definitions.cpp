#include "files/sample_definitions.h"

#include "files/sample_files.h"

namespace zelkora {
namespace {

// The basic and time conditions of a sample, in the order of the condition tables.
struct Conditions {
    const char* probability;  // 条件_確率
    const char* multiplier;   // 条件_確変倍率
    const char* limiter;      // 条件_リミッター
    const char* limiterCount; // 条件_リミッター数
    const char* exchangeRate; // 条件_両替率
    const char* days;         // 条件_何日分
    const char* spinsPer1000; // 条件_回転数1000円
    const char* dailyCap;     // 条件_投資上限日
    const char* reinvest;     // 条件_出玉を両替
    const char* unit;         // 条件_投資単位
    const char* spinSeconds;  // 条件_回転時間
    const char* fastSeconds;  // 条件_確変回転時間
    const char* timeRatio;    // 条件_時間比率
};

SampleDefinition makeSample(std::size_t index, const Conditions& c, ProgramValues program,
                            std::vector<SymbolRow> symbols, std::uint64_t seed) {
    SampleDefinition sample;
    sample.name = std::string(kSampleNames.at(index));
    sample.conditions = {
        {Field::条件_名前, sample.name},
        {Field::条件_確率, c.probability},
        {Field::条件_確変倍率, c.multiplier},
        {Field::条件_リミッター, c.limiter},
        {Field::条件_リミッター数, c.limiterCount},
        {Field::条件_両替率, c.exchangeRate},
        {Field::条件_何日分, c.days},
        {Field::条件_回転数1000円, c.spinsPer1000},
        {Field::条件_投資上限日, c.dailyCap},
        {Field::条件_出玉を両替, c.reinvest},
        {Field::条件_投資単位, c.unit},
        {Field::条件_絵柄数, std::to_string(symbols.size())},
        {Field::条件_回転時間, c.spinSeconds},
        {Field::条件_確変回転時間, c.fastSeconds},
        {Field::条件_時間比率, c.timeRatio},
        {Field::条件_TS, std::string(serviceTimeRuleText(program.serviceTimeRule))},
    };
    sample.program = std::move(program);
    sample.symbols = std::move(symbols);
    sample.seed = seed;
    return sample;
}

SymbolRow symbol(const char* name, std::string_view kind, const char* shortTime,
                 std::string_view rule, const char* payout) {
    return {name, std::string(kind), shortTime, std::string(rule), payout};
}

ProgramValues program(const char* schedule, ServiceTimeRule rule, const char* options) {
    return {schedule, static_cast<std::uint8_t>(rule), options};
}

// A classic machine: 1 in 315, half of the symbols start 確変, the others 時短 100.
SampleDefinition classic315() {
    return makeSample(
        0,
        {"315", "5", "いいえ", "256", "28", "60", "20", "30000", "はい", "500", "10", "6", "100"},
        program("01111111111100", ServiceTimeRule::Unlimited, "1122"),
        {symbol("1", kKind確変, "0", kRule通常時交換, "2100"),
         symbol("2", kKind通常, "100", kRule通常時交換, "2100"),
         symbol("3", kKind確変, "0", kRule通常時交換, "2100"),
         symbol("4", kKind通常, "100", kRule通常時交換, "2100"),
         symbol("5", kKind確変, "0", kRule通常時交換, "2100"),
         symbol("6", kKind通常, "100", kRule通常時交換, "2100"),
         symbol("7", kKind確変, "0", kRule通常時交換, "2100"),
         symbol("8", kKind通常, "100", kRule通常時交換, "2100")},
        315);
}

// A heavy machine whose streaks the limiter ends after five hits.
SampleDefinition limiter399() {
    return makeSample(
        1, {"399", "10", "はい", "5", "25", "40", "17", "50000", "はい", "1000", "9", "5", "90"},
        program("11111111111111", ServiceTimeRule::Unlimited, "1122"),
        {symbol("赤７", kKind確変, "0", kRule通常時交換, "2400"),
         symbol("青７", kKind確変, "0", kRule通常時交換, "2400"),
         symbol("ＢＡＲ", kKind確変, "0", kRule通常時交換, "2400"),
         symbol("白７", kKind通常, "100", kRule通常時交換, "2400"),
         symbol("３", kKind通常, "100", kRule通常時交換, "2400"),
         symbol("５", kKind通常, "50", kRule通常時交換, "1200")},
        399);
}

// A light machine with time-saving that lasts until the next hit.
SampleDefinition light99() {
    return makeSample(
        2, {"99", "5", "いいえ", "256", "40", "30", "22", "10000", "はい", "500", "10", "6", "100"},
        program("00111111000000", ServiceTimeRule::Unlimited, "1122"),
        {symbol("確変", kKind確変, "0", kRule通常時交換, "1000"),
         symbol("時短A", kKind次まで時短, "0", kRule通常時交換, "800"),
         symbol("時短B", kKind次まで時短, "0", kRule通常時交換, "800"),
         symbol("通常", kKind通常, "50", kRule通常時交換, "400")},
        99);
}

// A parlour with service-time hours in which big hits count as ラッキー, and symbols whose own
// rules are 無制限, ラッキー and アウト.
SampleDefinition serviceTimeParlour() {
    return makeSample(
        3,
        {"315", "5", "いいえ", "256", "40", "50", "24", "30000", "はい", "500", "10", "6", "100"},
        program("02222111122200", ServiceTimeRule::Lucky, "2122"),
        {symbol("７", kKind確変, "0", kRule無制限, "2100"),
         symbol("３", kKind確変, "0", kRuleラッキー, "2100"),
         symbol("５", kKind通常, "0", kRuleアウト, "2100"),
         symbol("１", kKind通常, "100", kRule通常時交換, "2100")},
        4);
}

// A cash player at 40 balls per 100 yen with a small daily cap and no reinvestment, so days
// end when the money runs out.
SampleDefinition cashPlayer() {
    return makeSample(
        4,
        {"315", "5", "いいえ", "256", "40", "50", "18", "5000", "いいえ", "500", "10", "6", "100"},
        program("02111211100000", ServiceTimeRule::Unlimited, "1122"),
        {symbol("７", kKind確変, "0", kRule通常時交換, "2000"),
         symbol("１", kKind通常, "100", kRule通常時交換, "2000"),
         symbol("２", kKind通常, "100", kRule通常時交換, "2000")},
        40);
}

} // namespace

std::string SampleDefinition::condition(Field field) const {
    for (const auto& [conditionField, text] : conditions) {
        if (conditionField == field) {
            return text;
        }
    }
    return {};
}

std::vector<SampleDefinition> sampleDefinitions() {
    return {classic315(), limiter399(), light99(), serviceTimeParlour(), cashPlayer()};
}

} // namespace zelkora
