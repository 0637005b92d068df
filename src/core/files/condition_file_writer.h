#pragma once

#include "files/fixed_length_file.h"
#include "files/sample_definitions.h"

#include <filesystem>

namespace zelkora {

// Writes a verification's conditions into a record file in the order the wizard's Finish does:
// record 99 cleared, record 100, record 98, the symbol records 1 … n and the blank symbol records
// n+1 … 50. The sample generator and the tests make working copies with it.
Status writeConditionRecords(RecordFile& file, const SampleDefinition& verification);

// A new file at `path` holding only those records.
Status writeConditionFile(const std::filesystem::path& path, const SampleDefinition& verification);

} // namespace zelkora
