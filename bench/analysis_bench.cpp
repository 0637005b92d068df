#include "analysis/campaign_analysis.h"
#include "files/file_system.h"
#include "files/verification_conditions.h"
#include "platform/pcg_random_source.h"
#include "platform/silent_user_interface.h"
#include "results/window_conditions.h"

#include <benchmark/benchmark.h>
#include <limits>

namespace zelkora {
namespace {

class NoEventsToProcess final : public EventPump {
public:
    std::uint32_t processEvents() override { return std::numeric_limits<std::uint32_t>::max(); }
};

// The analysis never reads the timers: each campaign freezes its own countdown.
class FrozenCountdown final : public RunTimers {
public:
    int countdown() const override { return 1000; }
    void setCountdownEnabled(bool, int) override {}
    std::int32_t runSeconds() const override { return 0; }
    void resetRunSeconds() override {}
};

// Counts the spins of every campaign folded.
class SpinCount final : public CampaignSink {
public:
    void campaign(const CampaignFigures& figures) override {
        spins += figures.overall[overallFigureIndex(Field::総回転数表示)] +
                 figures.overall[overallFigureIndex(Field::総時短回転数表示)];
    }
    double spins = 0;
};

// The default verification (50 days), as the window holds it after Open.
CampaignSetup defaultSetup() {
    CampaignSetup setup;
    setup.conditions = defaultConditions();
    applyConditions(setup.loaded, setup.conditions);
    setup.loaded.commands.apply(Availability::VerificationLoaded);
    setup.seed = 1;
    return setup;
}

// K campaigns of the default verification on J threads (the argument), timed on the wall
// clock: campaigns per second and spins (normal and time-saving) per second.
void BM_CampaignAnalysis(benchmark::State& state) {
    constexpr std::int64_t kCampaigns = 500;
    const int threads = static_cast<int>(state.range(0));
    const CampaignSetup setup = defaultSetup();
    double spins = 0;
    for (auto _ : state) {
        CampaignAnalysis analysis(setup, {kCampaigns, threads});
        NoEventsToProcess pump;
        SilentUserInterface ui;
        LocalFileSystem files;
        FrozenCountdown timers;
        PcgRandomSource source(1);
        RandomStream random(source);
        SystemThreadStarter system;
        SpinCount count;
        const AnalysisOutcome outcome =
            analysis.run({ui, files, pump, timers, random, system}, {nullptr, &count});
        benchmark::DoNotOptimize(outcome.report.finalBalance.mean);
        spins += count.spins;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["campaigns/s"] = benchmark::Counter(static_cast<double>(kCampaigns) * iterations,
                                                       benchmark::Counter::kIsRate);
    state.counters["spins/s"] = benchmark::Counter(spins, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CampaignAnalysis)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelkora
