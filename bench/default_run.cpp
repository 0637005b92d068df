#include "default_run.h"

#include "engine/lottery.h"
#include "engine/quiet_spins.h"
#include "engine/run_engine.h"
#include "files/file_system.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "files/verification_conditions.h"
#include "files/working_copy_file.h"
#include "platform/pcg_random_source.h"
#include "platform/silent_user_interface.h"
#include "results/window_conditions.h"

#include <chrono>
#include <limits>
#include <pcg_random.hpp>
#include <random>
#include <stdexcept>
#include <string>

namespace zelkora::bench {
namespace {

constexpr std::size_t kTypicalResultRecordBytes = 187;

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
        sink_ += columns[0].size();
        return {};
    }
    Status finish(std::int32_t, std::string_view) override { return {}; }
    void close() override {}

private:
    StoredConditions stored_;
    std::size_t sink_ = 0;
};

} // namespace

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
    SilentUserInterface ui;
    NoEvents pump;
    Frozen timers;
    LocalFileSystem files;
    SystemThreadStarter threads;
    RunEngine engine(model, {ui, files, pump, timers, random, threads}, workingCopy);
    const auto begin = std::chrono::steady_clock::now();
    const Status run = engine.MK_Start();
    const auto end = std::chrono::steady_clock::now();
    if (!run.ok()) {
        throw std::runtime_error("the benchmark's run failed");
    }
    const double spins =
        model.fields.number(Field::総回転数表示) + model.fields.number(Field::総時短回転数表示);
    return {std::chrono::duration<double>(end - begin).count(), static_cast<std::int64_t>(spins),
            model.window.resultRecordCounter};
}

[[gnu::noinline]] std::int64_t bareLottery(std::int64_t spins) {
    pcg32 generator(kSeed);
    const auto value = [&generator] {
        return static_cast<float>(generator() >> 8U) * (1.0F / 16777216.0F);
    };
    const std::int32_t scale = drawLotteryScale(value(), kCountdown);
    const SpinDraw draw(kCountdown, scale * 316.0, scale); // the default machine plays 1 in 316
    std::int64_t hits = 0;
    for (std::int64_t spin = 0; spin < spins; ++spin) {
        hits += draw.hits(value()) ? 1 : 0;
    }
    return hits;
}

std::int64_t bareLotteryWithRecords(std::int64_t spins, int records,
                                    const std::filesystem::path& folder) {
    const std::int64_t hits = bareLottery(spins);
    const auto path = folder / "temp.pac";
    {
        RecordFile file(kVerificationRecordLength);
        // A record as long as a typical result record of the default verification.
        const std::string bytes(kTypicalResultRecordBytes, '0');
        if (!file.open(path).ok()) {
            throw std::runtime_error("the benchmark's file did not open");
        }
        for (int record = 1; record <= records; ++record) {
            if (!file.writeEncoded(record + 100, bytes).ok()) {
                throw std::runtime_error("the benchmark's record was not written");
            }
        }
        if (!file.close().ok()) {
            throw std::runtime_error("the benchmark's file did not close");
        }
    }
    std::filesystem::remove(path);
    return hits;
}

std::filesystem::path makeBenchFolder() {
    auto folder = std::filesystem::temp_directory_path() /
                  ("zelkora-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace zelkora::bench
