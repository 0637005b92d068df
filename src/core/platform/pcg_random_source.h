#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace zelkora {

// The program's generator: pcg32 seeded once at program start; each value is the top 24 bits
// of one 32-bit output scaled into [0, 1), so every value is exact in single precision.
class PcgRandomSource final : public RandomSource {
public:
    // pcg32's default stream, as the program plays.
    explicit PcgRandomSource(std::uint64_t seed);
    // One of pcg32's 2^63 streams, so independent runs can draw side by side.
    PcgRandomSource(std::uint64_t seed, std::uint64_t stream);
    // The values of one pcg32 generator stepped one at a time, made four at a time.
    void fill(std::span<float> values) override;

private:
    // pcg32's state and increment, taken from pcg-cpp's engine at construction; fill() steps
    // them itself.
    std::uint64_t state_ = 0;
    std::uint64_t increment_ = 0;
};

} // namespace zelkora
