#include "files/utf8_path.h"
#include "json_report.h"
#include "runner.h"
#include "window_fixture.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace zelkora::testing {
namespace {

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The window adds nothing to a run and loses nothing: played from the menu with the same seed
// and countdown, it leaves the working copy and the figures that zelkora-run gives.
TEST(WindowAndRunner, a_seeded_run_in_the_window_equals_the_runners) {
    for (const char* name : {"定番確変315", "サービスタイムの店"}) {
        const std::string file = std::string(ZELKORA_SAMPLES_DIR) + "/" + name + ".pac";
        TempFolder folder;
        const std::string out = utf8FromPath(folder.file("runner.pac"));
        const std::vector<std::string_view> arguments{file,  "--seed", "7", "--countdown",
                                                      "321", "--out",  out, "--json"};
        std::ostringstream report;
        std::ostringstream errors;
        ASSERT_EQ(cli::runVerification(arguments, report, errors), 0) << errors.str();

        MainWindowModel model;
        model.programFolder = folder.file("program");
        std::filesystem::create_directories(model.programFolder / "data");
        RecordingUserInterface ui;
        FixedRunTimers timers{321, 0};
        LocalFileSystem files;
        PcgRandomSource source{7};
        RandomStream random{source};
        ui::DesktopPlatform platform(ui, files, timers, random);
        ui::MainWindow window(model, platform);
        window.show();
        ui.dialogAnswer = file;
        ui.answer = MessageResult::No; // the runner replays nothing before it plays
        window.actions().menuAction(Menu::MF_Open)->trigger();
        window.actions().menuAction(Menu::MK_Start)->trigger();

        EXPECT_GT(window.pump().calls(), 0U) << name;
        const std::string windowBytes = bytesOf(model.workingCopyPath());
        const std::string runnerBytes = bytesOf(pathFromUtf8(out));
        EXPECT_GT(runnerBytes.size(), 20000U) << name;
        EXPECT_TRUE(windowBytes == runnerBytes)
            << name << ": the working copies differ (" << windowBytes.size() << " and "
            << runnerBytes.size() << " bytes)";
        EXPECT_EQ(cli::jsonReport(model.fields, model.window.resultRecordCounter), report.str())
            << name;
    }
}

} // namespace
} // namespace zelkora::testing
