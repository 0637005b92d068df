#include "platform/pcg_random_source.h"

#include <pcg_random.hpp>

namespace zelkora {

struct PcgRandomSource::Generator {
    explicit Generator(std::uint64_t seed) : engine(seed) {}
    Generator(std::uint64_t seed, std::uint64_t stream) : engine(seed, stream) {}
    pcg32 engine;
};

PcgRandomSource::PcgRandomSource(std::uint64_t seed)
    : generator_(std::make_unique<Generator>(seed)) {}

PcgRandomSource::PcgRandomSource(std::uint64_t seed, std::uint64_t stream)
    : generator_(std::make_unique<Generator>(seed, stream)) {}

PcgRandomSource::~PcgRandomSource() = default;

void PcgRandomSource::fill(std::span<float> values) {
    constexpr float kScale = 1.0F / 16777216.0F; // 2^-24
    for (float& value : values) {
        value = static_cast<float>(generator_->engine() >> 8) * kScale;
    }
}

} // namespace zelkora
