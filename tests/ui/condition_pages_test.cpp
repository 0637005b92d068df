#include "drop_down_list.h"
#include "grid_view.h"
#include "schedule_strip.h"
#include "wizard_fixture.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

namespace zelkora::testing {
namespace {

QColor colourOf(const QWidget* slotBox) {
    return slotBox->palette().color(QPalette::Window);
}

using Page1 = WizardWindowTest;

TEST_F(Page1, new_shows_the_defaults_and_the_main_window_takes_no_input) {
    startNew();

    EXPECT_TRUE(page1()->isVisible());
    EXPECT_EQ(page1()->windowTitle().toStdString(), "基本条件の設定");
    const std::array<const char*, kPage1BoxCount> defaults{
        "新しい検証", "316", "5", "いいえ", "256", "40", "50", "27", "20000", "はい", "500"};
    for (std::size_t index = 0; index < kPage1BoxCount; ++index) {
        EXPECT_EQ(box(static_cast<Page1Box>(index))->text().toStdString(), defaults[index]);
    }
    EXPECT_FALSE(box(Page1Box::リッミター数表示)->isEnabled());
    EXPECT_EQ(dialog(WizardPage::条件T), nullptr);
    EXPECT_EQ(dialog(WizardPage::条件2), nullptr);
    EXPECT_FALSE(mainWindowEnabled());
    EXPECT_FALSE(model.window.unsaved);
    EXPECT_TRUE(ui.messages.empty()) << messagesShown();
}

TEST_F(Page1, a_failed_check_returns_the_focus_to_the_box_with_one_message) {
    startNew();
    typeInto(box(Page1Box::大当り確率表示), QStringLiteral("1"));
    ASSERT_TRUE(ui.messages.empty()); // the box's own focus checked the page before the edit

    click(box(Page1Box::両替率表示));

    ASSERT_EQ(ui.messages.size(), 1U) << messagesShown();
    EXPECT_EQ(ui.messages[0].text, "大当り確率は２以上3000　以下の数値でなければなりません。");
    EXPECT_EQ(ui.messages[0].title, "大当り確率入力エラー");
    EXPECT_EQ(focusedName(), "大当り確率表示");

    // The next move into a box checks again; once the value is mended nothing is said.
    click(box(Page1Box::何日分表示));
    EXPECT_EQ(ui.messages.size(), 2U);
    EXPECT_EQ(focusedName(), "大当り確率表示");
    typeInto(box(Page1Box::大当り確率表示), QStringLiteral("300"));
    click(box(Page1Box::何日分表示));
    EXPECT_EQ(ui.messages.size(), 2U);
    EXPECT_EQ(focusedName(), "何日分表示");
}

TEST_F(Page1, coming_back_to_the_page_window_is_no_move_into_a_box) {
    openSample("定番確変315");
    model.fields.setText(Field::条件_確率, "1"); // as a file may hold it: not checked on load
    trigger(Menu::MC_Base);
    activate(page1());
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &elsewhere; }));
    activate(page1());
    EXPECT_TRUE(ui.messages.empty()) << messagesShown();

    click(box(Page1Box::両替率表示));
    EXPECT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(focusedName(), "大当り確率表示");
}

TEST_F(Page1, next_stops_at_the_investment_unit_and_focuses_it) {
    startNew();
    typeInto(box(Page1Box::投資単位), QStringLiteral("50"));
    click(box(Page1Box::両替率表示)); // 入力chk leaves the unit alone
    EXPECT_TRUE(ui.messages.empty()) << messagesShown();

    clickButton(page1(), "次へ");

    ASSERT_EQ(ui.messages.size(), 1U) << messagesShown();
    EXPECT_EQ(ui.messages[0].title, "投資単位入力エラー");
    EXPECT_EQ(focusedName(), "投資単位");
    EXPECT_EQ(dialog(WizardPage::条件T), nullptr);
    EXPECT_TRUE(page1()->isVisible());
}

TEST_F(Page1, enter_moves_along_the_cycle_and_into_the_limiter_count_after_yes) {
    startNew();
    click(box(Page1Box::検証名表示));
    const std::array<const char*, 9> cycle{"大当り確率表示", "確変倍率表示", "リッミター表示",
                                           "両替率表示",     "何日分表示",   "回転数表示",
                                           "投資上限表示",   "再投資表示",   "検証名表示"};
    for (const char* next : cycle) {
        pressEnter(QApplication::focusWidget());
        EXPECT_EQ(focusedName(), next);
    }

    typeInto(box(Page1Box::リッミター表示), QStringLiteral("はい"));
    EXPECT_FALSE(box(Page1Box::リッミター数表示)->isEnabled());
    pressEnter(box(Page1Box::リッミター表示));
    EXPECT_TRUE(box(Page1Box::リッミター数表示)->isEnabled());
    EXPECT_EQ(focusedName(), "リッミター数表示");
    EXPECT_TRUE(ui.messages.empty()) << messagesShown();
}

TEST_F(Page1, a_pick_in_a_list_fills_its_box_and_the_limiter_list_enables_the_count) {
    startNew();
    auto* limiter = page1()->findChild<ui::DropDownList*>(QStringLiteral("リッミター表示L"));
    ASSERT_NE(limiter, nullptr);
    EXPECT_EQ(limiter->currentText().toStdString(), "いいえ"); // the list follows its box

    limiter->setFocus();
    QTest::keyClick(limiter, Qt::Key_Up); // from いいえ up to はい

    EXPECT_EQ(box(Page1Box::リッミター表示)->text().toStdString(), "はい");
    EXPECT_TRUE(box(Page1Box::リッミター数表示)->isEnabled());
    EXPECT_TRUE(model.window.unsaved);
}

TEST_F(Page1, texts_the_page_sets_are_no_edits) {
    openSample("定番確変315");
    ASSERT_FALSE(model.window.unsaved);
    trigger(Menu::MC_Base);
    ASSERT_NE(page1(), nullptr);
    EXPECT_EQ(box(Page1Box::検証名表示)->text().toStdString(), model.fields.text(Field::条件_名前));
    EXPECT_FALSE(model.window.unsaved); // copying the conditions in is no change

    // A 26th character is cut off by the page and said once.
    activate(page1());
    typeInto(box(Page1Box::検証名表示), QString(26, QChar(u'名')));
    EXPECT_EQ(box(Page1Box::検証名表示)->text(), QString(25, QChar(u'名')));
    ASSERT_EQ(ui.messages.size(), 1U) << messagesShown();
    EXPECT_EQ(ui.messages[0].text, "検証名の文字数は25文字以内です。");
}

using WizardPages = WizardWindowTest;

TEST_F(WizardPages, next_keeps_page_1_hidden_and_back_shows_it_as_it_was_left) {
    startNew();
    typeInto(box(Page1Box::検証名表示), QStringLiteral("戻る検証"));
    ui::WizardDialog* first = page1();

    clickButton(page1(), "次へ");
    ASSERT_NE(page2(), nullptr);
    EXPECT_TRUE(page2()->isVisible());
    EXPECT_EQ(page2()->windowTitle().toStdString(), "時間条件");
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(page1(), first); // still loaded

    clickButton(page2(), "Command_戻る");
    EXPECT_EQ(page2(), nullptr);
    ASSERT_EQ(page1(), first);
    EXPECT_TRUE(page1()->isVisible());
    EXPECT_EQ(box(Page1Box::検証名表示)->text().toStdString(), "戻る検証");
    EXPECT_FALSE(mainWindowEnabled());
}

TEST_F(WizardPages, the_condition_menus_load_the_earlier_pages_hidden) {
    openSample("定番確変315");
    trigger(Menu::MC_Ts);
    ASSERT_NE(page2(), nullptr);
    EXPECT_TRUE(page2()->isVisible());
    ASSERT_NE(page1(), nullptr);
    EXPECT_FALSE(page1()->isVisible());
    EXPECT_EQ(page3(), nullptr);
    clickButton(page2(), "Command_キャンセル");
    EXPECT_EQ(page1(), nullptr);
    EXPECT_TRUE(mainWindowEnabled());

    trigger(Menu::MC_Pic);
    ASSERT_NE(page3(), nullptr);
    EXPECT_TRUE(page3()->isVisible());
    EXPECT_EQ(page3()->windowTitle().toStdString(), "大当り絵柄の詳細設定");
    ASSERT_TRUE(page1() != nullptr && page2() != nullptr);
    EXPECT_FALSE(page1()->isVisible());
    EXPECT_FALSE(page2()->isVisible());
    EXPECT_FALSE(mainWindowEnabled());
}

TEST_F(WizardPages, cancel_or_the_close_button_on_any_page_enables_the_main_window_again) {
    startNew();
    page1()->close();
    EXPECT_EQ(page1(), nullptr);
    EXPECT_TRUE(mainWindowEnabled());
    EXPECT_FALSE(wizard().isOpen());

    openSample("定番確変315");
    trigger(Menu::MC_Pic);
    page3()->close();
    EXPECT_TRUE(page1() == nullptr && page2() == nullptr && page3() == nullptr);
    EXPECT_TRUE(mainWindowEnabled());

    trigger(Menu::MC_Pic);
    clickButton(page3(), "キャンセル");
    EXPECT_TRUE(page1() == nullptr && page2() == nullptr && page3() == nullptr);
    EXPECT_TRUE(mainWindowEnabled());
}

TEST_F(WizardPages, no_command_of_the_main_window_runs_while_a_page_is_open) {
    openSample("甘デジ99次まで時短");
    trigger(Menu::MC_Base);
    ui.messages.clear();

    trigger(Menu::MK_Start); // as a shortcut would
    trigger(Menu::MF_MakeNew);

    EXPECT_TRUE(ui.messages.empty()) << messagesShown();
    EXPECT_EQ(model.window.running, 0);
    EXPECT_FALSE(model.window.unsaved); // a run would have marked it
    EXPECT_TRUE(page1()->isVisible());
}

TEST_F(WizardPages, the_main_window_behind_a_page_writes_no_help_of_its_own) {
    openSample("定番確変315");
    trigger(Menu::MC_Base);
    model.fields.setText(Field::StatusBar1_Panel1, "条件入力画面１");
    window->syncFromModel();

    QWidget* figure = control("Picture_基本条件");
    QTest::mouseMove(figure, QPoint(3, 3));
    QTest::mouseMove(figure, QPoint(4, 3));

    EXPECT_EQ(statusPanel1(), "条件入力画面１");
}

TEST_F(WizardPages, closing_the_main_window_unloads_the_pages) {
    openSample("定番確変315");
    trigger(Menu::MC_Pic); // page 2 marks the verification changed: the exit asks to save
    ui.dialogAnswer.reset();

    window->close();

    EXPECT_EQ(page1(), nullptr);
    EXPECT_EQ(page3(), nullptr);
    EXPECT_FALSE(wizard().isOpen());
}

using Page2 = WizardWindowTest;

TEST_F(Page2, a_bad_time_is_put_back_once_and_the_spins_per_hour_follow) {
    startNew();
    clickButton(page1(), "次へ");
    activate(page2());
    EXPECT_EQ(box(Page2Box::時間回転数表示)->text().toStdString(), "360");

    // "0.1" is typed through "0" and "0.": no word until the box is left.
    typeInto(box(Page2Box::回転時間), QStringLiteral("0.1"));
    EXPECT_TRUE(ui.messages.empty()) << messagesShown();
    EXPECT_EQ(box(Page2Box::回転時間)->text().toStdString(), "0.1");
    EXPECT_EQ(box(Page2Box::時間回転数表示)->text().toStdString(), "36000");

    typeInto(box(Page2Box::回転時間), QStringLiteral("0"));
    EXPECT_TRUE(ui.messages.empty()) << messagesShown();
    click(box(Page2Box::回転時間_比率)); // leaves the box

    ASSERT_EQ(ui.messages.size(), 1U) << messagesShown();
    EXPECT_EQ(ui.messages[0].text, "回転時間は0秒以上でなければなりません。");
    EXPECT_EQ(box(Page2Box::回転時間)->text().toStdString(), "10");
    typeInto(box(Page2Box::回転時間_比率), QStringLiteral("80"));
    typeInto(box(Page2Box::回転時間), QStringLiteral("7"));
    EXPECT_EQ(box(Page2Box::時間回転数表示)->text().toStdString(), "411");
    EXPECT_EQ(ui.messages.size(), 1U);
}

TEST_F(Page2, slot_clicks_keep_one_run_of_played_slots_and_options_pick_the_rule) {
    startNew(); // the program's schedule 02111211100000
    clickButton(page1(), "次へ");
    activate(page2());
    EXPECT_EQ(colourOf(page2()->slotBox(1)), ui::slotColourOf('0'));
    EXPECT_EQ(colourOf(page2()->slotBox(2)), ui::slotColourOf('2'));
    EXPECT_EQ(colourOf(page2()->slotBox(3)), ui::slotColourOf('1'));

    click(page2()->slotBox(1));  // grey beside a played slot: orange
    click(page2()->slotBox(12)); // grey far from the run: stays grey
    click(page2()->slotBox(9));  // orange end of the run: red, then grey
    click(page2()->slotBox(9));

    EXPECT_EQ(colourOf(page2()->slotBox(1)), ui::slotColourOf('1'));
    EXPECT_EQ(colourOf(page2()->slotBox(12)), ui::slotColourOf('0'));
    EXPECT_EQ(colourOf(page2()->slotBox(9)), ui::slotColourOf('0'));
    EXPECT_EQ(scheduleOf(wizard().page2()->slotBoxes()), "12111211000000");

    click(page2()->findChild<QRadioButton*>(QStringLiteral("Check_ラッキー")));
    EXPECT_EQ(wizard().page2()->serviceTimeRule(), std::optional<std::uint8_t>(2));
}

using Page3 = WizardWindowTest;

TEST_F(Page3, the_count_grows_and_shrinks_the_grid_and_a_bad_count_is_put_back) {
    openSample("定番確変315");
    trigger(Menu::MC_Pic);
    activate(page3());
    QAbstractItemModel* grid = page3()->grid()->model();
    const int rows = grid->rowCount();

    typeInto(box(Page3Control::絵柄数表示), QString::number(rows + 2));
    pressEnter(box(Page3Control::絵柄数表示)); // on to the name: the count is applied
    EXPECT_EQ(focusedName(), "絵柄数値表示");
    ASSERT_EQ(grid->rowCount(), rows + 2);
    EXPECT_EQ(grid->index(rows + 1, 0).data().toString(), QString::number(rows + 2));
    EXPECT_EQ(grid->index(rows + 1, 3).data().toString().toStdString(), "通常時交換");

    typeInto(box(Page3Control::絵柄数表示), QStringLiteral("51"));
    click(box(Page3Control::出玉表示));
    ASSERT_EQ(ui.messages.size(), 1U) << messagesShown();
    EXPECT_EQ(ui.messages[0].text, "絵柄数は1以上、50以下でなければなりません。");
    EXPECT_EQ(box(Page3Control::絵柄数表示)->text(), QString::number(rows + 2));
    EXPECT_EQ(focusedName(), "絵柄数表示");
    EXPECT_EQ(grid->rowCount(), rows + 2);
}

TEST_F(Page3, a_row_clicked_fills_the_boxes_and_edits_and_picks_go_into_its_cells) {
    openSample("定番確変315");
    trigger(Menu::MC_Pic);
    activate(page3());
    ui::GridView* grid = page3()->grid();
    ASSERT_GE(grid->model()->rowCount(), 2);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(1, 0)).center());
    EXPECT_EQ(box(Page3Control::絵柄数値表示)->text(), grid->model()->index(1, 0).data());
    EXPECT_EQ(box(Page3Control::出玉表示)->text(), grid->model()->index(1, 4).data());

    typeInto(box(Page3Control::出玉表示), QStringLiteral("1234"));
    auto* rules = page3()->findChild<ui::DropDownList*>(QStringLiteral("ルール表示list"));
    ASSERT_NE(rules, nullptr);
    rules->setFocus();
    rules->activated(rules->findText(QStringLiteral("ラッキー"))); // as a pick from the list

    EXPECT_EQ(grid->model()->index(1, 4).data().toString().toStdString(), "1234");
    EXPECT_EQ(box(Page3Control::ルール表示)->text().toStdString(), "ラッキー");
    EXPECT_EQ(grid->model()->index(1, 3).data().toString().toStdString(), "ラッキー");
    EXPECT_TRUE(ui.messages.empty()) << messagesShown();
}

TEST_F(Page3, a_rule_not_in_the_list_is_said_when_the_box_is_left_and_the_list_gets_the_focus) {
    openSample("定番確変315");
    trigger(Menu::MC_Pic);
    activate(page3());

    typeInto(box(Page3Control::ルール表示), QStringLiteral("交換"));
    click(box(Page3Control::出玉表示));

    ASSERT_EQ(ui.messages.size(), 1U) << messagesShown();
    EXPECT_EQ(ui.messages[0].text, "入力文字は、リストから選んでください.。");
    EXPECT_EQ(focusedName(), "ルール表示list");
    EXPECT_EQ(page3()->grid()->model()->index(0, 3).data().toString().toStdString(), "交換");
}

TEST_F(Page3, the_rule_options_panel_opens_with_the_window_digits_and_closes_with_ok) {
    openSample("定番確変315");
    trigger(Menu::MC_Pic);
    activate(page3());
    QWidget* panel = page3()->findChild<QWidget*>(QStringLiteral("Picture1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisible());

    clickButton(page3(), "詳細");
    EXPECT_TRUE(panel->isVisible());
    const std::string& digits = model.program.ruleOptionDigits;
    const std::string first = "Option1" + std::string(1, digits[0]);
    EXPECT_TRUE(page3()->findChild<QRadioButton*>(QString::fromStdString(first))->isChecked());
    click(page3()->findChild<QRadioButton*>(QStringLiteral("Option42")));
    clickButton(page3(), "Ok");

    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(wizard().page3()->ruleOptionDigits().back(), '2');
}

TEST_F(Page3, a_cell_the_file_cannot_keep_stops_finish_on_that_cell) {
    openSample("定番確変315");
    trigger(Menu::MC_Pic);
    activate(page3());
    typeInto(box(Page3Control::出玉表示), QStringLiteral("70000"));

    clickButton(page3(), "完了");

    ASSERT_FALSE(ui.messages.empty());
    EXPECT_TRUE(ui.messages.back().title.ends_with("入力エラー"));
    EXPECT_EQ(focusedName(), "出玉表示");
    EXPECT_TRUE(page3()->isVisible());
    EXPECT_FALSE(mainWindowEnabled());
}

} // namespace
} // namespace zelkora::testing
