#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <memory>

namespace zelkora {

// The program's generator: pcg32 seeded once at program start; each value is the top 24 bits
// of one 32-bit output scaled into [0, 1), so every value is exact in single precision.
class PcgRandomSource final : public RandomSource {
public:
    // pcg32's default stream, as the program plays.
    explicit PcgRandomSource(std::uint64_t seed);
    // One of pcg32's 2^63 streams, so independent runs can draw side by side.
    PcgRandomSource(std::uint64_t seed, std::uint64_t stream);
    ~PcgRandomSource() override;
    void fill(std::span<float> values) override;

private:
    struct Generator;
    std::unique_ptr<Generator> generator_;
};

} // namespace zelkora
