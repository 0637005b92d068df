#pragma once

#include "files/run_working_copy.h"

#include <cstdint>
#include <string>

namespace zelkora {

// Sees each result record a run writes, in order.
class ResultRecordObserver {
public:
    virtual ~ResultRecordObserver() = default;
    virtual void resultRecord(std::int32_t recordNumber, const ResultColumns& columns) = 0;
};

// A working copy that lives in memory and keeps no result records: a campaign of an analysis
// plays on it, so thousands of campaigns touch no disk. It holds the conditions a run reads at
// Start and rewrites at recreate(), as the file would, and shows each result record to an
// observer instead of storing it.
class CampaignWorkingCopy final : public RunWorkingCopy {
public:
    CampaignWorkingCopy(StoredConditions conditions, ResultRecordObserver& observer)
        : conditions_(std::move(conditions)), observer_(observer) {}

    Result<StoredConditions> readConditions() override { return conditions_; }
    Status recreate(const StoredConditions& conditions) override;
    Status writeResult(std::int32_t recordNumber, const ResultColumns& columns) override {
        observer_.resultRecord(recordNumber, columns);
        return {};
    }
    Status finish(std::int32_t resultCount, std::string_view heldBallRatio) override;
    void close() override { open_ = false; }

    bool open() const { return open_; }
    std::int32_t resultCount() const { return resultCount_; }
    const std::string& heldBallRatio() const { return heldBallRatio_; }

private:
    StoredConditions conditions_;
    ResultRecordObserver& observer_;
    bool open_ = false;
    std::int32_t resultCount_ = 0;
    std::string heldBallRatio_;
};

} // namespace zelkora
