#include "files/working_copy_file.h"

#include "common/error.h"
#include "common/numbers.h"

#include <algorithm>

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

// Record 99 cleared, the symbol records 1 … n (column 6 "0"), record 100 and record 98.
Status writeRunStartRecords(RecordFile& file, const StoredConditions& conditions) {
    if (Status cleared = file.writeEmpty(kRunSummaryRecord); !cleared.ok()) {
        return cleared;
    }
    int recordNumber = 1;
    for (const StoredSymbol& symbol : conditions.symbols) {
        const std::string text =
            buildSymbolRecord(symbolRowOf(symbol), SymbolRecordWriter::RunStart);
        if (Status written = file.write(recordNumber++, text); !written.ok()) {
            return written;
        }
    }
    if (Status written =
            file.write(kBasicConditionRecord, buildBasicConditionRecord({conditions.basic}));
        !written.ok()) {
        return written;
    }
    return file.write(kTimeConditionRecord,
                      buildTimeConditionRecord(timeConditionRecordOf(conditions)));
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

FileWorkingCopy::FileWorkingCopy(std::filesystem::path path)
    : path_(std::move(path)), files_(localFiles_) {}

FileWorkingCopy::FileWorkingCopy(std::filesystem::path path, FileSystem& files)
    : path_(std::move(path)), files_(files) {}

Result<StoredConditions> FileWorkingCopy::readConditions() {
    // Opening would create a missing file; reading must leave no trace.
    std::error_code error;
    if (!std::filesystem::exists(path_, error)) {
        return Error{ErrorKind::FileMissing}.inFile(path_).because(error);
    }
    RecordFile file(kVerificationRecordLength);
    if (Status opened = file.open(path_); !opened.ok()) {
        return std::move(opened).error();
    }
    Result<StoredConditions> stored = Error{ErrorKind::NoConditions}.inFile(path_);
    if (Result<bool> holds = holdsConditions(file); !holds.ok()) {
        stored = std::move(holds).error();
    } else if (holds.value()) {
        stored = readStoredConditions(file);
    }
    static_cast<void>(file.close()); // only read: nothing to lose
    return stored;
}

Status FileWorkingCopy::recreate(const StoredConditions& conditions) {
    static_cast<void>(file_.close());
    resultsOnFile_.reset();
    Status written = replaceFileSafely(files_, path_, [&](const std::filesystem::path& temporary) {
        RecordFile file(kVerificationRecordLength);
        Status result = file.open(temporary);
        if (result.ok()) {
            result = writeRunStartRecords(file, conditions);
        }
        Status closed = file.close();
        return result.ok() ? closed : result;
    });
    if (!written.ok()) {
        // The temporary file is no name the user knows.
        if (written.error().path == temporaryCopyPath(path_)) {
            written.error().path = path_;
        }
        return written;
    }
    return file_.open(path_);
}

Status FileWorkingCopy::writeResult(std::int32_t recordNumber, const ResultColumns& columns) {
    Status written;
    if (const std::optional<std::string_view> bytes = encoder_.encode(columns)) {
        written = file_.writeEncoded(recordNumber, *bytes);
    } else {
        buildRecordTextInto(text_, columns);
        written = file_.write(recordNumber, text_);
        if (written.ok()) {
            encoder_.learn(columns);
        }
    }
    if (!written.ok()) {
        keepRecordsOnFile(recordNumber - kFirstResultRecord);
    }
    return written;
}

void FileWorkingCopy::keepRecordsOnFile(std::int32_t written) {
    if (resultsOnFile_) {
        return;
    }
    // The records written before the failure may still wait in the buffer; they count if they
    // can reach the file now. Otherwise the file holds those that reached it in full.
    if (file_.flush().ok()) {
        resultsOnFile_ = written;
        return;
    }
    static_cast<void>(file_.discardUnwritten());
    const std::uint64_t whole = file_.wholeRecordCount();
    const std::uint64_t held = whole > kBasicConditionRecord ? whole - kBasicConditionRecord : 0;
    resultsOnFile_ = static_cast<std::int32_t>(
        std::min<std::uint64_t>(held, static_cast<std::uint64_t>(std::max(written, 0))));
}

std::int32_t FileWorkingCopy::resultsHeld(std::int32_t written) const {
    return resultsOnFile_ ? std::min(written, *resultsOnFile_) : written;
}

Status FileWorkingCopy::finish(std::int32_t resultCount, std::string_view heldBallRatio) {
    // The last records may still be buffered; record 99 must not count them unless they are in
    // the file.
    Status flushed = file_.flush();
    if (!flushed.ok()) {
        keepRecordsOnFile(resultCount);
    }
    const std::int32_t held = resultsHeld(resultCount);
    Status written =
        file_.write(kRunSummaryRecord, buildRunSummaryRecord({held, std::string(heldBallRatio)}));
    Status closed = file_.close();
    if (!flushed.ok()) {
        return flushed;
    }
    return written.ok() ? closed : written;
}

void FileWorkingCopy::close() {
    static_cast<void>(file_.close()); // a run that could not start: what it wrote is not wanted
}

} // namespace zelkora
