#include "results/record_errors.h"

#include "common/procedure_error.h"

namespace zelkora {

std::string cannotOpenText(const std::string& file) {
    return "作業ファイル " + file + " を開けません。";
}

std::string damagedRecordText(int record, const RecordReadOutcome& outcome) {
    const std::string where = "作業ファイルの記録 " + std::to_string(record);
    switch (outcome.status) {
    case RecordReadStatus::BeyondEnd:
        return where + " がありません。ファイルが途中で切れています。";
    case RecordReadStatus::Failed:
        return where + " を読めません。";
    case RecordReadStatus::Damaged:
    case RecordReadStatus::Ok:
        break;
    }
    return where + " が壊れています。";
}

std::string badNumberText(int record, const ColumnError& error) {
    const std::string where = "作業ファイルの記録 " + std::to_string(record) + " の " +
                              std::to_string(error.column) + " 列目「" + error.text + "」";
    return error.problem == ColumnProblem::OutOfRange ? where + " は扱える範囲を超えた数値です。"
                                                      : where + " は数値ではありません。";
}

void readRecordOrThrow(RecordFile& file, int record, std::string& text, RecordPresence presence) {
    const RecordReadOutcome outcome = file.readInto(record, text);
    const bool missing = outcome.status == RecordReadStatus::BeyondEnd;
    if (outcome.status == RecordReadStatus::Ok ||
        (missing && presence == RecordPresence::MayBeMissing)) {
        return;
    }
    throw ProcedureError(damagedRecordText(record, outcome));
}

} // namespace zelkora
