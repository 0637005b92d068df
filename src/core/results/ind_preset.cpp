#include "results/ind_preset.h"

#include "common/procedure_error.h"
#include "files/record_file.h"
#include "files/records.h"
#include "files/utf8_path.h"
#include "results/record_errors.h"

#include <cmath>
#include <string>

namespace zelkora {
namespace {

// The normal pointer comes back however IndPreset ends.
class HourglassScope {
public:
    explicit HourglassScope(UserInterface& ui) : ui_(ui) {
        ui_.setPointer(PointerShape::Hourglass);
    }
    ~HourglassScope() { ui_.setPointer(PointerShape::Default); }
    HourglassScope(const HourglassScope&) = delete;
    HourglassScope& operator=(const HourglassScope&) = delete;

private:
    UserInterface& ui_;
};

void loadBasicConditions(RecordFile& file, FieldStore& fields, std::string& text) {
    readRecordOrThrow(file, kBasicConditionRecord, text, RecordPresence::MayBeMissing);
    const BasicConditionRecord record = parseBasicConditionRecord(text);
    for (std::size_t column = 0; column < kBasicConditionColumns.size(); ++column) {
        fields.setText(kBasicConditionColumns[column], record.columns[column]);
    }
}

void loadTimeConditions(RecordFile& file, MainWindowModel& model, std::string& text) {
    readRecordOrThrow(file, kTimeConditionRecord, text, RecordPresence::MayBeMissing);
    Checked<TimeConditionRecord> record = parseTimeConditionRecord(text);
    if (!record.ok()) {
        throw ProcedureError(badNumberText(kTimeConditionRecord, *record.error));
    }
    model.program = std::move(record.value.program);
    FieldStore& fields = model.fields;
    const TimeConditionTexts& texts = record.value.texts;
    fields.setText(Field::条件_TS, serviceTimeRuleText(model.program.serviceTimeRule));
    fields.setText(Field::条件_回転時間, texts.spinSeconds);
    fields.setText(Field::条件_時間比率, texts.timeRatio);
    fields.setText(Field::条件_確変回転時間, texts.fastSpinSeconds);
    fields.setText(Field::条件_投資単位, texts.investmentUnit);
}

// The symbol count the tables can hold: a whole number from 1 to 99.
int symbolCount(const FieldStore& fields) {
    const double count = fields.number(Field::条件_絵柄数);
    if (count < 1 || count > kSymbolTableCapacity || count != std::trunc(count)) {
        throw ProcedureError("作業ファイルの絵柄数「" + fields.text(Field::条件_絵柄数) +
                             "」は 1 から 99 までの整数でなければなりません。");
    }
    return static_cast<int>(count);
}

void storeSymbol(MainWindowModel& model, int index, const SymbolRow& row, SymbolNumbers numbers) {
    SymbolTable& symbols = model.symbols;
    const auto slot = static_cast<std::size_t>(index);
    symbols.names[slot] = row.name;
    symbols.kinds[slot] = row.kind;
    symbols.shortTimeSpins[slot] = numbers.shortTimeSpins;
    symbols.rules[slot] = row.rule;
    symbols.payouts[slot] = numbers.payout;
    const std::string shortTimeText = std::to_string(numbers.shortTimeSpins);
    const std::string payoutText = std::to_string(numbers.payout);
    const std::array<std::string_view, 5> cells{row.name, row.kind, shortTimeText, row.rule,
                                                payoutText};
    model.grids.grid2.setRowCount(index + 2);
    model.grids.grid2.setRow(index + 1, cells);
}

// Symbol records from record 1 on, stopping after the count or after the first record that is
// not marked as a symbol record (that one is still kept, its numbers read as 0 when they are
// not numbers, since it never claimed to be a symbol).
void loadSymbols(RecordFile& file, MainWindowModel& model, std::string& text) {
    const int count = symbolCount(model.fields);
    model.symbols = SymbolTable{};
    bool marked = true;
    int index = 0;
    for (; index < count && marked; ++index) {
        const int record = index + 1;
        readRecordOrThrow(file, record, text, RecordPresence::MayBeMissing);
        const SymbolRecord symbol = parseSymbolRecord(text);
        marked = symbol.hasMarker;
        const Checked<SymbolNumbers> numbers = symbolNumbers(symbol.row);
        if (!numbers.ok() && marked) {
            throw ProcedureError(badNumberText(record, *numbers.error));
        }
        storeSymbol(model, index, symbol.row, numbers.value);
    }
    model.symbols.loaded = index;
}

void loadRunSummary(RecordFile& file, MainWindowModel& model, std::string& text) {
    readRecordOrThrow(file, kRunSummaryRecord, text, RecordPresence::MayBeMissing);
    const Checked<RunSummary> summary = parseRunSummaryRecord(text);
    if (!summary.ok()) {
        throw ProcedureError(badNumberText(kRunSummaryRecord, *summary.error));
    }
    model.window.resultRecordCounter = summary.value.resultCount;
}

} // namespace

void IndPreset(MainWindowModel& model, UserInterface& ui) {
    HourglassScope hourglass(ui);
    RecordFile file(kVerificationRecordLength);
    if (!file.open(model.workingCopyPath()).ok()) {
        throw ProcedureError(cannotOpenText(utf8FromPath(model.workingCopyPath())));
    }
    std::string text;
    loadBasicConditions(file, model.fields, text);
    loadTimeConditions(file, model, text);
    loadSymbols(file, model, text);
    loadRunSummary(file, model, text);
    file.close();
}

} // namespace zelkora
