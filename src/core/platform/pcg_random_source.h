#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace zelkora {

// How fill() computes pcg32's values; every way gives the values of one generator stepped one
// at a time.
enum class PcgLanes : std::uint8_t {
    Portable, // four interleaved lanes in plain 64-bit arithmetic
    Avx512,   // thirty-two lanes in AVX-512 registers, where the processor has them
};

// The program's generator: pcg32 seeded once at program start; each value is the top 24 bits
// of one 32-bit output scaled into [0, 1), so every value is exact in single precision.
class PcgRandomSource final : public RandomSource {
public:
    // pcg32's default stream, as the program plays.
    explicit PcgRandomSource(std::uint64_t seed);
    // One of pcg32's 2^63 streams, so independent runs can draw side by side.
    PcgRandomSource(std::uint64_t seed, std::uint64_t stream);
    void fill(std::span<float> values) override;

    // The fastest lanes this processor runs, which fill() uses unless told otherwise.
    static PcgLanes fastestLanes();
    static bool lanesAvailable(PcgLanes lanes);
    void useLanes(PcgLanes lanes);

private:
    // pcg32's state and increment, taken from pcg-cpp's engine at construction; fill() steps
    // them itself, several values at a time.
    std::uint64_t state_ = 0;
    std::uint64_t increment_ = 0;
    PcgLanes lanes_ = fastestLanes();
};

} // namespace zelkora
