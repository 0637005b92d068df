#include "wizard/condition_wizard.h"

#include "files/utf8_path.h"
#include "messages/error_messages.h"
#include "results/ind_preset.h"
#include "wizard/finish.h"

namespace zelkora {

ConditionWizard::ConditionWizard(MainWindowModel& model, const PlatformSeams& seams)
    : model_(model), seams_(seams) {}

bool ConditionWizard::isOpen() const {
    return page1_ || page2_ || page3_;
}

bool ConditionWizard::isLoaded(WizardPage page) const {
    switch (page) {
    case WizardPage::条件1:
        return page1_.has_value();
    case WizardPage::条件T:
        return page2_.has_value();
    case WizardPage::条件2:
        return page3_.has_value();
    }
    return false;
}

// --- Opening ---------------------------------------------------------------------------------

void ConditionWizard::showPage1() {
    if (isOpen()) {
        return; // the main window, which opens the pages, is disabled while one is open
    }
    loadPage1();
    show(WizardPage::条件1, true);
}

void ConditionWizard::MC_Base() {
    if (model_.commands.enabled(Menu::MC_Base)) {
        showPage1();
    }
}

void ConditionWizard::MC_Ts() {
    if (!model_.commands.enabled(Menu::MC) || !model_.commands.enabled(Menu::MC_Ts) || isOpen()) {
        return;
    }
    loadPage1();
    loadPage2();
    show(WizardPage::条件T, true);
}

void ConditionWizard::MC_Pic() {
    if (!model_.commands.enabled(Menu::MC_Pic) || isOpen()) {
        return;
    }
    loadPage1();
    loadPage2();
    loadPage3();
    show(WizardPage::条件2, true);
}

void ConditionWizard::loadPage1() {
    keepWindowValues();
    page1_.emplace(model_, seams_.ui);
    page1_->load();
}

void ConditionWizard::loadPage2() {
    page2_.emplace(model_, seams_.ui);
    page2_->load();
}

void ConditionWizard::loadPage3() {
    page3_.emplace(model_, seams_.ui);
    page3_->load();
}

// --- Moving between the pages ----------------------------------------------------------------

void ConditionWizard::next(WizardPage page) {
    if (page == WizardPage::条件1 && isVisible(page)) {
        if (!page1_->次へ_Click()) {
            return;
        }
        if (!page2_) {
            loadPage2();
        }
        show(WizardPage::条件T, true);
        show(WizardPage::条件1, false);
    } else if (page == WizardPage::条件T && isVisible(page)) {
        if (!page2_->readyToLeave()) {
            return;
        }
        if (!page3_) {
            loadPage3();
        }
        show(WizardPage::条件2, true);
        show(WizardPage::条件T, false);
    }
}

// Back shows the page before again as it was left, and forgets the edits of the page it leaves.
void ConditionWizard::back(WizardPage page) {
    if (page == WizardPage::条件T && isVisible(page)) {
        show(WizardPage::条件1, true);
        unload(WizardPage::条件T);
    } else if (page == WizardPage::条件2 && isVisible(page)) {
        show(WizardPage::条件T, true);
        unload(WizardPage::条件2);
    }
}

void ConditionWizard::cancel(WizardPage page) {
    if (!isLoaded(page)) {
        return;
    }
    model_.window.enabled = true;
    unloadAll();
}

void ConditionWizard::keepWindowValues() {
    before_ = model_.window;
}

void ConditionWizard::restoreWindowValues() {
    if (!before_) {
        return;
    }
    WindowValues& window = model_.window;
    window.savedName = before_->savedName;
    window.fileTitle = std::move(before_->fileTitle);
    window.filePath = std::move(before_->filePath);
    window.unsaved = before_->unsaved;
    window.caption = std::move(before_->caption);
    before_.reset();
}

void ConditionWizard::unloadAll() {
    unload(WizardPage::条件T);
    unload(WizardPage::条件2);
    unload(WizardPage::条件1);
    // Pages closed without Finish (Cancel, the main window's Exit) change nothing.
    restoreWindowValues();
}

void ConditionWizard::unload(WizardPage page) {
    if (!isLoaded(page)) {
        return;
    }
    show(page, false);
    switch (page) {
    case WizardPage::条件1:
        page1_.reset();
        model_.window.enabled = true;
        seams_.ui.setPointer(PointerShape::Default);
        break;
    case WizardPage::条件T:
        page2_.reset();
        break;
    case WizardPage::条件2:
        page3_.reset();
        break;
    }
}

void ConditionWizard::showHelp(WizardPage page, std::string_view control) {
    if (const std::optional<std::string_view> help = pageHelpText(page, control)) {
        model_.fields.setText(Field::StatusBar1_Panel1, *help);
    }
}

// --- Finish ----------------------------------------------------------------------------------

// Nothing reaches the window before the working copy holds the new conditions: a refused row or
// a failed write leaves the window and the working copy as they were, and the pages open.
FinishOutcome ConditionWizard::finish() {
    if (!page1_ || !page2_ || !isVisible(WizardPage::条件2)) {
        return FinishOutcome::Refused;
    }
    UserInterface& ui = seams_.ui;
    ui.setPointer(PointerShape::Hourglass);
    if (!page2_->readyToLeave() || !page3_->readyForFinish()) {
        ui.setPointer(PointerShape::Default);
        return FinishOutcome::Refused;
    }
    const FinishedConditions conditions =
        gatherConditions(*page1_, *page2_, *page3_, model_.program);
    const std::filesystem::path workingCopy = model_.workingCopyPath();
    const Status written =
        writeConditionsToWorkingCopy(seams_.files, workingCopy, conditions.records);
    if (!written.ok()) {
        ui.showMessage(conditionsNotWrittenMessage(utf8FromPath(workingCopy), written.error()));
        ui.setPointer(PointerShape::Default);
        return FinishOutcome::NotWritten;
    }
    before_.reset();
    publishConditions(model_, conditions);
    model_.requests.showBasicConditionPanel = true;
    model_.window.enabled = true;
    unloadAll();
    model_.openKind = OpenKind::Classic;
    model_.commands.apply(Availability::VerificationLoaded);
    model_.fields.setText(Field::EXP, model_.fields.text(Field::条件_名前));
    // The window shows the conditions as the working copy now holds them.
    if (Status loaded = IndPreset(model_, ui); !loaded.ok()) {
        ui.showMessage(loadFailedMessage(utf8FromPath(workingCopy), loaded.error()));
    }
    return FinishOutcome::Finished;
}

} // namespace zelkora
