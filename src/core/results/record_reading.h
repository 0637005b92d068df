#pragma once

#include "common/error.h"
#include "files/fixed_length_file.h"

#include <cstdint>
#include <string>

namespace zelkora {

// Reads record `record` of the working copy into `text`. Fails with RecordDamaged for a garbled
// record and with RecordMissing for one past the end of the file when it is `Required` (a
// record that may be missing reads as the empty text), naming the file and the record.
enum class RecordPresence : std::uint8_t { MayBeMissing, Required };
Status readRecord(RecordFile& file, int record, std::string& text, RecordPresence presence);

} // namespace zelkora
