#pragma once

#include "files/file_system.h"
#include "platform/platform.h"
#include "platform/platform_seams.h"
#include "platform/random_stream.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Test doubles of the platform seams, shared by every test that drives a run, an Open or a
// Finish without a window.
namespace zelkora::testing {

// Stores every message box, answers with a scripted result, counts beeps, keeps the pointer.
class RecordingUserInterface final : public UserInterface {
public:
    MessageResult showMessage(const Message& message) override;
    void beep() override { ++beeps; }
    void setPointer(PointerShape shape) override { pointers.push_back(shape); }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;

    // Whether some message box showed exactly this text.
    bool showed(std::string_view text) const;

    std::vector<Message> messages;
    std::vector<PointerShape> pointers;
    std::vector<FileDialogRequest> dialogs;
    int beeps = 0;
    MessageResult answer = MessageResult::Ok;
    std::optional<std::string> dialogAnswer;
    // Called as each box shows, to look at what stands behind it.
    std::function<void(const Message&)> onMessage;
};

// Hands out scripted values one at a time (preferredBatch 1, so every draw is a fill), then a
// fallback value; counts the draws.
class ScriptedRandomSource final : public RandomSource {
public:
    explicit ScriptedRandomSource(float fallback = 0.5F) : fallback_(fallback) {}
    std::size_t preferredBatch() const override { return 1; }
    void fill(std::span<float> values) override;

    void push(float value) { script_.push_back(value); }
    void push(std::initializer_list<float> values) { script_.insert(script_.end(), values); }
    void pushRepeated(float value, int count) {
        script_.insert(script_.end(), static_cast<std::size_t>(count), value);
    }
    void setFallback(float value) { fallback_ = value; }
    std::size_t scriptedLeft() const { return script_.size(); }

    std::int64_t draws = 0;

private:
    std::deque<float> script_;
    float fallback_;
};

// Timer3 frozen at a fixed countdown, Timer1 at fixed run seconds.
class FixedRunTimers final : public RunTimers {
public:
    FixedRunTimers(int countdown, std::int32_t runSeconds)
        : seconds(runSeconds), countdown_(countdown) {}
    int countdown() const override { return countdown_; }
    void setCountdownEnabled(bool enabled, int intervalMilliseconds) override;
    std::int32_t runSeconds() const override { return seconds; }
    void resetRunSeconds() override { ++resets; }

    std::int32_t seconds;
    bool countdownEnabled = true;
    int intervalMilliseconds = 5;
    int resets = 0;

private:
    int countdown_;
};

// Processes events at every yield point; after a given number of yields it calls a callback
// once (a Cancel click, a menu toggle).
class CallbackEventPump final : public EventPump {
public:
    std::uint32_t processEvents() override;
    void callAfter(std::int64_t yields, std::function<void()> callback);

    std::int64_t yields = 0;
    // Called at every yield with the yield's number (1-based), before a pending callback.
    std::function<void(std::int64_t)> onYield;

private:
    std::int64_t callAt_ = -1;
    std::function<void()> callback_;
};

// The local files and the system's threads, for a test's platform bundle that needs neither
// to be a double.
FileSystem& testFiles();
ThreadStarter& testThreads();
// A bundle around `pump` whose other parts stay quiet (no box shows, nobody draws): for the
// many-campaign analysis, which takes only the pump and the threads.
PlatformSeams quietSeams(EventPump& pump, ThreadStarter& threads = testThreads());

// A test's platform bundle: recording boxes, the local files, a pump that calls back, timers
// frozen at countdown 1000, a scripted generator and the system's threads. A test replaces a
// part by building PlatformSeams from these and its own double.
struct TestPlatform {
    RecordingUserInterface ui;
    LocalFileSystem files;
    CallbackEventPump pump;
    FixedRunTimers timers{1000, 0};
    ScriptedRandomSource source;
    RandomStream random{source};
    SystemThreadStarter threads;

    PlatformSeams seams() { return {ui, files, pump, timers, random, threads}; }
};

} // namespace zelkora::testing
