#include "commands/file_commands.h"
#include "commands/startup.h"
#include "file_test_support.h"
#include "files/condition_file_writer.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "files/utf8_path.h"
#include "files/verification_input.h"
#include "messages/error_messages.h"

#include <algorithm>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace zelkora {
namespace {

namespace fs = std::filesystem;
using test_support::FailingFileSystem;
using test_support::ScratchFolder;
using test_support::writeBytes;

// What remains of a message once the file names it may quote are taken out: it must be the
// program's own Japanese, so no Latin letter may be left (digits and punctuation may).
std::string withoutFileNames(std::string text, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name)) {
            text.erase(at, name.size());
        }
    }
    return text;
}

bool holdsLatinLetters(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); });
}

class DamagedFileMessages : public ::testing::Test {
protected:
    void SetUp() override {
        model.programFolder = folder.path();
        resetWindowValues(model);
        ui.answer = MessageResult::Yes; // rebuild whatever the file claims to hold
    }
    fs::path file(const std::string& name) const { return folder.path() / name; }

    // A verification with conditions, then `change` applied to it through its records.
    fs::path verification(const std::string& name, const std::function<void(RecordFile&)>& change) {
        fs::path path = file(name);
        EXPECT_TRUE(writeConditionFile(path, sampleDefinitions()[0]).ok());
        RecordFile records(kVerificationRecordLength);
        EXPECT_TRUE(records.open(path).ok());
        change(records);
        EXPECT_TRUE(records.close().ok());
        return path;
    }

    // Opens `path` as the user would and returns every message it showed.
    std::vector<Message> open(const fs::path& path) {
        ui.messages.clear();
        ui.dialogAnswer = utf8FromPath(path);
        model.commands.apply(Availability::VerificationLoaded);
        commands.MF_Open();
        return ui.messages;
    }

    void expectJapaneseOnly(const fs::path& path) {
        const std::vector<Message> shown = open(path);
        const std::vector<std::string> names{utf8FromPath(path),
                                             utf8FromPath(model.workingCopyPath())};
        bool critical = false;
        for (const Message& message : shown) {
            critical = critical || message.icon == MessageIcon::Critical;
            EXPECT_FALSE(holdsLatinLetters(withoutFileNames(message.text, names)))
                << path << ": " << message.text;
            EXPECT_FALSE(holdsLatinLetters(message.title)) << message.title;
        }
        EXPECT_TRUE(critical) << path << " was opened without a word about its damage";
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
};

TEST_F(DamagedFileMessages, unreadable_and_damaged_files_are_told_in_the_programs_japanese) {
    fs::create_directory(file("folder.pac"));
    expectJapaneseOnly(file("folder.pac"));  // not a file at all
    expectJapaneseOnly(file("missing.pac")); // gone since the dialog listed it

    writeBytes(file("foreign.pac"), "just some text, not a verification");
    expectJapaneseOnly(file("foreign.pac"));

    expectJapaneseOnly(verification("garbled.pac", [](RecordFile& records) {
        // A basic-condition record whose length claims more than the record holds.
        ASSERT_TRUE(records.writeInt16(kBasicConditionRecord, 999).ok());
    }));
    expectJapaneseOnly(verification("rule.pac", [](RecordFile& records) {
        ASSERT_TRUE(
            records
                .write(kTimeConditionRecord, buildRecordText({"10", "五", "1122", "", "", "", "",
                                                              "", "", "", "11111111111111"}))
                .ok());
    }));
    expectJapaneseOnly(verification("summary.pac", [](RecordFile& records) {
        ASSERT_TRUE(records.write(kRunSummaryRecord, buildRunSummaryRecord({-1, "0"})).ok());
    }));
    expectJapaneseOnly(verification("cut.pac", [](RecordFile& records) {
        ASSERT_TRUE(records.write(kRunSummaryRecord, buildRunSummaryRecord({3, "0"})).ok());
    }));
    expectJapaneseOnly(verification("day.pac", [](RecordFile& records) {
        ResultRecord result;
        result.columns = {"一", "300", "0", "11000", "した", "1", "交換", "通常", "2100", "0", "1"};
        ASSERT_TRUE(records.write(kFirstResultRecord, buildResultRecord(result)).ok());
        ASSERT_TRUE(records.write(kRunSummaryRecord, buildRunSummaryRecord({1, "0"})).ok());
    }));
}

TEST_F(DamagedFileMessages, a_failed_save_names_the_file_and_says_why_in_japanese) {
    writeBytes(model.workingCopyPath(), "working copy");
    files.failCopies = true; // a full disk
    ui.dialogAnswer = utf8FromPath(file("saved.pac"));
    model.commands.apply(Availability::VerificationLoaded);
    commands.MF_NewSave();
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].text, "ファイル " + utf8FromPath(file("saved.pac")) +
                                       " に保存できませんでした。ディスクの空き容量が足りません。"
                                       "保存先にあったファイルはそのままです。");
}

#ifndef _WIN32 // a named pipe and a loop of links, as POSIX systems have them
// Open refuses what cannot be a verification before a byte is copied, and says why.
TEST_F(DamagedFileMessages, open_refuses_what_is_no_verification_before_copying_and_says_why) {
    writeBytes(model.workingCopyPath(), "the verification being edited");
    const fs::path pipe = file("pipe.pac");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directory(file("folder.pac"));
    fs::create_symlink("loop.pac", file("loop.pac"));
    writeBytes(file("huge.pac"), "");
    fs::resize_file(file("huge.pac"), largestVerificationSize() + 1); // sparse: no disk used
    struct Case {
        fs::path path;
        std::string reason;
    };
    for (const Case& refused : {
             Case{pipe, "通常のファイルではありません。"},
             Case{file("folder.pac"), "通常のファイルではありません。"},
             Case{file("missing.pac"), "ファイルまたはフォルダが見つかりません。"},
             Case{file("loop.pac"), "シンボリックリンクが循環しています。"},
             Case{file("huge.pac"), "検証ファイルとしては大きすぎます。"},
         }) {
        files.calls.clear();
        const std::vector<Message> shown = open(refused.path);
        ASSERT_EQ(shown.size(), 1U) << refused.path;
        EXPECT_EQ(shown[0].text, "ファイル " + utf8FromPath(refused.path) +
                                     " を開けませんでした。" + refused.reason +
                                     "編集中の検証はそのままです。");
        EXPECT_TRUE(files.calls.empty()) << refused.path;
        EXPECT_EQ(test_support::readBytes(model.workingCopyPath()),
                  "the verification being edited");
        EXPECT_FALSE(fs::exists(temporaryCopyPath(model.workingCopyPath())));
    }
}
#endif

// The reason words every file message uses, the window's and the runner's alike.
TEST(error_messages_test, each_reason_a_file_fails_for_has_its_own_words) {
    using std::errc;
    struct Case {
        std::error_code reason;
        std::string words;
    };
    for (const Case& told : {
             Case{std::make_error_code(errc::no_such_file_or_directory),
                  "ファイルまたはフォルダが見つかりません。"},
             Case{make_error_code(FileRefusal::NotRegularFile), "通常のファイルではありません。"},
             Case{make_error_code(FileRefusal::LargerThanVerification),
                  "検証ファイルとしては大きすぎます。"},
             Case{std::make_error_code(errc::no_space_on_device),
                  "ディスクの空き容量が足りません。"},
             Case{std::make_error_code(errc::file_too_large), "ファイルが大きすぎます。"},
             Case{std::make_error_code(errc::permission_denied), "アクセスが許可されていません。"},
             Case{std::make_error_code(errc::too_many_symbolic_link_levels),
                  "シンボリックリンクが循環しています。"},
             Case{std::make_error_code(errc::not_a_directory),
                  "フォルダの名前がファイルに使われています。"},
             Case{std::error_code(ENOSPC, std::generic_category()),
                  "ディスクの空き容量が足りません。"},
             Case{std::make_error_code(errc::protocol_error),
                  "システムエラーです（番号 " + std::to_string(EPROTO) + "）。"},
         }) {
        Error error{ErrorKind::CannotWrite};
        error.path = "/data/v.pac";
        error.system = told.reason;
        EXPECT_EQ(failureReason(error), told.words) << told.reason.message();
        EXPECT_EQ(saveFailedText("/data/v.pac", error),
                  "ファイル /data/v.pac に保存できませんでした。" + told.words +
                      "保存先にあったファイルはそのままです。");
    }
}

// A copy that failed on another file than the one chosen says which: the working copy under a
// file-size limit is no fault of the file opened.
TEST(error_messages_test, a_failure_of_another_file_than_the_one_chosen_names_it) {
    Error error{ErrorKind::CannotWrite};
    error.path = "/program/temp.pac";
    error.system = std::make_error_code(std::errc::file_too_large);
    EXPECT_EQ(openFailedText("/data/v.pac", error),
              "ファイル /data/v.pac を開けませんでした。作業ファイルに書き込めません。"
              "ファイルが大きすぎます。");
    Error folder{ErrorKind::CannotWrite};
    folder.path = "/no/such/tmp";
    folder.system = std::make_error_code(std::errc::no_such_file_or_directory);
    EXPECT_EQ(workingFolderFailedText(folder),
              "一時フォルダ /no/such/tmp に作業用のフォルダを作れません。"
              "ファイルまたはフォルダが見つかりません。");
}

TEST(error_messages_test, every_kind_of_error_reads_as_the_programs_japanese) {
    for (int kind = 0; kind <= static_cast<int>(ErrorKind::Unexpected); ++kind) {
        Error error{static_cast<ErrorKind>(kind)};
        error.path = pathFromUtf8("/work/data/検証.pac");
        error.record = 103;
        error.column = 2;
        error.text = "五十";
        error.system = std::make_error_code(std::errc::no_space_on_device);
        const std::string text = errorText(error);
        EXPECT_FALSE(text.empty()) << kind;
        EXPECT_FALSE(holdsLatinLetters(withoutFileNames(text, {"/work/data/検証.pac"})))
            << kind << ": " << text;
        EXPECT_FALSE(holdsLatinLetters(runFailedMessage(error, 7).text.substr(text.size())))
            << kind;
        EXPECT_FALSE(holdsLatinLetters(runNotStartedMessage(error).text.substr(text.size())))
            << kind;
    }
}

TEST(error_messages_test, a_fault_while_replaying_names_the_record_before_what_went_wrong) {
    Error error{ErrorKind::Overflow};
    error.text = "総回転数";
    EXPECT_EQ(errorText(error), "オーバーフローしました（総回転数）。");
    error.path = "/program/temp.pac"; // the working copy, which the user knows by what it is
    error.record = 105;
    EXPECT_EQ(errorText(error), "作業ファイルの記録 105：オーバーフローしました（総回転数）。");

    Error column{ErrorKind::NotANumber};
    column.path = "/data/v.pac";
    column.record = 98;
    column.column = 2;
    column.text = "x";
    EXPECT_EQ(errorText(column),
              "ファイル /data/v.pac の記録 98 の 2 列目「x」は数値ではありません。");
    column.path.clear();
    column.record = 0;
    EXPECT_EQ(errorText(column), "2 列目「x」は数値ではありません。");

    // A reason that ends in a verb or an adjective takes "ため" alone, a noun "のため".
    struct Refusal {
        ErrorKind kind;
        std::string_view because;
    };
    for (const Refusal& refusal :
         {Refusal{ErrorKind::NoPlayedSlot, "プレイする時間帯が１つもないため、"},
          Refusal{ErrorKind::EndlessNextHitShortTime,
                  "次まで時短を終わらせる通常・確変の絵柄がないため、"},
          Refusal{ErrorKind::SymbolCountNotWhole, "絵柄数が1から50の整数でないため、"},
          Refusal{ErrorKind::DailyCapTooLarge, "投資上限/日が大きすぎるため、"},
          Refusal{ErrorKind::ExchangeRateNotPositive, "両替率が0以下のため、"}}) {
        const std::string text = runNotStartedMessage(Error{refusal.kind}).text;
        EXPECT_EQ(text,
                  std::string(refusal.because) + "検証を開始できません。条件を確認してください。");
        EXPECT_EQ(text.find("ないのため"), std::string::npos) << text;
    }
}

} // namespace
} // namespace zelkora
