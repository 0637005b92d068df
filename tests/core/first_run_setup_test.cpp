#include "commands/first_run_setup.h"
#include "commands/startup.h"
#include "file_test_support.h"
#include "files/sample_files.h"
#include "files/settings_file.h"
#include "files/utf8_path.h"
#include "files/windows_directory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using test_support::readBytes;
using test_support::RecordingSplash;
using test_support::ScratchFolder;
using test_support::writeBytes;

fs::path sampleFile(const fs::path& folder, int sample) {
    return folder /
           pathFromUtf8(std::string(kSampleNames.at(static_cast<std::size_t>(sample))) + ".pac");
}

class FirstRunSetupTest : public ::testing::Test {
protected:
    SetupPlace place() const { return {folder.path(), utf8FromPath(folder.path()), "C:\\WINDOWS"}; }
    void putSamples() {
        for (int sample = 0; sample < 5; ++sample) {
            writeBytes(sampleFile(folder.path(), sample), "sample " + std::to_string(sample));
        }
    }
    SetupResult runSetup() { return fileiniLoad(place(), ui, splash, files); }

    ScratchFolder folder;
    testing::RecordingUserInterface ui;
    RecordingSplash splash;
    test_support::FailingFileSystem files;
};

TEST_F(FirstRunSetupTest, first_start_writes_settings_creates_data_folder_and_moves_samples) {
    putSamples();
    const SetupResult result = runSetup();

    EXPECT_EQ(result.outcome, SetupOutcome::Completed);
    EXPECT_TRUE(result.setupDone);
    EXPECT_THAT(test_support::messageTexts(ui),
                ElementsAre("ゼルコラにようこそ。", "初期設定は終了しました。"));
    EXPECT_EQ(ui.messages[0].title, "ようこそ");
    EXPECT_EQ(ui.messages[1].title, "ゼルコラ");
    EXPECT_EQ(ui.messages[1].icon, MessageIcon::Information);
    EXPECT_THAT(splash.progress, ElementsAre(10, 20, 30, 40, 60, 80, 100));
    EXPECT_EQ(splash.shown, 1);
    EXPECT_EQ(splash.closed, 1);

    const Result<Settings> settings = readSettingsFile(folder.path());
    ASSERT_TRUE(settings.ok());
    EXPECT_EQ(settings.value(),
              (Settings{utf8FromPath(folder.path()), "C:\\WINDOWS", kSetupCompleteMark}));
    for (int sample = 0; sample < 5; ++sample) {
        EXPECT_FALSE(fs::exists(sampleFile(folder.path(), sample)));
        EXPECT_EQ(readBytes(sampleFile(folder.path() / "data", sample)),
                  "sample " + std::to_string(sample));
    }
}

TEST_F(FirstRunSetupTest, second_start_shows_nothing_and_writes_nothing) {
    putSamples();
    runSetup();
    const std::string settingsBefore = readBytes(folder.path() / "zelkora.ini");
    const auto writtenBefore = fs::last_write_time(folder.path() / "zelkora.ini");
    testing::RecordingUserInterface secondUi;
    RecordingSplash secondSplash;

    const SetupResult result = fileiniLoad(place(), secondUi, secondSplash, files);

    EXPECT_EQ(result.outcome, SetupOutcome::FoundComplete);
    EXPECT_TRUE(result.setupDone);
    EXPECT_THAT(secondUi.messages, IsEmpty());
    EXPECT_EQ(secondSplash.shown, 0);
    EXPECT_EQ(readBytes(folder.path() / "zelkora.ini"), settingsBefore);
    EXPECT_EQ(fs::last_write_time(folder.path() / "zelkora.ini"), writtenBefore);
}

TEST_F(FirstRunSetupTest, missing_samples_give_exactly_the_five_copy_errors_and_setup_goes_on) {
    const SetupResult result = runSetup();

    EXPECT_EQ(result.outcome, SetupOutcome::Completed);
    EXPECT_THAT(test_support::messageTexts(ui),
                ElementsAre("ゼルコラにようこそ。", "コピーエラー１。", "コピーエラー２。",
                            "コピーエラー３。", "コピーエラー４。", "コピーエラー５。",
                            "初期設定は終了しました。"));
    for (std::size_t index = 1; index <= 5; ++index) {
        EXPECT_EQ(ui.messages[index].title, "セットアップ");
        EXPECT_EQ(ui.messages[index].icon, MessageIcon::Critical);
    }
    EXPECT_TRUE(fs::is_directory(folder.path() / "data"));
}

TEST_F(FirstRunSetupTest, an_existing_data_folder_is_accepted) {
    fs::create_directory(folder.path() / "data");
    writeBytes(folder.path() / "data" / "mine.pac", "kept");
    putSamples();

    EXPECT_EQ(runSetup().outcome, SetupOutcome::Completed);
    EXPECT_THAT(test_support::messageTexts(ui),
                ElementsAre("ゼルコラにようこそ。", "初期設定は終了しました。"));
    EXPECT_EQ(readBytes(folder.path() / "data" / "mine.pac"), "kept");
}

TEST_F(FirstRunSetupTest, a_data_folder_that_cannot_be_made_ends_the_program_after_the_settings) {
    writeBytes(folder.path() / "data", "a file in the folder's place");
    putSamples();

    const SetupResult result = runSetup();

    EXPECT_EQ(result.outcome, SetupOutcome::ProgramMustEnd);
    EXPECT_THAT(test_support::messageTexts(ui),
                ElementsAre("ゼルコラにようこそ。",
                            "エラーが発生しました。初期設定は途中ですが中断されました。"));
    EXPECT_EQ(splash.closed, 1);
    // The settings came first, so the next start does not set up again.
    EXPECT_EQ(readSettingsFile(folder.path())->setupMark, kSetupCompleteMark);
    EXPECT_TRUE(fs::exists(sampleFile(folder.path(), 0)));
}

TEST_F(FirstRunSetupTest, a_drive_root_program_folder_keeps_its_backslash_in_record_1) {
    SetupPlace root = place();
    root.currentFolderText = "D:\\";
    fileiniLoad(root, ui, splash, files);

    EXPECT_EQ(readSettingsFile(folder.path())->programFolder, "D:\\");
    EXPECT_EQ(withoutTrailingBackslash("D:\\"), "D:");
    EXPECT_EQ(withoutTrailingBackslash("D:\\zelkora\\"), "D:\\zelkora");
    EXPECT_EQ(folderFromRecordText("/") / "temp.pac", fs::path("/temp.pac"));
    EXPECT_EQ(folderFromRecordText("/opt/zelkora/"), fs::path("/opt/zelkora"));
}

TEST_F(FirstRunSetupTest, damaged_settings_are_reported_and_the_setup_runs_again) {
    putSamples();
    runSetup();
    const std::string settings = readBytes(folder.path() / "zelkora.ini");
    writeBytes(folder.path() / "zelkora.ini", settings.substr(0, 150));
    testing::RecordingUserInterface secondUi;

    const SetupResult result = fileiniLoad(place(), secondUi, splash, files);

    EXPECT_EQ(result.outcome, SetupOutcome::Completed);
    ASSERT_FALSE(secondUi.messages.empty());
    EXPECT_THAT(secondUi.messages[0].text, ::testing::HasSubstr("zelkora.ini"));
    EXPECT_EQ(secondUi.messages[1].text, "ゼルコラにようこそ。");
    EXPECT_TRUE(readSettingsFile(folder.path()).ok());

    writeBytes(folder.path() / "zelkora.ini", std::string("\xFF\x00", 2) + std::string(200, 'x'));
    const Result<Settings> damaged = readSettingsFile(folder.path());
    ASSERT_FALSE(damaged.ok());
    EXPECT_NE(damaged.error().kind, ErrorKind::FileMissing);
    EXPECT_EQ(damaged.error().path, folder.path() / "zelkora.ini");
}

TEST_F(FirstRunSetupTest, a_settings_file_that_cannot_replace_the_old_one_leaves_it_whole) {
    // An unfinished earlier setup (mark 0), so the setup runs again and rewrites the file.
    ASSERT_TRUE(writeSettingsFile(files, folder.path(), {"C:\\OLD", "C:\\WINDOWS", 0}).ok());
    const std::string before = readBytes(folder.path() / "zelkora.ini");
    files.calls.clear();
    files.failRenames = true;
    EXPECT_EQ(runSetup().outcome, SetupOutcome::ProgramMustEnd);
    EXPECT_EQ(readBytes(folder.path() / "zelkora.ini"), before);
    EXPECT_FALSE(fs::exists(temporaryCopyPath(folder.path() / "zelkora.ini")));
    EXPECT_EQ(files.calls, (std::vector<std::string>{"sync", "rename"}));
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text,
              "設定ファイル " + utf8FromPath(folder.path() / "zelkora.ini") +
                  " を書き込めませんでした。読み取り専用の場所です。初期設定は途中ですが中断されま"
                  "した。");
}

// Record 1 has room for 98 bytes of code page 932: a deeper folder, or one whose name has no
// code page 932 form, is kept as "." (the folder zelkora.ini is in), and the program runs there.
TEST(program_folder_test, a_deep_or_unencodable_folder_is_set_up_and_started_in) {
    ScratchFolder scratch;
    for (const std::string& name : {std::string(100, 'd'), std::string("josé")}) {
        const fs::path folder = scratch.path() / pathFromUtf8(name);
        fs::create_directory(folder);
        const SetupPlace place{folder, utf8FromPath(folder), "C:\\WINDOWS"};
        testing::RecordingUserInterface ui;
        RecordingSplash splash;
        test_support::FailingFileSystem files;
        MainWindowModel model;

        const StartupResult started =
            startUpFromSettings(model, place, ui, splash, files, EnterProgramFolder::No);

        EXPECT_EQ(started.outcome, StartupOutcome::Ready) << name;
        EXPECT_EQ(model.programFolder, folder);
        EXPECT_EQ(model.window.filePath, utf8FromPath(folder / "data"));
        EXPECT_EQ(ui.messages.front().text, "ゼルコラにようこそ。");
        EXPECT_EQ(ui.messages.back().text, "初期設定は終了しました。");
        EXPECT_EQ(readSettingsFile(folder)->programFolder, ".") << name;
    }
    EXPECT_EQ(programFolderRecordText("/" + std::string(97, 'd')), "/" + std::string(97, 'd'));
    EXPECT_EQ(programFolderRecordText("/" + std::string(98, 'd')), ".");
    EXPECT_EQ(programFolderRecordText("/検証/" + std::string(92, 'd')),
              "/検証/" + std::string(92, 'd')); // 98 bytes in code page 932, 100 in UTF-8
}

// A program folder moved or copied since its setup starts where it now is, with no word to the
// user, and record 1 follows it; a start in the same place again writes nothing.
TEST(program_folder_test, a_moved_or_copied_folder_starts_where_it_is_and_record_1_follows) {
    ScratchFolder scratch;
    const fs::path first = scratch.path() / "A";
    fs::create_directory(first);
    const auto start = [](const fs::path& folder, testing::RecordingUserInterface& ui) {
        RecordingSplash splash;
        test_support::FailingFileSystem files;
        MainWindowModel model;
        const StartupResult started =
            startUpFromSettings(model, {folder, utf8FromPath(folder), "C:\\WINDOWS"}, ui, splash,
                                files, EnterProgramFolder::No);
        EXPECT_EQ(started.outcome, StartupOutcome::Ready) << folder;
        EXPECT_EQ(started.windowsDirectory, "C:\\WINDOWS");
        return model.programFolder;
    };
    testing::RecordingUserInterface setupUi;
    ASSERT_EQ(start(first, setupUi), first);

    const fs::path moved = scratch.path() / "B";
    fs::rename(first, moved);
    testing::RecordingUserInterface movedUi;
    EXPECT_EQ(start(moved, movedUi), moved);
    EXPECT_THAT(movedUi.messages, IsEmpty());
    EXPECT_EQ(readSettingsFile(moved)->programFolder, utf8FromPath(moved));
    EXPECT_EQ(readSettingsFile(moved)->setupMark, kSetupCompleteMark);

    const fs::path copied = scratch.path() / "C";
    fs::copy(moved, copied, fs::copy_options::recursive);
    testing::RecordingUserInterface copiedUi;
    EXPECT_EQ(start(copied, copiedUi), copied);
    EXPECT_EQ(readSettingsFile(copied)->programFolder, utf8FromPath(copied));
    EXPECT_EQ(readSettingsFile(moved)->programFolder, utf8FromPath(moved));

    const std::string before = readBytes(copied / "zelkora.ini");
    const auto writtenBefore = fs::last_write_time(copied / "zelkora.ini");
    testing::RecordingUserInterface againUi;
    EXPECT_EQ(start(copied, againUi), copied);
    EXPECT_EQ(readBytes(copied / "zelkora.ini"), before);
    EXPECT_EQ(fs::last_write_time(copied / "zelkora.ini"), writtenBefore);
}

// A start killed while it wrote leaves its hidden temporary files; the next start removes them
// and nothing else.
TEST_F(FirstRunSetupTest, start_up_removes_the_temporary_files_of_writes_cut_short) {
    putSamples();
    runSetup();
    const fs::path data = folder.path() / "data";
    const std::vector<fs::path> leftovers{temporaryCopyPath(sampleFile(data, 0)),
                                          temporaryCopyPath(data / "mine.pac"),
                                          temporaryCopyPath(folder.path() / "temp.pac"),
                                          temporaryCopyPath(folder.path() / "zelkora.ini")};
    for (const fs::path& leftover : leftovers) {
        writeBytes(leftover, "half a file");
    }
    const std::vector<fs::path> kept{data / "mine.pac", data / ".notes.txt.partial",
                                     data / "x.pac.partial", folder.path() / "temp.pac"};
    for (const fs::path& file : kept) {
        writeBytes(file, "kept");
    }
    fs::create_directory(data / ".folder.pac.partial");
    MainWindowModel model;

    ASSERT_EQ(
        startUpFromSettings(model, place(), ui, splash, files, EnterProgramFolder::No).outcome,
        StartupOutcome::Ready);

    for (const fs::path& leftover : leftovers) {
        EXPECT_FALSE(fs::exists(leftover)) << leftover;
    }
    for (const fs::path& file : kept) {
        EXPECT_EQ(readBytes(file), "kept") << file;
    }
    EXPECT_TRUE(fs::is_directory(data / ".folder.pac.partial"));
}

TEST(windows_directory_test, trimming_strips_the_buffer_end_and_a_trailing_separator) {
    const auto buffer = [](std::string text) {
        text.resize(41, '\0');
        return text;
    };
    EXPECT_EQ(trimWindowsDirectory(buffer("C:\\WINDOWS")), "C:\\WINDOWS");
    EXPECT_EQ(trimWindowsDirectory(buffer("C:\\")), "C:");
    EXPECT_EQ(trimWindowsDirectory(buffer("C:\\WIN_2,")), "C:\\WIN_2,");
    EXPECT_EQ(trimWindowsDirectory(buffer("C:\\ｳｲﾝﾄﾞ")), "C:\\ｳｲﾝﾄ"); // ﾞ lies past ﾖ
    EXPECT_EQ(trimWindowsDirectory(buffer("C:\\ｳｲﾝﾖ\\")), "C:\\ｳｲﾝﾖ");
    EXPECT_EQ(trimWindowsDirectory(buffer("/")), "/");
    EXPECT_EQ(trimWindowsDirectory(""), "");
}

TEST(windows_directory_test, off_windows_the_root_folder_stands_in) {
#ifndef _WIN32
    EXPECT_EQ(windowsDirectoryBuffer().size(), 41U);
    EXPECT_EQ(windowsDirectory(), "/");
#endif
}

TEST_F(FirstRunSetupTest, start_up_reads_the_program_folder_and_resets_the_window_values) {
    putSamples();
    MainWindowModel model;
    model.window.unsaved = true;
    model.program.playSchedule = "11111111111111";

    const StartupResult result =
        startUpFromSettings(model, place(), ui, splash, files, EnterProgramFolder::No);

    EXPECT_EQ(result.outcome, StartupOutcome::Ready);
    EXPECT_EQ(result.windowsDirectory, "C:\\WINDOWS");
    EXPECT_EQ(model.programFolder, folder.path());
    EXPECT_EQ(model.workingCopyPath(), folder.path() / "temp.pac");
    EXPECT_EQ(model.window.filePath, utf8FromPath(folder.path() / "data"));
    EXPECT_EQ(model.window.fileTitle, "新しい検証.pac");
    EXPECT_FALSE(model.window.unsaved);
    EXPECT_FALSE(model.window.savedName);
    EXPECT_EQ(model.window.caption, "ゼルコラ");
    EXPECT_EQ(model.program.playSchedule, "02111211100000");
    EXPECT_EQ(model.program.ruleOptionDigits, "1122");
}

} // namespace
} // namespace zelkora
