#include "files/condition_file_writer.h"
#include "files/sample_definitions.h"
#include "window_fixture.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTableView>
#include <QTimer>

namespace zelkora::testing {
namespace {

// A verification of many days, so a run lasts long enough to be cancelled.
std::filesystem::path writeLong(const TempFolder& folder) {
    SampleDefinition verification = sampleDefinitions().front();
    for (auto& [field, value] : verification.conditions) {
        if (field == Field::条件_何日分) {
            value = "10000";
        }
    }
    std::filesystem::path file = folder.file("long.pac");
    EXPECT_TRUE(writeConditionFile(file, verification).ok());
    return file;
}

int rows(const QTableView* grid) {
    return grid->model()->rowCount();
}

using Runs = WindowTest;
using Files = WindowTest;

TEST_F(Runs, a_run_started_from_the_menu_ends_with_the_end_message) {
    open(sample("甘デジ99次まで時短"), MessageResult::No);
    ui.messages.clear();
    bool runAreaShown = false;
    QTimer::singleShot(0, window.get(), [&] {
        runAreaShown = control("Picture3")->isVisible() && !control("EXP")->isVisible() &&
                       text("action表示") == "検証中.....";
    });
    trigger(Menu::MK_Start);

    EXPECT_TRUE(runAreaShown);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, "検証は終了しました。お疲れ様でした。");
    EXPECT_EQ(ui.messages.back().title, "検証終了");
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_FALSE(control("Picture3")->isVisible());
    EXPECT_TRUE(control("EXP")->isVisible());
    EXPECT_EQ(text("action表示"), "");
    // Every result record is a row of Grid1; every day a row of Grid3.
    EXPECT_EQ(rows(control<QTableView>("Grid1")), model.window.resultRecordCounter);
    EXPECT_EQ(rows(control<QTableView>("Grid3")), std::stoi(text("c日合計_日目")));
    // A figure on a hidden panel is shown once its panel is.
    window->showPanel(1);
    EXPECT_EQ(text("総回転数表示"), model.fields.text(Field::総回転数表示));
    EXPECT_TRUE(model.window.unsaved);
}

// The end message stands over the final figures: the last day, every day's row and point, and
// the run's commands given back.
TEST_F(Runs, the_end_message_stands_over_the_final_figures) {
    open(sample("甘デジ99次まで時短"), MessageResult::No);
    ui.messages.clear();
    window->showPanel(7);
    std::string dayShown;
    int daysShown = 0;
    int pointsShown = 0;
    bool cancelEnabled = true;
    bool runAreaShown = true;
    ui.onMessage = [&](const Message& message) {
        if (message.text != "検証は終了しました。お疲れ様でした。") {
            return;
        }
        dayShown = text("c日合計_日目");
        daysShown = rows(control<QTableView>("Grid3"));
        auto* balance = control<QChartView>("MSChart2");
        pointsShown =
            static_cast<int>(qobject_cast<QLineSeries*>(balance->chart()->series().at(0))->count());
        cancelEnabled = menu(Menu::MK_Cancel)->isEnabled();
        runAreaShown = control("Picture3")->isVisible();
    };
    trigger(Menu::MK_Start);

    const std::string days = model.fields.text(Field::条件_何日分);
    EXPECT_EQ(dayShown, days);
    EXPECT_EQ(daysShown, std::stoi(days));
    EXPECT_EQ(pointsShown, std::stoi(days)) << "the live chart holds the last day too";
    EXPECT_FALSE(cancelEnabled);
    EXPECT_FALSE(runAreaShown);
}

// While the rebuild question is asked, the window already shows the conditions it names.
TEST_F(Files, the_rebuild_question_stands_over_the_new_conditions) {
    std::string probabilityShown;
    bool conditionPanelShown = false;
    ui.onMessage = [&](const Message& message) {
        if (message.title == "ロードの確認") {
            probabilityShown = text("条件_確率");
            conditionPanelShown = control("Picture_基本条件")->isVisible();
        }
    };
    open(sample("定番確変315"), MessageResult::No);
    EXPECT_EQ(probabilityShown, "315");
    EXPECT_TRUE(conditionPanelShown);
}

TEST_F(Runs, a_run_cancelled_from_the_toolbar_says_so_and_writes_the_cancel_record) {
    open(writeLong(folder), MessageResult::No);
    ui.messages.clear();
    QTimer::singleShot(0, window.get(), [&] { button(12)->trigger(); });
    trigger(Menu::MK_Start);

    EXPECT_TRUE(showed("検証はキャンセルされました。お疲れ様でした。"));
    EXPECT_FALSE(showed("検証は終了しました。お疲れ様でした。"));
    auto* grid1 = control<QTableView>("Grid1");
    ASSERT_GT(rows(grid1), 0);
    EXPECT_EQ(grid1->model()->index(rows(grid1) - 1, 6).data().toString().toStdString(),
              "キャンセル");
    EXPECT_LT(std::stoi(text("c日合計_日目")), 10000);
    EXPECT_TRUE(menu(Menu::MK_Start)->isEnabled());
}

TEST_F(Files, opening_a_saved_run_answered_yes_fills_the_grids_and_charts) {
    open(sample("定番確変315"), MessageResult::Yes);

    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].title, "ロードの確認");
    EXPECT_EQ(window->windowTitle().toStdString(), "ゼルコラ... 定番確変315.pac");
    EXPECT_EQ(text("EXP"), "定番確変315");
    EXPECT_TRUE(control("Picture_基本条件")->isVisible());
    EXPECT_EQ(text("条件_確率"), "315");
    EXPECT_EQ(rows(control<QTableView>("Grid1")), model.window.resultRecordCounter);
    EXPECT_EQ(rows(control<QTableView>("Grid3")), 60);
    EXPECT_EQ(rows(control<QTableView>("Grid2")), 8);
    EXPECT_NE(text("総回転数表示"), "0");

    window->showPanel(7);
    auto* balance = control<QChartView>("MSChart2");
    auto* line = qobject_cast<QLineSeries*>(balance->chart()->series().at(0));
    EXPECT_EQ(line->count(), model.charts.chart2.rowCount());
    EXPECT_GT(line->count(), 50);
    EXPECT_EQ(balance->chart()->title().toStdString(), "日別積算収支のグラフ");

    window->showPanel(8);
    auto* symbols = control<QChartView>("MSChart1");
    auto* bars = qobject_cast<QBarSeries*>(symbols->chart()->series().at(0));
    EXPECT_EQ(bars->barSets().at(0)->count(), 8);

    window->showPanel(4);
    auto* transition = control<QChartView>("MSChart5");
    EXPECT_EQ(transition->chart()->series().size(), 2);
    EXPECT_EQ(qobject_cast<QLineSeries*>(transition->chart()->series().at(1))->count(),
              model.charts.chart5.rowCount());
}

TEST_F(Files, a_file_that_cannot_be_loaded_leaves_the_window_as_it_was) {
    open(sample("定番確変315"), MessageResult::No);
    const QString caption = window->windowTitle();
    const std::uintmax_t heldBytes = std::filesystem::file_size(model.workingCopyPath());
    const std::filesystem::path damaged = sample("甘デジ99次まで時短");
    std::filesystem::resize_file(damaged, 1000);
    ui.messages.clear();
    open(damaged, MessageResult::No);

    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_NE(ui.messages[0].text.find("編集中の検証はそのままです。"), std::string::npos);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(text("条件_確率"), "315");
    EXPECT_TRUE(menu(Menu::MK_Start)->isEnabled());
    EXPECT_TRUE(menu(Menu::MF_OverSave)->isEnabled());
    EXPECT_EQ(std::filesystem::file_size(model.workingCopyPath()), heldBytes);
}

TEST_F(Files, exit_with_unsaved_changes_shows_the_save_dialog_and_cancel_ends_without_saving) {
    open(sample("甘デジ99次まで時短"), MessageResult::No);
    trigger(Menu::MK_Start);
    ui.dialogs.clear();
    ui.dialogAnswer.reset();
    trigger(Menu::Mf_End);

    ASSERT_EQ(ui.dialogs.size(), 1U);
    EXPECT_EQ(ui.dialogs[0].title, "ファイルを保存");
    EXPECT_EQ(ui.dialogs[0].presetName, "甘デジ99次まで時短.pac");
    EXPECT_TRUE(ui.dialogs[0].overwritePrompt);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(std::filesystem::exists(model.workingCopyPath()));
}

TEST_F(Files, closing_during_a_run_cancels_it_and_closes_once_it_has_wound_down) {
    open(writeLong(folder), MessageResult::No);
    ui.dialogAnswer.reset();
    QTimer::singleShot(0, window.get(), [&] { window->close(); });
    trigger(Menu::MK_Start);

    EXPECT_TRUE(showed("検証はキャンセルされました。お疲れ様でした。"));
    // The run has written its summary, then the close came again and offered the save.
    ASSERT_FALSE(ui.dialogs.empty());
    EXPECT_EQ(ui.dialogs.back().title, "ファイルを保存");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Files, save_as_names_the_file_and_the_caption) {
    open(sample("甘デジ99次まで時短"), MessageResult::No);
    const std::filesystem::path target = folder.file("data") / "保存先.pac";
    ui.dialogAnswer = target.string();
    trigger(Menu::MF_NewSave);
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(window->windowTitle().toStdString(), "ゼルコラ... 保存先.pac");
}

} // namespace
} // namespace zelkora::testing
