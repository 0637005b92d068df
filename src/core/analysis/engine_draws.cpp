#include "analysis/engine_draws.h"

#include "engine/lottery.h"

#include <cmath>
#include <numeric>

namespace zelkora {

double spinHitChance(double denominator, int countdown) {
    // b = f × M × N is never above 0 when N is not positive, so every spin hits (b < M).
    if (denominator <= 0) {
        return 1;
    }
    const std::int64_t step = std::gcd(static_cast<std::int64_t>(countdown), kGeneratorValues);
    const std::int64_t multiples = kGeneratorValues / step;
    // Multiples j·g below 2^24 ÷ N: j < 2^24 ÷ (g·N).
    const double limit =
        static_cast<double>(kGeneratorValues) / (static_cast<double>(step) * denominator);
    const double below = std::min(std::ceil(limit), static_cast<double>(multiples));
    return std::max(below, 0.0) / static_cast<double>(multiples);
}

std::vector<double> symbolChances(int count) {
    // The index grows with u, so each index owns one run of values; find where each run starts
    // by bisection over the engine's own draw.
    const auto indexAt = [count](std::int64_t value) {
        const float draw = static_cast<float>(value) / static_cast<float>(kGeneratorValues);
        return drawSymbolIndex(draw, 0, static_cast<double>(count));
    };
    const auto firstValueReaching = [&](int index) {
        std::int64_t low = 0;
        std::int64_t high = kGeneratorValues;
        while (low < high) {
            const std::int64_t middle = low + (high - low) / 2;
            if (indexAt(middle) >= index) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        return low;
    };
    std::vector<double> chances;
    std::int64_t start = 0;
    for (int index = 0; index < count; ++index) {
        const std::int64_t end =
            index + 1 < count ? firstValueReaching(index + 1) : kGeneratorValues;
        chances.push_back(static_cast<double>(end - start) / static_cast<double>(kGeneratorValues));
        start = end;
    }
    return chances;
}

} // namespace zelkora
