#include "files/file_system.h"
#include "files/utf8_path.h"
#include "machine_fixture.h"
#include "machines/machine_check.h"
#include "machines/machine_file.h"
#include "temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace zelkora::testing {
namespace {

std::string bytesOf(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST(MachineFile, every_sample_round_trips_byte_for_byte) {
    const std::vector<std::filesystem::path> samples = machineSamples();
    ASSERT_GE(samples.size(), 4U);
    TempFolder folder;
    LocalFileSystem files;
    for (const std::filesystem::path& sample : samples) {
        const std::string bytes = bytesOf(sample);
        const machines::Checked<machines::MachineVerification> read =
            machines::parseMachineFile(bytes);
        ASSERT_TRUE(read.ok()) << sample << ": " << read.problem();
        EXPECT_EQ(machines::machineFileText(read.value()), bytes) << sample;
        const std::filesystem::path copy = folder.file("copy.json");
        ASSERT_EQ(machines::writeMachineFile(files, copy, read.value()), "");
        EXPECT_EQ(bytesOf(copy), bytes) << sample;
        const machines::Checked<machines::MachineVerification> again =
            machines::readMachineFile(copy);
        ASSERT_TRUE(again.ok()) << again.problem();
        EXPECT_EQ(again.value(), read.value());
    }
}

// Each fault in a file is refused with a Japanese message that names what is wrong.
TEST(MachineFile, bad_machine_files_are_refused_with_the_offending_entry) {
    const std::string good = bytesOf(machineSamplesFolder() / pathFromUtf8("星海ST199.json"));
    struct Case {
        std::string_view from;
        std::string_view to;
        std::string_view message;
    };
    const Case cases[] = {
        {R"("weight": 56)", R"("weight": 55)",
         "振り分け表「ヘソ」の割合の合計が 100% ではありません（99%）"},
        {R"("next": "時短")", R"("next": "時短X")", "「時短X」という状態はありません"},
        {R"("hit": 199.8)", R"("hit": 0)",
         "状態「通常」の大当り確率は 1 以上の分母で指定してください"},
        {R"("hit": 199.8)", R"("hit": -5)",
         "状態「通常」の大当り確率は 1 以上の分母で指定してください（-5）"},
        {R"("table": "ヘソ")", R"("table": "ヘソX")",
         "状態「通常」の振り分け「ヘソX」という振り分け表はありません"},
        {R"("weight": 3)", R"("weight": -3)", "「10R ST」の割合は 0 以上で指定してください"},
        {R"("held_spins")", R"("held_spin")", "知らないキー「held_spin」"},
        {R"("rounds": 10)", R"("rounds": "10")",
         "machine.tables[0].outcomes[0].rounds は整数で書いてください"},
        {R"("schema_version": 1)", R"("schema_version": 2)", "版 2 は読めません"},
        {R"("format": "zelkora-machine-verification")", R"("format": "x")",
         "機種の検証ファイルではありません"},
        {R"("exchange_balls_per_100_yen": 28)", R"("exchange_balls_per_100_yen": 24)",
         "両替率は 25 以上 100 以下"},
        {R"("play_schedule": "01111111111100")", R"("play_schedule": "01101111111100")",
         "遊技時間帯"},
        // An ST without its limit never runs out, and its hits lead back to it.
        {R"("spin_limit": 163,)", "",
         "状態「ST」から通常の状態に戻れないため、連チャンが終わりません"},
        {R"("after": "通常",
        "held_spins": 4,
        "support_net_balls": -0.3
      },
      {
        "name": "時短")",
         R"("held_spins": 4,
        "support_net_balls": -0.3
      },
      {
        "name": "時短")",
         "状態「ST」は回転数 163 で終わりますが、終了後の移行先がありません"},
        {R"("start_state": "通常")", R"("start_state": "ST")",
         "開始状態「ST」は電サポのない通常の状態にしてください"},
        {"\n}\n", "\n", "JSON として読めません"},
        {R"("reinvest": true)", R"("reinvest": "はい")",
         "campaign.reinvest は true か false で書いてください"},
        {R"("states": [)", R"("states": {"a": 1}, "x": [)",
         "machine.states は配列（[ ]）で書いてください"},
        {R"("days": 30)", R"("days": 30.5)", "campaign.days は整数で書いてください"},
        {R"("name": "星海ST199")", R"("name": 199)", "machine.name は文字列で書いてください"},
    };
    for (const Case& fault : cases) {
        const machines::Checked<machines::MachineVerification> read =
            machines::parseMachineFile(replaced(good, fault.from, fault.to));
        ASSERT_FALSE(read.ok()) << fault.message;
        EXPECT_NE(read.problem().find(fault.message), std::string::npos)
            << "expected: " << fault.message << "\n     got: " << read.problem();
    }
}

TEST(MachineFile, a_byte_order_mark_is_read_and_a_bare_array_is_refused) {
    const std::string good = bytesOf(machineSamplesFolder() / pathFromUtf8("星海ST199.json"));
    EXPECT_TRUE(machines::parseMachineFile("\xEF\xBB\xBF" + good).ok());
    const machines::Checked<machines::MachineVerification> array = machines::parseMachineFile("[]");
    ASSERT_FALSE(array.ok());
    EXPECT_NE(array.problem().find("オブジェクト"), std::string::npos) << array.problem();
    EXPECT_FALSE(machines::parseMachineFile("").ok());
    EXPECT_FALSE(machines::parseMachineFile("{\"format\": \"\xff\"}").ok()); // not UTF-8
}

// Support states that only lead to one another: the chain could never end.
TEST(MachineFile, a_chain_that_cannot_end_is_refused) {
    machines::Machine machine;
    machine.states = {normalState(100), supportState("RUSH", 10, 0, "電チュー")};
    machine.tables = {table("ヘソ", {outcome(100, 300, "RUSH")}),
                      table("電チュー", {outcome(100, 300, "RUSH")})};
    machine.startState = "通常";
    machine.name = "終わらない";
    EXPECT_EQ(machines::machineProblem(machine),
              "状態「RUSH」から通常の状態に戻れないため、連チャンが終わりません");
    // A 転落 is a way back.
    machine.states[1].fall = machines::Shift{300, "通常", 0, 0};
    EXPECT_EQ(machines::machineProblem(machine), "");
    // Hit and 転落 together cannot exceed certainty.
    machine.states[1].fall->denominator = 1;
    EXPECT_NE(machines::machineProblem(machine).find("合計が 1 を超えています"), std::string::npos);
}

TEST(MachineFile, a_refused_machine_writes_nothing_and_keeps_the_old_file) {
    TempFolder folder;
    LocalFileSystem files;
    const std::filesystem::path target = folder.file("machine.json");
    machines::Checked<machines::MachineVerification> read =
        machines::readMachineFile(machineSamplesFolder() / pathFromUtf8("紅蓮ループ319.json"));
    ASSERT_TRUE(read.ok());
    machines::MachineVerification bad = read.value();
    bad.machine.tables[0].outcomes[0].weight = 10;
    EXPECT_NE(machines::writeMachineFile(files, target, bad), "");
    EXPECT_FALSE(std::filesystem::exists(target));

    ASSERT_EQ(machines::writeMachineFile(files, target, read.value()), "");
    const std::string before = bytesOf(target);
    EXPECT_NE(machines::writeMachineFile(files, target, bad), "");
    EXPECT_EQ(bytesOf(target), before);
    EXPECT_FALSE(std::filesystem::exists(temporaryCopyPath(target)));
}

TEST(MachineFile, a_missing_file_says_so) {
    const machines::Checked<machines::MachineVerification> read =
        machines::readMachineFile(machineSamplesFolder() / pathFromUtf8("ない.json"));
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.problem().find("を開けません"), std::string::npos) << read.problem();
}

} // namespace
} // namespace zelkora::testing
