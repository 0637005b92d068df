#pragma once

#include "common/error.h"
#include "files/verification_conditions.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace zelkora {

// The eleven columns of a result record, in record order (the big-hit detail strip).
using ResultColumns = std::array<std::string_view, 11>;

// The working copy as a run uses it. The file behind it is opened by recreate() and stays open
// until finish() or close(); nothing else opens it meanwhile.
class RunWorkingCopy {
public:
    virtual ~RunWorkingCopy() = default;

    // The conditions and symbol records it holds, read as IndPreset reads them.
    virtual Result<StoredConditions> readConditions() = 0;
    // Deletes the working copy, opens it anew, clears record 99 and writes the symbol records
    // 1 … n (column 6 "0"), record 100 and record 98.
    virtual Status recreate(const StoredConditions& conditions) = 0;
    virtual Status writeResult(std::int32_t recordNumber, const ResultColumns& columns) = 0;
    // Writes record 99 (the result-record count and the held-ball ratio text) and closes. After
    // a failed write it counts only the records the working copy holds (resultsHeld).
    virtual Status finish(std::int32_t resultCount, std::string_view heldBallRatio) = 0;
    // How many of the first `written` result records the working copy holds in full. Fewer only
    // after writeResult or finish failed on a copy that buffers its writes, as the records
    // still buffered may have been lost with the one that failed; a copy that writes each
    // record at once holds every one it accepted.
    virtual std::int32_t resultsHeld(std::int32_t written) const { return written; }
    // Closes without a run summary (a run that could not start).
    virtual void close() = 0;
};

} // namespace zelkora
