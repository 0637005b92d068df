// Every command that writes a file, with each call it makes to the file system failing in turn:
// the file it writes is afterwards either its old self or its new self, complete, and a failure
// that kept the old one is told in Japanese.

#include "commands/file_commands.h"
#include "commands/run_commands.h"
#include "commands/startup.h"
#include "file_test_support.h"
#include "files/condition_file_writer.h"
#include "files/sample_files.h"
#include "files/settings_file.h"
#include "files/utf8_path.h"
#include "files/working_copy_file.h"
#include "results/ind_preset.h"
#include "wizard_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

namespace fs = std::filesystem;
using test_support::FailingFileSystem;
using test_support::readBytes;
using test_support::ScratchFolder;
using test_support::writeBytes;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const std::vector<std::string> kSafeReplaceCalls{"copy", "sync", "rename", "sync folder"};

// What FailingFileSystem reports for a failed call of each kind, in the user's words.
std::string reasonFor(const std::string& call) {
    if (call == "copy") {
        return "ディスクの空き容量が足りません。";
    }
    if (call == "rename") {
        return "読み取り専用の場所です。";
    }
    return "ディスクの読み書きに失敗しました。";
}

// What Open says of the working copy when the call fails while the copy replaces it.
std::string workingCopyFailureFor(const std::string& call) {
    if (call == "rename") {
        return "作業ファイルを新しい内容に置き換えられません。" + reasonFor(call);
    }
    return "作業ファイルに書き込めません。" + reasonFor(call);
}

bool leftTemporaries(const fs::path& folder) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.path().extension() == ".partial") {
            return true;
        }
    }
    return false;
}

// A program folder whose working copy holds one verification (the new content of a save) and
// whose data folder holds another under 保存済み.pac (the old content), with the file commands
// on a file system that fails the call asked for.
struct FileCommandWorld {
    explicit FileCommandWorld(std::size_t failingCall) {
        files.failAtCall = failingCall;
        model.programFolder = folder.path();
        resetWindowValues(model);
        fs::create_directory(folder.path() / "data");
        EXPECT_TRUE(writeConditionFile(model.workingCopyPath(), sampleDefinitions()[0]).ok());
        EXPECT_TRUE(writeConditionFile(saved(), sampleDefinitions()[2]).ok());
        workingBytes = readBytes(model.workingCopyPath());
        savedBytes = readBytes(saved());
        model.commands.apply(Availability::VerificationLoaded);
    }
    fs::path saved() const { return folder.path() / "data" / pathFromUtf8("保存済み.pac"); }
    std::string savedText() const { return utf8FromPath(saved()); }
    std::string saveFailure(const std::string& call) const {
        return "ファイル " + savedText() + " に保存できませんでした。" + reasonFor(call) +
               "保存先にあったファイルはそのままです。";
    }

    ScratchFolder folder;
    MainWindowModel model;
    testing::RecordingUserInterface ui;
    FailingFileSystem files;
    testing::CallbackEventPump pump;
    testing::FixedRunTimers timers{1000, 0};
    testing::ScriptedRandomSource source;
    RandomStream random{source};
    PlatformSeams seams{ui, files, pump, timers, random, testing::testThreads()};
    ConditionWizard wizard{model, seams};
    FileCommands commands{model, seams, wizard};
    std::string workingBytes;
    std::string savedBytes;
};

// The calls a command makes when nothing fails.
template <typename Command> std::vector<std::string> seamCalls(Command command) {
    FileCommandWorld world(0);
    command(world);
    EXPECT_THAT(world.ui.messages, IsEmpty());
    return world.files.calls;
}

TEST(CrashSafeFiles, save_keeps_the_old_file_or_writes_the_new_one_whole) {
    const auto save = [](FileCommandWorld& world) {
        world.model.window.savedName = true;
        world.model.window.filePath = world.savedText();
        world.model.window.unsaved = true;
        world.commands.MF_OverSave();
    };
    const std::vector<std::string> calls = seamCalls(save);
    ASSERT_THAT(calls, ElementsAreArray(kSafeReplaceCalls));
    for (std::size_t failing = 1; failing <= calls.size(); ++failing) {
        const std::string& call = calls[failing - 1];
        SCOPED_TRACE(call);
        FileCommandWorld world(failing);
        save(world);
        const bool kept = call != "sync folder"; // the new file is in place before that sync
        EXPECT_EQ(readBytes(world.saved()), kept ? world.savedBytes : world.workingBytes);
        EXPECT_EQ(world.model.window.unsaved, kept);
        if (kept) {
            ASSERT_EQ(world.ui.messages.size(), 1U);
            EXPECT_EQ(world.ui.messages[0].text, world.saveFailure(call));
            EXPECT_EQ(world.ui.messages[0].title, "確認");
        } else {
            EXPECT_THAT(world.ui.messages, IsEmpty());
        }
        EXPECT_EQ(readBytes(world.model.workingCopyPath()), world.workingBytes);
        EXPECT_FALSE(leftTemporaries(world.folder.path()));
        EXPECT_EQ(world.ui.pointers.back(), PointerShape::Default);
    }
}

TEST(CrashSafeFiles, save_as_keeps_the_old_file_and_the_old_name_when_it_fails) {
    const auto saveAs = [](FileCommandWorld& world) {
        world.model.window.unsaved = true;
        world.ui.dialogAnswer = world.savedText();
        world.commands.MF_NewSave();
    };
    const std::vector<std::string> calls = seamCalls(saveAs);
    ASSERT_THAT(calls, ElementsAreArray(kSafeReplaceCalls));
    for (std::size_t failing = 1; failing <= calls.size(); ++failing) {
        const std::string& call = calls[failing - 1];
        SCOPED_TRACE(call);
        FileCommandWorld world(failing);
        saveAs(world);
        const bool kept = call != "sync folder";
        EXPECT_EQ(readBytes(world.saved()), kept ? world.savedBytes : world.workingBytes);
        EXPECT_EQ(world.model.window.savedName, !kept);
        EXPECT_EQ(world.model.window.caption, kept ? "ゼルコラ" : "ゼルコラ... 保存済み.pac");
        if (kept) {
            ASSERT_EQ(world.ui.messages.size(), 1U);
            EXPECT_EQ(world.ui.messages[0].text, world.saveFailure(call));
        } else {
            EXPECT_THAT(world.ui.messages, IsEmpty());
        }
        EXPECT_FALSE(leftTemporaries(world.folder.path()));
    }
}

TEST(CrashSafeFiles, the_exit_save_removes_the_working_copy_only_once_the_save_is_whole) {
    const auto exitSave = [](FileCommandWorld& world) {
        world.model.window.unsaved = true;
        world.ui.dialogAnswer = world.savedText();
        return world.commands.unload();
    };
    const std::vector<std::string> calls = seamCalls(exitSave);
    ASSERT_THAT(calls, ElementsAre("copy", "sync", "rename", "sync folder", "remove"));
    for (std::size_t failing = 1; failing <= calls.size(); ++failing) {
        const std::string& call = calls[failing - 1];
        SCOPED_TRACE(call);
        FileCommandWorld world(failing);
        const UnloadOutcome outcome = exitSave(world);
        const bool saved = call == "sync folder" || call == "remove";
        EXPECT_EQ(outcome, saved ? UnloadOutcome::Ends : UnloadOutcome::StaysOpen);
        EXPECT_EQ(readBytes(world.saved()), saved ? world.workingBytes : world.savedBytes);
        // The working copy goes only after a save, and a failed removal loses nothing.
        EXPECT_EQ(fs::exists(world.model.workingCopyPath()), !saved || call == "remove");
        if (fs::exists(world.model.workingCopyPath())) {
            EXPECT_EQ(readBytes(world.model.workingCopyPath()), world.workingBytes);
        }
        if (saved) {
            EXPECT_THAT(world.ui.messages, IsEmpty());
        } else {
            ASSERT_EQ(world.ui.messages.size(), 1U);
            EXPECT_EQ(world.ui.messages[0].text, world.saveFailure(call));
        }
        EXPECT_FALSE(leftTemporaries(world.folder.path()));
    }
}

TEST(CrashSafeFiles, open_keeps_the_working_copy_and_the_window_when_its_copy_fails) {
    const auto open = [](FileCommandWorld& world) {
        world.ui.dialogAnswer = world.savedText();
        world.commands.MF_Open();
    };
    const std::vector<std::string> calls = seamCalls(open);
    ASSERT_THAT(calls, ElementsAreArray(kSafeReplaceCalls));
    for (std::size_t failing = 1; failing <= calls.size(); ++failing) {
        const std::string& call = calls[failing - 1];
        SCOPED_TRACE(call);
        FileCommandWorld world(failing);
        open(world);
        const bool kept = call != "sync folder";
        EXPECT_EQ(readBytes(world.model.workingCopyPath()),
                  kept ? world.workingBytes : world.savedBytes);
        EXPECT_EQ(readBytes(world.saved()), world.savedBytes);
        EXPECT_EQ(world.model.window.savedName, !kept);
        EXPECT_EQ(world.model.fields.text(Field::条件_確率), kept ? "" : "99");
        if (kept) {
            ASSERT_EQ(world.ui.messages.size(), 1U);
            EXPECT_EQ(world.ui.messages[0].text,
                      "ファイル " + world.savedText() + " を開けませんでした。" +
                          workingCopyFailureFor(call) + "編集中の検証はそのままです。");
            EXPECT_EQ(world.ui.messages[0].title, "確認");
        } else {
            EXPECT_THAT(world.ui.messages, IsEmpty());
        }
        EXPECT_FALSE(leftTemporaries(world.folder.path()));
        EXPECT_EQ(world.ui.pointers.back(), PointerShape::Default);
    }
}

// The wizard on an opened verification, its Finish writing on a failing file system.
class FinishWorld final : public testing::WizardTest {
public:
    explicit FinishWorld(std::size_t failingCall) {
        openVerification(sampleDefinitions()[2], "mine.pac");
        before = readBytes(model.workingCopyPath());
        wizard.MC_Pic();
        wizard.page3()->change(Page3Control::出玉表示, "999");
        files.failAtCall = failingCall;
    }
    void TestBody() override {}
    FinishOutcome finish() { return wizard.finish(); }

    using WizardTest::files;
    using WizardTest::model;
    using WizardTest::ui;
    using WizardTest::wizard;
    std::string before;
};

// The wizard at start-up, before any verification: New leads to page 3.
class NewVerificationWorld final : public testing::WizardTest {
public:
    void TestBody() override {}
    using WizardTest::model;
    using WizardTest::newToPage3;
    using WizardTest::ui;
    using WizardTest::wizard;
};

TEST(CrashSafeFiles, finish_keeps_the_working_copy_and_the_pages_when_it_cannot_write) {
    std::vector<std::string> calls;
    {
        FinishWorld world(0);
        ASSERT_EQ(world.finish(), FinishOutcome::Finished);
        calls = world.files.calls;
    }
    ASSERT_THAT(calls, ElementsAreArray(kSafeReplaceCalls));
    for (std::size_t failing = 1; failing <= calls.size(); ++failing) {
        const std::string& call = calls[failing - 1];
        SCOPED_TRACE(call);
        FinishWorld world(failing);
        const bool kept = call != "sync folder";
        EXPECT_EQ(world.finish(), kept ? FinishOutcome::NotWritten : FinishOutcome::Finished);
        const std::string after = readBytes(world.model.workingCopyPath());
        EXPECT_EQ(after == world.before, kept);
        EXPECT_EQ(world.model.grids.grid2.cell(1, 4), kept ? "1000" : "999");
        EXPECT_EQ(world.wizard.isVisible(WizardPage::条件2), kept);
        if (kept) {
            ASSERT_EQ(world.ui.messages.size(), 1U);
            EXPECT_EQ(world.ui.messages[0].text,
                      "作業ファイル " + utf8FromPath(world.model.workingCopyPath()) +
                          " に条件を書き込めませんでした。" + reasonFor(call) +
                          "条件は変更されていません。");
        } else {
            EXPECT_THAT(world.ui.messages, IsEmpty());
            EXPECT_EQ(after.size(), world.before.size()) << "a file of the same records";
        }
        EXPECT_FALSE(fs::exists(temporaryCopyPath(world.model.workingCopyPath())));
    }
}

// A disk that fills up while Finish writes its records (a new verification, so the file grows
// from nothing) or while the setup writes the settings file: nothing is left half-written.
TEST(CrashSafeFiles, a_full_disk_during_the_record_writes_of_finish_or_the_settings) {
    ZELKORA_NEEDS_FILE_SIZE_LIMIT();
    {
        NewVerificationWorld world;
        world.newToPage3();
        FinishOutcome outcome = FinishOutcome::Refused;
        {
            const test_support::FileSizeLimit limit(10000);
            ASSERT_TRUE(limit.set());
            outcome = world.wizard.finish();
        }
        EXPECT_EQ(outcome, FinishOutcome::NotWritten);
        EXPECT_FALSE(fs::exists(world.model.workingCopyPath()));
        EXPECT_FALSE(fs::exists(temporaryCopyPath(world.model.workingCopyPath())));
        EXPECT_THAT(test_support::messageTexts(world.ui),
                    ElementsAre("作業ファイル " + utf8FromPath(world.model.workingCopyPath()) +
                                " に条件を書き込めませんでした。ファイルが大きすぎます。"
                                "条件は変更されていません。"));
        EXPECT_TRUE(world.wizard.isVisible(WizardPage::条件2));
    }
    ScratchFolder folder;
    FailingFileSystem files;
    testing::RecordingUserInterface ui;
    test_support::RecordingSplash splash;
    SetupResult result;
    {
        const test_support::FileSizeLimit limit(150);
        ASSERT_TRUE(limit.set());
        result = fileiniLoad({folder.path(), utf8FromPath(folder.path()), "C:\\WINDOWS"}, ui,
                             splash, files);
    }
    EXPECT_EQ(result.outcome, SetupOutcome::ProgramMustEnd);
    EXPECT_FALSE(fs::exists(folder.path() / "zelkora.ini"));
    EXPECT_FALSE(leftTemporaries(folder.path()));
    EXPECT_EQ(ui.messages.back().text, "設定ファイル " +
                                           utf8FromPath(folder.path() / "zelkora.ini") +
                                           " を書き込めませんでした。ファイルが大きすぎます。"
                                           "初期設定は途中ですが中断されました。");
}

// The first start in an empty folder holding the five samples, with the settings file's own
// writes and then each sample's move failing in turn.
TEST(CrashSafeFiles, first_run_setup_writes_the_settings_file_whole_or_not_at_all) {
    const auto setUp = [](const fs::path& folder, FailingFileSystem& files,
                          testing::RecordingUserInterface& ui) {
        for (std::size_t sample = 0; sample < kSampleNames.size(); ++sample) {
            writeBytes(folder / pathFromUtf8(std::string(kSampleNames[sample]) + ".pac"),
                       "sample " + std::to_string(sample));
        }
        test_support::RecordingSplash splash;
        return fileiniLoad({folder, utf8FromPath(folder), "C:\\WINDOWS"}, ui, splash, files);
    };
    std::vector<std::string> calls;
    {
        ScratchFolder folder;
        FailingFileSystem files;
        testing::RecordingUserInterface ui;
        ASSERT_EQ(setUp(folder.path(), files, ui).outcome, SetupOutcome::Completed);
        calls = files.calls;
    }
    std::vector<std::string> expected{"sync", "rename", "sync folder"};
    for (std::size_t sample = 0; sample < kSampleNames.size(); ++sample) {
        expected.insert(expected.end(), kSafeReplaceCalls.begin(), kSafeReplaceCalls.end());
        expected.emplace_back("remove");
    }
    ASSERT_THAT(calls, ElementsAreArray(expected));

    for (std::size_t failing = 1; failing <= calls.size(); ++failing) {
        SCOPED_TRACE(::testing::Message() << "call " << failing << ": " << calls[failing - 1]);
        ScratchFolder folder;
        FailingFileSystem files;
        files.failAtCall = failing;
        testing::RecordingUserInterface ui;
        const SetupResult result = setUp(folder.path(), files, ui);
        const Result<Settings> settings = readSettingsFile(folder.path());
        EXPECT_FALSE(leftTemporaries(folder.path()));
        if (failing <= 2) { // the settings file's sync or rename
            EXPECT_EQ(result.outcome, SetupOutcome::ProgramMustEnd);
            ASSERT_FALSE(settings.ok());
            EXPECT_EQ(settings.error().kind, ErrorKind::FileMissing);
            ASSERT_EQ(ui.messages.size(), 2U);
            EXPECT_EQ(ui.messages[1].text,
                      "設定ファイル " + utf8FromPath(folder.path() / "zelkora.ini") +
                          " を書き込めませんでした。" + reasonFor(calls[failing - 1]) +
                          "初期設定は途中ですが中断されました。");
            EXPECT_EQ(ui.messages[1].title, "セットアップ");
            continue;
        }
        EXPECT_EQ(result.outcome, SetupOutcome::Completed);
        ASSERT_TRUE(settings.ok());
        EXPECT_EQ(settings->setupMark, kSetupCompleteMark);
        if (failing == 3) {
            continue; // the folder's sync: the settings are in place all the same
        }
        // Sample k: each of its five calls; only a failure before its copy is in place, or its
        // removal, is a copy error, and the sample is then whole in one place or both.
        const std::size_t sample = (failing - 4) / 5;
        const std::string& call = calls[failing - 1];
        const std::string name = std::string(kSampleNames[sample]) + ".pac";
        const fs::path source = folder.path() / pathFromUtf8(name);
        const fs::path target = folder.path() / "data" / pathFromUtf8(name);
        const std::string content = "sample " + std::to_string(sample);
        const bool copied = call == "sync folder" || call == "remove";
        EXPECT_EQ(fs::exists(target), copied);
        if (copied) {
            EXPECT_EQ(readBytes(target), content);
        }
        EXPECT_EQ(fs::exists(source), call != "sync folder");
        if (fs::exists(source)) {
            EXPECT_EQ(readBytes(source), content);
        }
        const std::vector<std::string> texts = test_support::messageTexts(ui);
        const bool copyError = call != "sync folder";
        EXPECT_EQ(texts.size(), copyError ? 3U : 2U);
        if (copyError) {
            const std::array<std::string_view, 5> digits{"１", "２", "３", "４", "５"};
            EXPECT_EQ(texts[1], "コピーエラー" + std::string(digits.at(sample)) + "。");
        }
    }
}

// A run starts on a working copy that Start rebuilds beside the old one; until that is in place
// the old one stays, and the run does not start.
TEST(CrashSafeFiles, a_start_that_cannot_recreate_the_working_copy_leaves_it_as_it_was) {
    const auto start = [](const fs::path& folder, FailingFileSystem& files,
                          testing::RecordingUserInterface& ui) {
        SampleDefinition sample = sampleDefinitions()[0];
        for (auto& [field, text] : sample.conditions) {
            if (field == Field::条件_何日分) {
                text = "1";
            }
        }
        MainWindowModel model;
        model.programFolder = folder;
        EXPECT_TRUE(writeConditionFile(model.workingCopyPath(), sample).ok());
        EXPECT_TRUE(IndPreset(model, ui).ok());
        model.commands.apply(Availability::VerificationLoaded);
        testing::CallbackEventPump pump;
        testing::FixedRunTimers timers{1000, 1};
        testing::ScriptedRandomSource source;
        RandomStream random{source};
        FileWorkingCopy workingCopy(model.workingCopyPath(), files);
        RunCommands commands(
            model, {ui, testing::testFiles(), pump, timers, random, testing::testThreads()},
            workingCopy);
        std::string before = readBytes(model.workingCopyPath());
        commands.MK_Start();
        EXPECT_EQ(model.window.running, 0);
        EXPECT_TRUE(model.commands.enabled(Menu::MK_Start));
        return before;
    };
    std::vector<std::string> calls;
    {
        ScratchFolder folder;
        FailingFileSystem files;
        testing::RecordingUserInterface ui;
        start(folder.path(), files, ui);
        ASSERT_THAT(test_support::messageTexts(ui), ElementsAre(std::string(kRunEndMessage)));
        calls = files.calls;
    }
    ASSERT_THAT(calls, ElementsAre("sync", "rename", "sync folder"));
    for (std::size_t failing = 1; failing <= calls.size(); ++failing) {
        const std::string& call = calls[failing - 1];
        SCOPED_TRACE(call);
        ScratchFolder folder;
        FailingFileSystem files;
        files.failAtCall = failing;
        testing::RecordingUserInterface ui;
        const std::string before = start(folder.path(), files, ui);
        const std::string after = readBytes(folder.path() / "temp.pac");
        EXPECT_FALSE(leftTemporaries(folder.path()));
        ASSERT_EQ(ui.messages.size(), 1U);
        if (call == "sync folder") {
            EXPECT_EQ(ui.messages[0].text, kRunEndMessage);
            EXPECT_NE(after, before);
            continue;
        }
        EXPECT_EQ(after, before);
        const std::string what =
            call == "sync" ? "に書き込めません。" : "を新しい内容に置き換えられません。";
        EXPECT_EQ(ui.messages[0].text, "作業ファイル" + what + reasonFor(call) +
                                           "検証を開始できませんでした。作業ファイルは変更されて"
                                           "いません。");
        EXPECT_EQ(ui.messages[0].title, "検証エラー");
    }
}

} // namespace
} // namespace zelkora
