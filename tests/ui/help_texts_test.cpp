#include "analysis/analysis_texts.h"
#include "model/help_texts.h"
#include "window_fixture.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>

namespace zelkora::testing {
namespace {

class HelpTexts : public WindowTest {
protected:
    void resetPanel1() {
        model.fields.setText(Field::StatusBar1_Panel1, "前のテキスト");
        window->syncFromModel();
    }
    // Brings the panel that holds `control` to the front and shows the run area when it is in it.
    void reveal(QWidget* control) {
        for (QWidget* widget = control; widget != nullptr; widget = widget->parentWidget()) {
            if (auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget())) {
                stack->setCurrentWidget(widget);
            }
            if (widget->objectName() == QStringLiteral("Picture3")) {
                model.runArea.picture3Visible = true; // as during a run
                window->syncFromModel();
            }
        }
        // On a small screen the window's content scrolls; the user scrolls to the control.
        if (auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("MainScroll"))) {
            scroll->ensureWidgetVisible(control);
        }
        QApplication::processEvents();
    }
    // Where the pointer goes: the middle of a control, or the background of a panel.
    static QWidget* target(QWidget* control, QPoint& at) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) {
            at = area->viewport()->rect().center(); // a grid or a chart
            return area->viewport();
        }
        at = control->objectName().startsWith(QStringLiteral("Picture")) ? QPoint(3, 3)
                                                                         : control->rect().center();
        return control;
    }
    void moveOver(QWidget* widget, QPoint at) {
        // Two moves, so the second is a move even where the pointer already was.
        QTest::mouseMove(widget, at + QPoint(1, 1));
        QTest::mouseMove(widget, at);
    }
    void expectEveryHelp(std::span<const HelpText> texts) {
        for (const HelpText& help : texts) {
            auto* control = window->findChild<QWidget*>(QString::fromUtf8(
                help.control.data(), static_cast<qsizetype>(help.control.size())));
            ASSERT_NE(control, nullptr) << help.control;
            reveal(control);
            QPoint at;
            QWidget* widget = target(control, at);
            ASSERT_EQ(widget->childAt(at) == nullptr ||
                          qobject_cast<QAbstractScrollArea*>(control) != nullptr,
                      true)
                << help.control << " has no background at the test point";
            resetPanel1();
            moveOver(widget, at);
            EXPECT_EQ(statusPanel1(), help.text) << help.control;
        }
    }
};

TEST_F(HelpTexts, every_control_of_the_table_writes_its_text_into_panel_1) {
    open(sample("定番確変315")); // the texts do not depend on the state; a filled window is harder
    expectEveryHelp(mainWindowHelpTexts());
}

TEST_F(HelpTexts, the_analysis_panels_grids_and_charts_explain_themselves_too) {
    open(sample("定番確変315"));
    expectEveryHelp(analysisDeskHelpTexts());
}

TEST_F(HelpTexts, controls_outside_the_table_leave_panel_1_alone) {
    window->showPanel(0);
    QPoint at;
    QWidget* probability = target(control("条件_確率"), at);
    moveOver(probability, at);
    ASSERT_EQ(statusPanel1(), "検証対象台の大当り確率。");
    for (const char* name : {"Command_基本条件", "c日合計_日目", "EXP", "Text_総当り確率"}) {
        QWidget* other = control(name);
        reveal(other);
        moveOver(other, other->rect().center());
        EXPECT_EQ(statusPanel1(), "検証対象台の大当り確率。") << name;
    }
    // A caption inside a panel is not the panel's background.
    window->showPanel(1);
    auto* overall = control("Picture_総合データ");
    QWidget* caption =
        overall->childAt(control("総回転数表示")->geometry().topLeft() - QPoint(20, -5));
    if (caption != nullptr) {
        moveOver(caption, caption->rect().center());
        EXPECT_EQ(statusPanel1(), "検証対象台の大当り確率。");
    }
    moveOver(overall, QPoint(3, 3));
    EXPECT_EQ(statusPanel1(), "");
}

} // namespace
} // namespace zelkora::testing
