#pragma once

#include "condition_dialogs.h"
#include "desktop_platform.h"
#include "files/file_system.h"
#include "main_window.h"
#include "platform/pcg_random_source.h"

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// The main window driven without a person: dialogs answered from a script, the questions
// answered Yes, no box waiting for a click, the countdown frozen, a seeded generator. The
// screenshots and the GUI bench play samples in it as a person would from the menus.
namespace zelkora::gui {

class ScriptedUserInterface final : public UserInterface {
public:
    MessageResult showMessage(const Message& message) override;
    void beep() override {}
    void setPointer(PointerShape) override {}
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override {
        return fileToOpen;
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }

    std::optional<std::string> fileToOpen;
    MessageResult questionAnswer = MessageResult::Yes; // the rebuild's question
    std::string lastMessage;
    bool reportedError = false;
    // Called as each box would show, the window already synced behind it.
    std::function<void(const Message&)> onMessage;
};

class FrozenCountdown final : public RunTimers {
public:
    explicit FrozenCountdown(int countdown) : countdown_(countdown) {}
    int countdown() const override { return countdown_; }
    void setCountdownEnabled(bool, int) override {}
    std::int32_t runSeconds() const override { return 0; }
    void resetRunSeconds() override {}

private:
    int countdown_;
};

// Writes the conditions of the first sample, played for `days` days, as a verification file
// without results. Returns false when it cannot be written.
bool writeLongVerification(const std::filesystem::path& file, int days);

// A program folder in a fresh temporary folder, and the window on it.
class ScriptedDesktop {
public:
    ScriptedDesktop(std::uint64_t seed, int countdown);
    ~ScriptedDesktop();

    ui::MainWindow& window() { return *window_; }
    ScriptedUserInterface& ui() { return ui_; }
    MainWindowModel& model() { return model_; }
    ui::ConditionDialogs& pages() { return window_->conditionDialogs(); }
    const std::filesystem::path& folder() const { return folder_; }

    // Open from the menu, with the open dialog answering `file`.
    void open(const std::filesystem::path& file);
    // Start from the menu; returns when the run has ended.
    void play();

private:
    std::filesystem::path folder_;
    ScriptedUserInterface ui_;
    FrozenCountdown timers_;
    LocalFileSystem files_;
    PcgRandomSource source_;
    RandomStream random_{source_};
    MainWindowModel model_;
    ui::DesktopPlatform platform_{ui_, files_, timers_, random_};
    std::unique_ptr<ui::MainWindow> window_;
};

} // namespace zelkora::gui
