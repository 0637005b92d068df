#include "commands/file_commands.h"
#include "platform/random_stream.h"
#include "wizard_fixture.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

using testing::WizardTest;
using P = WizardPage;

std::vector<bool> visibility(const ConditionWizard& wizard) {
    return {wizard.isVisible(P::条件1), wizard.isVisible(P::条件T), wizard.isVisible(P::条件2)};
}
std::vector<bool> loaded(const ConditionWizard& wizard) {
    return {wizard.isLoaded(P::条件1), wizard.isLoaded(P::条件T), wizard.isLoaded(P::条件2)};
}

class ConditionWizardTest : public WizardTest {};

TEST_F(ConditionWizardTest, new_opens_page_1_with_a_new_verification) {
    openVerification(sampleDefinitions()[0], "sample.pac");
    FileCommands commands(model, {ui, files, pump, timers, random, testing::testThreads()}, wizard);

    commands.MF_MakeNew();

    ASSERT_EQ(visibility(wizard), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(wizard.page1()->text(Page1Box::検証名表示), "新しい検証");
    EXPECT_EQ(wizard.page1()->text(Page1Box::大当り確率表示), "316");
    EXPECT_FALSE(model.window.savedName);
    EXPECT_EQ(model.window.newVerification, 0);
    EXPECT_FALSE(model.window.enabled);

    commands.MF_MakeNew(); // the window is disabled; a late shortcut opens nothing twice
    EXPECT_EQ(loaded(wizard), (std::vector<bool>{true, false, false}));
}

TEST_F(ConditionWizardTest, next_moves_on_only_when_page_1_passes) {
    startNew();
    wizard.page1()->change(Page1Box::両替率表示, "24");
    wizard.next(P::条件1);
    EXPECT_EQ(visibility(wizard), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(ui.messages.size(), 1U);

    wizard.page1()->change(Page1Box::両替率表示, "25");
    wizard.next(P::条件1);
    EXPECT_EQ(visibility(wizard), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(loaded(wizard), (std::vector<bool>{true, true, false}));

    wizard.next(P::条件T); // page 2 checks nothing
    EXPECT_EQ(visibility(wizard), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(loaded(wizard), (std::vector<bool>{true, true, true}));
}

TEST_F(ConditionWizardTest, back_keeps_the_earlier_page_and_forgets_the_one_it_leaves) {
    startNew();
    wizard.page1()->change(Page1Box::何日分表示, "7");
    wizard.next(P::条件1);
    wizard.page2()->change(Page2Box::回転時間, "12");
    wizard.next(P::条件T);
    wizard.page3()->change(Page3Control::出玉表示, "99");

    wizard.back(P::条件2);
    EXPECT_EQ(loaded(wizard), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(wizard.page2()->text(Page2Box::回転時間), "12") << "hidden, not reloaded";

    wizard.back(P::条件T);
    EXPECT_EQ(visibility(wizard), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(wizard.page1()->text(Page1Box::何日分表示), "7");

    wizard.next(P::条件1);
    EXPECT_EQ(wizard.page2()->text(Page2Box::回転時間), "10") << "page 2 loads afresh";
}

TEST_F(ConditionWizardTest, the_condition_menus_load_the_earlier_pages_hidden) {
    openVerification(sampleDefinitions()[1], "sample.pac");
    wizard.MC_Ts();
    EXPECT_EQ(visibility(wizard), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(loaded(wizard), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(wizard.page1()->text(Page1Box::検証名表示), model.fields.text(Field::条件_名前));
    wizard.cancel(P::条件T);

    wizard.MC_Pic();
    EXPECT_EQ(visibility(wizard), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(loaded(wizard), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(wizard.page3()->symbolCount(), 6);
    wizard.cancel(P::条件2);

    wizard.MC_Base();
    EXPECT_EQ(visibility(wizard), (std::vector<bool>{true, false, false}));
}

TEST_F(ConditionWizardTest, the_condition_menus_do_nothing_while_disabled) {
    wizard.MC_Base(); // no verification: the menus are disabled
    wizard.MC_Ts();
    wizard.MC_Pic();
    EXPECT_FALSE(wizard.isOpen());
}

TEST_F(ConditionWizardTest, cancel_or_closing_any_page_closes_all_and_enables_the_window) {
    openVerification(sampleDefinitions()[1], "sample.pac");
    for (const P page : kWizardPages) {
        for (const bool byCloseButton : {false, true}) {
            wizard.MC_Pic();
            if (page != P::条件2) {
                wizard.back(P::条件2);
            }
            if (page == P::条件1) {
                wizard.back(P::条件T);
            }
            ASSERT_TRUE(wizard.isVisible(page));
            model.window.unsaved = false;
            byCloseButton ? wizard.close(page) : wizard.cancel(page);
            EXPECT_FALSE(wizard.isOpen());
            EXPECT_TRUE(model.window.enabled);
        }
    }
    EXPECT_EQ(model.fields.text(Field::条件_名前), sampleDefinitions()[1].name);
}

// The pages edit a draft: a name typed and abandoned must not become the file Save writes, nor
// make a known file forget its name.
TEST_F(ConditionWizardTest, a_cancelled_wizard_leaves_the_file_name_and_the_flags_as_they_were) {
    struct Case {
        bool opened; // a verification saved under a file of the user's choice
        bool fromNew;
        bool byExit; // the main window's Exit unloads the pages
    };
    for (const Case row : {Case{true, true, false}, Case{true, false, false},
                           Case{false, true, false}, Case{true, true, true}}) {
        if (row.opened) {
            openVerification(sampleDefinitions()[1], "sample.pac");
        }
        const WindowValues before = model.window;
        row.fromNew ? startNew() : wizard.MC_Base();
        ASSERT_TRUE(wizard.isVisible(P::条件1));
        wizard.page1()->change(Page1Box::検証名表示, "やめた検証");
        row.byExit ? wizard.unloadAll() : wizard.cancel(P::条件1);

        EXPECT_EQ(model.window.savedName, before.savedName);
        EXPECT_EQ(model.window.fileTitle, before.fileTitle);
        EXPECT_EQ(model.window.filePath, before.filePath);
        EXPECT_EQ(model.window.unsaved, before.unsaved);
        EXPECT_EQ(model.window.caption, before.caption);
        EXPECT_TRUE(model.window.enabled);
    }
}

TEST_F(ConditionWizardTest, finish_keeps_what_the_pages_changed) {
    newToPage3();
    ASSERT_EQ(wizard.finish(), FinishOutcome::Finished);
    EXPECT_TRUE(model.window.unsaved);
    EXPECT_FALSE(model.window.savedName);
    EXPECT_EQ(model.window.fileTitle, std::string(kBasicConditions[0].defaultText) + ".pac");
}

TEST_F(ConditionWizardTest, help_texts_go_into_status_panel_1) {
    wizard.showHelp(P::条件1, "条件1");
    EXPECT_EQ(model.fields.text(Field::StatusBar1_Panel1), "条件入力画面１");
    wizard.showHelp(P::条件T, "Label_時刻");
    EXPECT_EQ(model.fields.text(Field::StatusBar1_Panel1),
              "クリックするたびに有効な表示が変わります。");
    wizard.showHelp(P::条件2, "Option13");
    EXPECT_EQ(model.fields.text(Field::StatusBar1_Panel1),
              "初当りで、かつ交換ルール状態で無制限。");
    wizard.showHelp(P::条件2, "完了"); // explains nothing: panel 1 stays
    EXPECT_EQ(model.fields.text(Field::StatusBar1_Panel1),
              "初当りで、かつ交換ルール状態で無制限。");
}

TEST_F(ConditionWizardTest, the_page_texts_name_the_controls_the_pages_know) {
    const PageTexts& page1 = pageTexts(P::条件1);
    ASSERT_EQ(page1.boxLabels.size(), kPage1BoxCount);
    for (std::size_t box = 0; box < kPage1BoxCount; ++box) {
        EXPECT_EQ(page1.boxLabels[box].control, controlName(static_cast<Page1Box>(box)));
        EXPECT_EQ(page1BoxNamed(page1.boxLabels[box].control), static_cast<Page1Box>(box));
    }
    EXPECT_EQ(page1.boxLabels[1].suffix, "分の一");
    for (const BoxLabel& label : pageTexts(P::条件T).boxLabels) {
        EXPECT_TRUE(page2BoxNamed(label.control).has_value()) << label.control;
    }
    for (const BoxLabel& label : pageTexts(P::条件2).boxLabels) {
        EXPECT_TRUE(page3ControlNamed(label.control).has_value()) << label.control;
    }
    for (const P page : kWizardPages) {
        EXPECT_TRUE(pageHelpText(page, pageTexts(page).form).has_value());
    }
    EXPECT_EQ(pageTexts(P::条件1).caption, "基本条件の設定");
    EXPECT_EQ(pageTexts(P::条件T).caption, "時間条件");
    EXPECT_EQ(pageTexts(P::条件2).caption, "大当り絵柄の詳細設定");
}

} // namespace
} // namespace zelkora
