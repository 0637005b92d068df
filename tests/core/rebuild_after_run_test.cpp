#include "commands/file_commands.h"
#include "commands/open_reload.h"
#include "engine/run_engine.h"
#include "file_test_support.h"
#include "files/condition_file_writer.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "files/utf8_path.h"
#include "files/working_copy_file.h"
#include "platform/pcg_random_source.h"
#include "results/grids_and_charts.h"
#include "results/ind_preset.h"
#include "results/rebuild.h"
#include "test_platform.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

using test_support::dialogsTitled;
using test_support::ScratchFolder;

// The program's generator, seeded when a test plays.
class SeededSource : public RandomSource {
public:
    void seed(std::uint64_t value) { generator_ = std::make_unique<PcgRandomSource>(value); }
    void fill(std::span<float> values) override { generator_->fill(values); }

private:
    std::unique_ptr<PcgRandomSource> generator_ = std::make_unique<PcgRandomSource>(0);
};

// A sample played for a few days with a fixed seed, in a program folder of its own.
class PlayedVerification : public ::testing::Test {
protected:
    void play(std::size_t sampleIndex, const char* days, std::uint64_t seed) {
        SampleDefinition sample = sampleDefinitions()[sampleIndex];
        for (auto& [field, text] : sample.conditions) {
            if (field == Field::条件_何日分) {
                text = days;
            }
        }
        model.programFolder = folder.path();
        ASSERT_TRUE(writeConditionFile(model.workingCopyPath(), sample).ok());
        ASSERT_TRUE(IndPreset(model, ui).ok());
        グリッド見出し設定(model.grids);
        model.commands.apply(Availability::VerificationLoaded);
        source.seed(seed);
        engine = std::make_unique<RunEngine>(
            model,
            PlatformSeams{ui, testing::testFiles(), pump, timers, random, testing::testThreads()},
            workingCopy);
        ASSERT_TRUE(engine->MK_Start().ok());
    }

    ScratchFolder folder;
    MainWindowModel model;
    testing::RecordingUserInterface ui;
    testing::CallbackEventPump pump;
    testing::FixedRunTimers timers{777, 3};
    SeededSource source;
    RandomStream random{source};
    FileWorkingCopy workingCopy{folder.path() / "temp.pac"};
    std::unique_ptr<RunEngine> engine;
};

// The figures a rebuild must show as the run did. First hits, 確変 and 時短 entries and the
// streak shares are derived from the stored 状態 fields and may differ.
constexpr std::array kAgreeingFigures{
    Field::総回転数表示, Field::総大当り数表示, Field::収支表示F,        Field::平均収支表示,
    Field::勝数表示,     Field::負け数表示,     Field::勝率表示,         Field::確率表示,
    Field::持ち玉比率,   Field::最大はまり表示, Field::c日合計_積算収支F};

struct Played {
    std::size_t sample;
    const char* days;
    std::uint64_t seed;
};

class RebuildAfterRunTest : public PlayedVerification,
                            public ::testing::WithParamInterface<Played> {};

TEST_P(RebuildAfterRunTest, open_and_yes_show_the_figures_the_run_showed) {
    play(GetParam().sample, GetParam().days, GetParam().seed);
    ASSERT_GT(model.window.resultRecordCounter, 0);
    std::vector<std::string> shown;
    for (Field field : kAgreeingFigures) {
        shown.push_back(model.fields.text(field));
    }
    const GridTable runGrid1 = model.grids.grid1;
    const GridTable runGrid3 = model.grids.grid3;

    // Save As, then Open the saved file and answer the rebuild's question with Yes.
    LocalFileSystem files;
    const PlatformSeams seams{ui, files, pump, timers, random, testing::testThreads()};
    ConditionWizard wizard(model, seams);
    FileCommands commands(model, seams, wizard);
    ui.dialogAnswer = utf8FromPath(folder.path() / "played.pac");
    ui.answer = MessageResult::Yes;
    commands.MF_NewSave();
    commands.MF_Open();
    ASSERT_TRUE(ui.showed("条件、絵柄データはロードされました。　大当りデータが　" +
                          std::to_string(model.window.resultRecordCounter) +
                          "件あります。ロードして検証データを再構築しますか？"));

    for (std::size_t index = 0; index < kAgreeingFigures.size(); ++index) {
        EXPECT_EQ(model.fields.text(kAgreeingFigures[index]), shown[index])
            << fieldName(kAgreeingFigures[index]);
    }
    ASSERT_EQ(model.grids.grid1.rowCount(), runGrid1.rowCount());
    ASSERT_EQ(model.grids.grid3.rowCount(), runGrid3.rowCount());
    for (int row = 1; row < runGrid1.rowCount(); ++row) {
        for (int column = 0; column < 11; ++column) {
            ASSERT_EQ(model.grids.grid1.cell(row, column), runGrid1.cell(row, column))
                << "Grid1 row " << row << " column " << column;
        }
    }
    for (int row = 1; row < runGrid3.rowCount(); ++row) {
        for (int column = 0; column < runGrid3.columnCount(); ++column) {
            EXPECT_EQ(model.grids.grid3.cell(row, column), runGrid3.cell(row, column))
                << "Grid3 row " << row << " column " << column;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(seeded_runs, RebuildAfterRunTest,
                         ::testing::Values(Played{0, "6", 11}, Played{1, "4", 12},
                                           Played{2, "3", 13}, Played{3, "5", 14},
                                           Played{4, "8", 15}));

// The balance chart of a run, cancelled or played out, is the one its rebuild draws.
TEST_F(PlayedVerification, the_balance_chart_of_a_cancelled_run_is_the_rebuilds) {
    pump.callAfter(5000, [&] { engine->MK_Cancel(); });
    play(0, "50", 22);
    ASSERT_TRUE(model.window.cancelled);
    const ChartData live = model.charts.chart2;
    ASSERT_GT(live.rowCount(), 1);

    MainWindowModel reopened;
    reopened.programFolder = model.programFolder;
    グリッド見出し設定(reopened.grids);
    ui.answer = MessageResult::Yes;
    ASSERT_EQ(reloadOpenedVerification(reopened, {ui, testing::testFiles(), pump, timers, random,
                                                  testing::testThreads()})
                  .value(),
              RebuildOutcome::Rebuilt);
    const ChartData& rebuilt = reopened.charts.chart2;
    ASSERT_EQ(rebuilt.rowCount(), live.rowCount());
    for (int row = 1; row <= live.rowCount(); ++row) {
        EXPECT_EQ(rebuilt.label(row), live.label(row)) << "row " << row;
        EXPECT_EQ(rebuilt.value(row, 1), live.value(row, 1)) << "row " << row;
    }
}

TEST_F(PlayedVerification, exit_during_a_run_lets_the_run_write_its_last_records_first) {
    test_support::FailingFileSystem files;
    testing::RecordingUserInterface fileUi;
    const PlatformSeams seams{fileUi, files, pump, timers, random, testing::testThreads()};
    ConditionWizard wizard(model, seams);
    FileCommands commands(model, seams, wizard);
    UnloadOutcome during = UnloadOutcome::Ends;
    pump.callAfter(5000, [&] {
        during = commands.unload();
        if (during == UnloadOutcome::AfterRunEnds) {
            engine->MK_Cancel(); // as the document does for the window's close
        }
    });
    play(0, "50", 21);

    EXPECT_EQ(during, UnloadOutcome::AfterRunEnds);
    EXPECT_EQ(model.window.running, 0);
    RecordFile file(kVerificationRecordLength);
    ASSERT_TRUE(file.open(model.workingCopyPath()).ok());
    const Result<RunSummary> summary = parseRunSummaryRecord(file.read(kRunSummaryRecord)->text);
    ASSERT_TRUE(summary.ok());
    EXPECT_EQ(summary->resultCount, model.window.resultRecordCounter);
    const ResultRecord last =
        parseResultRecord(file.read(kFirstResultRecord + summary->resultCount - 1)->text);
    EXPECT_EQ(last.columns[6], "キャンセル");
    ASSERT_TRUE(file.close().ok());

    EXPECT_EQ(commands.unload(), UnloadOutcome::Ends); // the save dialog is cancelled
    EXPECT_EQ(dialogsTitled(fileUi, "ファイルを保存").size(), 1U);
}

} // namespace
} // namespace zelkora
