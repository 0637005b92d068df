#include "engine/spin_draw.h"

#include <cmath>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define ZELKORA_HIT_SCAN_AVX2 1
#endif

namespace zelkora {
namespace {

std::size_t firstHitOneByOne(std::span<const float> draws, const SpinDraw& draw, std::size_t from) {
    std::size_t index = from;
    while (index < draws.size() && !draw.hits(draws[index])) {
        ++index;
    }
    return index;
}

#ifdef ZELKORA_HIT_SCAN_AVX2
// Four draws: the same widening, products, truncation and compare as hits(), lane by lane.
// No fused multiply-add is enabled here, so each product is rounded as the scalar one is.
[[gnu::target("avx2")]] inline __m256d hitMask(const float* draws, __m256d countdown,
                                               __m256d scaleTimesDenominator, __m256d scale) {
    const __m256d product = _mm256_mul_pd(countdown, _mm256_cvtps_pd(_mm_loadu_ps(draws)));
    const __m256d whole = _mm256_round_pd(product, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
    const __m256d lottery = _mm256_mul_pd(_mm256_sub_pd(product, whole), scaleTimesDenominator);
    return _mm256_cmp_pd(lottery, scale, _CMP_LT_OQ);
}

[[gnu::target("avx2")]] std::size_t firstHitAvx2(std::span<const float> draws,
                                                 const SpinDraw& draw) {
    constexpr std::size_t kBlock = 16;
    const __m256d countdown = _mm256_set1_pd(draw.countdown);
    const __m256d scaleTimesDenominator = _mm256_set1_pd(draw.scaleTimesDenominator);
    const __m256d scale = _mm256_set1_pd(draw.scale);
    const float* const data = draws.data();
    std::size_t index = 0;
    for (; index + kBlock <= draws.size(); index += kBlock) {
        const __m256d any = _mm256_or_pd(
            _mm256_or_pd(hitMask(data + index, countdown, scaleTimesDenominator, scale),
                         hitMask(data + index + 4, countdown, scaleTimesDenominator, scale)),
            _mm256_or_pd(hitMask(data + index + 8, countdown, scaleTimesDenominator, scale),
                         hitMask(data + index + 12, countdown, scaleTimesDenominator, scale)));
        if (_mm256_movemask_pd(any) != 0) {
            break; // the block holds the hit: found one by one below
        }
    }
    return firstHitOneByOne(draws, draw, index);
}

bool avx2Available() {
    __builtin_cpu_init(); // may run before main
    return __builtin_cpu_supports("avx2") != 0;
}
#endif

} // namespace

std::size_t firstHit(std::span<const float> draws, const SpinDraw& draw) {
#ifdef ZELKORA_HIT_SCAN_AVX2
    // The truncation to whole numbers equals the scalar test's conversion through a 64-bit
    // integer only below 2^63: a countdown beyond that is tested one by one.
    static const bool vectors = avx2Available();
    if (vectors && std::fabs(draw.countdown) < 0x1p62) {
        return firstHitAvx2(draws, draw);
    }
#endif
    return firstHitOneByOne(draws, draw, 0);
}

} // namespace zelkora
