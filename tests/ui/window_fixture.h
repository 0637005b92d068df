#pragma once

#include "commands/verification_document.h"
#include "condition_dialogs.h"
#include "desktop_platform.h"
#include "files/file_system.h"
#include "main_window.h"
#include "platform/pcg_random_source.h"
#include "temp_folder.h"
#include "test_platform.h"
#include "window_actions.h"

#include <QAction>
#include <QLineEdit>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

// The main window on a fresh program folder, with recording dialogs and boxes, frozen timers and
// a seeded generator, so no test waits on a modal window or on the clock.
namespace zelkora::testing {

class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    std::filesystem::path sample(const char* name) const;
    // Opens `file` from the menu; the rebuild question is answered `answer`.
    void open(const std::filesystem::path& file, MessageResult answer = MessageResult::Yes);
    void trigger(Menu menu);
    QAction* button(int index) const { return window->actions().button(index); }
    QAction* menu(Menu entry) const { return window->actions().menuAction(entry); }
    template <typename T = QWidget> T* control(const char* name) const {
        return window->findChild<T*>(QString::fromUtf8(name));
    }
    std::string text(const char* name) const {
        return control<QLineEdit>(name)->text().toStdString();
    }
    std::string statusPanel1() const;
    bool showed(std::string_view message) const { return ui.showed(message); }

    TempFolder folder;
    MainWindowModel model;
    RecordingUserInterface ui;
    FixedRunTimers timers{700, 0};
    LocalFileSystem files;
    PcgRandomSource source{42};
    RandomStream random{source};
    std::unique_ptr<ui::DesktopPlatform> platform;
    std::unique_ptr<ui::MainWindow> window;

    ConditionWizard& wizard() const { return window->document().wizard(); }
    ui::ConditionDialogs& dialogs() const { return window->conditionDialogs(); }
};

} // namespace zelkora::testing
