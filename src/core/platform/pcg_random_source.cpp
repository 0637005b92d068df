#include "platform/pcg_random_source.h"

#include <array>
#include <pcg_random.hpp>

namespace zelkora {
namespace {

// pcg-cpp's engine, opened up for its state, increment and multiplier: seeding stays
// pcg-cpp's own.
class SeededPcg32 : public pcg32 {
public:
    using pcg32::pcg32;
    std::uint64_t state() const { return state_; }
    std::uint64_t stepIncrement() const { return increment(); }
    static constexpr std::uint64_t stepMultiplier() { return multiplier(); }
};

constexpr std::uint64_t kMultiplier = SeededPcg32::stepMultiplier();

// pcg32's output (XSH RR) for a state before its step.
inline std::uint32_t output(std::uint64_t state) {
    const auto rotation = static_cast<unsigned>(state >> 59U);
    const auto shifted = static_cast<std::uint32_t>(((state >> 18U) ^ state) >> 27U);
    return (shifted >> rotation) | (shifted << ((32U - rotation) & 31U));
}

// The top 24 bits of an output scaled into [0, 1): exact in single precision.
inline float unitValue(std::uint64_t state) {
    constexpr float kScale = 1.0F / 16777216.0F; // 2^-24
    return static_cast<float>(output(state) >> 8U) * kScale;
}

} // namespace

PcgRandomSource::PcgRandomSource(std::uint64_t seed) {
    const SeededPcg32 engine(seed);
    state_ = engine.state();
    increment_ = engine.stepIncrement();
}

PcgRandomSource::PcgRandomSource(std::uint64_t seed, std::uint64_t stream) {
    const SeededPcg32 engine(seed, stream);
    state_ = engine.state();
    increment_ = engine.stepIncrement();
}

// Four interleaved lanes: lane j holds the state of value i + j and jumps four steps at a time
// (state × a^4 + c × (a^3 + a^2 + a + 1)), so the four multiplications do not wait on each
// other as the steps of a single generator do.
void PcgRandomSource::fill(std::span<float> values) {
    constexpr std::size_t kLanes = 4;
    const std::uint64_t a = kMultiplier;
    const std::uint64_t c = increment_;
    std::uint64_t state = state_;
    std::size_t index = 0;
    if (values.size() >= kLanes) {
        const std::uint64_t jumpMultiplier = a * a * a * a;
        const std::uint64_t jumpIncrement = c * (a * a * a + a * a + a + 1);
        std::array<std::uint64_t, kLanes> lanes{state, 0, 0, 0};
        for (std::size_t lane = 1; lane < kLanes; ++lane) {
            lanes[lane] = lanes[lane - 1] * a + c;
        }
        for (; index + kLanes <= values.size(); index += kLanes) {
            for (std::size_t lane = 0; lane < kLanes; ++lane) {
                values[index + lane] = unitValue(lanes[lane]);
                lanes[lane] = lanes[lane] * jumpMultiplier + jumpIncrement;
            }
        }
        state = lanes[0];
    }
    for (; index < values.size(); ++index) {
        values[index] = unitValue(state);
        state = state * a + c;
    }
    state_ = state;
}

} // namespace zelkora
