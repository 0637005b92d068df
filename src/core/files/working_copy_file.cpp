#include "files/working_copy_file.h"

#include "common/numbers.h"
#include "common/procedure_error.h"

namespace zelkora {
namespace {

constexpr std::string_view kCannotWrite = "作業ファイルに書き込めませんでした。";
constexpr std::string_view kCannotRead = "検証ファイルを読めませんでした。";

[[noreturn]] void fail(std::string_view what, const std::string& detail) {
    throw ProcedureError(std::string(what) + "\n" + detail);
}

std::string readText(RecordFile& file, int recordNumber) {
    RecordRead read = file.read(recordNumber);
    const RecordReadStatus status = read.outcome.status;
    if (status == RecordReadStatus::Failed) {
        fail(kCannotRead, read.outcome.message);
    }
    if (status == RecordReadStatus::Damaged) {
        fail(kCannotRead, "record " + std::to_string(recordNumber) + " is damaged");
    }
    return std::move(read.text);
}

StoredSymbol readSymbol(RecordFile& file, int recordNumber, bool& hasMarker) {
    const SymbolRecord record = parseSymbolRecord(readText(file, recordNumber));
    hasMarker = record.hasMarker;
    const Checked<SymbolNumbers> numbers = symbolNumbers(record.row);
    // The record that ends the table is taken in as it is; only a symbol must hold numbers.
    if (!numbers.ok() && hasMarker) {
        fail(kCannotRead,
             "record " + std::to_string(recordNumber) + ": " + numbers.error->describe());
    }
    return {record.row.kind, numbers.value.shortTimeSpins, record.row.rule, numbers.value.payout,
            record.row.name};
}

} // namespace

StoredConditions readStoredConditions(RecordFile& file) {
    StoredConditions stored;
    stored.basic = parseBasicConditionRecord(readText(file, kBasicConditionRecord)).columns;
    const Checked<TimeConditionRecord> time =
        parseTimeConditionRecord(readText(file, kTimeConditionRecord));
    if (!time.ok()) {
        fail(kCannotRead, "record 98: " + time.error->describe());
    }
    stored.spinSeconds = time.value.texts.spinSeconds;
    stored.timeRatio = time.value.texts.timeRatio;
    stored.shortSpinSeconds = time.value.texts.fastSpinSeconds;
    stored.investmentUnit = time.value.texts.investmentUnit;
    stored.serviceTimeRule = time.value.program.serviceTimeRule;
    stored.ruleOptionDigits = time.value.program.ruleOptionDigits;
    stored.playSchedule = time.value.program.playSchedule;
    const double symbolCount = readNumber(stored.basic[basicColumnIndex(Field::条件_絵柄数)]);
    bool hasMarker = true;
    for (int k = 0; hasMarker && k != symbolCount && k < kSymbolTableCapacity; ++k) {
        stored.symbols.push_back(readSymbol(file, k + 1, hasMarker));
    }
    return stored;
}

bool holdsConditions(RecordFile& file) {
    return !readText(file, kBasicConditionRecord).empty() &&
           !readText(file, kTimeConditionRecord).empty();
}

SymbolRow symbolRowOf(const StoredSymbol& symbol) {
    return {symbol.name, symbol.kind, plainText(symbol.shortTimeSpins), symbol.rule,
            plainText(symbol.payout)};
}

TimeConditionRecord timeConditionRecordOf(const StoredConditions& conditions) {
    TimeConditionRecord record;
    record.texts = {conditions.spinSeconds, conditions.timeRatio, conditions.shortSpinSeconds,
                    conditions.investmentUnit};
    record.program = {conditions.playSchedule, conditions.serviceTimeRule,
                      conditions.ruleOptionDigits};
    return record;
}

FileWorkingCopy::FileWorkingCopy(std::filesystem::path path) : path_(std::move(path)) {}

StoredConditions FileWorkingCopy::readConditions() {
    RecordFile file(kVerificationRecordLength);
    const RecordFileResult opened = file.open(path_);
    if (!opened.ok()) {
        fail(kCannotRead, opened.message);
    }
    StoredConditions stored = readStoredConditions(file);
    file.close();
    return stored;
}

void FileWorkingCopy::recreate(const StoredConditions& conditions) {
    file_.close();
    std::error_code removeError;
    std::filesystem::remove(path_, removeError);
    if (removeError) {
        fail(kCannotWrite, removeError.message());
    }
    check(file_.open(path_));
    check(file_.writeEmpty(kRunSummaryRecord));
    int recordNumber = 1;
    for (const StoredSymbol& symbol : conditions.symbols) {
        check(file_.write(recordNumber++,
                          buildSymbolRecord(symbolRowOf(symbol), SymbolRecordWriter::RunStart)));
    }
    check(file_.write(kBasicConditionRecord, buildBasicConditionRecord({conditions.basic})));
    check(file_.write(kTimeConditionRecord,
                      buildTimeConditionRecord(timeConditionRecordOf(conditions))));
}

void FileWorkingCopy::writeResult(std::int32_t recordNumber, const ResultColumns& columns) {
    text_.clear();
    for (std::size_t column = 0; column < columns.size(); ++column) {
        appendColumn(text_, columns[column], kColumnWidths[column]);
    }
    check(file_.write(recordNumber, text_));
}

void FileWorkingCopy::finish(std::int32_t resultCount, std::string_view heldBallRatio) {
    const RecordFileResult written = file_.write(
        kRunSummaryRecord, buildRunSummaryRecord({resultCount, std::string(heldBallRatio)}));
    const RecordFileResult closed = file_.close();
    check(written);
    check(closed);
}

void FileWorkingCopy::close() {
    file_.close();
}

void FileWorkingCopy::check(const RecordFileResult& result) const {
    if (!result.ok()) {
        fail(kCannotWrite, result.message);
    }
}

} // namespace zelkora
