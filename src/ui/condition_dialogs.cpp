#include "condition_dialogs.h"

#include "basic_conditions_dialog.h"
#include "main_window.h"
#include "symbol_table_dialog.h"
#include "time_conditions_dialog.h"

#include <QWindow>

namespace zelkora::ui {
namespace {

std::size_t index(WizardPage page) {
    return static_cast<std::size_t>(page);
}

} // namespace

ConditionDialogs::~ConditionDialogs() {
    for (QPointer<WizardDialog>& dialog : dialogs_) {
        delete dialog.data();
    }
    for (QPointer<WizardDialog>& dialog : retired_) {
        delete dialog.data();
    }
}

WizardDialog* ConditionDialogs::dialog(WizardPage page) const {
    return dialogs_[index(page)].data();
}

// A call made while the dialogs are being synced (a focus move reaching a box) is followed by
// one more round of the sync that is running rather than by a sync of its own.
void ConditionDialogs::sync() {
    if (syncing_) {
        syncAgain_ = true;
        return;
    }
    syncing_ = true;
    do {
        syncAgain_ = false;
        syncDialogs();
    } while (syncAgain_);
    syncing_ = false;
    if (window_ != nullptr) {
        window_->syncFromModel();
    }
}

void ConditionDialogs::syncDialogs() {
    for (const WizardPage page : kWizardPages) {
        QPointer<WizardDialog>& dialog = dialogs_[index(page)];
        if (wizard_.isLoaded(page) && dialog == nullptr) {
            dialog = makeDialog(page);
        } else if (!wizard_.isLoaded(page) && dialog != nullptr) {
            dialog->hide();
            dialog->deleteLater();
            std::erase(retired_, nullptr);
            retired_.push_back(dialog);
            dialog = nullptr;
        }
        if (dialog != nullptr) {
            dialog->sync();
        }
    }
    // Hide first, so the page shown next takes over the active window.
    for (const WizardPage page : kWizardPages) {
        if (WizardDialog* dialog = dialogs_[index(page)]; dialog && !wizard_.isVisible(page)) {
            dialog->hide();
        }
    }
    for (const WizardPage page : kWizardPages) {
        WizardDialog* dialog = dialogs_[index(page)];
        if (dialog == nullptr || !wizard_.isVisible(page)) {
            continue;
        }
        if (!dialog->isVisible()) {
            dialog->show();
            dialog->raise();
            dialog->activateWindow();
        }
        dialog->applyFocusRequest();
    }
}

WizardDialog* ConditionDialogs::makeDialog(WizardPage page) {
    WizardDialogContext context{wizard_, [this] {
                                    sync();
                                }};
    WizardDialog* dialog = nullptr;
    switch (page) {
    case WizardPage::条件1:
        dialog = new BasicConditionsDialog(std::move(context));
        break;
    case WizardPage::条件T:
        dialog = new TimeConditionsDialog(std::move(context));
        break;
    case WizardPage::条件2:
        dialog = new SymbolTableDialog(std::move(context));
        break;
    }
    place(*dialog);
    return dialog;
}

// Over the middle of the main window, and kept above it by the window manager.
void ConditionDialogs::place(WizardDialog& dialog) {
    if (window_ == nullptr) {
        return;
    }
    dialog.adjustSize();
    dialog.move(window_->geometry().center() - dialog.rect().center());
    dialog.winId();
    if (QWindow* own = dialog.windowHandle();
        own != nullptr && window_->windowHandle() != nullptr) {
        own->setTransientParent(window_->windowHandle());
    }
}

} // namespace zelkora::ui
