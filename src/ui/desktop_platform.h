#pragma once

#include "platform/platform_seams.h"
#include "qt_event_pump.h"
#include "syncing_user_interface.h"

#include <functional>

namespace zelkora::ui {

// The platform as the window gives it to the core: the program's dialogs and boxes, files,
// timers, generator and threads, with the window's event pump, and boxes that bring the
// window's views up to the model before they open. The pump and the boxes exist before the
// window whose views they sync, which attaches itself once it is built.
class DesktopPlatform {
public:
    DesktopPlatform(UserInterface& ui, FileSystem& files, RunTimers& timers, RandomStream& random)
        : ui_(ui, [this] { syncViews(); }), pump_([this] { syncViews(); }), files_(files),
          timers_(timers), random_(random) {}
    DesktopPlatform(const DesktopPlatform&) = delete;
    DesktopPlatform& operator=(const DesktopPlatform&) = delete;
    ~DesktopPlatform() = default;

    PlatformSeams seams() { return {ui_, files_, pump_, timers_, random_, threads_}; }
    void attachViews(std::function<void()> sync) { sync_ = std::move(sync); }
    const QtEventPump& pump() const { return pump_; }

private:
    void syncViews() {
        if (sync_) {
            sync_();
        }
    }

    SyncingUserInterface ui_;
    QtEventPump pump_;
    FileSystem& files_;
    RunTimers& timers_;
    RandomStream& random_;
    SystemThreadStarter threads_;
    std::function<void()> sync_;
};

} // namespace zelkora::ui
