#pragma once

#include "files/file_system.h"
#include "model/main_window_model.h"
#include "platform/platform_seams.h"
#include "wizard/basic_conditions_page.h"
#include "wizard/page_texts.h"
#include "wizard/symbol_table_page.h"
#include "wizard/time_conditions_page.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zelkora {

enum class FinishOutcome : std::uint8_t {
    Finished,   // published and written; the pages are closed
    Refused,    // a page refused a value and said so; the pages stay open
    NotWritten, // the working copy could not be written and the user was told; nothing changed
};

// The condition wizard as the main window owns it: which of the three pages are loaded and
// which is shown, the pages themselves, and the commands that open, move between and close them.
// A page that is loaded but hidden keeps its values, so going back and forth keeps the edits and
// Finish reads all three. While any page is loaded the main window is disabled.
//
// The dialogs are views: after each call they show what the wizard and its pages hold (which
// pages are visible, the texts, the enabled boxes, the focus a page asks for).
class ConditionWizard {
public:
    // Finish asks the window, through the model's requests, for the basic-condition panel.
    ConditionWizard(MainWindowModel& model, const PlatformSeams& seams);

    // Page 1 alone: New (the new-verification flag set) and MC_Base.
    void showPage1();
    void MC_Base();
    // Page 2 shown, page 1 loaded behind it.
    void MC_Ts();
    // Page 3 shown, pages 1 and 2 loaded behind it.
    void MC_Pic();

    // The buttons: Next on pages 1 and 2, Back on pages 2 and 3, Cancel on every page, Finish
    // on page 3. Closing a page's window is Cancel.
    void next(WizardPage page);
    void back(WizardPage page);
    void cancel(WizardPage page);
    void close(WizardPage page) { cancel(page); }
    FinishOutcome finish();
    // The main window unloads whatever is loaded when it closes.
    void unloadAll();

    bool isOpen() const;
    bool isLoaded(WizardPage page) const;
    bool isVisible(WizardPage page) const { return isLoaded(page) && visible_[index(page)]; }
    // The pages while loaded; null otherwise.
    BasicConditionsPage* page1() { return page1_ ? &*page1_ : nullptr; }
    TimeConditionsPage* page2() { return page2_ ? &*page2_ : nullptr; }
    SymbolTablePage* page3() { return page3_ ? &*page3_ : nullptr; }

    // The pointer over a control of a page (the page's form name for its background) or a click
    // on page 2's hour scale: the control's help text goes into status panel 1.
    void showHelp(WizardPage page, std::string_view control);

private:
    static std::size_t index(WizardPage page) { return static_cast<std::size_t>(page); }
    void loadPage1();
    void loadPage2();
    void loadPage3();
    void unload(WizardPage page);
    void show(WizardPage page, bool visible) { visible_[index(page)] = visible; }

    // The pages edit a draft: what they change of the window before Finish (the file title the
    // name box proposes, the flags) goes back as it was when they are cancelled.
    void keepWindowValues();
    void restoreWindowValues();

    MainWindowModel& model_;
    PlatformSeams seams_;
    std::optional<WindowValues> before_;
    std::optional<BasicConditionsPage> page1_;
    std::optional<TimeConditionsPage> page2_;
    std::optional<SymbolTablePage> page3_;
    std::array<bool, 3> visible_{};
};

} // namespace zelkora
