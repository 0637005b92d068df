#include "test_platform.h"

#include "platform/silent_user_interface.h"

#include <algorithm>

namespace zelkora::testing {

MessageResult RecordingUserInterface::showMessage(const Message& message) {
    messages.push_back(message);
    if (onMessage) {
        onMessage(message);
    }
    return answer;
}

std::optional<std::string>
RecordingUserInterface::openFileDialog(const FileDialogRequest& request) {
    dialogs.push_back(request);
    return dialogAnswer;
}

std::optional<std::string>
RecordingUserInterface::saveFileDialog(const FileDialogRequest& request) {
    dialogs.push_back(request);
    return dialogAnswer;
}

bool RecordingUserInterface::showed(std::string_view text) const {
    return std::any_of(messages.begin(), messages.end(),
                       [&](const Message& message) { return message.text == text; });
}

void ScriptedRandomSource::fill(std::span<float> values) {
    for (float& value : values) {
        ++draws;
        if (script_.empty()) {
            value = fallback_;
        } else {
            value = script_.front();
            script_.pop_front();
        }
    }
}

void FixedRunTimers::setCountdownEnabled(bool enabled, int interval) {
    countdownEnabled = enabled;
    intervalMilliseconds = interval;
}

std::uint32_t CallbackEventPump::processEvents() {
    ++yields;
    if (onYield) {
        onYield(yields);
    }
    if (yields == callAt_ && callback_) {
        auto callback = std::move(callback_);
        callback_ = nullptr;
        callback();
    }
    return 0;
}

void CallbackEventPump::callAfter(std::int64_t count, std::function<void()> callback) {
    callAt_ = yields + count;
    callback_ = std::move(callback);
}

FileSystem& testFiles() {
    static LocalFileSystem files;
    return files;
}

ThreadStarter& testThreads() {
    static SystemThreadStarter threads;
    return threads;
}

PlatformSeams quietSeams(EventPump& pump, ThreadStarter& threads) {
    static SilentUserInterface ui;
    static FixedRunTimers timers{1000, 0};
    static ScriptedRandomSource source;
    static RandomStream random{source};
    return {ui, testFiles(), pump, timers, random, threads};
}

} // namespace zelkora::testing
