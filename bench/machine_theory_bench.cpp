#include "files/utf8_path.h"
#include "machines/classic_conversion.h"
#include "machines/machine_file.h"
#include "machines/machine_theory.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace zelkora {
namespace {

std::filesystem::path sampleMachine(const char* name) {
    return std::filesystem::path(ZELKORA_SOURCE_DIR) / "samples" / "machines" / name;
}

machines::MachineVerification readSample(const char* name) {
    machines::Checked<machines::MachineVerification> read =
        machines::readMachineFile(sampleMachine(name));
    if (!read.ok()) {
        throw std::runtime_error(read.problem());
    }
    return std::move(read).value();
}

// A classic sample converted as `zelkora-run --convert` converts it.
machines::MachineVerification convertedSample(const char* name) {
    machines::Checked<machines::MachineVerification> converted = machines::convertClassicFile(
        std::filesystem::path(ZELKORA_SOURCE_DIR) / "samples" / pathFromUtf8(name));
    if (!converted.ok()) {
        throw std::runtime_error(converted.problem());
    }
    return std::move(converted).value();
}

void theoryOf(benchmark::State& state, const machines::MachineVerification& verification) {
    for (auto _ : state) {
        machines::Checked<machines::MachineTheory> theory =
            machines::machineTheory(verification, 0.5);
        benchmark::DoNotOptimize(theory);
    }
}

// The exact theory of each sample machine.
void BM_MachineTheory_ST(benchmark::State& state) {
    theoryOf(state, readSample("星海ST199.json"));
}
void BM_MachineTheory_Loop(benchmark::State& state) {
    theoryOf(state, readSample("紅蓮ループ319.json"));
}
void BM_MachineTheory_Ceiling(benchmark::State& state) {
    theoryOf(state, readSample("月光タイム319.json"));
}
void BM_MachineTheory_Rush(benchmark::State& state) {
    theoryOf(state, readSample("雷神RUSH199.json"));
}

// The 遊タイム sample with a ceiling of 1,000 spins that counts the 時短 and ST spins too, so
// the count is carried through every spin of the limited states: the heaviest case.
void BM_MachineTheory_Ceiling1000CountingSupport(benchmark::State& state) {
    machines::MachineVerification verification = readSample("月光タイム319.json");
    verification.machine.ceiling->spins = 1000;
    verification.machine.ceiling->countedStates = {"通常", "時短", "ST"};
    theoryOf(state, verification);
}

// Each classic sample converted: the limiter and the service time unroll into hundreds of
// states (a 時短 spin a state, the streak up to the limiter's count).
void BM_MachineTheory_Converted(benchmark::State& state, const char* sample) {
    theoryOf(state, convertedSample(sample));
}
BENCHMARK_CAPTURE(BM_MachineTheory_Converted, Limiter803States, "リミッター5回399.pac")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MachineTheory_Converted, ServiceTime300States, "サービスタイムの店.pac")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MachineTheory_Converted, Default, "default.pac")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MachineTheory_Converted, Kakuhen315, "定番確変315.pac")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MachineTheory_Converted, CashCap, "現金派40玉上限少額.pac")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MachineTheory_Converted, Amadeji99, "甘デジ99次まで時短.pac")
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_MachineTheory_ST)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MachineTheory_Loop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MachineTheory_Ceiling)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MachineTheory_Rush)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MachineTheory_Ceiling1000CountingSupport)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelkora
