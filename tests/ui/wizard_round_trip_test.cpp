#include "commands/startup.h"
#include "files/utf8_path.h"
#include "wizard_fixture.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>

// A verification made from nothing in the three pages, as a person makes one: finished, played,
// saved, and opened again by a program started afresh.
namespace zelkora::testing {
namespace {

constexpr const char* kName = "画面から作った検証";

class RoundTrip : public WizardWindowTest {
protected:
    // New, a name and three days on page 1, slot 1 played and service time counted as
    // unlimited within the hours on page 2, three symbols with the first a 確変 symbol on page 3,
    // then Finish.
    void makeVerification() {
        startNew();
        typeInto(box(Page1Box::検証名表示), QString::fromUtf8(kName));
        typeInto(box(Page1Box::何日分表示), QStringLiteral("3"));
        clickButton(page1(), "次へ");
        ASSERT_NE(page2(), nullptr);
        activate(page2());
        click(page2()->slotBox(1));
        click(page2()->findChild<QRadioButton*>(QStringLiteral("Check_無内")));
        clickButton(page2(), "Command_次へ");
        ASSERT_NE(page3(), nullptr);
        activate(page3());
        typeInto(box(Page3Control::絵柄数表示), QStringLiteral("3"));
        pressEnter(box(Page3Control::絵柄数表示));
        QWidget* kinds = page3()->control(Page3Control::確率通常表示list);
        kinds->setFocus();
        QTest::keyClick(kinds, Qt::Key_Up); // from 通常 up to 確変
        ASSERT_EQ(box(Page3Control::確率通常表示)->text().toStdString(), "確変");
        clickButton(page3(), "完了");
    }

    // The program ended and started again on the same program folder.
    void restartProgram() {
        window.reset();
        model = MainWindowModel{};
        model.programFolder = folder.file("");
        resetWindowValues(model);
        window = std::make_unique<ui::MainWindow>(model, *platform);
        window->show();
        QApplication::processEvents();
    }

    struct Conditions {
        std::vector<std::string> displays;
        std::vector<std::string> symbols;
        ProgramValues program;
    };
    Conditions conditions() const {
        Conditions shown;
        for (const ConditionSpec& condition : kBasicConditions) {
            shown.displays.push_back(text(std::string(fieldName(condition.field)).c_str()));
        }
        for (const ConditionSpec& condition : kTimeConditions) {
            shown.displays.push_back(text(std::string(fieldName(condition.field)).c_str()));
        }
        shown.displays.push_back(text("条件_絵柄数"));
        shown.displays.push_back(text("条件_TS"));
        const GridTable& grid2 = model.grids.grid2;
        for (int row = 0; row < grid2.rowCount(); ++row) {
            for (int column = 0; column < grid2.columnCount(); ++column) {
                shown.symbols.emplace_back(grid2.cell(row, column));
            }
        }
        shown.program = model.program;
        return shown;
    }
};

TEST_F(RoundTrip, a_verification_made_in_the_pages_plays_to_the_end_message) {
    makeVerification();

    EXPECT_TRUE(page1() == nullptr && page2() == nullptr && page3() == nullptr);
    EXPECT_TRUE(mainWindowEnabled());
    EXPECT_EQ(window->windowTitle().toStdString(), std::string("ゼルコラ ...") + kName + ".pac");
    EXPECT_EQ(text("条件_名前"), kName);
    EXPECT_EQ(text("条件_TS"), "時間内無制限");
    EXPECT_EQ(model.program.playSchedule, "12111211100000");
    EXPECT_EQ(model.grids.grid2.rowCount(), 4);
    EXPECT_EQ(model.grids.grid2.cell(1, 1), "確変");
    EXPECT_TRUE(menu(Menu::MK_Start)->isEnabled());

    ui.messages.clear();
    trigger(Menu::MK_Start);

    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, "検証は終了しました。お疲れ様でした。");
    EXPECT_EQ(text("c日合計_日目"), "3");
}

TEST_F(RoundTrip, saved_and_opened_again_it_shows_the_same_conditions_and_plays) {
    makeVerification();
    const std::filesystem::path file = folder.file("data") / pathFromUtf8("往復.pac");
    ui.dialogAnswer = utf8FromPath(file);
    trigger(Menu::MF_NewSave);
    ASSERT_TRUE(std::filesystem::exists(file));
    const Conditions made = conditions();

    restartProgram();
    open(file, MessageResult::No);

    const Conditions opened = conditions();
    EXPECT_EQ(opened.displays, made.displays);
    EXPECT_EQ(opened.symbols, made.symbols);
    EXPECT_EQ(opened.program.playSchedule, made.program.playSchedule);
    EXPECT_EQ(opened.program.serviceTimeRule, made.program.serviceTimeRule);
    EXPECT_EQ(opened.program.ruleOptionDigits, made.program.ruleOptionDigits);
    // The page shows them as they were typed.
    trigger(Menu::MC_Base);
    ASSERT_NE(page1(), nullptr);
    EXPECT_EQ(box(Page1Box::検証名表示)->text().toStdString(), kName);
    EXPECT_EQ(box(Page1Box::何日分表示)->text().toStdString(), "3");
    clickButton(page1(), "キャンセル");

    ui.messages.clear();
    trigger(Menu::MK_Start);
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, "検証は終了しました。お疲れ様でした。");
}

} // namespace
} // namespace zelkora::testing
