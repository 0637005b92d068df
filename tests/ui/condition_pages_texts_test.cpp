#include "wizard/page_texts.h"
#include "wizard_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

namespace zelkora::testing {
namespace {

// Every text the page shows: labels, button and option captions, frame titles, and the hour
// scale, which draws its text itself.
QStringList shownTexts(const QWidget* page) {
    QStringList texts;
    for (const QLabel* label : page->findChildren<QLabel*>()) {
        texts << label->text();
    }
    for (const QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
        texts << button->text();
    }
    for (const QGroupBox* frame : page->findChildren<QGroupBox*>()) {
        texts << frame->title();
    }
    for (const QWidget* widget : page->findChildren<QWidget*>()) {
        if (!widget->accessibleName().isEmpty()) {
            texts << widget->accessibleName();
        }
    }
    return texts;
}

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class PageContents : public WizardWindowTest {
protected:
    // All three pages loaded: page 3 shown, pages 1 and 2 behind it.
    void SetUp() override {
        openSample("定番確変315");
        trigger(Menu::MC_Pic);
        ASSERT_NE(page3(), nullptr);
    }
    bool detailsShown() const {
        return page3()->findChild<QWidget*>(QStringLiteral("Picture1"))->isVisible();
    }
    void expectHelpTexts(WizardPage page) {
        activate(dialog(page));
        for (const ControlText& help : pageTexts(page).helpTexts) {
            model.fields.setText(Field::StatusBar1_Panel1, "前のテキスト");
            window->syncFromModel();
            const bool background = help.control == pageTexts(page).form;
            QWidget* control =
                background ? dialog(page) : dialog(page)->findChild<QWidget*>(qt(help.control));
            ASSERT_NE(control, nullptr) << help.control;
            if (!control->isVisible()) {
                // Page 3's rule options and its boxes take turns.
                clickButton(dialog(page), detailsShown() ? "Ok" : "詳細");
            }
            // The background has no control in its corner; the hour scale answers a click.
            const QPoint at = background ? QPoint(2, 2) : control->rect().center();
            if (help.control == kHourScaleLabel) {
                QTest::mouseClick(control, Qt::LeftButton, {}, at);
            } else {
                QTest::mouseMove(control, at + QPoint(1, 0));
                QTest::mouseMove(control, at);
            }
            EXPECT_EQ(statusPanel1(), help.text) << help.control;
        }
    }
};

TEST_F(PageContents, every_label_caption_and_named_control_of_each_page_is_there) {
    for (const WizardPage page : kWizardPages) {
        const PageTexts& texts = pageTexts(page);
        QWidget* shown = dialog(page);
        EXPECT_EQ(shown->objectName(), qt(texts.form));
        EXPECT_EQ(shown->windowTitle(), qt(texts.caption));
        const QStringList onPage = shownTexts(shown);
        for (const BoxLabel& label : texts.boxLabels) {
            EXPECT_NE(shown->findChild<QLineEdit*>(qt(label.control)), nullptr) << label.control;
            EXPECT_TRUE(onPage.contains(qt(label.label))) << label.label;
            if (!label.suffix.empty()) {
                EXPECT_TRUE(onPage.contains(qt(label.suffix))) << label.suffix;
            }
        }
        for (const ControlText& caption : texts.captions) {
            EXPECT_NE(shown->findChild<QWidget*>(qt(caption.control)), nullptr) << caption.control;
            EXPECT_TRUE(onPage.contains(qt(caption.text))) << caption.text;
        }
        for (const ControlText& help : texts.helpTexts) {
            EXPECT_TRUE(help.control == texts.form ||
                        shown->findChild<QWidget*>(qt(help.control)) != nullptr)
                << help.control;
        }
    }
}

TEST_F(PageContents, the_lists_hold_their_entries_and_page_3_its_grid_slots_and_frames) {
    for (const Page1List list :
         {Page1List::リッミター表示L, Page1List::再投資表示L, Page1List::投資単位L}) {
        auto* dropDown = page1()->findChild<QComboBox*>(qt(controlName(list)));
        ASSERT_NE(dropDown, nullptr) << controlName(list);
        ASSERT_EQ(static_cast<std::size_t>(dropDown->count()), listEntries(list).size());
        for (int entry = 0; entry < dropDown->count(); ++entry) {
            EXPECT_EQ(dropDown->itemText(entry),
                      qt(listEntries(list)[static_cast<std::size_t>(entry)]));
        }
    }
    for (const Page3Control list : {Page3Control::確率通常表示list, Page3Control::ルール表示list}) {
        auto* dropDown = page3()->findChild<QComboBox*>(qt(controlName(list)));
        ASSERT_NE(dropDown, nullptr);
        EXPECT_EQ(static_cast<std::size_t>(dropDown->count()), listEntries(list).size());
    }
    for (int slot = 1; slot <= kScheduleSlots; ++slot) {
        EXPECT_NE(page2()->findChild<QFrame*>(QStringLiteral("Text%1").arg(slot)), nullptr);
    }
    EXPECT_NE(page3()->findChild<QWidget*>(QStringLiteral("MSFlexGrid1")), nullptr);
    QWidget* panel = page3()->findChild<QWidget*>(QStringLiteral("Picture1"));
    ASSERT_NE(panel, nullptr);
    for (int frame = 1; frame <= 4; ++frame) {
        EXPECT_NE(panel->findChild<QGroupBox*>(QStringLiteral("Frame%1").arg(frame)), nullptr);
    }
}

TEST_F(PageContents, the_pointer_over_a_control_writes_its_help_into_the_main_window_panel_1) {
    expectHelpTexts(WizardPage::条件2);
    clickButton(page3(), "戻る");
    expectHelpTexts(WizardPage::条件T);
    clickButton(page2(), "Command_戻る");
    expectHelpTexts(WizardPage::条件1);
}

TEST_F(PageContents, the_pointer_over_a_label_leaves_panel_1_alone) {
    clickButton(page3(), "戻る");
    activate(page2());
    model.fields.setText(Field::StatusBar1_Panel1, "前のテキスト");
    window->syncFromModel();
    QWidget* note = page2()->findChild<QWidget*>(QStringLiteral("Label_延長"));
    QTest::mouseMove(note, note->rect().center());
    QTest::mouseMove(note, note->rect().center() + QPoint(1, 0));
    EXPECT_EQ(statusPanel1(), "前のテキスト");
}

} // namespace
} // namespace zelkora::testing
