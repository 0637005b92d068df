#pragma once

#include "basic_conditions_dialog.h"
#include "symbol_table_dialog.h"
#include "time_conditions_dialog.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QString>

// The main window with the condition wizard's own dialogs, driven as a person would: clicks,
// typing and Enter on the pages' windows.
namespace zelkora::testing {

class WizardWindowTest : public WindowTest {
protected:
    WizardWindowTest() = default;

    ui::WizardDialog* dialog(WizardPage page) const { return dialogs().dialog(page); }
    ui::BasicConditionsDialog* page1() const;
    ui::TimeConditionsDialog* page2() const;
    ui::SymbolTableDialog* page3() const;
    QLineEdit* box(Page1Box box) const { return page1()->box(box); }
    QLineEdit* box(Page2Box box) const { return page2()->box(box); }
    QLineEdit* box(Page3Control box) const;

    // A sample opened as Open leaves it (the rebuild declined), its messages forgotten.
    void openSample(const char* name);
    // New from the menu; page 1 shown and active.
    void startNew();
    // Brings a page's window to the front, as the window manager does for a newly shown page,
    // beside the main window: the offscreen platform gives the pointer to the first window
    // under it, whatever lies on top.
    void activate(QWidget* page) const;
    // A click into a control (the focus goes there), then its text replaced by `text` typed
    // (Japanese through the input method).
    static void typeInto(QLineEdit* box, const QString& text);
    static void click(QWidget* control);
    // The button of a page named `name`, clicked.
    static void clickButton(QWidget* page, const char* name);
    static void pressEnter(QWidget* control);
    static std::string focusedName();
    bool mainWindowEnabled() const;
    // The texts of the messages shown, for a failure's report.
    std::string messagesShown() const;
};

} // namespace zelkora::testing
