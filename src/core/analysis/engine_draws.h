#pragma once

#include <cstdint>
#include <vector>

// The exact chances of the engine's draws. The generator gives 2^24 equally likely values
// u = k ÷ 2^24; a chance here is the share of those values that give the outcome through the
// engine's own arithmetic.
namespace zelkora {

inline constexpr std::int64_t kGeneratorValues = std::int64_t{1} << 24U;

// The chance that a spin hits at denominator N with the countdown T: the share of u whose
// Frac(T × u) lies below 1 ÷ N. T × k mod 2^24 takes each multiple of g = gcd(T, 2^24) equally
// often, so the share is the count of those multiples below 2^24 ÷ N; it is 1 ÷ N to within
// g ÷ 2^24 (for T = 1000, g = 8). A denominator of 0 or below hits on every spin, as the
// engine's draw does.
double spinHitChance(double denominator, int countdown);

// The chance of each symbol index 0 … count − 1 of the symbol draw Int(count × Frac(u × S)) with
// the run seconds S at 0 (as a run without a wall clock draws; the engine takes S as 1 then).
std::vector<double> symbolChances(int count);

} // namespace zelkora
