#include "results/window_conditions.h"

#include "common/numbers.h"

#include <algorithm>

namespace zelkora {
namespace {

void applySymbols(MainWindowModel& model, const StoredConditions& conditions) {
    SymbolTable& table = model.symbols;
    table = SymbolTable{};
    const int count =
        static_cast<int>(std::min<std::size_t>(conditions.symbols.size(), kSymbolTableCapacity));
    for (int k = 0; k < count; ++k) {
        const StoredSymbol& symbol = conditions.symbols[static_cast<std::size_t>(k)];
        const auto index = static_cast<std::size_t>(k);
        table.names[index] = symbol.name;
        table.kinds[index] = symbol.kind;
        table.shortTimeSpins[index] = symbol.shortTimeSpins;
        table.rules[index] = symbol.rule;
        table.payouts[index] = symbol.payout;
        model.grids.grid2.setRowCount(k + 2);
        const std::string shortTime = plainText(symbol.shortTimeSpins);
        const std::string payout = plainText(symbol.payout);
        const std::array<std::string_view, 5> row{symbol.name, symbol.kind, shortTime, symbol.rule,
                                                  payout};
        model.grids.grid2.setRow(k + 1, row);
    }
    table.loaded = count;
}

} // namespace

StoredConditions captureConditions(const MainWindowModel& model) {
    const FieldStore& fields = model.fields;
    StoredConditions stored;
    for (std::size_t index = 0; index < kBasicConditionColumns.size(); ++index) {
        stored.basic[index] = fields.text(kBasicConditionColumns[index]);
    }
    stored.spinSeconds = fields.text(Field::条件_回転時間);
    stored.serviceTimeRule = model.program.serviceTimeRule;
    stored.ruleOptionDigits = model.program.ruleOptionDigits;
    stored.timeRatio = fields.text(Field::条件_時間比率);
    stored.shortSpinSeconds = fields.text(Field::条件_確変回転時間);
    stored.investmentUnit = fields.text(Field::条件_投資単位);
    stored.playSchedule = model.program.playSchedule;
    const double count = fields.number(Field::条件_絵柄数);
    for (int k = 0; k < kSymbolTableCapacity && k < count; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const SymbolTable& table = model.symbols;
        stored.symbols.push_back({table.kinds[index], table.shortTimeSpins[index],
                                  table.rules[index], table.payouts[index], table.names[index]});
    }
    return stored;
}

void applyConditions(MainWindowModel& model, const StoredConditions& conditions) {
    FieldStore& fields = model.fields;
    for (std::size_t index = 0; index < kBasicConditionColumns.size(); ++index) {
        fields.setText(kBasicConditionColumns[index], conditions.basic[index]);
    }
    model.program.playSchedule = conditions.playSchedule;
    fields.setText(Field::条件_回転時間, conditions.spinSeconds);
    model.program.serviceTimeRule = conditions.serviceTimeRule;
    fields.setText(Field::条件_TS, serviceTimeRuleText(conditions.serviceTimeRule));
    model.program.ruleOptionDigits = conditions.ruleOptionDigits;
    fields.setText(Field::条件_時間比率, conditions.timeRatio);
    fields.setText(Field::条件_確変回転時間, conditions.shortSpinSeconds);
    fields.setText(Field::条件_投資単位, conditions.investmentUnit);
    if (fields.isEmpty(Field::条件_投資単位)) {
        fields.setText(Field::条件_投資単位, kDefaultInvestmentUnit);
    }
    applySymbols(model, conditions);
}

} // namespace zelkora
