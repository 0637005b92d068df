#pragma once

#include "files/file_system.h"
#include "platform/platform.h"
#include "platform/platform_seams.h"
#include "platform/random_stream.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <ostream>

// The platform seams for a run without a window.
namespace zelkora::cli {

// Error messages go to standard error; the run's informational boxes (the end message) are
// not shown. Remembers whether an error was reported, so the exit status can say so.
class ConsoleUserInterface final : public UserInterface {
public:
    explicit ConsoleUserInterface(std::ostream& err) : err_(err) {}
    MessageResult showMessage(const Message& message) override;
    void beep() override {}
    void setPointer(PointerShape) override {}
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }

    bool reportedError() const { return reportedError_; }

private:
    std::ostream& err_;
    bool reportedError_ = false;
};

// There are no events to process: every yield point is skipped.
class NoEventPump final : public EventPump {
public:
    std::uint32_t processEvents() override { return std::numeric_limits<std::uint32_t>::max(); }
};

// The countdown is given; no wall clock enters the rules, so the run seconds stay 0.
class FrozenTimers final : public RunTimers {
public:
    explicit FrozenTimers(int countdown) : countdown_(countdown) {}
    int countdown() const override { return countdown_; }
    void setCountdownEnabled(bool, int) override {}
    std::int32_t runSeconds() const override { return 0; }
    void resetRunSeconds() override {}

private:
    int countdown_;
};

// The platform of a run without a window: `ui` for the messages, the local files, no events, the
// countdown frozen, the system's threads, and the generator given (a run's seed, a campaign's
// stream; a fixed one for what draws nothing).
class ConsolePlatform {
public:
    ConsolePlatform(UserInterface& ui, int countdown,
                    std::unique_ptr<RandomSource> source = nullptr);
    ConsolePlatform(const ConsolePlatform&) = delete;
    ConsolePlatform& operator=(const ConsolePlatform&) = delete;
    ~ConsolePlatform();

    PlatformSeams seams() { return {ui_, files_, pump_, timers_, random_, threads_}; }

private:
    UserInterface& ui_;
    LocalFileSystem files_;
    NoEventPump pump_;
    FrozenTimers timers_;
    std::unique_ptr<RandomSource> source_;
    RandomStream random_;
    SystemThreadStarter threads_;
};

} // namespace zelkora::cli
