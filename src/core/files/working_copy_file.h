#pragma once

#include "files/fixed_length_file.h"
#include "files/record_encoder.h"
#include "files/run_working_copy.h"

#include <filesystem>
#include <string>

namespace zelkora {

// Reads the conditions and symbol records of a verification file as IndPreset does: record
// 100, record 98, then symbol records from 1 until 条件_絵柄数 are read or a record without
// "絵柄" has been taken in. Fails at a record that cannot be read or is damaged, and at a
// number column that holds no number, naming the file and the record.
Result<StoredConditions> readStoredConditions(RecordFile& file);
// Whether records 100 and 98 hold anything: a file without them holds no verification.
Result<bool> holdsConditions(RecordFile& file);

// The symbol row a run or the wizard writes for a stored symbol.
SymbolRow symbolRowOf(const StoredSymbol& symbol);
TimeConditionRecord timeConditionRecordOf(const StoredConditions& conditions);

// The working copy as a file of 200-byte records.
class FileWorkingCopy final : public RunWorkingCopy {
public:
    explicit FileWorkingCopy(std::filesystem::path path);

    Result<StoredConditions> readConditions() override;
    Status recreate(const StoredConditions& conditions) override;
    Status writeResult(std::int32_t recordNumber, const ResultColumns& columns) override;
    Status finish(std::int32_t resultCount, std::string_view heldBallRatio) override;
    void close() override;

    const std::filesystem::path& path() const { return path_; }

private:
    Status writeConditionRecords(const StoredConditions& conditions);

    std::filesystem::path path_;
    RecordFile file_{kVerificationRecordLength};
    std::string text_; // the record text being built, reused
    RecordEncoder encoder_;
};

} // namespace zelkora
