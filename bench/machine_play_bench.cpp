#include "machines/machine_figures.h"
#include "machines/machine_file.h"
#include "machines/machine_graph.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <pcg_random.hpp>

namespace zelkora {
namespace {

machines::MachineVerification sampleCampaign(const char* name, int days) {
    machines::Checked<machines::MachineVerification> read = machines::readMachineFile(
        std::filesystem::path(ZELKORA_SOURCE_DIR) / "samples" / "machines" / name);
    if (!read.ok()) {
        throw std::runtime_error(read.problem());
    }
    machines::MachineVerification verification = std::move(read).value();
    verification.campaign.days = days;
    verification.campaign.dailyCapYen = 500000; // long days: the spin loop, not the day ends
    return verification;
}

// A machine's campaign played spin by spin with its figures, as the runner plays it; items are
// spins (normal and support).
void playSample(benchmark::State& state, const char* name) {
    const machines::MachineVerification verification = sampleCampaign(name, 200);
    const machines::MachineGraph graph = machines::buildGraph(verification.machine);
    std::uint64_t seed = 1;
    std::int64_t spins = 0;
    for (auto _ : state) {
        machines::MachineFigures figures(verification, graph);
        machines::playCampaign(verification, graph, seed++, figures);
        spins += static_cast<std::int64_t>(figures.figures().totalSpins) +
                 figures.machineFigures().supportSpins;
        benchmark::DoNotOptimize(figures);
    }
    state.SetItemsProcessed(spins);
}

void BM_MachineCampaign_ST(benchmark::State& state) {
    playSample(state, "星海ST199.json");
}
void BM_MachineCampaign_Rush(benchmark::State& state) {
    playSample(state, "雷神RUSH199.json");
}

// The bare lottery the spin is measured against: one pcg32 value compared with a threshold.
void BM_MachineBareLottery(benchmark::State& state) {
    pcg32 generator(1);
    constexpr std::uint64_t kHitBelow = 4294967296ULL * 10 / 1998; // 1 in 199.8
    std::int64_t hits = 0;
    for (auto _ : state) {
        for (int spin = 0; spin < 1'000'000; ++spin) {
            hits += generator() < kHitBelow ? 1 : 0;
        }
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}

BENCHMARK(BM_MachineCampaign_ST)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MachineCampaign_Rush)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MachineBareLottery)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelkora
