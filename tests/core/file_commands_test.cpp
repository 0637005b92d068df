#include "commands/file_commands.h"
#include "commands/startup.h"
#include "commands/unsaved_work.h"
#include "commands/window_startup.h"
#include "file_test_support.h"
#include "files/condition_file_writer.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "files/utf8_path.h"
#include "platform/thread_starter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

namespace fs = std::filesystem;
using test_support::dialogsTitled;
using test_support::FailingFileSystem;
using test_support::readBytes;
using test_support::ScratchFolder;
using test_support::writeBytes;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.programFolder = folder.path();
        resetWindowValues(model);
        fs::create_directory(folder.path() / "data");
        writeBytes(workingCopy(), "working copy");
        // A saved verification with conditions and no run, so Open asks nothing more.
        ASSERT_TRUE(writeConditionFile(saved(), sampleDefinitions()[2]).ok());
        savedBytes = readBytes(saved());
        model.commands.apply(Availability::VerificationLoaded);
    }
    fs::path workingCopy() const { return folder.path() / "temp.pac"; }
    fs::path saved() const { return folder.path() / "data" / pathFromUtf8("保存済み.pac"); }
    std::string savedText() const { return utf8FromPath(saved()); }

    ScratchFolder folder;
    MainWindowModel model;
    std::string savedBytes;
    testing::RecordingUserInterface ui;
    FailingFileSystem files;
    testing::CallbackEventPump pump;
    testing::FixedRunTimers timers{1000, 0};
    testing::ScriptedRandomSource source;
    RandomStream random{source};
    SystemThreadStarter threads;
    PlatformSeams seams{ui, files, pump, timers, random, threads};
    ConditionWizard wizard{model, seams};
    FileCommands commands{model, seams, wizard};

    // What the commands asked of the window: a condition page shown, the basic-condition panel.
    std::vector<std::string> asked() const {
        std::vector<std::string> calls;
        if (wizard.isVisible(WizardPage::条件1)) {
            calls.emplace_back("条件1");
        }
        if (model.requests.showBasicConditionPanel) {
            calls.emplace_back("基本条件");
        }
        return calls;
    }
};

TEST_F(FileCommandsTest, open_asks_nothing_when_nothing_is_unsaved) {
    commands.MF_Open();
    EXPECT_THAT(ui.messages, IsEmpty());
    ASSERT_EQ(dialogsTitled(ui, "ファイルを開く").size(), 1U);
    const FileDialogRequest request = dialogsTitled(ui, "ファイルを開く")[0];
    EXPECT_EQ(request.title, "ファイルを開く");
    EXPECT_EQ(
        request.filter,
        "すべての検証ファイル|*.pac;*.json|Data base|*.pac|機種ファイル|*.json|All Files|*.*|");
    EXPECT_EQ(request.presetName, "");
    EXPECT_EQ(request.initialFolder, utf8FromPath(folder.path() / "data"));
    EXPECT_FALSE(request.overwritePrompt);
}

TEST_F(FileCommandsTest, cancelling_the_confirmation_leaves_everything_as_it_was) {
    model.window.unsaved = true;
    ui.answer = MessageResult::Cancel;
    commands.MF_Open();
    commands.MF_MakeNew();

    ASSERT_EQ(ui.messages.size(), 2U);
    EXPECT_EQ(ui.messages[0].text, "新しいファイルを開くと編集中のファイルは失われます。");
    EXPECT_EQ(ui.messages[0].title, "確認");
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Critical);
    EXPECT_THAT(ui.dialogs, IsEmpty());
    EXPECT_THAT(asked(), IsEmpty());
    EXPECT_EQ(readBytes(workingCopy()), "working copy");
}

TEST_F(FileCommandsTest, new_shows_page_1_with_the_new_verification_flag_raised) {
    model.window.savedName = true;
    commands.MF_MakeNew();
    EXPECT_THAT(asked(), ElementsAre("条件1"));
    EXPECT_FALSE(model.window.savedName); // page 1 loaded as a new verification's
    EXPECT_EQ(model.window.newVerification, 0);
    EXPECT_EQ(readBytes(workingCopy()), "working copy");
}

TEST_F(FileCommandsTest, open_copies_the_file_over_the_working_copy_and_reloads) {
    model.window.unsaved = true;
    model.fields.setText(Field::StatusBar1_Panel1, kStartupStatusText);
    ui.dialogAnswer = savedText();
    commands.MF_Open();

    EXPECT_EQ(readBytes(workingCopy()), savedBytes);
    EXPECT_TRUE(model.window.savedName);
    EXPECT_EQ(model.window.filePath, savedText());
    EXPECT_EQ(model.window.fileTitle, "保存済み.pac");
    EXPECT_EQ(model.window.caption, "ゼルコラ... 保存済み.pac");
    EXPECT_FALSE(model.window.unsaved);
    EXPECT_THAT(asked(), ElementsAre("基本条件"));
    EXPECT_EQ(model.fields.text(Field::条件_確率), "99"); // reloaded from the file
    EXPECT_EQ(model.fields.text(Field::EXP), "甘デジ99次まで時短");
    EXPECT_EQ(model.fields.text(Field::StatusBar1_Panel1), "") << "no longer 'no file is open'";
    // Only the confirmation: the file holds no run, so there is no rebuild question.
    EXPECT_EQ(ui.messages.size(), 1U);
    EXPECT_TRUE(model.commands.enabled(Menu::MK_Start));
    EXPECT_EQ(ui.pointers.front(), PointerShape::Hourglass);
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
}

TEST_F(FileCommandsTest, a_file_named_at_start_opens_as_open_does_without_a_dialog) {
    model.commands.apply(Availability::NoVerification);
    commands.openNamedFile(savedText());

    EXPECT_THAT(ui.dialogs, IsEmpty());
    EXPECT_EQ(readBytes(workingCopy()), savedBytes);
    EXPECT_EQ(model.window.caption, "ゼルコラ... 保存済み.pac");
    EXPECT_THAT(asked(), ElementsAre("基本条件"));
    EXPECT_EQ(model.fields.text(Field::EXP), "甘デジ99次まで時短");
    EXPECT_TRUE(model.commands.enabled(Menu::MK_Start));
}

TEST_F(FileCommandsTest, a_named_file_that_cannot_be_read_is_reported_and_changes_nothing) {
    commands.openNamedFile(utf8FromPath(folder.path() / pathFromUtf8("無い.pac")));

    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_THAT(ui.messages[0].text, HasSubstr("無い.pac"));
    EXPECT_EQ(readBytes(workingCopy()), "working copy");
    EXPECT_FALSE(model.window.savedName);
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
}

TEST_F(FileCommandsTest, cancelling_the_open_dialog_changes_nothing) {
    commands.MF_Open();
    EXPECT_FALSE(model.window.savedName);
    EXPECT_EQ(model.window.caption, "ゼルコラ");
    EXPECT_THAT(asked(), IsEmpty());
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
}

TEST_F(FileCommandsTest, opening_the_working_copy_itself_keeps_it) {
    ASSERT_TRUE(writeConditionFile(workingCopy(), sampleDefinitions()[2]).ok());
    const std::string bytes = readBytes(workingCopy());
    ui.dialogAnswer = utf8FromPath(workingCopy());
    commands.MF_Open();
    EXPECT_EQ(readBytes(workingCopy()), bytes);
    EXPECT_EQ(model.window.fileTitle, "temp.pac");
}

TEST_F(FileCommandsTest, a_failed_open_says_so_and_keeps_the_working_copy_and_the_values) {
    ui.dialogAnswer = utf8FromPath(folder.path() / pathFromUtf8("消えた.pac"));
    commands.MF_Open();

    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_THAT(ui.messages[0].text, HasSubstr("消えた.pac"));
    EXPECT_EQ(readBytes(workingCopy()), "working copy");
    EXPECT_FALSE(model.window.savedName);
    EXPECT_THAT(asked(), IsEmpty());
}

TEST_F(FileCommandsTest, a_reload_that_fails_is_reported_and_ends_the_open) {
    model.commands.apply(Availability::NoVerification);
    writeBytes(saved(), "not a verification");
    ui.dialogAnswer = savedText();
    commands.MF_Open();

    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_THAT(ui.messages[0].text, HasSubstr("保存済み.pac"));
    EXPECT_THAT(ui.messages[0].text, HasSubstr("条件がありません"));
    EXPECT_FALSE(model.commands.enabled(Menu::MK_Start));
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
}

// A file whose conditions cannot be loaded changes nothing: the window keeps showing and holding
// the verification it had, and the message says why.
TEST_F(FileCommandsTest, a_damaged_file_leaves_the_open_verification_exactly_as_it_was) {
    ui.dialogAnswer = savedText();
    commands.MF_Open();
    ASSERT_EQ(model.fields.text(Field::条件_名前), "甘デジ99次まで時短");
    model.fields.setText(Field::総回転数表示, "4321");
    model.window.unsaved = true;
    const WindowValues window = model.window;
    const fs::path damaged = folder.path() / "data" / pathFromUtf8("壊れた.pac");
    ASSERT_TRUE(writeConditionFile(damaged, sampleDefinitions()[0]).ok());
    fs::resize_file(damaged, 1000);
    model.requests = {};
    ui.messages.clear();
    ui.answer = MessageResult::Ok; // discard the changes

    ui.dialogAnswer = utf8FromPath(damaged);
    commands.MF_Open();

    ASSERT_EQ(ui.messages.size(), 2U); // the discard question, then why the file was refused
    EXPECT_THAT(ui.messages[1].text, HasSubstr("壊れた.pac"));
    EXPECT_THAT(ui.messages[1].text, HasSubstr("条件がありません"));
    EXPECT_THAT(ui.messages[1].text, HasSubstr("編集中の検証はそのままです。"));
    EXPECT_EQ(readBytes(workingCopy()), savedBytes);
    EXPECT_EQ(model.window.caption, window.caption);
    EXPECT_EQ(model.window.fileTitle, window.fileTitle);
    EXPECT_EQ(model.window.filePath, window.filePath);
    EXPECT_EQ(model.window.savedName, window.savedName);
    EXPECT_EQ(model.window.unsaved, window.unsaved);
    EXPECT_EQ(model.fields.text(Field::条件_名前), "甘デジ99次まで時短");
    EXPECT_EQ(model.fields.text(Field::総回転数表示), "4321");
    EXPECT_TRUE(model.commands.enabled(Menu::MK_Start));
    EXPECT_TRUE(model.commands.enabled(Menu::MF_OverSave));
    EXPECT_THAT(asked(), IsEmpty());
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.path())) {
        EXPECT_THAT(entry.path().filename().string(), ::testing::Not(HasSubstr("tmp")))
            << "the checked copy is not left behind";
    }
}

// Answering No to the rebuild leaves no figure of the previous verification, and the question
// comes with the new conditions already in the window.
TEST_F(FileCommandsTest, open_answered_no_clears_every_figure_of_the_previous_verification) {
    ASSERT_TRUE(writeConditionFile(saved(), sampleDefinitions()[0]).ok());
    {
        RecordFile file(kVerificationRecordLength);
        ASSERT_TRUE(file.open(saved()).ok());
        ResultRecord result;
        result.columns = {"1", "300", "0", "11000", "した", "1", "交換", "通常", "2100", "0", "1"};
        ASSERT_TRUE(file.write(kFirstResultRecord, buildResultRecord(result)).ok());
        ASSERT_TRUE(file.write(kRunSummaryRecord, buildRunSummaryRecord({1, "12.5"})).ok());
        ASSERT_TRUE(file.close().ok());
    }
    const std::vector<std::pair<Field, std::string>> previous{
        {Field::総時短回転数表示, "812"}, {Field::持ち玉比率, "37.5"},
        {Field::c日合計_日目, "21"},      {Field::c日合計_投資額F, "15000"},
        {Field::c日合計_収支F, "-3000"},  {Field::c日合計_積算収支F, "-64000"},
        {Field::総回転数表示, "99999"},   {Field::回転数1r, "12.5"},
        {Field::連荘11r, "3.3"},          {Field::c大当り詳細_回転数, "77"}};
    for (const auto& [field, text] : previous) {
        model.fields.setText(field, text);
    }
    model.grids.grid1.setRowCount(40);
    model.grids.grid3.setRowCount(22);
    model.charts.chart2.setRowCount(21);
    model.charts.chart5.setRowCount(9);
    ui.answer = MessageResult::No;
    ui.dialogAnswer = savedText();
    commands.MF_Open();

    ASSERT_EQ(ui.messages.size(), 1U);
    for (const auto& [field, text] : previous) {
        EXPECT_NE(model.fields.text(field), text) << fieldName(field);
    }
    EXPECT_EQ(model.grids.grid1.rowCount(), 1);
    EXPECT_EQ(model.grids.grid3.rowCount(), 1);
    EXPECT_EQ(model.charts.chart2.rowCount(), 1);
    EXPECT_EQ(model.charts.chart5.rowCount(), 1);
    EXPECT_EQ(model.fields.text(Field::条件_名前), sampleDefinitions()[0].name);
    EXPECT_TRUE(model.commands.enabled(Menu::MK_Start));
    EXPECT_FALSE(model.commands.enabled(Menu::MK_Cancel));
}

TEST_F(FileCommandsTest, save_after_open_writes_back_without_a_dialog) {
    ui.dialogAnswer = savedText();
    commands.MF_Open();
    writeBytes(workingCopy(), "changed by a run");
    model.window.unsaved = true;

    commands.MF_OverSave();

    EXPECT_THAT(dialogsTitled(ui, "ファイルを保存"), IsEmpty());
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_EQ(readBytes(saved()), "changed by a run");
    EXPECT_FALSE(model.window.unsaved);
}

TEST_F(FileCommandsTest, save_of_a_never_saved_verification_shows_the_save_dialog) {
    const std::string target =
        utf8FromPath(folder.path() / "data" / pathFromUtf8("新しい検証.pac"));
    ui.dialogAnswer = target;
    commands.MF_OverSave();

    ASSERT_EQ(dialogsTitled(ui, "ファイルを保存").size(), 1U);
    const FileDialogRequest request = dialogsTitled(ui, "ファイルを保存")[0];
    EXPECT_EQ(request.title, "ファイルを保存");
    EXPECT_EQ(request.filter, "Data base(　.pac)|*.pac|All Files|*.*|");
    EXPECT_EQ(request.presetName, "新しい検証.pac");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(readBytes(pathFromUtf8(target)), "working copy");
    EXPECT_EQ(model.window.caption, "ゼルコラ... 新しい検証.pac");
}

TEST_F(FileCommandsTest, save_as_onto_an_existing_file_leaves_the_question_to_the_dialog) {
    model.window.unsaved = true;
    ui.dialogAnswer = savedText();
    commands.MF_NewSave();

    ASSERT_EQ(dialogsTitled(ui, "ファイルを保存").size(), 1U);
    EXPECT_TRUE(dialogsTitled(ui, "ファイルを保存")[0].overwritePrompt);
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_EQ(readBytes(saved()), "working copy");
    EXPECT_TRUE(model.window.savedName);
    EXPECT_FALSE(model.window.unsaved);
}

TEST_F(FileCommandsTest, a_failing_save_leaves_the_old_file_byte_identical_and_says_so) {
    ui.dialogAnswer = savedText();
    commands.MF_Open();
    model.window.unsaved = true;
    writeBytes(workingCopy(), "changed by a run, far longer than the saved file was");
    files.failCopies = true;

    commands.MF_OverSave();
    model.window.savedName = false;
    ui.dialogAnswer = savedText();
    commands.MF_NewSave();

    EXPECT_EQ(readBytes(saved()), savedBytes);
    ASSERT_EQ(ui.messages.size(), 2U);
    EXPECT_THAT(ui.messages[0].text, HasSubstr("保存済み.pac"));
    EXPECT_EQ(ui.messages[0].title, "確認");
    EXPECT_TRUE(model.window.unsaved);
    EXPECT_FALSE(model.window.savedName);
    EXPECT_FALSE(fs::exists(folder.path() / "data" / pathFromUtf8(".保存済み.pac.partial")));
}

TEST_F(FileCommandsTest, disabled_commands_do_nothing) {
    model.commands.apply(Availability::RunInProgress);
    model.window.savedName = true;
    model.window.filePath = savedText();
    commands.MF_OverSave();
    commands.MF_NewSave();
    commands.MF_Open();
    commands.MF_MakeNew();
    EXPECT_EQ(readBytes(saved()), savedBytes);
    EXPECT_THAT(dialogsTitled(ui, "ファイルを開く"), IsEmpty());
    EXPECT_THAT(dialogsTitled(ui, "ファイルを保存"), IsEmpty());
    EXPECT_THAT(asked(), IsEmpty());
}

TEST_F(FileCommandsTest, exit_without_changes_asks_nothing_and_keeps_the_working_copy) {
    commands.MF_MakeNew();
    ASSERT_TRUE(wizard.isOpen());
    EXPECT_EQ(commands.unload(), UnloadOutcome::Ends);
    EXPECT_THAT(dialogsTitled(ui, "ファイルを保存"), IsEmpty());
    EXPECT_FALSE(wizard.isOpen()); // the pages go with the window
    EXPECT_TRUE(fs::exists(workingCopy()));
}

TEST_F(FileCommandsTest, exit_with_changes_goes_straight_to_the_save_dialog) {
    model.window.unsaved = true;
    const std::string target = utf8FromPath(folder.path() / "data" / pathFromUtf8("終了時.pac"));
    ui.dialogAnswer = target;

    EXPECT_EQ(commands.unload(), UnloadOutcome::Ends);
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_EQ(readBytes(pathFromUtf8(target)), "working copy");
    EXPECT_FALSE(fs::exists(workingCopy()));
    EXPECT_EQ(model.window.fileTitle, "終了時.pac");
}

TEST_F(FileCommandsTest, cancelling_the_exit_save_ends_and_keeps_the_working_copy) {
    model.window.unsaved = true;
    EXPECT_EQ(commands.unload(), UnloadOutcome::Ends);
    EXPECT_EQ(dialogsTitled(ui, "ファイルを保存").size(), 1U);
    EXPECT_EQ(readBytes(workingCopy()), "working copy");
}

// Work left unsaved at Exit is offered at the next start, as the working copy holds it.
TEST_F(FileCommandsTest, an_exit_whose_save_is_cancelled_is_offered_at_the_next_start) {
    struct Case {
        bool savedBefore;
        MessageResult answer;
    };
    for (const Case row : {Case{false, MessageResult::Yes}, Case{true, MessageResult::Yes},
                           Case{false, MessageResult::No}}) {
        ASSERT_TRUE(writeConditionFile(workingCopy(), sampleDefinitions()[1]).ok());
        const std::string bytes = readBytes(workingCopy());
        resetWindowValues(model);
        if (row.savedBefore) {
            model.window.savedName = true;
            model.window.filePath = savedText();
        }
        model.window.unsaved = true;
        ui.dialogAnswer.reset();
        ASSERT_EQ(commands.unload(), UnloadOutcome::Ends);
        EXPECT_EQ(readBytes(workingCopy()), bytes);

        // The next start.
        resetWindowValues(model);
        model.commands.apply(Availability::NoVerification);
        ui.messages.clear();
        ui.answer = row.answer;
        commands.offerUnsavedWork();
        ASSERT_EQ(ui.messages.size(), 1U);
        EXPECT_EQ(ui.messages[0].text, "前回保存されなかった検証があります。開きますか？");
        EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
        EXPECT_FALSE(readUnsavedMark(folder.path())) << "asked once";
        EXPECT_EQ(readBytes(workingCopy()), bytes);
        if (row.answer == MessageResult::No) {
            EXPECT_EQ(model.window.caption, "ゼルコラ");
            EXPECT_FALSE(model.commands.enabled(Menu::MK_Start));
            continue;
        }
        EXPECT_EQ(model.fields.text(Field::条件_名前), sampleDefinitions()[1].name);
        EXPECT_TRUE(model.window.unsaved);
        EXPECT_EQ(model.window.savedName, row.savedBefore);
        EXPECT_EQ(model.window.fileTitle, row.savedBefore
                                              ? std::string("保存済み.pac")
                                              : std::string(sampleDefinitions()[1].name) + ".pac");
        EXPECT_TRUE(model.commands.enabled(Menu::MK_Start));
    }
    ui.messages.clear();
    commands.offerUnsavedWork();
    EXPECT_THAT(ui.messages, IsEmpty()) << "nothing left unsaved, nothing asked";
}

TEST_F(FileCommandsTest, an_exit_save_onto_the_working_copy_does_not_delete_it) {
    model.window.unsaved = true;
    ui.dialogAnswer = utf8FromPath(workingCopy());
    EXPECT_EQ(commands.unload(), UnloadOutcome::Ends);
    EXPECT_EQ(readBytes(workingCopy()), "working copy");
}

TEST_F(FileCommandsTest, a_failing_exit_save_keeps_the_window_and_the_working_copy) {
    model.window.unsaved = true;
    files.failCopies = true;
    ui.dialogAnswer = savedText();

    EXPECT_EQ(commands.unload(), UnloadOutcome::StaysOpen);
    EXPECT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(readBytes(workingCopy()), "working copy");
    EXPECT_EQ(readBytes(saved()), savedBytes);
}

TEST_F(FileCommandsTest, exit_during_a_run_cancels_first_and_waits_for_the_run) {
    model.window.running = 1;
    model.window.unsaved = true;
    EXPECT_EQ(commands.unload(), UnloadOutcome::AfterRunEnds);
    EXPECT_THAT(dialogsTitled(ui, "ファイルを保存"), IsEmpty());

    model.window.running = 0; // Start has returned
    EXPECT_EQ(commands.unload(), UnloadOutcome::Ends);
    EXPECT_EQ(dialogsTitled(ui, "ファイルを保存").size(), 1U);
}

TEST_F(FileCommandsTest, closing_during_a_rebuild_waits_for_it) {
    model.window.unsaved = true;
    model.commands.lockForRebuild();
    EXPECT_EQ(commands.unload(), UnloadOutcome::AfterRebuildEnds);
    EXPECT_THAT(ui.dialogs, IsEmpty());
    EXPECT_THAT(asked(), IsEmpty());

    model.commands.unlockAfterRebuild();
    EXPECT_EQ(commands.unload(), UnloadOutcome::Ends);
    EXPECT_EQ(dialogsTitled(ui, "ファイルを保存").size(), 1U);
}

} // namespace
} // namespace zelkora
