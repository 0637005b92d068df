#pragma once

#include "condition_dialogs.h"
#include "condition_pages.h"
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

class RecordingPages final : public ui::ConditionPages {
public:
    void attachWindow(ui::MainWindow&) override {}
    void showPage1() override { ++page1; }
    void showPage2() override { ++page2; }
    void showPage3() override { ++page3; }
    void unloadPages() override { ++unloads; }
    int page1 = 0;
    int page2 = 0;
    int page3 = 0;
    int unloads = 0;
};

class WindowTest : public ::testing::Test {
protected:
    // The condition pages: recorded calls, or the wizard's own dialogs.
    enum class Pages : std::uint8_t { Recording, Dialogs };

    explicit WindowTest(Pages kind = Pages::Recording);
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
    RecordingPages pages;
    std::unique_ptr<ui::ConditionDialogs> dialogs; // with Pages::Dialogs
    std::unique_ptr<ui::MainWindow> window;
};

} // namespace zelkora::testing
