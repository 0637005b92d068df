#pragma once

#include "commands/file_commands.h"
#include "desktop_seams.h"
#include "model/command_state.h"

#include <functional>
#include <string>

namespace zelkora {
class RunCommands;
}

namespace zelkora::ui {

// What a close of the window comes to.
enum class CloseDecision : std::uint8_t { Close, Keep };

// The main window's commands without its widgets: each menu entry and toolbar button ends here
// as the Menu it stands for and goes on to the core (the file commands, the run, the options).
// A run plays on the window's thread; the pump processes the window's events inside it.
class WindowCommands final : public FileCommandHost {
public:
    struct WindowHooks {
        std::function<void()> showBasicConditionPanel;
        std::function<void()> closeWindow; // asks the window to close (Exit, a delayed close)
    };

    WindowCommands(MainWindowModel& model, DesktopSeams seams, EventPump& pump, WindowHooks hooks);
    ~WindowCommands() override;

    void run(Menu command);
    void openNamedFile(const std::string& path);
    void offerUnsavedWork();
    // The window's close: the unload of the file commands. Keep means the window stays, either
    // for good (the exit save failed) or until the run or rebuild in progress has returned,
    // when the close comes again by itself.
    CloseDecision close();

    bool running() const { return run_ != nullptr; }

    // FileCommandHost
    void showConditionPage1() override;
    void showBasicConditionPanel() override;
    void cancelRun() override;
    void unloadConditionPages() override;

private:
    void start();
    void finishCommand();

    MainWindowModel& model_;
    DesktopSeams seams_;
    EventPump& pump_;
    WindowHooks hooks_;
    FileCommands files_;
    RunCommands* run_ = nullptr; // the run in progress, for Cancel
    int depth_ = 0;              // commands in progress, nested ones run inside a yield
    bool closePending_ = false;
};

} // namespace zelkora::ui
