#include "default_run.h"
#include "files/condition_file_writer.h"
#include "files/file_system.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "results/ind_preset.h"
#include "results/rebuild.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace zelkora {
namespace {

constexpr int kResultRecords = 200000;

class AnswerYes : public UserInterface {
public:
    MessageResult showMessage(const Message&) override { return MessageResult::Yes; }
    void beep() override {}
    void setPointer(PointerShape) override {}
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
};

// A window that asks for events every few hundred yield points, as the desktop program does.
class SparsePump : public EventPump {
public:
    std::uint32_t processEvents() override { return 256; }
};

class IdleTimers : public RunTimers {
public:
    int countdown() const override { return 1000; }
    void setCountdownEnabled(bool, int) override {}
    std::int32_t runSeconds() const override { return 0; }
    void resetRunSeconds() override {}
};

class HalfRandom : public RandomSource {
public:
    void fill(std::span<float> values) override {
        for (float& value : values) {
            value = 0.5F;
        }
    }
};

// A long run of the classic sample: forty results a day, the last of them the day end, big
// hits in 通常 and in 確変 over all eight symbols.
ResultRecord resultAt(int index) {
    const std::string day = std::to_string(index / 40 + 1);
    if (index % 40 == 39) {
        return {{day, std::to_string(index % 300), "100", "0", "--", "--", "回転数終了", "--", "0",
                 std::to_string(index % 9000), "1"}};
    }
    const bool first = index % 3 == 0;
    return {{day, std::to_string(index % 700), "0", std::to_string(index * 500 % 20000), "した",
             std::to_string(index % 8 + 1), "交換", first ? "通常" : "確変",
             std::to_string(index % 5000), "0", std::to_string(first ? 1 : index % 3 + 1)}};
}

// The benchmark measures nothing useful on a file it could not write.
void require(const Status& status) {
    if (!status.ok()) {
        throw std::runtime_error("cannot write the benchmark's working copy");
    }
}

std::filesystem::path writeWorkingCopy(const std::filesystem::path& folder) {
    auto path = folder / "temp.pac";
    require(writeConditionFile(path, sampleDefinitions()[0]));
    RecordFile file(kVerificationRecordLength);
    require(file.open(path));
    for (int index = 0; index < kResultRecords; ++index) {
        require(file.write(kFirstResultRecord + index, buildResultRecord(resultAt(index))));
    }
    require(file.write(kRunSummaryRecord, buildRunSummaryRecord({kResultRecords, "40.5"})));
    require(file.close());
    return path;
}

// Opens the working copy in `folder` and rebuilds it once per iteration, as Open answered Yes.
void rebuildRepeatedly(benchmark::State& state, const std::filesystem::path& folder) {
    MainWindowModel model;
    model.programFolder = folder;
    AnswerYes ui;
    SparsePump pump;
    IdleTimers timers;
    HalfRandom source;
    RandomStream random(source);
    LocalFileSystem files;
    SystemThreadStarter threads;
    const PlatformSeams seams{ui, files, pump, timers, random, threads};
    require(IndPreset(model, ui));
    for (auto _ : state) {
        const Result<RebuildOutcome> outcome = 検証データ再構築(model, seams);
        if (!outcome.ok() || outcome.value() != RebuildOutcome::Rebuilt) {
            state.SkipWithError("the rebuild did not finish");
        }
    }
}

// The whole rebuild after the question: read, decode, the detail strip, Grid1's rows, the
// accumulation with its distributions, day closes and charts.
void BM_Rebuild(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "zelkora-bench-rebuild";
    std::filesystem::create_directories(folder);
    writeWorkingCopy(folder);
    rebuildRepeatedly(state, folder);
    state.SetItemsProcessed(state.iterations() * kResultRecords);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Rebuild)->Unit(benchmark::kMillisecond);

// The rebuild of what the 10,000-day default verification leaves in its working copy (about
// 54,000 result records, seed 1, countdown 1000), as Open replays it.
void BM_RebuildOfDefaultRun(benchmark::State& state) {
    const auto folder = bench::makeBenchFolder();
    const bench::RunResult run = bench::runDefaultVerification(10000, folder);
    rebuildRepeatedly(state, folder);
    state.SetItemsProcessed(state.iterations() * run.records);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_RebuildOfDefaultRun)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zelkora
