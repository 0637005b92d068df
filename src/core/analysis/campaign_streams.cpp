#include "analysis/campaign_streams.h"

namespace zelkora {
namespace {

// SplitMix64's finaliser: a bijection of 64-bit values that scatters nearby inputs.
std::uint64_t splitMix64(std::uint64_t value) {
    value += 0x9E3779B97F4A7C15ULL;
    value = (value ^ (value >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    value = (value ^ (value >> 27U)) * 0x94D049BB133111EBULL;
    return value ^ (value >> 31U);
}

} // namespace

CampaignStream campaignStream(std::uint64_t seed, std::int64_t index) {
    const auto number = static_cast<std::uint64_t>(index);
    return {splitMix64(seed ^ splitMix64(number)), number};
}

} // namespace zelkora
