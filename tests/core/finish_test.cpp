#include "commands/run_commands.h"
#include "files/working_copy_file.h"
#include "platform/random_stream.h"
#include "record_bytes.h"
#include "wizard_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

namespace fs = std::filesystem;
using testing::ascii;
using testing::Bytes;
using ::testing::HasSubstr;
using testing::join;
using testing::recordBytes;
using testing::spaces;
using testing::WizardTest;
using C = Page3Control;

// Code page 932 bytes, written out by hand.
const Bytes kいいえ{0x82, 0xA2, 0x82, 0xA2, 0x82, 0xA6};
const Bytes kはい{0x82, 0xCD, 0x82, 0xA2};
const Bytes k新しい検証{0x90, 0x56, 0x82, 0xB5, 0x82, 0xA2, 0x8C, 0x9F, 0x8F, 0xD8};
const Bytes k絵柄{0x8A, 0x47, 0x95, 0xBF};
const Bytes k通常{0x92, 0xCA, 0x8F, 0xED};
const Bytes k確変{0x8A, 0x6D, 0x95, 0xCF};
const Bytes k通常時交換{0x92, 0xCA, 0x8F, 0xED, 0x8E, 0x9E, 0x8C, 0xF0, 0x8A, 0xB7};

// A column of `width` characters holding a text of `characters` characters.
Bytes column(const Bytes& text, std::size_t characters, std::size_t width) {
    return join({text, spaces(width - characters)});
}
Bytes column(std::string_view text, std::size_t width) {
    return column(ascii(text), text.size(), width);
}

Bytes symbolRecord(const Bytes& kind, std::string_view name) {
    return recordBytes(
        join({column(k絵柄, 2, 10), column(kind, 2, 10), column("0", 10),
              column(k通常時交換, 5, 20), column("2100", 10), spaces(50), column(name, 70)}));
}

Bytes recordOf(const Bytes& file, int record) {
    const auto begin = file.begin() + (record - 1) * 200;
    return {begin, begin + 200};
}

Bytes zeros(std::size_t count) {
    return Bytes(count, 0);
}

class FinishTest : public WizardTest {
protected:
    Bytes workingCopy() const { return testing::readBytes(model.workingCopyPath()); }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const Message& message : ui.messages) {
            texts.push_back(message.title + ": " + message.text);
        }
        return texts;
    }
};

TEST_F(FinishTest, a_new_verification_of_three_symbols_is_written_record_by_record) {
    newToPage3();
    setSymbolCount("3");
    SymbolTablePage& page3 = *wizard.page3();
    page3.selectRow(2);
    page3.pick(C::確率通常表示list, "確変");

    ASSERT_EQ(wizard.finish(), FinishOutcome::Finished);

    Bytes expected =
        join({symbolRecord(k通常, "1"), symbolRecord(k確変, "2"), symbolRecord(k通常, "3")});
    for (int record = 4; record <= 50; ++record) {
        expected = join({expected, recordBytes(spaces(190))});
    }
    expected = join({expected, zeros(47 * 200)}); // 51 … 97 never written
    expected = join({expected,
                     recordBytes(join({column("10", 10), column("0", 10), column("1122", 10),
                                       column("100", 20), column("6", 10), column("500", 10),
                                       spaces(40), column("02111211100000", 70)})),
                     zeros(200), // 99: no run
                     recordBytes(join({column("316", 10), column(kいいえ, 3, 10), column("256", 10),
                                       column("3", 20), column("50", 10), column("27", 10),
                                       column("40", 10), column("5", 10), column("20000", 10),
                                       column(kはい, 2, 10), column(k新しい検証, 5, 70)}))});
    EXPECT_EQ(workingCopy(), expected);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FinishTest, the_window_shows_the_new_conditions_and_is_ready_to_play) {
    newToPage3();
    wizard.page3()->selectOption(0, 2);
    wizard.page3()->selectOption(2, 0);
    wizard.page3()->selectOption(3, 0);
    model.grids.grid1.setRowCount(7);
    model.fields.setText(Field::c大当り詳細_持玉数F, "123");
    model.window.resultRecordCounter = 12;

    ASSERT_EQ(wizard.finish(), FinishOutcome::Finished);

    EXPECT_FALSE(wizard.isOpen());
    EXPECT_TRUE(model.window.enabled);
    EXPECT_TRUE(model.window.unsaved);
    EXPECT_EQ(model.window.fileTitle, "新しい検証.pac");
    EXPECT_EQ(model.window.caption, "ゼルコラ ...新しい検証.pac");
    EXPECT_EQ(fs::path(model.window.filePath), folder.path() / "data");
    EXPECT_EQ(model.window.resultRecordCounter, 0);
    EXPECT_EQ(model.grids.grid1.rowCount(), 1);
    EXPECT_EQ(model.grids.grid3.rowCount(), 1);
    EXPECT_EQ(model.fields.text(Field::c大当り詳細_持玉数F), "0");
    EXPECT_TRUE(model.requests.showBasicConditionPanel);
    EXPECT_EQ(model.fields.text(Field::EXP), "新しい検証");
    EXPECT_EQ(model.fields.text(Field::条件_確率), "316");
    EXPECT_EQ(model.fields.text(Field::条件_回転時間), "10");
    EXPECT_EQ(model.fields.text(Field::条件_投資単位), "500");
    EXPECT_EQ(model.fields.text(Field::条件_絵柄数), "2");
    EXPECT_EQ(model.fields.text(Field::条件_TS), "無制限");
    EXPECT_EQ(model.program.ruleOptionDigits, "3111");
    EXPECT_EQ(model.program.playSchedule, "02111211100000");
    EXPECT_EQ(model.grids.grid2.rowCount(), 3);
    EXPECT_EQ(model.symbols.loaded, 2) << "reloaded from the working copy";
    EXPECT_TRUE(model.commands.enabled(Menu::MK_Start));
    EXPECT_TRUE(model.commands.enabled(Menu::MF_OverSave));
    EXPECT_TRUE(model.commands.enabled(Menu::MC_Pic));
    EXPECT_FALSE(model.commands.enabled(Menu::MK_Cancel));
    EXPECT_TRUE(model.commands.buttonEnabled(11));
    EXPECT_FALSE(model.commands.buttonEnabled(12));
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
}

TEST_F(FinishTest, an_opened_verification_keeps_its_file_and_loses_its_results) {
    openVerification(sampleDefinitions()[1], "mine.pac");
    const std::string filePath = model.window.filePath;
    {
        RecordFile file(kVerificationRecordLength);
        ASSERT_TRUE(file.open(model.workingCopyPath()).ok());
        ASSERT_TRUE(file.write(kRunSummaryRecord, buildRunSummaryRecord({1, "50"})).ok());
        ASSERT_TRUE(file.write(kFirstResultRecord, "1 結果").ok());
        ASSERT_TRUE(file.close().ok());
    }
    const Bytes resultRecord = recordOf(workingCopy(), kFirstResultRecord);
    wizard.MC_Ts();
    wizard.page2()->clickSlot(14); // the sample plays every hour: 14 turns red
    wizard.next(WizardPage::条件T);

    ASSERT_EQ(wizard.finish(), FinishOutcome::Finished);

    EXPECT_EQ(model.window.fileTitle, "mine.pac");
    EXPECT_EQ(model.window.filePath, filePath);
    EXPECT_EQ(model.window.caption, "ゼルコラ ...mine.pac");
    EXPECT_EQ(model.program.playSchedule, "11111111111112");
    const Bytes file = workingCopy();
    EXPECT_EQ(recordOf(file, kRunSummaryRecord), zeros(200));
    EXPECT_EQ(recordOf(file, kFirstResultRecord), resultRecord) << "kept, out of reach";
    EXPECT_EQ(model.window.resultRecordCounter, 0);
}

TEST_F(FinishTest, a_count_typed_but_not_yet_accepted_counts) {
    newToPage3();
    wizard.page3()->change(C::絵柄数表示, "3");
    ASSERT_EQ(wizard.finish(), FinishOutcome::Finished);
    EXPECT_EQ(model.symbols.loaded, 3);
    EXPECT_EQ(model.grids.grid2.cell(3, 0), "3");
}

TEST_F(FinishTest, a_number_the_reload_could_not_read_back_is_refused_at_its_cell) {
    newToPage3();
    SymbolTablePage& page3 = *wizard.page3();
    page3.selectRow(2);
    page3.change(C::時短表示, "abc"); // reads as 0, but names no count
    page3.lostFocus(C::時短表示);
    const std::vector<std::string> notWhole{
        "時短数入力エラー: 時短数には整数を入力してください（単位や小数点は入れられません）。"};
    EXPECT_EQ(messageTexts(), notWhole) << "told when the cell is left";
    ui.messages.clear();
    page3.selectRow(1);
    const std::string title = model.window.fileTitle;

    EXPECT_EQ(wizard.finish(), FinishOutcome::Refused);
    EXPECT_EQ(messageTexts(), notWhole);
    EXPECT_EQ(page3.currentRow(), 2);
    EXPECT_EQ(page3.takeFocusRequest(), C::時短表示);
    EXPECT_TRUE(wizard.isVisible(WizardPage::条件2));
    EXPECT_FALSE(fs::exists(model.workingCopyPath()));
    EXPECT_EQ(model.window.fileTitle, title);
    EXPECT_FALSE(model.window.enabled);

    ui.messages.clear();
    page3.change(C::時短表示, "-5"); // out of range for the page, but the file holds it
    page3.change(C::出玉表示, "40000");
    EXPECT_EQ(wizard.finish(), FinishOutcome::Refused);
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{
                  "出玉数入力エラー: 出玉数は-32768以上32767以下の数値でなければなりません。"});
    EXPECT_EQ(page3.takeFocusRequest(), C::出玉表示);

    page3.change(C::出玉表示, "2100");
    page3.change(C::ルール表示, "交換"); // not in the list: written as it is
    ASSERT_EQ(wizard.finish(), FinishOutcome::Finished);
    EXPECT_EQ(model.symbols.shortTimeSpins[1], -5);
    EXPECT_EQ(model.symbols.rules[1], "交換");
}

TEST_F(FinishTest, a_symbol_the_file_cannot_hold_is_refused_at_its_box) {
    newToPage3();
    SymbolTablePage& page3 = *wizard.page3();
    page3.change(C::確率通常表示, "確😀");
    EXPECT_EQ(wizard.finish(), FinishOutcome::Refused);
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{
                  "確変/通常　入力エラー: ファイルに保存できない文字「😀」が含まれています。"});
    EXPECT_EQ(page3.takeFocusRequest(), C::確率通常表示);

    ui.messages.clear();
    page3.change(C::確率通常表示, "確変確変確変確変確変");
    page3.change(C::ルール表示, "通常時交換通常時交換通常時交換通常時交換"); // 212 bytes
    EXPECT_EQ(wizard.finish(), FinishOutcome::Refused);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].title, "ルール　入力エラー");
    EXPECT_EQ(page3.takeFocusRequest(), C::ルール表示);
    EXPECT_FALSE(fs::exists(model.workingCopyPath()));
}

TEST_F(FinishTest, a_count_beyond_50_from_a_file_is_refused) {
    SampleDefinition big = sampleDefinitions()[0];
    big.symbols.resize(60, big.symbols.front());
    for (auto& [field, text] : big.conditions) {
        if (field == Field::条件_絵柄数) {
            text = "60";
        }
    }
    openVerification(big, "big.pac");
    wizard.MC_Pic();
    EXPECT_EQ(wizard.page3()->symbolCount(), 60);

    EXPECT_EQ(wizard.finish(), FinishOutcome::Refused);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{
                                  "絵柄数入力エラー: 絵柄数は1以上、50以下でなければなりません。"});
    setSymbolCount("50");
    ASSERT_EQ(wizard.finish(), FinishOutcome::Finished);
    EXPECT_EQ(model.symbols.loaded, 50);
}

TEST_F(FinishTest, a_working_copy_that_cannot_be_written_leaves_everything_as_it_was) {
    openVerification(sampleDefinitions()[2], "mine.pac");
    const Bytes before = workingCopy();
    const MainWindowModel window = model;
    wizard.MC_Pic();
    wizard.page3()->change(C::出玉表示, "999");
    files.failSyncs = true;

    EXPECT_EQ(wizard.finish(), FinishOutcome::NotWritten);

    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].title, "確認");
    EXPECT_THAT(ui.messages[0].text, HasSubstr(model.workingCopyPath().string()));
    EXPECT_THAT(ui.messages[0].text, HasSubstr("条件は変更されていません。"));
    EXPECT_EQ(workingCopy(), before);
    EXPECT_FALSE(fs::exists(temporaryCopyPath(model.workingCopyPath())));
    EXPECT_EQ(model.fields.text(Field::条件_名前), window.fields.text(Field::条件_名前));
    EXPECT_EQ(model.grids.grid2.cell(1, 4), window.grids.grid2.cell(1, 4));
    EXPECT_EQ(model.window.caption, window.window.caption);
    EXPECT_EQ(model.window.resultRecordCounter, window.window.resultRecordCounter);
    EXPECT_FALSE(model.requests.showBasicConditionPanel);
    EXPECT_TRUE(wizard.isVisible(WizardPage::条件2)) << "the user can try again or cancel";

    files.failSyncs = false;
    ASSERT_EQ(wizard.finish(), FinishOutcome::Finished);
    EXPECT_EQ(model.grids.grid2.cell(1, 4), "999");
}

TEST_F(FinishTest, a_verification_made_in_the_pages_plays_to_its_end) {
    newToPage3();
    wizard.back(WizardPage::条件2);
    wizard.back(WizardPage::条件T);
    wizard.page1()->change(Page1Box::何日分表示, "2");
    wizard.next(WizardPage::条件1);
    wizard.next(WizardPage::条件T);
    ASSERT_EQ(wizard.finish(), FinishOutcome::Finished);

    testing::FixedRunTimers runTimers(1, 1);
    testing::ScriptedRandomSource runSource(0.999F);
    RandomStream runRandom(runSource);
    FileWorkingCopy file(model.workingCopyPath());
    RunCommands commands(
        model, {ui, testing::testFiles(), pump, runTimers, runRandom, testing::testThreads()},
        file);
    commands.MK_Start();

    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text, kRunEndMessage);
    ASSERT_TRUE(IndPreset(model, ui).ok());
    EXPECT_GE(model.window.resultRecordCounter, 2) << "a day-end record for each of the 2 days";
}

} // namespace
} // namespace zelkora
