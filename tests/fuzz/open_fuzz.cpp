// Opens arbitrary bytes as a verification: the working copy is replaced by the input, then
// IndPreset and the rebuild run with every question answered Yes, and a verification that
// loaded is played for a few thousand spins before it is cancelled. Whatever the file holds,
// the open and the run must end with the window usable again, never with a crash or a hang.
#include "commands/open_reload.h"
#include "commands/run_commands.h"
#include "files/file_system.h"
#include "files/working_copy_file.h"
#include "model/main_window_model.h"
#include "platform/pcg_random_source.h"
#include "platform/platform.h"
#include "platform/random_stream.h"
#include "scratch_folder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <unistd.h>

namespace {

using namespace zelkora;

class YesUserInterface final : public UserInterface {
public:
    MessageResult showMessage(const Message& message) override {
        return message.buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
    }
    void beep() override {}
    void setPointer(PointerShape) override {}
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
};

class IdlePump final : public EventPump {
public:
    std::uint32_t processEvents() override { return 1U << 20U; }
};

class StillTimers final : public RunTimers {
public:
    int countdown() const override { return 1000; }
    void setCountdownEnabled(bool, int) override {}
    std::int32_t runSeconds() const override { return 1; }
    void resetRunSeconds() override {}
};

// Lets a run play a few thousand spins, then cancels it as the window's Cancel would, so a
// file whose days never end cannot hang the fuzzer.
class CancellingPump final : public EventPump {
public:
    void attach(RunCommands& run) { run_ = &run; }
    std::uint32_t processEvents() override {
        if (++calls_ == kCallsBeforeCancel && run_ != nullptr) {
            run_->MK_Cancel();
        }
        return kSpinsBetweenCalls;
    }

private:
    static constexpr int kCallsBeforeCancel = 4;
    static constexpr std::uint32_t kSpinsBetweenCalls = 1024;
    RunCommands* run_ = nullptr;
    int calls_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path folder = fuzzScratchFolder("open");
    MainWindowModel model;
    model.programFolder = folder;
    {
        std::ofstream out(model.workingCopyPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    YesUserInterface ui;
    IdlePump pump;
    StillTimers timers;
    PcgRandomSource source(1);
    RandomStream random(source);
    LocalFileSystem files;
    SystemThreadStarter threads;
    // IndPreset's refusal of a damaged file comes back as an error: the open ends with a message.
    const Result<RebuildOutcome> reloaded =
        reloadOpenedVerification(model, {ui, files, pump, timers, random, threads});
    if (!model.commands.enabled(Menu::Mf_End)) {
        std::abort(); // the window would stay locked
    }
    if (!reloaded.ok()) {
        return 0;
    }
    model.commands.apply(Availability::VerificationLoaded);
    FileWorkingCopy workingCopy(model.workingCopyPath());
    CancellingPump cancelling;
    RunCommands run(model, {ui, files, cancelling, timers, random, threads}, workingCopy);
    cancelling.attach(run);
    run.MK_Start();
    if (model.window.running != 0 || !model.commands.enabled(Menu::MK_Start)) {
        std::abort(); // the run did not hand the window back
    }
    return 0;
}
