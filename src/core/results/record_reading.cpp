#include "results/record_reading.h"

namespace zelkora {

Status readRecord(RecordFile& file, int record, std::string& text, RecordPresence presence) {
    Result<RecordReadOutcome> outcome = file.readInto(record, text);
    if (!outcome.ok()) {
        return std::move(outcome).error();
    }
    switch (outcome->status) {
    case RecordReadStatus::Ok:
        return {};
    case RecordReadStatus::BeyondEnd:
        if (presence == RecordPresence::MayBeMissing) {
            return {};
        }
        return Error{ErrorKind::RecordMissing}.inFile(file.path()).inRecord(record);
    case RecordReadStatus::Damaged:
        break;
    }
    return Error{ErrorKind::RecordDamaged}.inFile(file.path()).inRecord(record);
}

} // namespace zelkora
