#pragma once

#include "file_test_support.h"
#include "files/condition_file_writer.h"
#include "results/grids_and_charts.h"
#include "results/ind_preset.h"
#include "wizard/condition_wizard.h"

#include <gtest/gtest.h>

// A main window with the condition wizard and no screen: at start-up without a verification
// (grids set up, the two default symbols in Grid2, the program's defaults), with a scratch
// program folder for the working copy.
namespace zelkora::testing {

class WizardTest : public ::testing::Test {
protected:
    WizardTest() {
        model.programFolder = folder.path();
        model.window.filePath = (folder.path() / "data").string();
        グリッド見出し設定(model.grids);
        model.grids.grid2.setRowCount(3);
        int row = 1;
        for (const SymbolRow& symbol : defaultSymbolTable()) {
            const std::array<std::string_view, 5> cells{
                symbol.name, symbol.kind, symbol.shortTimeSpins, symbol.rule, symbol.payout};
            model.grids.grid2.setRow(row++, cells);
        }
        model.commands.apply(Availability::NoVerification);
    }

    // As Open leaves the window: a verification in the working copy, loaded, saved as `title`.
    void openVerification(const SampleDefinition& verification, const std::string& title) {
        ASSERT_TRUE(writeConditionFile(model.workingCopyPath(), verification).ok());
        ASSERT_TRUE(IndPreset(model, ui).ok());
        model.window.savedName = true;
        model.window.fileTitle = title;
        model.window.filePath = (folder.path() / title).string();
        model.commands.apply(Availability::VerificationLoaded);
        ui.pointers.clear();
    }
    // New as the file command does it: the flag is set only while page 1 loads.
    void startNew() {
        model.window.newVerification = 1;
        wizard.showPage1();
        model.window.newVerification = 0;
    }
    // New, then Next on pages 1 and 2: page 3 shown.
    void newToPage3() {
        startNew();
        wizard.next(WizardPage::条件1);
        wizard.next(WizardPage::条件T);
        ASSERT_TRUE(wizard.isVisible(WizardPage::条件2));
    }
    void setSymbolCount(std::string_view count) {
        wizard.page3()->change(Page3Control::絵柄数表示, count);
        wizard.page3()->lostFocus(Page3Control::絵柄数表示);
    }

    test_support::ScratchFolder folder;
    MainWindowModel model;
    RecordingUserInterface ui;
    test_support::FailingFileSystem files;
    CallbackEventPump pump;
    FixedRunTimers timers{1000, 0};
    ScriptedRandomSource source;
    RandomStream random{source};
    ConditionWizard wizard{model, {ui, files, pump, timers, random, testThreads()}};
};

} // namespace zelkora::testing
