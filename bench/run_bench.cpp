#include "engine/lottery.h"
#include "engine/run_engine.h"
#include "files/record_layouts.h"
#include "files/verification_conditions.h"
#include "files/working_copy_file.h"
#include "platform/pcg_random_source.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <limits>
#include <random>
#include <stdexcept>

namespace zelkora {
namespace {

constexpr std::uint64_t kSeed = 1;
constexpr int kCountdown = 1000;

class SilentInterface final : public UserInterface {
public:
    MessageResult showMessage(const Message&) override { return MessageResult::Ok; }
    void beep() override {}
    void setPointer(PointerShape) override {}
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
};

class NoEvents final : public EventPump {
public:
    std::uint32_t processEvents() override { return std::numeric_limits<std::uint32_t>::max(); }
};

class Frozen final : public RunTimers {
public:
    int countdown() const override { return kCountdown; }
    void setCountdownEnabled(bool, int) override {}
    std::int32_t runSeconds() const override { return 0; }
    void resetRunSeconds() override {}
};

// A working copy that keeps nothing: the run without the cost of encoding its records.
class DiscardingWorkingCopy final : public RunWorkingCopy {
public:
    explicit DiscardingWorkingCopy(StoredConditions conditions) : stored_(std::move(conditions)) {}
    Result<StoredConditions> readConditions() override { return stored_; }
    Status recreate(const StoredConditions&) override { return {}; }
    Status writeResult(std::int32_t, const ResultColumns& columns) override {
        benchmark::DoNotOptimize(columns.data());
        return {};
    }
    Status finish(std::int32_t, std::string_view) override { return {}; }
    void close() override {}

private:
    StoredConditions stored_;
};

std::filesystem::path benchFolder() {
    auto folder = std::filesystem::temp_directory_path() /
                  ("zelkora-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    return folder;
}

struct RunResult {
    double seconds = 0;
    std::int64_t spins = 0; // normal and time-saving spins
};

// One headless run of the default verification over `days` days, as zelkora-run plays it
// (with the records written to a file in `folder`, or discarded when there is none).
RunResult runDefaultVerification(int days, const std::filesystem::path& folder) {
    StoredConditions conditions = defaultConditions();
    conditions.basic[basicColumnIndex(Field::条件_何日分)] = std::to_string(days);
    MainWindowModel model;
    model.programFolder = folder;
    applyConditions(model, conditions);
    model.commands.apply(Availability::VerificationLoaded);
    FileWorkingCopy file(model.workingCopyPath());
    DiscardingWorkingCopy discarding(conditions);
    RunWorkingCopy& workingCopy = folder.empty() ? static_cast<RunWorkingCopy&>(discarding) : file;
    if (!folder.empty()) {
        static_cast<void>(file.recreate(conditions)); // the run recreates it again at Start
        file.close();
    }
    PcgRandomSource source(kSeed);
    RandomStream random(source);
    SilentInterface ui;
    NoEvents pump;
    Frozen timers;
    RunEngine engine(model, {ui, pump, timers, random, workingCopy});
    const auto begin = std::chrono::steady_clock::now();
    const Status run = engine.MK_Start();
    const auto end = std::chrono::steady_clock::now();
    if (!run.ok()) {
        throw std::runtime_error("the benchmark's run failed");
    }
    const auto spins =
        model.fields.number(Field::総回転数表示) + model.fields.number(Field::総時短回転数表示);
    return {std::chrono::duration<double>(end - begin).count(), static_cast<std::int64_t>(spins)};
}

// The physical limit: the same generator and the same spin-draw arithmetic over the same
// number of spins, with nothing else.
double bareLotterySeconds(std::int64_t spins) {
    PcgRandomSource source(kSeed);
    RandomStream random(source);
    const std::int32_t scale = drawLotteryScale(random.next(), kCountdown);
    const double countdown = kCountdown;
    const double scaleTimesN = scale * 316.0; // the default verification plays 1 in 316
    const auto begin = std::chrono::steady_clock::now();
    std::int64_t hits = 0;
    for (std::int64_t spin = 0; spin < spins; ++spin) {
        hits += isHit(spinProduct(random.next(), countdown, scaleTimesN), scale) ? 1 : 0;
    }
    benchmark::DoNotOptimize(hits);
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(end - begin).count();
}

// The spins of the engine's run of `days` days (seed 1, countdown 1000).
std::int64_t engineSpins(int days) {
    auto folder = benchFolder();
    const std::int64_t spins = runDefaultVerification(days, folder).spins;
    std::filesystem::remove_all(folder);
    return spins;
}

void BM_BareLotteryLoop(benchmark::State& state) {
    const std::int64_t spins = engineSpins(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.SetIterationTime(bareLotterySeconds(spins));
    }
    state.counters["spins"] = static_cast<double>(spins);
    state.counters["spins/s"] = benchmark::Counter(static_cast<double>(spins),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_BareLotteryLoop)->Arg(50)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);

void measureDefaultVerification(benchmark::State& state, const std::filesystem::path& folder) {
    const int days = static_cast<int>(state.range(0));
    RunResult last;
    double engineSeconds = 0;
    for (auto _ : state) {
        last = runDefaultVerification(days, folder);
        engineSeconds += last.seconds;
        state.SetIterationTime(last.seconds);
    }
    double bare = std::numeric_limits<double>::infinity();
    for (int repeat = 0; repeat < 5; ++repeat) {
        bare = std::min(bare, bareLotterySeconds(last.spins));
    }
    const double perRun = engineSeconds / static_cast<double>(state.iterations());
    state.counters["spins"] = static_cast<double>(last.spins);
    state.counters["spins/s"] = static_cast<double>(last.spins) / perRun;
    state.counters["bare spins/s"] = static_cast<double>(last.spins) / bare;
    state.counters["engine/bare"] = perRun / bare;
}
void BM_DefaultVerification(benchmark::State& state) {
    auto folder = benchFolder();
    measureDefaultVerification(state, folder);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DefaultVerification)
    ->Arg(50)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same run with its result records discarded instead of encoded and written.
void BM_DefaultVerificationRecordsDiscarded(benchmark::State& state) {
    measureDefaultVerification(state, {});
}
BENCHMARK(BM_DefaultVerificationRecordsDiscarded)
    ->Arg(50)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelkora
