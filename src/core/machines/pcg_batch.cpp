#include "machines/pcg_batch.h"

#include <pcg_random.hpp>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define ZELKORA_MACHINES_AVX512 1
#endif

namespace zelkora::machines {
namespace {

// pcg-cpp's engine, opened up for its state, increment and multiplier: seeding stays its own.
class SeededPcg32 : public pcg32 {
public:
    using pcg32::pcg32;
    std::uint64_t state() const { return state_; }
    std::uint64_t stepIncrement() const { return increment(); }
    static constexpr std::uint64_t stepMultiplier() { return multiplier(); }
};

constexpr std::uint64_t kMultiplier = SeededPcg32::stepMultiplier();

// pcg32's output (XSH RR), which it computes from the state before the step.
inline std::uint32_t output(std::uint64_t state) {
    const auto rotation = static_cast<unsigned>(state >> 59U);
    const auto shifted = static_cast<std::uint32_t>(((state >> 18U) ^ state) >> 27U);
    return (shifted >> rotation) | (shifted << ((32U - rotation) & 31U));
}

// `steps` single steps as one: state × m^steps + c·(m^(steps−1) + … + 1).
struct Jump {
    std::uint64_t multiplier = 1;
    std::uint64_t increment = 0;
};

Jump jumpOf(std::size_t steps, std::uint64_t increment) {
    Jump jump;
    for (std::size_t step = 0; step < steps; ++step) {
        jump.multiplier *= kMultiplier;
        jump.increment = jump.increment * kMultiplier + increment;
    }
    return jump;
}

// Lane j holds the state of value i + j and jumps as many steps as there are lanes.
template <std::size_t Lanes>
std::array<std::uint64_t, Lanes> laneStates(std::uint64_t state, std::uint64_t increment) {
    std::array<std::uint64_t, Lanes> states{};
    states[0] = state;
    for (std::size_t lane = 1; lane < Lanes; ++lane) {
        states[lane] = states[lane - 1] * kMultiplier + increment;
    }
    return states;
}

std::uint64_t fillOneByOne(std::uint64_t state, std::uint64_t increment, std::uint32_t* out,
                           std::size_t count) {
    for (std::size_t index = 0; index < count; ++index) {
        out[index] = output(state);
        state = state * kMultiplier + increment;
    }
    return state;
}

std::uint64_t fillPortable(std::uint64_t state, std::uint64_t increment, std::uint32_t* out,
                           std::size_t count) {
    constexpr std::size_t kLanes = 4;
    std::size_t index = 0;
    if (count >= kLanes) {
        const Jump jump = jumpOf(kLanes, increment);
        auto lanes = laneStates<kLanes>(state, increment);
        for (; index + kLanes <= count; index += kLanes) {
            for (std::size_t lane = 0; lane < kLanes; ++lane) {
                out[index + lane] = output(lanes[lane]);
                lanes[lane] = lanes[lane] * jump.multiplier + jump.increment;
            }
        }
        state = lanes[0];
    }
    return fillOneByOne(state, increment, out + index, count - index);
}

#ifdef ZELKORA_MACHINES_AVX512
#define ZELKORA_AVX512 [[gnu::target("avx512f,avx512dq,avx512vl")]]

// GCC 12's AVX-512 shift intrinsics start from _mm512_undefined_epi32(), which its own
// uninitialised-use analysis then reports.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

// Eight outputs from eight states.
ZELKORA_AVX512 inline __m256i outputs(__m512i states) {
    const __m512i shifted =
        _mm512_srli_epi64(_mm512_xor_si512(_mm512_srli_epi64(states, 18), states), 27);
    return _mm256_rorv_epi32(_mm512_cvtepi64_epi32(shifted),
                             _mm512_cvtepi64_epi32(_mm512_srli_epi64(states, 59)));
}

ZELKORA_AVX512 std::uint64_t fillAvx512(std::uint64_t state, std::uint64_t increment,
                                        std::uint32_t* out, std::size_t count) {
    constexpr std::size_t kVectors = 4; // the multiplication's latency needs four in flight
    constexpr std::size_t kLanes = 8 * kVectors;
    std::size_t index = 0;
    if (count >= kLanes) {
        const Jump jump = jumpOf(kLanes, increment);
        const auto start = laneStates<kLanes>(state, increment);
        __m512i lanes[kVectors];
        for (std::size_t vector = 0; vector < kVectors; ++vector) {
            lanes[vector] = _mm512_loadu_si512(start.data() + 8 * vector);
        }
        const __m512i multiplier = _mm512_set1_epi64(static_cast<long long>(jump.multiplier));
        const __m512i addend = _mm512_set1_epi64(static_cast<long long>(jump.increment));
        for (; index + kLanes <= count; index += kLanes) {
            for (std::size_t vector = 0; vector < kVectors; ++vector) {
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + index + 8 * vector),
                                    outputs(lanes[vector]));
                lanes[vector] =
                    _mm512_add_epi64(_mm512_mullo_epi64(lanes[vector], multiplier), addend);
            }
        }
        std::array<std::uint64_t, 8> first{};
        _mm512_storeu_si512(first.data(), lanes[0]);
        state = first[0];
    }
    return fillOneByOne(state, increment, out + index, count - index);
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

bool hasAvx512() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512dq") != 0 &&
           __builtin_cpu_supports("avx512vl") != 0;
}
#endif

std::uint64_t fill(std::uint64_t state, std::uint64_t increment, std::uint32_t* out,
                   std::size_t count, bool portable) {
#ifdef ZELKORA_MACHINES_AVX512
    static const bool avx512 = hasAvx512();
    if (avx512 && !portable) {
        return fillAvx512(state, increment, out, count);
    }
#endif
    return fillPortable(state, increment, out, count);
}

} // namespace

Pcg32Batch::Pcg32Batch(std::uint64_t seed, std::uint64_t stream, PcgBatchLanes lanes)
    : portable_(lanes == PcgBatchLanes::Portable) {
    const SeededPcg32 engine(seed, stream);
    state_ = engine.state();
    increment_ = engine.stepIncrement();
}

void Pcg32Batch::refill() {
    const std::size_t kept = kBatch - position_;
    for (std::size_t index = 0; index < kept; ++index) {
        values_[index] = values_[position_ + index];
    }
    state_ = fill(state_, increment_, values_.data() + kept, kBatch - kept, portable_);
    position_ = 0;
}

} // namespace zelkora::machines
