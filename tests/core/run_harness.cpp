#include "run_harness.h"

namespace zelkora::testing {

Status MemoryWorkingCopy::recreate(const StoredConditions& conditions) {
    stored = conditions;
    results.clear();
    recordNumbers.clear();
    summary.reset();
    open = true;
    ++recreations;
    return {};
}

Status MemoryWorkingCopy::writeResult(std::int32_t recordNumber, const ResultColumns& columns) {
    std::array<std::string, 11> copy;
    for (std::size_t index = 0; index < columns.size(); ++index) {
        copy[index] = std::string(columns[index]);
    }
    results.push_back(copy);
    recordNumbers.push_back(recordNumber);
    return {};
}

Status MemoryWorkingCopy::finish(std::int32_t resultCount, std::string_view heldBallRatio) {
    summary = Summary{resultCount, std::string(heldBallRatio)};
    open = false;
    return {};
}

StoredSymbol symbol(std::string name, std::string kind, std::int16_t shortTimeSpins,
                    std::string rule, std::int16_t payout) {
    return {std::move(kind), shortTimeSpins, std::move(rule), payout, std::move(name)};
}

RunHarness::RunHarness() : conditions(defaultConditions()) {
    // Without service time, so that an exchange step exchanges unless a test says otherwise.
    conditions.playSchedule = "01111111100000";
    set(Field::条件_何日分, "1");
}

void RunHarness::set(Field field, std::string text) {
    switch (field) {
    case Field::条件_回転時間:
        conditions.spinSeconds = std::move(text);
        return;
    case Field::条件_時間比率:
        conditions.timeRatio = std::move(text);
        return;
    case Field::条件_確変回転時間:
        conditions.shortSpinSeconds = std::move(text);
        return;
    case Field::条件_投資単位:
        conditions.investmentUnit = std::move(text);
        return;
    default:
        conditions.basic.at(basicColumnIndex(field)) = std::move(text);
    }
}

void RunHarness::setSymbols(std::vector<StoredSymbol> symbols) {
    set(Field::条件_絵柄数, std::to_string(symbols.size()));
    conditions.symbols = std::move(symbols);
}

void RunHarness::start() {
    workingCopy.stored = conditions;
    applyConditions(model, conditions);
    model.commands.apply(Availability::VerificationLoaded);
    commands.MK_Start();
}

void RunHarness::scriptStart(float symbolDraw, float scaleDraw) {
    random.push({symbolDraw, scaleDraw});
}

void RunHarness::scriptMisses(int spins) {
    random.pushRepeated(0.5F, spins);
}

void RunHarness::scriptHit(int symbolIndex) {
    // A draw of 0 hits whatever the scale and denominator; with run seconds 1 the symbol draw
    // u picks Int(count × u).
    random.push(0.0F);
    random.push((static_cast<float>(symbolIndex) + 0.5F) / static_cast<float>(symbolCount()));
}

} // namespace zelkora::testing
