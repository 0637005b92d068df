#pragma once

#include <cstdint>
#include <optional>

// The lottery arithmetic: the scale M drawn once per run, the per-spin product b whose
// Int(b) + 1 is the lottery value R, the corrected denominator of the probability-convergence
// option and the symbol draw. Everything that runs once per spin is inline.
namespace zelkora {

// Frac(x) for the non-negative products of the draws, which stay far below 2^63: truncation is
// Int there, and it avoids a floor() call per spin.
inline double fracOfNonNegative(double x) {
    return x - static_cast<double>(static_cast<std::int64_t>(x));
}

// M := (Int(Frac(T × u) × 1000) + 1) × 100, one of 100, 200, … 100000.
std::int32_t drawLotteryScale(float draw, int countdown);

// Frac(T × u), T widened exactly and the product kept in double.
inline double spinFraction(float draw, double countdown) {
    return fracOfNonNegative(countdown * static_cast<double>(draw));
}

// b := f × (M × N) for the plain draw, b := (M × C) × f for the corrected one: both are one
// product of the fraction with the precomputed scale × denominator.
inline double spinProduct(float draw, double countdown, double scaleTimesDenominator) {
    return spinFraction(draw, countdown) * scaleTimesDenominator;
}

// R = Int(b) + 1 ≤ M exactly when b < M, for every b; so the hit test needs no integer R and
// cannot overflow however large M × N or M × C grows.
inline bool isHit(double product, std::int32_t scale) {
    return product < static_cast<double>(scale);
}

// The lottery value Int(b) + 1, saturated to the 64-bit range (for display and tests).
std::int64_t lotteryValue(double product);

// The recomputed denominator C := Fix(q × N) with q := N ÷ X in single precision, where X is
// the shown spins per first hit; empty while no first hit has been shown (X = 0), so the
// caller keeps its C.
std::optional<double> correctedDenominator(double denominator, double shownFirstHitSpins);

// The symbol index Int(count × Frac(u × S)); S of 0 counts as 1, so hits in a run's first
// second are not all given symbol 0.
int drawSymbolIndex(float draw, std::int32_t runSeconds, double symbolCount);

} // namespace zelkora
