// Starts the program on an arbitrary zelkora.ini: the first-run check, the setup it may run
// again, and the start-up read. Whatever the settings file holds, start-up must end either
// ready with a program folder or with a message that the program ends, never with a crash.
#include "commands/startup.h"
#include "files/file_system.h"
#include "files/settings_file.h"
#include "files/utf8_path.h"
#include "model/main_window_model.h"
#include "platform/platform.h"
#include "scratch_folder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace zelkora;

class CountingUserInterface final : public UserInterface {
public:
    MessageResult showMessage(const Message&) override {
        ++messages;
        return MessageResult::Ok;
    }
    void beep() override {}
    void setPointer(PointerShape) override {}
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
    int messages = 0;
};

class NoSplash final : public SplashView {
public:
    void show() override {}
    void setProgress(int) override {}
    void close() override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path folder = fuzzScratchFolder("settings") / "program";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    {
        std::ofstream out(folder / kSettingsFileName, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    MainWindowModel model;
    CountingUserInterface ui;
    NoSplash splash;
    LocalFileSystem files;
    const SetupPlace place{folder, utf8FromPath(folder), "C:\\WINDOWS"};
    const StartupResult started =
        startUpFromSettings(model, place, ui, splash, files, EnterProgramFolder::No);
    if (started.outcome == StartupOutcome::ProgramMustEnd && ui.messages == 0) {
        std::abort(); // the program would end without telling the user why
    }
    if (started.outcome == StartupOutcome::Ready && !readSettingsFile(folder).ok()) {
        std::abort(); // ready on a settings file that cannot be read back
    }
    return 0;
}
