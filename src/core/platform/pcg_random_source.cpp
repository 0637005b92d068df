#include "platform/pcg_random_source.h"

#include <array>
#include <pcg_random.hpp>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define ZELKORA_PCG_AVX512 1
#endif

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
constexpr float kUnit = 1.0F / 16777216.0F; // 2^-24

// pcg32's output (XSH RR) for a state before its step.
inline std::uint32_t output(std::uint64_t state) {
    const auto rotation = static_cast<unsigned>(state >> 59U);
    const auto shifted = static_cast<std::uint32_t>(((state >> 18U) ^ state) >> 27U);
    return (shifted >> rotation) | (shifted << ((32U - rotation) & 31U));
}

// The top 24 bits of an output scaled into [0, 1): exact in single precision.
inline float unitValue(std::uint64_t state) {
    return static_cast<float>(output(state) >> 8U) * kUnit;
}

// `steps` single steps as one: state × multiplier + increment.
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

// Lane j holds the state of value i + j and jumps as many steps as there are lanes, so the
// multiplications of the lanes do not wait on each other as a single generator's steps do.
template <std::size_t Lanes>
std::array<std::uint64_t, Lanes> laneStates(std::uint64_t state, std::uint64_t increment) {
    std::array<std::uint64_t, Lanes> states{};
    states[0] = state;
    for (std::size_t lane = 1; lane < Lanes; ++lane) {
        states[lane] = states[lane - 1] * kMultiplier + increment;
    }
    return states;
}

std::uint64_t fillOneByOne(std::uint64_t state, std::uint64_t increment, float* out,
                           std::size_t count) {
    for (std::size_t index = 0; index < count; ++index) {
        out[index] = unitValue(state);
        state = state * kMultiplier + increment;
    }
    return state;
}

std::uint64_t fillPortable(std::uint64_t state, std::uint64_t increment, float* out,
                           std::size_t count) {
    constexpr std::size_t kLanes = 4;
    std::size_t index = 0;
    if (count >= kLanes) {
        const Jump jump = jumpOf(kLanes, increment);
        auto lanes = laneStates<kLanes>(state, increment);
        for (; index + kLanes <= count; index += kLanes) {
            for (std::size_t lane = 0; lane < kLanes; ++lane) {
                out[index + lane] = unitValue(lanes[lane]);
                lanes[lane] = lanes[lane] * jump.multiplier + jump.increment;
            }
        }
        state = lanes[0];
    }
    return fillOneByOne(state, increment, out + index, count - index);
}

#ifdef ZELKORA_PCG_AVX512
#define ZELKORA_AVX512 [[gnu::target("avx512f,avx512dq,avx512vl")]]
// GCC 12's AVX-512 shift intrinsics start from _mm512_undefined_epi32(), which its own
// uninitialised-use analysis then reports.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

// Eight values from eight states: XSH RR, the top 24 bits, scaled.
ZELKORA_AVX512 inline __m256 unitValues(__m512i states) {
    const __m512i shifted =
        _mm512_srli_epi64(_mm512_xor_si512(_mm512_srli_epi64(states, 18), states), 27);
    const __m256i rotated = _mm256_rorv_epi32(_mm512_cvtepi64_epi32(shifted),
                                              _mm512_cvtepi64_epi32(_mm512_srli_epi64(states, 59)));
    return _mm256_mul_ps(_mm256_cvtepi32_ps(_mm256_srli_epi32(rotated, 8)), _mm256_set1_ps(kUnit));
}

ZELKORA_AVX512 std::uint64_t fillAvx512(std::uint64_t state, std::uint64_t increment, float* out,
                                        std::size_t count) {
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
                _mm256_storeu_ps(out + index + 8 * vector, unitValues(lanes[vector]));
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
#endif

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

bool PcgRandomSource::lanesAvailable(PcgLanes lanes) {
    switch (lanes) {
    case PcgLanes::Portable:
        return true;
    case PcgLanes::Avx512:
#ifdef ZELKORA_PCG_AVX512
        __builtin_cpu_init(); // may run before main
        return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512dq") != 0 &&
               __builtin_cpu_supports("avx512vl") != 0;
#else
        return false;
#endif
    }
    return false;
}

PcgLanes PcgRandomSource::fastestLanes() {
    static const PcgLanes fastest =
        lanesAvailable(PcgLanes::Avx512) ? PcgLanes::Avx512 : PcgLanes::Portable;
    return fastest;
}

void PcgRandomSource::useLanes(PcgLanes lanes) {
    if (lanesAvailable(lanes)) {
        lanes_ = lanes;
    }
}

void PcgRandomSource::fill(std::span<float> values) {
#ifdef ZELKORA_PCG_AVX512
    if (lanes_ == PcgLanes::Avx512) {
        state_ = fillAvx512(state_, increment_, values.data(), values.size());
        return;
    }
#endif
    state_ = fillPortable(state_, increment_, values.data(), values.size());
}

} // namespace zelkora
