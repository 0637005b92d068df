#include "analysis/held_share.h"

#include "common/numbers.h"
#include "conditions/condition_set.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"

#include <system_error>

namespace zelkora {

std::optional<double> storedHeldShare(const std::filesystem::path& verificationFile) {
    // Opening would create a missing file; looking must leave no trace.
    std::error_code error;
    if (!std::filesystem::is_regular_file(verificationFile, error)) {
        return std::nullopt;
    }
    RecordFile file(kVerificationRecordLength);
    if (!file.open(verificationFile).ok()) {
        return std::nullopt;
    }
    const Result<RecordRead> record = file.read(kRunSummaryRecord);
    static_cast<void>(file.close());
    if (!record.ok()) {
        return std::nullopt;
    }
    const Result<RunSummary> summary = parseRunSummaryRecord(record->text);
    if (!summary.ok() || summary->resultCount <= 0) {
        return std::nullopt;
    }
    const double percent = readNumber(summary->holdingRatio);
    if (!(percent >= 0 && percent <= 100)) {
        return std::nullopt;
    }
    return percent / 100;
}

} // namespace zelkora
