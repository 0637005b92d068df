#pragma once

#include "files/file_system.h"
#include "files/fixed_length_file.h"
#include "files/record_encoder.h"
#include "files/run_working_copy.h"

#include <cstdint>
#include <filesystem>
#include <optional>
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

// The working copy as a file of 200-byte records. recreate() builds the new file beside the
// old one and puts it in its place only when complete (replaceFileSafely), so a Start that
// cannot write it leaves the old working copy whole. Result records are buffered; when one
// cannot be written, the records still buffered are dropped and the file keeps the records
// that reached it in full, which finish() then counts in record 99, written in place.
class FileWorkingCopy final : public RunWorkingCopy {
public:
    explicit FileWorkingCopy(std::filesystem::path path);
    FileWorkingCopy(std::filesystem::path path, FileSystem& files);

    Result<StoredConditions> readConditions() override;
    Status recreate(const StoredConditions& conditions) override;
    Status writeResult(std::int32_t recordNumber, const ResultColumns& columns) override;
    Status finish(std::int32_t resultCount, std::string_view heldBallRatio) override;
    std::int32_t resultsHeld(std::int32_t written) const override;
    void close() override;

    const std::filesystem::path& path() const { return path_; }

private:
    // After a failed write: how many of the `written` result records accepted before it the
    // file holds in full, kept for resultsHeld() and record 99.
    void keepRecordsOnFile(std::int32_t written);

    std::filesystem::path path_;
    LocalFileSystem localFiles_;
    FileSystem& files_;
    RecordFile file_{kVerificationRecordLength};
    std::string text_; // the record text being built, reused
    RecordEncoder encoder_;
    std::optional<std::int32_t> resultsOnFile_; // set once a write has failed
};

} // namespace zelkora
