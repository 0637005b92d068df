#include "analysis/theory.h"
#include "files/condition_file_writer.h"
#include "files/sample_definitions.h"
#include "files/verification_conditions.h"
#include "files/working_copy_file.h"
#include "results/window_conditions.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace zelkora {
namespace {

// Sample `index` as Open loads it: written as Finish writes it, read back, applied.
MainWindowModel loadedSample(std::size_t index) {
    const SampleDefinition sample = sampleDefinitions().at(index);
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("zelkora-theory-bench-" + std::to_string(index));
    MainWindowModel model;
    if (writeConditionFile(path, sample).ok()) {
        Result<StoredConditions> conditions = FileWorkingCopy(path).readConditions();
        if (conditions.ok()) {
            applyConditions(model, conditions.value());
        }
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return model;
}

// The theoretical figures of each sample (the argument), and with them the rate table: what the
// 理論値 panel recomputes whenever a condition changes. The target is under 50 ms each.
void BM_TheoryOfSample(benchmark::State& state) {
    const auto index = static_cast<std::size_t>(state.range(0));
    const MainWindowModel model = loadedSample(index);
    state.SetLabel(sampleDefinitions().at(index).name);
    for (auto _ : state) {
        const TheoryOutcome figures = theoreticalFigures(model, 1000, 0.3);
        if (!figures.ok()) {
            state.SkipWithError("the theory refused the sample");
            break;
        }
        benchmark::DoNotOptimize(rateTable(figures->basis, 0.3));
    }
}
BENCHMARK(BM_TheoryOfSample)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelkora
