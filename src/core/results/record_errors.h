#pragma once

#include "files/column_number.h"
#include "files/fixed_length_file.h"

#include <string>

namespace zelkora {

// Texts for the user about a working copy that cannot be read as a verification.
std::string cannotOpenText(const std::string& file);
// Record `record` is garbled (length past the record, bytes that are not code page 932) or,
// where the reader needs it, missing from the file.
std::string damagedRecordText(int record, const RecordReadOutcome& outcome);
// A number column of record `record` holds no number, or one its field cannot hold.
std::string badNumberText(int record, const ColumnError& error);

// Reads record `record` into `text`; throws ProcedureError when it cannot be read or is
// garbled. A record past the end of the file reads as the empty text unless `required`.
enum class RecordPresence : std::uint8_t { MayBeMissing, Required };
void readRecordOrThrow(RecordFile& file, int record, std::string& text, RecordPresence presence);

} // namespace zelkora
