#pragma once

#include "wizard/condition_wizard.h"

#include <QWidget>
#include <functional>
#include <string_view>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zelkora::ui {

class DropDownList;

// What a page's dialog works with: the wizard, whose pages it shows and to which it forwards
// what the user does, and what must follow every such call (the dialogs and the main window
// show the wizard's state again and the focus moves where a page asked).
struct WizardDialogContext {
    ConditionWizard& wizard;
    std::function<void()> afterCall;
};

// One page of the condition wizard as a window of its own beside the main window: its caption,
// its help texts into the main window's status panel, its window's close button as Cancel. A
// page's dialog shows only what its page holds; after each call it is synced from the page.
// (No Q_OBJECT: moc cannot read the core's Japanese identifiers; lambdas connect the signals.)
class WizardDialog : public QWidget {
public:
    WizardDialog(WizardPage page, WizardDialogContext context);
    ~WizardDialog() override;

    WizardPage page() const { return page_; }
    // Shows the page's values; never reports them back as edits.
    virtual void sync() = 0;
    // Moves the focus where the page asked, if it asked.
    virtual void applyFocusRequest() = 0;

protected:
    // A call into the wizard, then the sync of everything it may have changed.
    template <typename Call> void act(Call&& call) {
        call(context_.wizard);
        context_.afterCall();
    }
    ConditionWizard& wizard() const { return context_.wizard; }

    // A box gained or lost the focus by the user's or a page's move. A window that only
    // became active or inactive again (a message box closed, another window chosen) reports
    // gained with ActiveWindowFocusReason; losing it that way is not reported.
    virtual void focusChanged(QWidget* control, bool gained, Qt::FocusReason reason);
    void trackFocus(QWidget* control);

    // The help texts of the page: every named control, and the page's background.
    void watchHelp();

    // Building blocks of the pages' layouts, named as the page names them.
    QLabel* makeLabel(std::string_view control, QWidget* parent);
    QLineEdit* makeBox(std::string_view control, QWidget* parent, int characters);
    QPushButton* makeButton(std::string_view control, QWidget* parent);
    // The text of a caption of the page (a button, a frame, a note) by its control.
    std::string_view captionOf(std::string_view control) const;
    // A box with its label before and its unit (or its drop-down list) after it, in one row.
    // A list, when given, sits right against its box.
    void addBoxRow(QGridLayout* layout, int row, QLineEdit* box, DropDownList* list = nullptr);
    QHBoxLayout* makeButtonRow(std::initializer_list<QPushButton*> buttons);
    static void setTabOrderOf(const std::vector<QWidget*>& controls);
    // Puts the focus in `control` by a page's request. True when it had the focus already, so
    // no focus event follows.
    static bool moveFocus(QWidget* control);

    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showHelp(std::string_view control);

    WizardPage page_;
    WizardDialogContext context_;
    std::vector<QWidget*> watched_;
};

} // namespace zelkora::ui
