#include "common/field_store.h"

#include <benchmark/benchmark.h>

namespace zelkora {
namespace {

// The engine's per-spin writes: counters and a pattern figure, with no text made.
void BM_FieldStoreSpinWrites(benchmark::State& state) {
    FieldStore store;
    double spins = 0;
    for (auto _ : state) {
        spins += 1;
        store.setNumber(Field::総回転数表示, spins);
        store.add(Field::c日合計_回転数, 1);
        store.setPattern(Field::持ち玉比率, spins / 3.0, Pattern::TwoDecimals);
        benchmark::DoNotOptimize(store.number(Field::c日合計_回転数));
    }
}
BENCHMARK(BM_FieldStoreSpinWrites);

void BM_PatternText(benchmark::State& state) {
    double value = 0.123;
    for (auto _ : state) {
        value += 1.37;
        benchmark::DoNotOptimize(formatPattern(value, Pattern::TwoDecimals));
    }
}
BENCHMARK(BM_PatternText);

} // namespace
} // namespace zelkora
