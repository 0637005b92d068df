#pragma once

#include "wizard/condition_wizard.h"

#include <QPointer>
#include <array>
#include <vector>

namespace zelkora::ui {

class WizardDialog;

class MainWindow;

// The condition wizard's three pages as windows of their own. The wizard decides which pages are
// loaded and shown; a page's dialog exists while its page is loaded and is shown while the
// wizard shows the page. After every call into the wizard (a page's button, a menu command) the
// dialogs and the main window show its state again, and the focus moves where a page asked.
class ConditionDialogs final {
public:
    explicit ConditionDialogs(ConditionWizard& wizard) : wizard_(wizard) {}
    ConditionDialogs(const ConditionDialogs&) = delete;
    ConditionDialogs& operator=(const ConditionDialogs&) = delete;
    ~ConditionDialogs();

    // The window the pages belong to: the pages stay above it, and it shows what they change.
    void attachWindow(MainWindow& window) { window_ = &window; }
    // Shows the wizard's state again, then the window's.
    void sync();

    ConditionWizard& wizard() { return wizard_; }
    // The dialog of a loaded page; null while the page is not loaded.
    WizardDialog* dialog(WizardPage page) const;

private:
    void syncDialogs();
    WizardDialog* makeDialog(WizardPage page);
    void place(WizardDialog& dialog);

    ConditionWizard& wizard_;
    MainWindow* window_ = nullptr;
    std::array<QPointer<WizardDialog>, 3> dialogs_{};
    // Dialogs of unloaded pages, deleted once their own events are done (one of them may be
    // handling the click that unloaded it), or with the wizard at the latest.
    std::vector<QPointer<WizardDialog>> retired_;
    bool syncing_ = false;
    bool syncAgain_ = false; // a call made while syncing asks for one more round
};

} // namespace zelkora::ui
