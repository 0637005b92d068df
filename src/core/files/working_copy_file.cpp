#include "files/working_copy_file.h"

#include "common/error.h"
#include "common/numbers.h"

namespace zelkora {
namespace {

// A record the reader needs: missing or damaged is as bad as unreadable.
Result<std::string> readText(RecordFile& file, int recordNumber) {
    Result<RecordRead> read = file.read(recordNumber);
    if (!read.ok()) {
        return std::move(read).error();
    }
    if (read->outcome.status == RecordReadStatus::Damaged) {
        return Error{ErrorKind::RecordDamaged}.inFile(file.path()).inRecord(recordNumber);
    }
    return std::move(read->text);
}

Error columnErrorIn(Error error, const RecordFile& file, int recordNumber) {
    return std::move(error).inFile(file.path()).inRecord(recordNumber);
}

Result<StoredSymbol> readSymbol(RecordFile& file, int recordNumber, bool& hasMarker) {
    Result<std::string> text = readText(file, recordNumber);
    if (!text.ok()) {
        return std::move(text).error();
    }
    const SymbolRecord record = parseSymbolRecord(text.value());
    hasMarker = record.hasMarker;
    Result<SymbolNumbers> numbers = symbolNumbers(record.row);
    if (!numbers.ok()) {
        // The record that ends the table is taken in as it is; only a symbol must hold numbers.
        if (hasMarker) {
            return columnErrorIn(std::move(numbers).error(), file, recordNumber);
        }
        numbers = SymbolNumbers{};
    }
    return StoredSymbol{record.row.kind, numbers->shortTimeSpins, record.row.rule, numbers->payout,
                        record.row.name};
}

} // namespace

Result<StoredConditions> readStoredConditions(RecordFile& file) {
    StoredConditions stored;
    Result<std::string> basic = readText(file, kBasicConditionRecord);
    if (!basic.ok()) {
        return std::move(basic).error();
    }
    stored.basic = parseBasicConditionRecord(basic.value()).columns;
    Result<std::string> timeText = readText(file, kTimeConditionRecord);
    if (!timeText.ok()) {
        return std::move(timeText).error();
    }
    Result<TimeConditionRecord> time = parseTimeConditionRecord(timeText.value());
    if (!time.ok()) {
        return columnErrorIn(std::move(time).error(), file, kTimeConditionRecord);
    }
    stored.spinSeconds = time->texts.spinSeconds;
    stored.timeRatio = time->texts.timeRatio;
    stored.shortSpinSeconds = time->texts.fastSpinSeconds;
    stored.investmentUnit = time->texts.investmentUnit;
    stored.serviceTimeRule = time->program.serviceTimeRule;
    stored.ruleOptionDigits = time->program.ruleOptionDigits;
    stored.playSchedule = time->program.playSchedule;
    const double symbolCount = readNumber(stored.basic[basicColumnIndex(Field::条件_絵柄数)]);
    bool hasMarker = true;
    for (int k = 0; hasMarker && k != symbolCount && k < kSymbolTableCapacity; ++k) {
        Result<StoredSymbol> symbol = readSymbol(file, k + 1, hasMarker);
        if (!symbol.ok()) {
            return std::move(symbol).error();
        }
        stored.symbols.push_back(std::move(symbol).value());
    }
    return stored;
}

Result<bool> holdsConditions(RecordFile& file) {
    for (const int record : {kBasicConditionRecord, kTimeConditionRecord}) {
        Result<std::string> text = readText(file, record);
        if (!text.ok()) {
            return std::move(text).error();
        }
        if (text->empty()) {
            return false;
        }
    }
    return true;
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

Result<StoredConditions> FileWorkingCopy::readConditions() {
    RecordFile file(kVerificationRecordLength);
    if (Status opened = file.open(path_); !opened.ok()) {
        return std::move(opened).error();
    }
    Result<StoredConditions> stored = readStoredConditions(file);
    static_cast<void>(file.close()); // only read: nothing to lose
    return stored;
}

Status FileWorkingCopy::recreate(const StoredConditions& conditions) {
    static_cast<void>(file_.close());
    std::error_code removeError;
    std::filesystem::remove(path_, removeError);
    if (removeError) {
        return Error{ErrorKind::CannotRemove}.inFile(path_).because(removeError);
    }
    if (Status opened = file_.open(path_); !opened.ok()) {
        return opened;
    }
    return writeConditionRecords(conditions);
}

Status FileWorkingCopy::writeConditionRecords(const StoredConditions& conditions) {
    if (Status cleared = file_.writeEmpty(kRunSummaryRecord); !cleared.ok()) {
        return cleared;
    }
    int recordNumber = 1;
    for (const StoredSymbol& symbol : conditions.symbols) {
        const std::string text =
            buildSymbolRecord(symbolRowOf(symbol), SymbolRecordWriter::RunStart);
        if (Status written = file_.write(recordNumber++, text); !written.ok()) {
            return written;
        }
    }
    if (Status written =
            file_.write(kBasicConditionRecord, buildBasicConditionRecord({conditions.basic}));
        !written.ok()) {
        return written;
    }
    return file_.write(kTimeConditionRecord,
                       buildTimeConditionRecord(timeConditionRecordOf(conditions)));
}

Status FileWorkingCopy::writeResult(std::int32_t recordNumber, const ResultColumns& columns) {
    if (const std::optional<std::string_view> bytes = encoder_.encode(columns)) {
        return file_.writeEncoded(recordNumber, *bytes);
    }
    buildRecordTextInto(text_, columns);
    Status written = file_.write(recordNumber, text_);
    if (written.ok()) {
        encoder_.learn(columns);
    }
    return written;
}

Status FileWorkingCopy::finish(std::int32_t resultCount, std::string_view heldBallRatio) {
    Status written = file_.write(kRunSummaryRecord,
                                 buildRunSummaryRecord({resultCount, std::string(heldBallRatio)}));
    Status closed = file_.close();
    return written.ok() ? closed : written;
}

void FileWorkingCopy::close() {
    static_cast<void>(file_.close()); // a run that could not start: what it wrote is not wanted
}

} // namespace zelkora
