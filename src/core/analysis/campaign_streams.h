#pragma once

#include <cstdint>

namespace zelkora {

// The generator of one campaign of an analysis: a pcg32 state seed and a stream of its own,
// both derived from the analysis seed and the campaign's number alone, so a campaign draws the
// same values whichever thread plays it and whatever the thread count.
struct CampaignStream {
    std::uint64_t seed = 0;
    std::uint64_t stream = 0;
};

// Campaign `index` (0-based) of the analysis seeded with `seed`. The stream is the index; the
// state seed is the analysis seed mixed with the index (SplitMix64), because pcg32 streams
// that share a state seed are known to be correlated.
CampaignStream campaignStream(std::uint64_t seed, std::int64_t index);

} // namespace zelkora
