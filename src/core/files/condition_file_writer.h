#pragma once

#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "files/sample_definitions.h"

#include <filesystem>
#include <vector>

namespace zelkora {

// The condition records of a verification: record 100, record 98 and the symbols 1 … n.
struct ConditionRecords {
    BasicConditionRecord basic;
    TimeConditionRecord time;
    std::vector<SymbolRow> symbols;
};

// Writes the condition records into a record file in the order the wizard's Finish does:
// record 99 cleared, record 100, record 98, the symbol records 1 … n and the blank symbol records
// n+1 … 50. Finish, the sample generator and the tests make working copies with it.
Status writeConditionRecords(RecordFile& file, const ConditionRecords& records);
Status writeConditionRecords(RecordFile& file, const SampleDefinition& verification);

// A new file at `path` holding only those records.
Status writeConditionFile(const std::filesystem::path& path, const SampleDefinition& verification);

} // namespace zelkora
