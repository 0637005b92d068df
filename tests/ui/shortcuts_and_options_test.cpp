#include "window_fixture.h"

#include <QApplication>
#include <QTest>

namespace zelkora::testing {
namespace {

using Shortcuts = WindowTest;

TEST_F(Shortcuts, reach_their_commands_with_the_focus_in_a_text_box) {
    open(sample("定番確変315"), MessageResult::No);
    auto* box = control<QLineEdit>("条件_確率");
    window->showPanel(0);
    box->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(box->hasFocus());

    // Ctrl+C saves (back to the opened file, without a dialog) rather than copying.
    model.window.unsaved = true;
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(model.window.unsaved);
    EXPECT_TRUE(ui.dialogs.size() == 1U); // only the open dialog

    // Ctrl+A is New rather than select-all.
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(wizard().isVisible(WizardPage::条件1));
    EXPECT_TRUE(box->selectedText().isEmpty());
    wizard().cancel(WizardPage::条件1); // the window takes keys again
    dialogs().sync();
    box->setFocus();

    // The function keys too: F4 switches the probability convergence on.
    QTest::keyClick(box, Qt::Key_F4);
    EXPECT_TRUE(menu(Menu::MO_Prob)->isChecked());
}

TEST_F(Shortcuts, every_menu_entry_carries_its_caption_and_key) {
    const std::vector<std::tuple<Menu, const char*, QKeySequence>> entries{
        {Menu::MF_MakeNew, "新規作成", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {Menu::MF_Open, "既存ファイルを開く", QKeySequence(Qt::CTRL | Qt::Key_B)},
        {Menu::MF_OverSave, "上書き保存", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {Menu::MF_NewSave, "名前を付けて保存", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {Menu::Mf_End, "終了", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {Menu::MC_Base, "基本条件", QKeySequence(Qt::Key_F1)},
        {Menu::MC_Ts, "時間条件", QKeySequence(Qt::Key_F2)},
        {Menu::MC_Pic, "絵柄条件", QKeySequence(Qt::Key_F3)},
        {Menu::MO_Prob, "確率を収束しやすくする", QKeySequence(Qt::Key_F4)},
        {Menu::MO_Pic, "当り絵柄を収束しやすくする", QKeySequence(Qt::Key_F5)},
        {Menu::MO_Random, "完全乱数", QKeySequence(Qt::Key_F6)},
        {Menu::MK_Start, "スタート", QKeySequence(Qt::Key_F7)},
        {Menu::MK_Cancel, "キャンセル", QKeySequence(Qt::Key_F8)},
        {Menu::MS_Version, "バージョン", QKeySequence()},
    };
    for (const auto& [entry, caption, keys] : entries) {
        EXPECT_EQ(menu(entry)->text().toStdString(), caption) << menuName(entry);
        EXPECT_EQ(menu(entry)->shortcut(), keys) << menuName(entry);
    }
    const std::vector<std::pair<int, const char*>> tooltips{{2, "既存のファイルを開く"},
                                                            {3, "新規作成"},
                                                            {4, "上書き保存"},
                                                            {5, "名前を付けて保存"},
                                                            {7, "基本条件の編集"},
                                                            {8, "遊戯時間、ﾀｲﾑｻｰﾋﾞｽの編集"},
                                                            {9, "絵柄詳細の編集"},
                                                            {11, "検証スタート"},
                                                            {12, "検証キャンセル"},
                                                            {14, "大当り確率を収束しやすくする"},
                                                            {15, "当り絵柄を収束しやすくする"}};
    for (const auto& [index, tooltip] : tooltips) {
        EXPECT_EQ(button(index)->toolTip().toStdString(), tooltip) << index;
        EXPECT_FALSE(button(index)->icon().isNull()) << index;
    }
    for (int separator : {1, 6, 10, 13}) {
        EXPECT_EQ(button(separator), nullptr);
    }
}

using Options = WindowTest;

TEST_F(Options, toggle_as_two_switches_and_an_indicator_with_the_buttons_following) {
    trigger(Menu::MO_Prob);
    EXPECT_TRUE(menu(Menu::MO_Prob)->isChecked());
    EXPECT_TRUE(button(14)->isChecked());
    EXPECT_FALSE(menu(Menu::MO_Random)->isChecked());

    button(15)->trigger(); // the button runs MO_Pic
    EXPECT_TRUE(menu(Menu::MO_Pic)->isChecked());
    EXPECT_TRUE(button(15)->isChecked());

    trigger(Menu::MO_Prob); // unchecking one of two leaves the indicator off
    EXPECT_FALSE(button(14)->isChecked());
    EXPECT_FALSE(menu(Menu::MO_Random)->isChecked());
    button(15)->trigger(); // unchecking the last one checks it again
    EXPECT_TRUE(menu(Menu::MO_Random)->isChecked());

    trigger(Menu::MO_Prob);
    trigger(Menu::MO_Random);
    EXPECT_FALSE(menu(Menu::MO_Prob)->isChecked());
    EXPECT_FALSE(button(14)->isChecked());
    EXPECT_TRUE(menu(Menu::MO_Random)->isChecked());
    trigger(Menu::MO_Random); // already checked: stays checked
    EXPECT_TRUE(menu(Menu::MO_Random)->isChecked());
}

TEST_F(Options, the_buttons_follow_the_check_marks_when_the_window_is_activated) {
    trigger(Menu::MO_Pic);
    button(15)->setChecked(false); // as another window might leave it
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activation);
    EXPECT_TRUE(button(15)->isChecked());
    EXPECT_FALSE(button(14)->isChecked());
}

} // namespace
} // namespace zelkora::testing
