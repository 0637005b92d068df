// A run whose result records cannot all be written: a working copy refusing any one of them,
// and the real file on a disk that fills up (a file-size limit). The run ends with a message
// that says how many records were kept, record 99 counts exactly those, and an Open afterwards
// rebuilds exactly those. Also the Starts that fail before anything is played.

#include "commands/run_commands.h"
#include "file_test_support.h"
#include "files/condition_file_writer.h"
#include "files/working_copy_file.h"
#include "platform/pcg_random_source.h"
#include "results/grids_and_charts.h"
#include "results/ind_preset.h"
#include "results/rebuild.h"
#include "results/window_conditions.h"
#include "run_harness.h"

#include <cstdint>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

namespace fs = std::filesystem;
using test_support::readBytes;
using test_support::ScratchFolder;
using ::testing::ElementsAre;
using testing::MemoryWorkingCopy;

// Processes events rarely, as the window does, so long runs stay quick.
class QuietPump final : public EventPump {
public:
    std::uint32_t processEvents() override { return 1U << 16U; }
};

SampleDefinition withConditions(SampleDefinition sample,
                                const std::vector<std::pair<Field, std::string>>& changes) {
    for (auto& [field, text] : sample.conditions) {
        for (const auto& [changed, value] : changes) {
            if (field == changed) {
                text = value;
            }
        }
    }
    return sample;
}

// A verification as a file holds it.
StoredConditions storedConditionsOf(const SampleDefinition& sample) {
    ScratchFolder folder;
    const fs::path file = folder.path() / "v.pac";
    EXPECT_TRUE(writeConditionFile(file, sample).ok());
    Result<StoredConditions> stored = FileWorkingCopy(file).readConditions();
    EXPECT_TRUE(stored.ok());
    return stored.value();
}

std::string keptMessage(std::string_view reason, std::int32_t kept) {
    return "作業ファイルに書き込めません。" + std::string(reason) +
           "作業ファイルに記録できた大当りデータは " + std::to_string(kept) +
           " 件です。検証を終了しました。";
}

// The working copy in memory, refusing the result records a test picks as a full disk would.
class RefusingWorkingCopy final : public RunWorkingCopy {
public:
    using Refuses = std::function<bool(int index, const ResultColumns& columns)>;
    RefusingWorkingCopy(MemoryWorkingCopy& inner, Refuses refuses)
        : inner_(inner), refuses_(std::move(refuses)) {}

    Result<StoredConditions> readConditions() override { return inner_.readConditions(); }
    Status recreate(const StoredConditions& conditions) override {
        return inner_.recreate(conditions);
    }
    Status writeResult(std::int32_t recordNumber, const ResultColumns& columns) override {
        if (refuses_(++writes_, columns)) {
            return Error{ErrorKind::CannotWrite}
                .inFile("/program/temp.pac")
                .inRecord(recordNumber)
                .because(std::make_error_code(std::errc::no_space_on_device));
        }
        return inner_.writeResult(recordNumber, columns);
    }
    Status finish(std::int32_t resultCount, std::string_view heldBallRatio) override {
        return inner_.finish(resultCount, heldBallRatio);
    }
    void close() override { inner_.close(); }

private:
    MemoryWorkingCopy& inner_;
    Refuses refuses_;
    int writes_ = 0;
};

// Two days of the light sample with a seeded generator: big hits, 次まで時短 and day ends.
struct MemoryRun {
    explicit MemoryRun(RefusingWorkingCopy::Refuses refuses =
                           [](int, const ResultColumns&) { return false; })
        : refusing(memory, std::move(refuses)) {
        const StoredConditions stored =
            storedConditionsOf(withConditions(sampleDefinitions()[2], {{Field::条件_何日分, "2"}}));
        memory.stored = stored;
        applyConditions(model, stored);
        グリッド見出し設定(model.grids);
        model.commands.apply(Availability::VerificationLoaded);
    }

    MainWindowModel model;
    testing::RecordingUserInterface ui;
    testing::CallbackEventPump pump;
    testing::FixedRunTimers timers{321, 5};
    PcgRandomSource source{11};
    RandomStream random{source};
    MemoryWorkingCopy memory;
    RefusingWorkingCopy refusing;
    RunCommands commands{
        model, {ui, testing::testFiles(), pump, timers, random, testing::testThreads()}, refusing};
};

TEST(RunRecordFaults, a_record_refused_anywhere_ends_the_run_keeping_the_records_before_it) {
    MemoryRun full;
    full.commands.MK_Start();
    const std::size_t records = full.memory.results.size();
    ASSERT_GE(records, 10U) << "big hits and day ends to fail at";
    ASSERT_THAT(test_support::messageTexts(full.ui), ElementsAre(std::string(kRunEndMessage)));

    for (std::size_t failing = 1; failing <= records; ++failing) {
        SCOPED_TRACE(failing);
        MemoryRun run([&](int index, const ResultColumns&) {
            return static_cast<std::size_t>(index) == failing;
        });
        run.commands.MK_Start();
        const auto kept = static_cast<std::int32_t>(failing - 1);
        ASSERT_EQ(run.ui.messages.size(), 1U);
        EXPECT_EQ(run.ui.messages[0].text, keptMessage("ディスクの空き容量が足りません。", kept));
        EXPECT_EQ(run.ui.messages[0].title, "検証エラー");
        ASSERT_TRUE(run.memory.summary);
        EXPECT_EQ(run.memory.summary->count, kept);
        EXPECT_EQ(run.memory.results.size(), failing - 1);
        // What was kept is what the whole run wrote first.
        for (std::size_t record = 0; record + 1 < failing; ++record) {
            EXPECT_EQ(run.memory.results[record], full.memory.results[record]);
        }
        EXPECT_EQ(run.model.window.resultRecordCounter, kept);
        EXPECT_EQ(run.model.grids.grid1.rowCount(), kept + 1);
        EXPECT_EQ(run.model.window.running, 0);
        EXPECT_TRUE(run.model.commands.enabled(Menu::MK_Start));
    }
}

TEST(RunRecordFaults, a_cancel_record_refused_ends_the_run_with_one_message_besides_the_cancel) {
    MemoryRun run([](int, const ResultColumns& columns) { return columns[6] == "キャンセル"; });
    run.pump.callAfter(1500, [&] { run.commands.MK_Cancel(); });
    run.commands.MK_Start();

    ASSERT_TRUE(run.memory.summary);
    const std::int32_t kept = run.memory.summary->count;
    EXPECT_EQ(static_cast<std::size_t>(kept), run.memory.results.size());
    EXPECT_THAT(test_support::messageTexts(run.ui),
                ElementsAre(std::string(kRunCancelMessage),
                            keptMessage("ディスクの空き容量が足りません。", kept)));
    EXPECT_EQ(run.model.window.running, 0);
}

// The classic sample over 1500 short days, played into a real working copy.
struct FileRun {
    FileRun() {
        model.programFolder = folder.path();
        SampleDefinition sample = withConditions(
            sampleDefinitions()[0], {{Field::条件_何日分, "1500"}, {Field::条件_回転時間, "60"}});
        sample.program.playSchedule = "01000000000000"; // one hour a day
        EXPECT_TRUE(writeConditionFile(model.workingCopyPath(), sample).ok());
        conditionFile = readBytes(model.workingCopyPath());
        EXPECT_TRUE(IndPreset(model, ui).ok());
        グリッド見出し設定(model.grids);
        model.commands.apply(Availability::VerificationLoaded);
    }
    // MK_Start with files limited to `limit` bytes while it runs (none with 0).
    void play(std::uint64_t limit) {
#ifndef _WIN32
        std::optional<test_support::FileSizeLimit> limited;
        if (limit > 0) {
            limited.emplace(limit);
            ASSERT_TRUE(limited->set());
        }
#else
        ASSERT_EQ(limit, 0U);
#endif
        commands.MK_Start();
    }
    std::string bytes() const {
        return readBytes(model.workingCopyPath());
    }

    ScratchFolder folder;
    MainWindowModel model;
    testing::RecordingUserInterface ui;
    QuietPump pump;
    testing::FixedRunTimers timers{500, 3};
    PcgRandomSource source{5};
    RandomStream random{source};
    test_support::FailingFileSystem files;
    FileWorkingCopy workingCopy{folder.path() / "temp.pac", files};
    RunCommands commands{model,
                         {ui, testing::testFiles(), pump, timers, random, testing::testThreads()},
                         workingCopy};
    std::string conditionFile;
};

constexpr std::uint64_t kResultsStart = 100 * 200;

TEST(RunRecordFaults, a_full_disk_keeps_the_records_that_reached_it_and_record_99_counts_them) {
    ZELKORA_NEEDS_FILE_SIZE_LIMIT();
    FileRun whole;
    whole.play(0);
    const std::string full = whole.bytes();
    const std::int32_t records = whole.model.window.resultRecordCounter;
    // Enough records that the buffered writes reach the file several times during the run.
    ASSERT_GT(records, 1400);
    ASSERT_EQ(full.size(), kResultsStart + static_cast<std::size_t>(records) * 200);

    // Limits inside the first record, mid-buffer, at a buffer's end, later, and inside the last
    // record, whose failure shows only when the run's end writes the buffer out.
    for (const std::uint64_t limit :
         {kResultsStart + 50, kResultsStart + 300 * 200 + 7, kResultsStart + 655 * 200,
          kResultsStart + 1000 * 200 + 150, static_cast<std::uint64_t>(full.size() - 1)}) {
        SCOPED_TRACE(limit);
        FileRun run;
        run.play(limit);
        const auto kept = static_cast<std::int32_t>(limit / 200 - 100);
        const std::string bytes = run.bytes();
        ASSERT_EQ(bytes.size(), limit) << "the disk took all it could";

        const std::string failure = keptMessage("ファイルが大きすぎます。", kept);
        if (limit == full.size() - 1) {
            EXPECT_THAT(test_support::messageTexts(run.ui),
                        ElementsAre(std::string(kRunEndMessage), failure));
        } else {
            EXPECT_THAT(test_support::messageTexts(run.ui), ElementsAre(failure));
        }
        EXPECT_EQ(run.model.window.resultRecordCounter, kept);
        EXPECT_EQ(run.model.grids.grid1.rowCount(), kept + 1);
        const std::size_t keptEnd = kResultsStart + static_cast<std::size_t>(kept) * 200;
        EXPECT_EQ(bytes.substr(kResultsStart, keptEnd - kResultsStart),
                  full.substr(kResultsStart, keptEnd - kResultsStart));

        // Opened again, the working copy says so and rebuilds exactly those records.
        MainWindowModel reopened;
        reopened.programFolder = run.folder.path();
        グリッド見出し設定(reopened.grids);
        testing::RecordingUserInterface ui;
        ui.answer = MessageResult::Yes;
        ASSERT_TRUE(IndPreset(reopened, ui).ok());
        EXPECT_EQ(reopened.window.resultRecordCounter, kept);
        const Result<RebuildOutcome> rebuilt =
            検証データ再構築(reopened, {ui, testing::testFiles(), run.pump, run.timers, run.random,
                                        testing::testThreads()});
        ASSERT_TRUE(rebuilt.ok());
        EXPECT_EQ(rebuilt.value(), kept > 0 ? RebuildOutcome::Rebuilt : RebuildOutcome::NoRecords);
        EXPECT_EQ(reopened.grids.grid1.rowCount(), kept > 0 ? kept + 1 : 1);
    }
}

TEST(RunRecordFaults, a_disk_too_full_for_the_conditions_leaves_the_working_copy_as_it_was) {
    ZELKORA_NEEDS_FILE_SIZE_LIMIT();
    FileRun run;
    run.play(kResultsStart - 1);
    EXPECT_THAT(test_support::messageTexts(run.ui),
                ElementsAre("作業ファイルに書き込めません。ファイルが大きすぎます。"
                            "検証を開始できませんでした。作業ファイルは変更されていません。"));
    EXPECT_EQ(run.bytes(), run.conditionFile);
    EXPECT_FALSE(fs::exists(temporaryCopyPath(run.model.workingCopyPath())));
    EXPECT_EQ(run.model.window.running, 0);
    EXPECT_TRUE(run.model.commands.enabled(Menu::MK_Start));
}

TEST(RunStartFaults, a_damaged_working_copy_is_reported_and_left_alone) {
    FileRun run;
    std::string damaged = run.conditionFile;
    damaged[99 * 200] = '\xFF'; // record 100 claims more text than a record holds
    damaged[99 * 200 + 1] = '\xFF';
    test_support::writeBytes(run.model.workingCopyPath(), damaged);

    run.play(0);

    EXPECT_THAT(test_support::messageTexts(run.ui),
                ElementsAre("作業ファイルの記録 100 が壊れています。検証を開始できませんでした。"
                            "作業ファイルは変更されていません。"));
    EXPECT_EQ(run.bytes(), damaged);
    EXPECT_TRUE(run.files.calls.empty());
    EXPECT_EQ(run.model.window.running, 0);
    EXPECT_TRUE(run.model.commands.enabled(Menu::MK_Start));
}

TEST(RunStartFaults, conditions_refused_after_the_reload_leave_the_working_copy_alone) {
    testing::RunHarness run;
    applyConditions(run.model, run.conditions);
    run.model.commands.apply(Availability::VerificationLoaded);
    // The working copy no longer holds what the window shows: its exchange rate is 0.
    run.workingCopy.stored = run.conditions;
    run.workingCopy.stored.basic.at(basicColumnIndex(Field::条件_両替率)) = "0";
    run.commands.MK_Start();

    EXPECT_THAT(test_support::messageTexts(run.ui),
                ElementsAre("両替率が0以下のため、検証を開始できません。条件を確認してください。"));
    EXPECT_EQ(run.workingCopy.recreations, 0);
    EXPECT_FALSE(run.workingCopy.summary);
    EXPECT_EQ(run.field(Field::条件_両替率), "0") << "the window shows what the file holds";
    EXPECT_EQ(run.model.window.running, 0);
    EXPECT_TRUE(run.model.commands.enabled(Menu::MK_Start));
    EXPECT_EQ(run.model.runArea.timer3Enabled, true);
}

} // namespace
} // namespace zelkora
