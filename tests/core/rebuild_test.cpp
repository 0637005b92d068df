#include "commands/open_reload.h"
#include "file_test_support.h"
#include "files/condition_file_writer.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "results/ind_preset.h"
#include "results/statistics.h"
#include "test_platform.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

using test_support::ScratchFolder;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

using Columns = std::array<std::string, kRecordColumnCount>;

// Two days of the classic sample (1 in 315, 28 balls per 100 yen; symbols "1", "3" 確変,
// "2" 通常 with 時短 100):
// day 1: a first hit after 300 spins for 11000 yen, two 確変 hits, a day end that exchanges
//        6300 balls (22500 yen): day balance +11500, won;
// day 2: 500 spins for 20000 yen and a money bust: lost; cumulative 22500 - 31000 = -8500.
const std::vector<Columns> kTwoDays{
    {"1", "300", "0", "11000", "した", "1", "交換", "通常", "2100", "0", "1"},
    {"1", "20", "0", "0", "した", "3", "交換", "確変", "4200", "0", "2"},
    {"1", "50", "0", "0", "した", "2", "交換", "確変", "6300", "0", "3"},
    {"1", "400", "100", "0", "--", "--", "回転数終了", "--", "0", "6300", "3"},
    {"2", "500", "0", "20000", "--", "--", "持金パンク", "--", "0", "0", "1"},
};

class RebuildTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.programFolder = folder.path();
        ui.answer = MessageResult::Yes;
    }

    void writeWorkingCopy(const std::vector<Columns>& results, std::int32_t count,
                          const std::string& ratio = "12.5") {
        ASSERT_TRUE(writeConditionFile(model.workingCopyPath(), sampleDefinitions()[0]).ok());
        RecordFile file(kVerificationRecordLength);
        ASSERT_TRUE(file.open(model.workingCopyPath()).ok());
        int record = kFirstResultRecord;
        for (const Columns& columns : results) {
            ResultRecord result;
            result.columns = columns;
            ASSERT_TRUE(file.write(record++, buildResultRecord(result)).ok());
        }
        ASSERT_TRUE(file.write(kRunSummaryRecord, buildRunSummaryRecord({count, ratio})).ok());
        ASSERT_TRUE(file.close().ok());
    }
    std::string text(Field field) const { return model.fields.text(field); }

    ScratchFolder folder;
    MainWindowModel model;
    testing::RecordingUserInterface ui;
    testing::CallbackEventPump pump;
    testing::FixedRunTimers timers{1000, 0};
    testing::ScriptedRandomSource random;
    RandomStream stream{random};
};

// With a count that 100 does not divide, every record still shows the whole percent of the
// records before it (each yield sees the progress of the record before), whatever steps the
// display takes between two changes.
TEST_F(RebuildTest, progress_shows_the_whole_percent_before_every_record) {
    constexpr std::int32_t kRecords = 257;
    std::vector<Columns> days;
    for (std::int32_t day = 1; day <= kRecords; ++day) {
        days.push_back(
            {std::to_string(day), "10", "0", "500", "--", "--", "回転数終了", "--", "0", "0", "1"});
    }
    writeWorkingCopy(days, kRecords);
    std::vector<std::string> progress;
    pump.onYield = [&](std::int64_t) {
        progress.push_back(text(Field::action表示));
    };
    EXPECT_EQ(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::Rebuilt);
    ASSERT_EQ(progress.size(), static_cast<std::size_t>(kRecords));
    for (std::int32_t record = 1; record < kRecords; ++record) {
        const auto percent = static_cast<int>((record - 1) * 100 / kRecords);
        EXPECT_EQ(progress[static_cast<std::size_t>(record)],
                  "Loading..." + std::to_string(percent) + "%")
            << record;
    }
}

TEST_F(RebuildTest, zero_records_ask_nothing_and_leave_the_charts_cleared) {
    writeWorkingCopy({}, 0);
    model.charts.chart5.setRowCount(4);
    EXPECT_EQ(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::NoRecords);
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_EQ(model.charts.chart5.rowCount(), 1);
    EXPECT_EQ(random.draws, 0);
}

TEST_F(RebuildTest, no_leaves_every_figure_at_zero_with_the_conditions_loaded) {
    writeWorkingCopy(kTwoDays, 5);
    ui.answer = MessageResult::No;
    EXPECT_EQ(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::Declined);

    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].text, "条件、絵柄データはロードされました。　大当りデータが　5件あり"
                                   "ます。ロードして検証データを再構築しますか？");
    EXPECT_EQ(ui.messages[0].title, "ロードの確認");
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Question);
    for (Field field : {Field::総回転数表示, Field::総大当り数表示, Field::勝数表示,
                        Field::収支表示F, Field::最大はまり表示, Field::平均連荘表示}) {
        EXPECT_EQ(text(field), "0") << fieldName(field);
    }
    EXPECT_EQ(text(Field::条件_確率), "315");
    EXPECT_EQ(model.grids.grid1.rowCount(), 1);
    EXPECT_TRUE(model.commands.enabled(Menu::MF_Open));
    EXPECT_EQ(random.draws, 0);
}

TEST_F(RebuildTest, yes_replays_every_record_into_the_figures) {
    writeWorkingCopy(kTwoDays, 5);
    std::vector<std::string> progress;
    pump.onYield = [&](std::int64_t) {
        progress.push_back(text(Field::action表示));
    };
    EXPECT_EQ(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::Rebuilt);

    EXPECT_EQ(text(Field::総回転数表示), "1270");
    EXPECT_EQ(text(Field::初当たり数表示), "1");
    EXPECT_EQ(text(Field::総大当り数表示), "3");
    EXPECT_EQ(text(Field::確変数表示), "2");
    EXPECT_EQ(text(Field::初当り確変数表示), "1");
    EXPECT_EQ(text(Field::総時短数表示), "1");
    EXPECT_EQ(text(Field::初当り時短数表示), "0");
    EXPECT_EQ(text(Field::勝数表示), "1");
    EXPECT_EQ(text(Field::負け数表示), "1");
    EXPECT_EQ(text(Field::勝率表示), "50.");
    EXPECT_EQ(text(Field::収支表示F), "-8500");
    EXPECT_EQ(text(Field::平均収支表示), "-4250"); // Fix(-8500 / 2)
    EXPECT_EQ(text(Field::確率表示), "423.33");
    EXPECT_EQ(text(Field::初当たり確率表示), "1270.");
    EXPECT_EQ(text(Field::最大はまり表示), "300");
    EXPECT_EQ(text(Field::平均連荘表示), "3.");
    EXPECT_EQ(text(Field::確変率表示), "66.67");
    EXPECT_EQ(text(Field::総時短率表示), "33.33");
    EXPECT_EQ(text(Field::持ち玉比率), "12.5");
    EXPECT_EQ(text(Field::総時短回転数表示), "0");
    EXPECT_EQ(model.grids.grid1.rowCount(), 6);
    EXPECT_EQ(model.grids.grid1.cell(4, 6), "回転数終了");
    EXPECT_EQ(model.grids.grid3.rowCount(), 3);

    // Each yield comes before its record's progress, so the first sees the start text and the
    // second the first record's "Loading...0%"; then the window is handed back.
    EXPECT_EQ(progress, (std::vector<std::string>{"Loading....", "Loading...0%", "Loading...20%",
                                                  "Loading...40%", "Loading...60%"}));
    EXPECT_EQ(text(Field::action表示), "");
    EXPECT_EQ(text(Field::StatusBar1_Panel2), "残り");
    EXPECT_TRUE(model.runArea.grid1Visible);
    EXPECT_TRUE(model.runArea.expVisible);
    EXPECT_FALSE(model.runArea.progressBar1Visible);
    EXPECT_TRUE(model.commands.enabled(Menu::Mf_End));
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
}

TEST_F(RebuildTest, yes_stops_timer3_and_takes_exactly_one_draw) {
    writeWorkingCopy(kTwoDays, 5);
    bool lockedWhileReplaying = false;
    pump.onYield = [&](std::int64_t) {
        lockedWhileReplaying = !model.commands.enabled(Menu::Mf_End);
    };
    ASSERT_TRUE(reloadOpenedVerification(
                    model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                    .ok());
    EXPECT_FALSE(timers.countdownEnabled);
    EXPECT_EQ(timers.intervalMilliseconds, 5);
    EXPECT_FALSE(model.runArea.timer3Enabled);
    EXPECT_EQ(random.draws, 1);
    EXPECT_TRUE(lockedWhileReplaying);
}

TEST_F(RebuildTest, fewer_than_ten_first_hits_leave_the_transition_chart_as_it_was) {
    writeWorkingCopy(kTwoDays, 5);
    model.charts.chart5.setRowCount(3);
    model.charts.chart5.setLabel(3, "30");
    // The rebuild alone: Open clears every chart before it asks.
    ASSERT_TRUE(IndPreset(model, ui).ok());
    ASSERT_TRUE(検証データ再構築(
                    model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                    .ok());
    EXPECT_EQ(model.charts.chart5.rowCount(), 3);
    EXPECT_EQ(model.charts.chart5.label(3), "30");
}

TEST_F(RebuildTest, a_bad_number_stops_at_its_record_and_hands_the_window_back) {
    std::vector<Columns> records = kTwoDays;
    records[2][1] = "五十";
    writeWorkingCopy(records, 5);
    EXPECT_EQ(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::Failed);

    ASSERT_EQ(ui.messages.size(), 2U);
    EXPECT_THAT(ui.messages[1].text, HasSubstr("記録 103"));
    EXPECT_THAT(ui.messages[1].text, HasSubstr("五十"));
    EXPECT_EQ(text(Field::総回転数表示), "320"); // the two records before it
    EXPECT_TRUE(model.commands.enabled(Menu::Mf_End));
    EXPECT_TRUE(model.commands.enabled(Menu::MF_Open));
    EXPECT_TRUE(model.runArea.grid1Visible);
    EXPECT_EQ(text(Field::action表示), "");
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
}

TEST_F(RebuildTest, a_symbol_missing_from_the_table_is_reported) {
    std::vector<Columns> records = kTwoDays;
    records[1][5] = "９";
    writeWorkingCopy(records, 5);
    EXPECT_EQ(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::Failed);
    EXPECT_THAT(ui.messages.back().text, HasSubstr("９"));

    // An empty name matches only the table's unused entries, which are no symbols either.
    records[1][5] = "";
    writeWorkingCopy(records, 5);
    EXPECT_EQ(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::Failed);
    EXPECT_THAT(ui.messages.back().text, HasSubstr("記録 102"));
}

TEST_F(RebuildTest, a_count_beyond_the_file_stops_at_the_first_missing_record) {
    for (std::int32_t count : {7, 2000000000}) {
        writeWorkingCopy(kTwoDays, count);
        ui.messages.clear();
        EXPECT_EQ(reloadOpenedVerification(model, {ui, testing::testFiles(), pump, timers, stream,
                                                   testing::testThreads()})
                      .value(),
                  RebuildOutcome::Failed);
        EXPECT_THAT(ui.messages.back().text, HasSubstr("記録 106"));
        EXPECT_LE(model.grids.grid1.rowCount(), 6);
        EXPECT_EQ(text(Field::総回転数表示), "1270");
    }
}

TEST_F(RebuildTest, a_damaged_record_stops_the_rebuild_with_its_number) {
    writeWorkingCopy(kTwoDays, 5);
    std::string bytes = test_support::readBytes(model.workingCopyPath());
    const std::size_t record103 = std::size_t{102} * 200;
    bytes[record103] = '\xFF'; // a length past the record's end
    bytes[record103 + 1] = '\xFF';
    test_support::writeBytes(model.workingCopyPath(), bytes);

    EXPECT_EQ(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::Failed);

    ASSERT_EQ(ui.messages.size(), 2U);
    EXPECT_EQ(ui.messages[1].text, "大当りデータを最後まで読み込めませんでした。作業ファイルの記録 "
                                   "103 が壊れています。　ここまでの検証データを表示しています。");
    EXPECT_EQ(ui.messages[1].title, "確認");
    EXPECT_EQ(ui.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(text(Field::総回転数表示), "320");
    EXPECT_TRUE(model.commands.enabled(Menu::MF_Open));
}

// A run writes a day-end record for every day, so record n belongs to day n at the latest; a
// later or a non-positive day would have the day grid and the balance chart grow a row for
// every day up to it.
TEST_F(RebuildTest, a_day_no_run_could_have_reached_stops_at_its_record) {
    for (const std::string day : {"3", "0", "-1", "2147483647", "9999999999"}) {
        SCOPED_TRACE(day);
        std::vector<Columns> records = kTwoDays;
        records[1][0] = day;
        writeWorkingCopy(records, 5);
        ui.messages.clear();
        EXPECT_EQ(reloadOpenedVerification(model, {ui, testing::testFiles(), pump, timers, stream,
                                                   testing::testThreads()})
                      .value(),
                  RebuildOutcome::Failed);
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text,
                  "大当りデータを最後まで読み込めませんでした。作業ファイルの記録 102 の 1 "
                  "列目「" +
                      day +
                      "」は扱える範囲を超えた数値です。　ここまでの検証データを表示しています。");
        EXPECT_LE(model.grids.grid3.rowCount(), 2);
        EXPECT_LE(model.charts.chart2.rowCount(), 1);
    }
    // The next day right after a day end is fine, even when it comes early in the file.
    std::vector<Columns> records = kTwoDays;
    records[1][0] = "2";
    writeWorkingCopy(records, 5);
    EXPECT_NE(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::Failed);
}

TEST_F(RebuildTest, a_streak_at_the_largest_count_is_taken_and_one_beyond_it_is_reported) {
    std::vector<Columns> records = kTwoDays;
    records[2][10] = "2147483647";
    writeWorkingCopy(records, 5);
    EXPECT_EQ(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::Rebuilt);

    records[2][10] = "2147483648";
    writeWorkingCopy(records, 5);
    ui.messages.clear();
    EXPECT_EQ(reloadOpenedVerification(
                  model, {ui, testing::testFiles(), pump, timers, stream, testing::testThreads()})
                  .value(),
              RebuildOutcome::Failed);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text,
              "大当りデータを最後まで読み込めませんでした。作業ファイルの記録 "
              "103：オーバーフローしました（連荘）。　ここまでの検証データを表示しています。");
}

} // namespace
} // namespace zelkora
