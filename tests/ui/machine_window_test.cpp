#include "analysis/analysis_texts.h"
#include "analysis_desk.h"
#include "analysis_dialog.h"
#include "commands/file_dialogs.h"
#include "commands/machine_run.h"
#include "files/utf8_path.h"
#include "machine_runner.h"
#include "machine_theory_view.h"
#include "machines/machine_theory.h"
#include "text_table_view.h"
#include "theory_panel.h"
#include "window_fixture.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace zelkora::testing {
namespace {

std::filesystem::path machineSample(const char* name) {
    return pathFromUtf8(std::string(ZELKORA_SAMPLES_DIR) + "/machines/" + name + ".json");
}

// zelkora-run on a machine file, as JSON.
nlohmann::json runnerJson(const std::vector<std::string>& arguments) {
    std::vector<std::string_view> views(arguments.begin(), arguments.end());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::runMachine(views, out, err), 0) << err.str();
    return nlohmann::json::parse(out.str());
}

std::string cell(const ui::TextTableView* view, std::string_view name) {
    for (const std::vector<std::string>& row : view->table().rows) {
        if (row[0] == name) {
            return row[1];
        }
    }
    ADD_FAILURE() << "no row " << name;
    return {};
}

class MachineWindow : public WindowTest {
protected:
    double number(Field field) const { return model.fields.number(field); }
    void showTheory() const {
        control<QPushButton>("Command_理論値")->click();
        QApplication::processEvents();
    }
};

// The window's seed is the one its status bar names; the runner given it plays the same
// campaign, figure for figure.
TEST_F(MachineWindow, a_run_equals_the_runners_for_the_seed_the_window_names) {
    for (const char* name : {"星海ST199", "月光タイム319"}) {
        const std::filesystem::path file = machineSample(name);
        ui.messages.clear();
        open(file);
        trigger(Menu::MK_Start);

        EXPECT_TRUE(showed("検証は終了しました。お疲れ様でした。")) << name;
        const std::uint64_t seed = window->document().lastMachineSeed();
        EXPECT_EQ(statusPanel1(), machineSeedText(seed)) << name;
        const nlohmann::json runner =
            runnerJson({utf8FromPath(file), "--seed", std::to_string(seed), "--json"});
        EXPECT_EQ(number(Field::初当たり数表示), runner["first_hits"].get<double>()) << name;
        EXPECT_EQ(number(Field::総大当り数表示), runner["big_hits"].get<double>()) << name;
        EXPECT_EQ(number(Field::総回転数表示), runner["normal_spins"].get<double>()) << name;
        EXPECT_EQ(number(Field::総時短回転数表示), runner["support_spins"].get<double>()) << name;
        EXPECT_EQ(number(Field::収支表示F), runner["balance_yen"].get<double>()) << name;
        EXPECT_EQ(number(Field::勝数表示) + number(Field::負け数表示), runner["days"].get<double>())
            << name;
        // The panels show it: the overall box, a day row per day, a big-hit row per hit.
        control<QPushButton>("Command_総合データ")->click();
        QApplication::processEvents();
        EXPECT_EQ(text("総大当り数表示"), std::to_string(runner["big_hits"].get<int>())) << name;
        EXPECT_EQ(model.grids.grid3.rowCount(), runner["days"].get<int>() + 1) << name;
        EXPECT_EQ(model.grids.grid1.rowCount(), runner["big_hits"].get<int>() + 1) << name;
        EXPECT_GT(window->pump().calls(), 0U) << name;
    }
}

TEST_F(MachineWindow, a_bad_machine_file_keeps_the_open_verification) {
    open(sample("定番確変315"), MessageResult::No);
    const QString caption = window->windowTitle();
    const std::string name = text("条件_名前");
    const std::filesystem::path bad = folder.file("data") / "壊れた機種.json";
    std::ofstream(bad, std::ios::binary) << R"({"format": "zelkora-machine-verification",)";
    ui.messages.clear();
    open(bad);

    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_NE(ui.messages[0].text.find("壊れた機種.json"), std::string::npos);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(text("条件_名前"), name);
    EXPECT_TRUE(menu(Menu::MF_OverSave)->isEnabled());
    EXPECT_TRUE(menu(Menu::MC_Base)->isEnabled());
}

TEST_F(MachineWindow, commands_that_edit_or_save_a_pac_wait_for_one) {
    open(machineSample("紅蓮ループ319"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("ゼルコラ... 紅蓮ループ319.json"));
    EXPECT_NE(statusPanel1().find("紅蓮ループ319"), std::string::npos);
    for (Menu entry : {Menu::MF_OverSave, Menu::MF_NewSave, Menu::MC_Base, Menu::MC_Pic}) {
        EXPECT_FALSE(menu(entry)->isEnabled()) << menuName(entry);
    }
    for (int index : {4, 5, 7, 8, 9}) {
        EXPECT_FALSE(button(index)->isEnabled()) << index;
    }
    EXPECT_TRUE(menu(Menu::MK_Start)->isEnabled());
    EXPECT_TRUE(button(11)->isEnabled());
    EXPECT_TRUE(window->desk().trialsAction()->isEnabled());
    EXPECT_FALSE(window->desk().compareAction()->isEnabled());
    EXPECT_NE(window->desk().compareAction()->statusTip().indexOf(QStringLiteral("機種ファイル")),
              -1);

    open(sample("定番確変315"), MessageResult::No);
    for (Menu entry : {Menu::MF_OverSave, Menu::MF_NewSave, Menu::MC_Base, Menu::MC_Pic}) {
        EXPECT_TRUE(menu(entry)->isEnabled()) << menuName(entry);
    }
    EXPECT_TRUE(window->desk().compareAction()->isEnabled());
}

TEST_F(MachineWindow, the_theory_panel_shows_the_machines_theory_and_follows_the_share) {
    open(machineSample("星海ST199"));
    showTheory();
    auto* stack = control<QStackedWidget>("理論値_表示");
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->currentWidget(), static_cast<QWidget*>(&window->machineTheory()));
    const auto* figures = control<ui::TextTableView>("Grid_機種理論値");
    const auto theory = machines::machineTheory(window->document().machine()->verification, 0);
    ASSERT_TRUE(theory.ok());
    EXPECT_EQ(cell(figures, "初当り確率"),
              "1/" + figureText(theory.value().chain.normalSpinsPerFirstHit, 2));
    ASSERT_FALSE(theory.value().chain.continuations.empty());
    const machines::EntryContinuation& first = theory.value().chain.continuations[0];
    EXPECT_EQ(
        cell(figures, "継続率（" + first.state + "（" + std::to_string(first.spins) + "回転））"),
        figureText(first.continuation * 100, 2) + "%");
    EXPECT_EQ(control<ui::TextTableView>("Grid_機種ボーダー")->table().rows.size(),
              kTableExchangeRates.size());

    auto* share = control<QDoubleSpinBox>("機種理論_持ち玉比率");
    share->setValue(50);
    QApplication::processEvents();
    const auto half = machines::machineTheory(window->document().machine()->verification, 0.5);
    EXPECT_EQ(cell(figures, "ボーダー（持ち玉比率 50.0%）"),
              figureText(half.value().mixed.border, 2) + " 回転/1000円");

    open(sample("定番確変315"), MessageResult::No);
    showTheory();
    EXPECT_EQ(stack->currentWidget(), static_cast<QWidget*>(window->desk().theoryPanel()));
}

TEST_F(MachineWindow, trials_of_a_machine_equal_the_runners_trials) {
    const std::filesystem::path file = machineSample("雷神RUSH199");
    open(file);
    window->desk().trialsAction()->trigger();
    ui::AnalysisDialog* dialog = window->desk().dialog();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>(QStringLiteral("多数回_試行回数"))->setText("30");
    dialog->findChild<QLineEdit*>(QStringLiteral("多数回_シード"))->setText("5");
    dialog->findChild<QLineEdit*>(QStringLiteral("多数回_スレッド数"))->setText("2");
    dialog->findChild<QPushButton*>(QStringLiteral("多数回_開始"))->click();
    QApplication::processEvents();

    const nlohmann::json runner = runnerJson(
        {utf8FromPath(file), "--trials", "30", "--seed", "5", "--threads", "2", "--json"});
    EXPECT_EQ(cell(control<ui::TextTableView>("Grid4"), "最終収支の平均（円）"),
              figureText(runner["final_balance"]["mean"].get<double>(), 0));
    EXPECT_EQ(control<QLabel>("多数回検証_見出し")->text().toStdString(),
              "検証 雷神RUSH199.json・試行 30 回・シード 5");
}

} // namespace
} // namespace zelkora::testing
