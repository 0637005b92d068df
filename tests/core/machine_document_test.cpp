#include "commands/file_dialogs.h"
#include "commands/machine_run.h"
#include "commands/verification_document.h"
#include "document_harness.h"
#include "files/utf8_path.h"
#include "machine_fixture.h"
#include "machines/machine_figures.h"
#include "machines/machine_file.h"
#include "platform/pcg_random_source.h"

#include <fstream>
#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

namespace fs = std::filesystem;

fs::path machineSample(std::string_view name) {
    return machineSamplesFolder() / pathFromUtf8(std::string(name) + ".json");
}

// The document on a scratch program folder, with a classic sample open and saved, recording
// boxes, a pump that calls back and a generator the test seeds.
class MachineDocumentTest : public ::testing::Test, protected DocumentHarness {
protected:
    MachineDocumentTest() : DocumentHarness(7) {
        classic = model.programFolder / "data" / "classic.pac";
        EXPECT_TRUE(writeConditionFile(
                        classic, withCondition(sampleNamed("定番確変315"), Field::条件_何日分, "3"))
                        .ok());
    }

    void openThroughDialog(const fs::path& file, MessageResult answer = MessageResult::No) {
        ui.dialogAnswer = utf8FromPath(file);
        ui.answer = answer;
        document.run(Menu::MF_Open);
    }

    void openClassic() {
        openThroughDialog(classic);
        ASSERT_EQ(model.openKind, OpenKind::Classic);
        ASSERT_TRUE(model.commands.enabled(Menu::MF_OverSave));
    }

    fs::path writeText(const std::string& name, const std::string& text) const {
        fs::path file = folder.file(name);
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }

    fs::path classic;
};

TEST(MachineFileName, is_told_by_its_json_extension_in_any_case) {
    const std::vector<std::pair<std::string, bool>> cases{{"/data/星海ST199.json", true},
                                                          {"C:\\機種\\A.JSON", true},
                                                          {"a.Json", true},
                                                          {"a.pac", false},
                                                          {"a.json.pac", false},
                                                          {"json", false},
                                                          {".json", true},
                                                          {"", false}};
    for (const auto& [path, machine] : cases) {
        EXPECT_EQ(isMachineFileName(path), machine) << path;
    }
}

TEST(MachineSeed, fills_64_bits_from_three_draws_of_the_program_generator) {
    ScriptedRandomSource scripted;
    // 0.5 is 0x800000 of 24 bits, 0.25 is 0x400000 and 1 − 2^−24 is 0xffffff.
    scripted.push({0.5F, 0.25F, 1.0F - 0x1p-24F});
    RandomStream stream(scripted);
    EXPECT_EQ(drawMachineSeed(stream), (0x800000ULL << 48U) ^ (0x400000ULL << 24U) ^ 0xffffffULL);
    EXPECT_EQ(scripted.draws, 3);
}

TEST_F(MachineDocumentTest, the_open_dialog_offers_machine_files_beside_the_pac) {
    document.run(Menu::MF_Open);
    ASSERT_EQ(ui.dialogs.size(), 1U);
    EXPECT_EQ(ui.dialogs[0].filter, kOpenFilter);
    EXPECT_NE(ui.dialogs[0].filter.find("*.pac;*.json"), std::string::npos);
    EXPECT_NE(ui.dialogs[0].filter.find("機種ファイル|*.json"), std::string::npos);
}

TEST_F(MachineDocumentTest, an_open_machine_is_the_documents_verification_with_its_own_commands) {
    openClassic();
    openThroughDialog(machineSample("星海ST199"));

    ASSERT_NE(document.machine(), nullptr);
    EXPECT_EQ(document.machine()->verification.machine.name, "星海ST199");
    EXPECT_EQ(model.openKind, OpenKind::Machine);
    EXPECT_EQ(model.window.caption, captionWithTitle("星海ST199.json"));
    EXPECT_FALSE(model.window.unsaved);
    EXPECT_EQ(model.fields.text(Field::条件_名前), "星海ST199");
    EXPECT_EQ(model.fields.text(Field::条件_確率), "199.8");
    EXPECT_EQ(model.fields.text(Field::条件_何日分), "30");
    EXPECT_EQ(model.fields.text(Field::条件_絵柄数), "") << "a machine has no symbol table";
    EXPECT_EQ(model.program.playSchedule, document.machine()->verification.campaign.playSchedule);
    EXPECT_EQ(model.grids.grid2.rowCount(), 1);
    EXPECT_NE(model.fields.text(Field::StatusBar1_Panel1).find("星海ST199"), std::string::npos);
    for (Menu menu : {Menu::MF_MakeNew, Menu::MF_Open, Menu::MK, Menu::MK_Start, Menu::Mf_End}) {
        EXPECT_TRUE(model.commands.enabled(menu)) << menuName(menu);
    }
    for (Menu menu : {Menu::MF_OverSave, Menu::MF_NewSave, Menu::MC, Menu::MC_Base, Menu::MC_Pic,
                      Menu::MK_Cancel}) {
        EXPECT_FALSE(model.commands.enabled(menu)) << menuName(menu);
    }
    // Nothing of a machine is written: Save does nothing even when called.
    document.run(Menu::MF_OverSave);
    for (Menu pages : {Menu::MC_Base, Menu::MC_Ts, Menu::MC_Pic}) {
        document.run(pages);
        EXPECT_FALSE(document.wizard().isOpen()) << menuName(pages);
    }
    EXPECT_EQ(ui.dialogs.size(), 2U) << "no save dialog";
}

TEST_F(MachineDocumentTest, a_machine_file_named_at_start_opens_as_the_open_dialog_opens_it) {
    document.openNamedFile(utf8FromPath(machineSample("月光タイム319")));
    ASSERT_NE(document.machine(), nullptr);
    EXPECT_EQ(model.openKind, OpenKind::Machine);
    EXPECT_EQ(model.window.caption, captionWithTitle("月光タイム319.json"));
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_EQ(ui.pointers.back(), PointerShape::Default);
}

TEST_F(MachineDocumentTest, a_bad_machine_file_is_told_with_its_entry_and_keeps_the_open_pac) {
    const Bytes goodBytes = readBytes(machineSample("星海ST199"));
    const std::string good(goodBytes.begin(), goodBytes.end());
    const auto replaced = [&good](std::string_view from, std::string_view to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    struct Case {
        std::string text;
        std::string named; // what the message must name
    };
    const std::vector<Case> cases{
        {good.substr(0, good.size() / 2), "JSON"},
        {replaced("\"weight\": 56", "\"weight\": 50"), "ヘソ"},
        {replaced("\"next\": \"時短\"", "\"next\": \"超時短\""), "超時短"},
        {replaced("\"hit\": 99.4", "\"hit\": -3"), "ST"},
        {replaced("\"schema_version\": 1", "\"schema_version\": 9"), "版 9"},
    };
    openClassic();
    const Bytes workingCopy = readBytes(model.workingCopyPath());
    const std::string caption = model.window.caption;
    const std::string conditions = model.fields.text(Field::条件_名前);
    for (std::size_t index = 0; index < cases.size(); ++index) {
        const fs::path file = writeText("bad" + std::to_string(index) + ".json", cases[index].text);
        ui.messages.clear();
        openThroughDialog(file);

        ASSERT_EQ(ui.messages.size(), 1U) << index;
        const Message& message = ui.messages[0];
        EXPECT_EQ(message.title, "確認");
        EXPECT_EQ(message.icon, MessageIcon::Critical);
        EXPECT_NE(message.text.find(cases[index].named), std::string::npos)
            << index << ": " << message.text;
        EXPECT_TRUE(message.text.ends_with("編集中の検証はそのままです。")) << message.text;
        EXPECT_EQ(document.machine(), nullptr);
        EXPECT_EQ(model.openKind, OpenKind::Classic);
        EXPECT_EQ(model.window.caption, caption);
        EXPECT_EQ(model.fields.text(Field::条件_名前), conditions);
        EXPECT_TRUE(model.commands.enabled(Menu::MF_OverSave));
        EXPECT_EQ(readBytes(model.workingCopyPath()), workingCopy);
    }
}

TEST_F(MachineDocumentTest, a_path_that_is_no_file_is_refused_before_it_is_read) {
    openClassic();
    const fs::path folderNamedJson = folder.file("folder.json");
    fs::create_directories(folderNamedJson);
    openThroughDialog(folderNamedJson);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(document.machine(), nullptr);
    EXPECT_EQ(model.openKind, OpenKind::Classic);
}

TEST_F(MachineDocumentTest, unsaved_changes_are_asked_about_and_cancel_keeps_them) {
    openClassic();
    model.window.unsaved = true;
    openThroughDialog(machineSample("星海ST199"), MessageResult::Cancel);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].text, "新しいファイルを開くと編集中のファイルは失われます。");
    EXPECT_EQ(document.machine(), nullptr);
    EXPECT_TRUE(model.window.unsaved);

    openThroughDialog(machineSample("星海ST199"), MessageResult::Ok);
    EXPECT_NE(document.machine(), nullptr);
    EXPECT_FALSE(model.window.unsaved) << "nothing of a machine can be saved";
}

// Start plays the campaign the runner plays with the seed the window drew: the same events
// handed to figures of their own give the same counts as the window shows.
TEST_F(MachineDocumentTest, start_plays_the_campaign_of_the_drawn_seed_into_the_panels) {
    for (const char* name : {"星海ST199", "月光タイム319", "紅蓮ループ319", "雷神RUSH199"}) {
        ui.messages.clear();
        openThroughDialog(machineSample(name));
        document.run(Menu::MK_Start);

        const OpenMachine& machine = *document.machine();
        machines::MachineFigures alone(machine.verification, machine.graph);
        machines::playCampaign(machine.verification, machine.graph, document.lastMachineSeed(),
                               alone);
        const Figures& played = alone.figures();
        const FieldStore& fields = model.fields;
        EXPECT_EQ(fields.number(Field::総回転数表示), played.totalSpins) << name;
        EXPECT_EQ(fields.number(Field::総大当り数表示), played.bigHits) << name;
        EXPECT_EQ(fields.number(Field::初当たり数表示), played.firstHits) << name;
        EXPECT_EQ(fields.number(Field::収支表示F), std::trunc(played.cumulativeBalance)) << name;
        EXPECT_EQ(fields.number(Field::総時短回転数表示),
                  static_cast<double>(alone.machineFigures().supportSpins))
            << name;
        // A row per big hit in Grid1, per day in Grid3 and the balance chart.
        const int days = machine.verification.campaign.days;
        EXPECT_EQ(model.grids.grid1.rowCount(), static_cast<int>(played.bigHits) + 1) << name;
        EXPECT_EQ(model.grids.grid3.rowCount(), days + 1) << name;
        EXPECT_EQ(model.grids.grid3.cell(days, 6), plainText(std::trunc(played.cumulativeBalance)))
            << name;
        EXPECT_EQ(model.charts.chart2.rowCount(), days) << name;
        EXPECT_EQ(model.grids.grid1.cell(1, 3), "—") << name;
        EXPECT_EQ(model.grids.grid1.cell(1, 10), "1") << name << ": the first hit starts a chain";

        ASSERT_EQ(ui.messages.size(), 1U) << name;
        EXPECT_EQ(ui.messages[0].text, "検証は終了しました。お疲れ様でした。");
        EXPECT_EQ(model.window.running, 0);
        EXPECT_FALSE(model.window.unsaved);
        EXPECT_TRUE(model.commands.enabled(Menu::MK_Start));
        EXPECT_FALSE(model.commands.enabled(Menu::MF_OverSave));
        EXPECT_EQ(fields.text(Field::StatusBar1_Panel1),
                  machineSeedText(document.lastMachineSeed()));
    }
}

TEST_F(MachineDocumentTest, every_start_draws_another_seed_from_the_program_generator) {
    openThroughDialog(machineSample("星海ST199"));
    document.run(Menu::MK_Start);
    const std::uint64_t first = document.lastMachineSeed();
    document.run(Menu::MK_Start);
    EXPECT_NE(document.lastMachineSeed(), first);

    PcgRandomSource again{7};
    RandomStream stream{again};
    EXPECT_EQ(drawMachineSeed(stream), first) << "the program's seed decides the campaigns";
}

TEST_F(MachineDocumentTest, cancel_stops_the_campaign_at_the_next_event_and_says_so) {
    openThroughDialog(machineSample("星海ST199"));
    pump.callAfter(5, [this] {
        EXPECT_TRUE(document.running());
        EXPECT_TRUE(model.commands.enabled(Menu::MK_Cancel));
        EXPECT_FALSE(model.commands.enabled(Menu::MF_Open));
        document.run(Menu::MK_Cancel);
    });
    document.run(Menu::MK_Start);

    EXPECT_FALSE(document.running());
    EXPECT_TRUE(model.window.cancelled);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].text, "検証はキャンセルされました。お疲れ様でした。");
    EXPECT_EQ(ui.beeps, 0);
    EXPECT_LT(model.grids.grid3.rowCount(), 31);
    EXPECT_TRUE(model.commands.enabled(Menu::MK_Start));
}

TEST_F(MachineDocumentTest, a_close_during_a_machine_run_cancels_it_and_comes_again_after) {
    openThroughDialog(machineSample("星海ST199"));
    std::optional<CloseDecision> during;
    pump.callAfter(5, [&] { during = document.close(); });
    document.run(Menu::MK_Start);
    EXPECT_EQ(during, CloseDecision::Keep);
    EXPECT_TRUE(model.window.cancelled);
    EXPECT_TRUE(model.requests.close);
    EXPECT_EQ(document.close(), CloseDecision::Close) << "nothing to save";
}

TEST_F(MachineDocumentTest, opening_a_pac_afterwards_gives_back_every_classic_command) {
    openThroughDialog(machineSample("雷神RUSH199"));
    document.run(Menu::MK_Start);
    openThroughDialog(classic);

    EXPECT_EQ(document.machine(), nullptr);
    EXPECT_EQ(model.openKind, OpenKind::Classic);
    EXPECT_EQ(model.window.caption, captionWithTitle("classic.pac"));
    for (Menu menu : {Menu::MF_OverSave, Menu::MF_NewSave, Menu::MC, Menu::MC_Base, Menu::MC_Pic,
                      Menu::MK_Start}) {
        EXPECT_TRUE(model.commands.enabled(menu)) << menuName(menu);
    }
    EXPECT_GT(model.grids.grid2.rowCount(), 1) << "the symbol table is back";
    EXPECT_EQ(model.grids.grid1.rowCount(), 1) << "the machine's hits are gone";
}

TEST_F(MachineDocumentTest, new_closes_the_machine_before_the_first_page) {
    openThroughDialog(machineSample("星海ST199"));
    document.run(Menu::MF_MakeNew);
    EXPECT_EQ(document.machine(), nullptr);
    EXPECT_EQ(model.openKind, OpenKind::Classic);
    EXPECT_TRUE(document.wizard().isOpen());
    EXPECT_EQ(model.fields.text(Field::条件_名前), "");
}

} // namespace
} // namespace zelkora::testing
