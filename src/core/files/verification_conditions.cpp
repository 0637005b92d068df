#include "files/verification_conditions.h"

#include "common/numbers.h"

namespace zelkora {
namespace {

void setBasic(StoredConditions& stored, Field field, std::string_view text) {
    const std::size_t index = basicColumnIndex(field);
    if (index < stored.basic.size()) {
        stored.basic[index] = std::string(text); // not assign(): GCC 12 warns falsely (-Wrestrict)
    }
}

std::int16_t toShort(std::string_view text) {
    return toInt16(readNumber(text)).value_or(0);
}

} // namespace

std::size_t basicColumnIndex(Field field) {
    for (std::size_t index = 0; index < kBasicConditionColumns.size(); ++index) {
        if (kBasicConditionColumns[index] == field) {
            return index;
        }
    }
    return kBasicConditionColumns.size();
}

StoredConditions defaultConditions() {
    StoredConditions stored;
    for (const ConditionSpec& condition : kBasicConditions) {
        if (condition.fileColumn.record == kBasicConditionRecord) {
            setBasic(stored, condition.field, condition.defaultText);
        }
    }
    setBasic(stored, kSymbolCountCondition.field, kSymbolCountCondition.defaultText);
    for (const ConditionSpec& condition : kTimeConditions) {
        std::string& target = condition.field == Field::条件_回転時間   ? stored.spinSeconds
                              : condition.field == Field::条件_時間比率 ? stored.timeRatio
                                                                        : stored.shortSpinSeconds;
        target = condition.defaultText;
    }
    stored.investmentUnit = std::string(kDefaultInvestmentUnit);
    stored.serviceTimeRule = static_cast<std::uint8_t>(kDefaultServiceTimeRule);
    stored.ruleOptionDigits = std::string(kDefaultRuleOptionDigits);
    stored.playSchedule = std::string(kDefaultPlaySchedule);
    for (const SymbolRow& row : defaultSymbolTable()) {
        stored.symbols.push_back(
            {row.kind, toShort(row.shortTimeSpins), row.rule, toShort(row.payout), row.name});
    }
    return stored;
}

} // namespace zelkora
