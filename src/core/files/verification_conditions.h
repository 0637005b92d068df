#pragma once

#include "conditions/condition_set.h"
#include "files/record_layouts.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The conditions and the symbol table as the working copy keeps them (records 100, 98 and the
// symbol records), apart from how the records are encoded.
namespace zelkora {

struct StoredSymbol {
    std::string kind;
    std::int16_t shortTimeSpins = 0;
    std::string rule;
    std::int16_t payout = 0;
    std::string name;

    bool operator==(const StoredSymbol&) const = default;
};

struct StoredConditions {
    // Record 100: the text of kBasicConditionColumns[i] in column i + 1.
    ColumnTexts basic{};
    // Record 98.
    std::string spinSeconds;          // column 1, 条件_回転時間
    std::uint8_t serviceTimeRule = 0; // column 2
    std::string ruleOptionDigits;     // column 3
    std::string timeRatio;            // column 4, 条件_時間比率
    std::string shortSpinSeconds;     // column 5, 条件_確変回転時間
    std::string investmentUnit;       // column 6, 条件_投資単位
    std::string playSchedule;         // tail column
    // The symbol records in order, as far as the table reads them.
    std::vector<StoredSymbol> symbols;

    bool operator==(const StoredConditions&) const = default;
};

// The record-100 column (0 … 10, the tail last) of a basic condition field.
std::size_t basicColumnIndex(Field field);

// A new verification with the program's defaults: the condition set's defaults, the default
// play schedule, service-time rule and rule option digits, and the two default symbols.
StoredConditions defaultConditions();

} // namespace zelkora
