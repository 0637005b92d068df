#include "files/condition_file_writer.h"

#include "files/record_layouts.h"

namespace zelkora {
namespace {

BasicConditionRecord basicRecord(const SampleDefinition& verification) {
    BasicConditionRecord record;
    for (std::size_t column = 0; column < kBasicConditionColumns.size(); ++column) {
        record.columns[column] = verification.condition(kBasicConditionColumns[column]);
    }
    return record;
}

TimeConditionRecord timeRecord(const SampleDefinition& verification) {
    TimeConditionRecord record;
    record.texts.spinSeconds = verification.condition(Field::条件_回転時間);
    record.texts.timeRatio = verification.condition(Field::条件_時間比率);
    record.texts.fastSpinSeconds = verification.condition(Field::条件_確変回転時間);
    record.texts.investmentUnit = verification.condition(Field::条件_投資単位);
    record.program = verification.program;
    return record;
}

} // namespace

Status writeConditionRecords(RecordFile& file, const SampleDefinition& verification) {
    return writeConditionRecords(
        file, {basicRecord(verification), timeRecord(verification), verification.symbols});
}

Status writeConditionRecords(RecordFile& file, const ConditionRecords& records) {
    Status result = file.writeEmpty(kRunSummaryRecord);
    if (result.ok()) {
        result = file.write(kBasicConditionRecord, buildBasicConditionRecord(records.basic));
    }
    if (result.ok()) {
        result = file.write(kTimeConditionRecord, buildTimeConditionRecord(records.time));
    }
    int record = 1;
    for (const SymbolRow& row : records.symbols) {
        if (result.ok()) {
            result = file.write(record++, buildSymbolRecord(row, SymbolRecordWriter::WizardFinish));
        }
    }
    for (; record <= kSymbolRecordSlots && result.ok(); ++record) {
        result = file.write(record, blankSymbolRecord());
    }
    return result;
}

Status writeConditionFile(const std::filesystem::path& path, const SampleDefinition& verification) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    RecordFile file(kVerificationRecordLength);
    Status result = file.open(path);
    if (result.ok()) {
        result = writeConditionRecords(file, verification);
    }
    Status closed = file.close();
    return result.ok() ? closed : result;
}

} // namespace zelkora
