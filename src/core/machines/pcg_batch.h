#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zelkora::machines {

// How the batches are computed; either way they hold one generator's values.
enum class PcgBatchLanes : std::uint8_t {
    Fastest,  // thirty-two lanes in AVX-512 registers where the processor has them
    Portable, // four interleaved lanes in plain 64-bit arithmetic
};

// The values of one pcg32 generator (pcg-cpp's, seeded with a seed and a stream), computed a
// batch at a time in interleaved lanes: each lane jumps as many steps as there are lanes, so the
// multiplications do not wait on each other as a single generator's steps do. A draw is then a
// load, and a hot loop can draw from the pending values held in locals and say how many it took.
class Pcg32Batch {
public:
    static constexpr std::size_t kBatch = 256;

    Pcg32Batch(std::uint64_t seed, std::uint64_t stream,
               PcgBatchLanes lanes = PcgBatchLanes::Fastest);

    std::uint32_t operator()() {
        if (position_ == kBatch) {
            refill();
        }
        return values_[position_++];
    }

    // The values not drawn yet, at least `least` of them (at most kBatch).
    std::span<const std::uint32_t> pending(std::size_t least) {
        if (kBatch - position_ < least) {
            refill();
        }
        return std::span<const std::uint32_t>(values_).subspan(position_);
    }
    void take(std::size_t count) {
        assert(count <= kBatch - position_);
        position_ += count;
    }

private:
    // Keeps the values not drawn yet, in front, and computes the rest of the batch after them.
    void refill();

    std::array<std::uint32_t, kBatch> values_{};
    std::size_t position_ = kBatch;
    std::uint64_t state_ = 0;
    std::uint64_t increment_ = 0;
    bool portable_ = false;
};

} // namespace zelkora::machines
