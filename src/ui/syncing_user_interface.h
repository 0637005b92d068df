#pragma once

#include "platform/platform.h"

#include <functional>
#include <utility>

namespace zelkora::ui {

// The window's own message boxes and dialogs: before any of them opens, every view is brought up
// to the model, so a box never stands over figures older than the moment it speaks of (the end
// of a run over the last day, a question over the conditions it names).
class SyncingUserInterface final : public UserInterface {
public:
    SyncingUserInterface(UserInterface& inner, std::function<void()> sync)
        : inner_(inner), sync_(std::move(sync)) {}

    MessageResult showMessage(const Message& message) override {
        sync_();
        return inner_.showMessage(message);
    }
    void beep() override { inner_.beep(); }
    void setPointer(PointerShape shape) override { inner_.setPointer(shape); }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override {
        sync_();
        return inner_.openFileDialog(request);
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override {
        sync_();
        return inner_.saveFileDialog(request);
    }

private:
    UserInterface& inner_;
    std::function<void()> sync_;
};

} // namespace zelkora::ui
