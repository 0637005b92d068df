#include "default_run.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>

namespace zelkora {
namespace {

constexpr int kDays = 10000;

// The spins of the engine's 10,000-day run (seed 1, countdown 1000), played once.
std::int64_t engineSpins() {
    static const std::int64_t spins = [] {
        const auto folder = bench::makeBenchFolder();
        const std::int64_t played = bench::runDefaultVerification(kDays, folder).spins;
        std::filesystem::remove_all(folder);
        return played;
    }();
    return spins;
}

void reportSpins(benchmark::State& state, std::int64_t spins) {
    state.counters["spins"] = static_cast<double>(spins);
    state.counters["ns/spin"] = benchmark::Counter(static_cast<double>(spins) * 1e-9,
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

// The bare lottery over as many spins as the engine's run plays. scripts/bench divides the
// engine's median by this one's.
void BM_BareLotteryLoop(benchmark::State& state) {
    const std::int64_t spins = engineSpins();
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(bench::bareLottery(spins));
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
    }
    reportSpins(state, spins);
}
BENCHMARK(BM_BareLotteryLoop)->UseManualTime()->Unit(benchmark::kMillisecond);

void measureDefaultVerification(benchmark::State& state, const std::filesystem::path& folder) {
    bench::RunResult last;
    for (auto _ : state) {
        last = bench::runDefaultVerification(kDays, folder);
        state.SetIterationTime(last.seconds);
    }
    reportSpins(state, last.spins);
    state.counters["records"] = last.records;
}

// The 10,000-day default verification as zelkora-run plays it, its records written to a file.
void BM_DefaultVerification(benchmark::State& state) {
    const auto folder = bench::makeBenchFolder();
    measureDefaultVerification(state, folder);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DefaultVerification)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same run with its result records discarded instead of encoded and written.
void BM_DefaultVerificationRecordsDiscarded(benchmark::State& state) {
    measureDefaultVerification(state, {});
}
BENCHMARK(BM_DefaultVerificationRecordsDiscarded)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelkora
