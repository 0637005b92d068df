// Opens arbitrary bytes as a verification: the working copy is replaced by the input, then
// IndPreset and the rebuild run with every question answered Yes. Whatever the file holds, the
// open must end with the window usable again, never with a crash or a hang.
#include "commands/open_reload.h"
#include "model/main_window_model.h"
#include "platform/platform.h"
#include "platform/random_stream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

class HalfSource final : public RandomSource {
public:
    void fill(std::span<float> values) override {
        for (float& value : values) {
            value = 0.5F;
        }
    }
};

std::filesystem::path programFolder() {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("zelkora-open-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path folder = programFolder();
    MainWindowModel model;
    model.programFolder = folder;
    {
        std::ofstream out(model.workingCopyPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    YesUserInterface ui;
    IdlePump pump;
    StillTimers timers;
    HalfSource source;
    RandomStream random(source);
    // IndPreset's refusal of a damaged file comes back as an error: the open ends with a message.
    (void)reloadOpenedVerification(model, {ui, pump, timers, random});
    if (!model.commands.enabled(Menu::Mf_End)) {
        std::abort(); // the window would stay locked
    }
    return 0;
}
