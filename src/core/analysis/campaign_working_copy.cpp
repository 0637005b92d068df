#include "analysis/campaign_working_copy.h"

namespace zelkora {

Status CampaignWorkingCopy::recreate(const StoredConditions& conditions) {
    conditions_ = conditions;
    open_ = true;
    resultCount_ = 0;
    heldBallRatio_.clear();
    return {};
}

Status CampaignWorkingCopy::finish(std::int32_t resultCount, std::string_view heldBallRatio) {
    resultCount_ = resultCount;
    heldBallRatio_ = heldBallRatio;
    open_ = false;
    return {};
}

} // namespace zelkora
