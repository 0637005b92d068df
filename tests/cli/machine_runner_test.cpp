#include "csv_reader.h"
#include "files/utf8_path.h"
#include "machine_runner.h"
#include "machines/machine_file.h"
#include "runner_outcome.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace zelkora::testing {
namespace {

const std::string kSamples = ZELKORA_SAMPLES_DIR;

std::string machineSample(const std::string& name) {
    return kSamples + "/machines/" + name + ".json";
}

TEST(MachineRunner, theory_as_json_carries_the_chain_and_money_figures) {
    const Outcome outcome = run({machineSample("星海ST199"), "--theory", "--json"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const nlohmann::json json = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(json["machine"], "星海ST199");
    EXPECT_NEAR(json["normal_spins_per_first_hit"].get<double>(), 199.8, 1e-9);
    // The ST of 163 spins with 4 held at 1/99.4 continues with 81.5 %.
    bool found = false;
    for (const auto& entry : json["continuations"]) {
        if (entry["state"] == "ST") {
            EXPECT_NEAR(entry["continuation"].get<double>(), 0.815, 0.0005);
            found = true;
        }
    }
    EXPECT_TRUE(found);
    EXPECT_GT(json["cash"]["border"].get<double>(), json["held"]["border"].get<double>());
}

TEST(MachineRunner, theory_as_text_names_every_figure) {
    const Outcome outcome = run({machineSample("月光タイム319"), "--theory"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    for (const char* name :
         {"初当り確率  1/", "平均連チャン数", "継続率（時短（100回転））  27.81%",
          "ボーダー（現金）", "ボーダー（持玉）", "遊タイムの期待値がプラスになる回転数"}) {
        EXPECT_NE(outcome.out.find(name), std::string::npos) << name;
    }
}

TEST(MachineRunner, from_count_gives_the_value_of_playing_on) {
    const Outcome early = run({machineSample("月光タイム319"), "--from-count", "0", "--json"});
    const Outcome late = run({machineSample("月光タイム319"), "--from-count", "900", "--json"});
    ASSERT_EQ(early.status, 0) << early.err;
    ASSERT_EQ(late.status, 0) << late.err;
    const nlohmann::json before = nlohmann::json::parse(early.out);
    const nlohmann::json after = nlohmann::json::parse(late.out);
    EXPECT_LT(before["cash_yen"].get<double>(), after["cash_yen"].get<double>());
    // At most 50 spins to the ceiling; its 時短 of 1214 + 4 spins misses with (1 − 1/319.6)^1218
    // = 2.2 %, and only then does normal play go on, for about 320 spins: 7 more on average.
    EXPECT_LT(after["normal_spins"].get<double>(), 60.0);
    EXPECT_GT(after["normal_spins"].get<double>(), 50.0);
    EXPECT_EQ(before["break_even_count"], after["break_even_count"]);
}

TEST(MachineRunner, a_seed_plays_the_same_campaign_again) {
    const Outcome first = run({machineSample("紅蓮ループ319"), "--seed", "3", "--json"});
    const Outcome again = run({machineSample("紅蓮ループ319"), "--seed", "3", "--json"});
    const Outcome other = run({machineSample("紅蓮ループ319"), "--seed", "4", "--json"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, again.out);
    EXPECT_NE(first.out, other.out);
    const nlohmann::json json = nlohmann::json::parse(first.out);
    EXPECT_EQ(json["days"], 30);
    EXPECT_GT(json["big_hits"].get<int>(), json["first_hits"].get<int>());
    const Outcome unseeded = run({machineSample("紅蓮ループ319")});
    ASSERT_EQ(unseeded.status, 0);
    EXPECT_NE(unseeded.err.find("seed: "), std::string::npos);
    EXPECT_NE(unseeded.out.find("平均連チャン数"), std::string::npos);
}

TEST(MachineRunner, bad_command_lines_and_files_say_why) {
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string_view says;
    };
    const std::string ceiling = machineSample("月光タイム319");
    for (const Case& bad : {
             Case{{ceiling, "--theory", "--seed", "1"}, 2, "--seed は遊技のときだけ"},
             Case{{ceiling, "--seed", "x"}, 2, "--seed には"},
             Case{{ceiling, "--from-count", "-1"}, 2, "0 以上の整数"},
             Case{{ceiling, "--from-count", "951"}, 2, "950 以下"},
             Case{{machineSample("星海ST199"), "--from-count", "3"}, 2, "遊タイムがない"},
             Case{{ceiling, "--theory", "--held-share", "120"}, 2, "持ち玉比率"},
             Case{{ceiling, "--theory", "--trials", "5"}, 2, "使えません"},
             Case{{ceiling, "--trials", "0"}, 2, "1 から 10000000 まで"},
             Case{{ceiling, "--trials", "5", "--threads", "300"}, 2, "1 から 256 まで"},
             Case{{ceiling, "--threads", "2"}, 2, "--trials と一緒に"},
             Case{{ceiling, "--csv", "out"}, 2, "--trials と一緒に"},
             Case{{kSamples + "/machines/ない.json", "--theory"}, 1, "を開けません"},
         }) {
        const Outcome outcome = run(bad.arguments);
        EXPECT_EQ(outcome.status, bad.status) << bad.says;
        EXPECT_NE(outcome.err.find(bad.says), std::string::npos) << outcome.err;
    }
}

TEST(MachineRunner, only_a_machine_file_or_convert_leads_to_machines) {
    using Arguments = std::vector<std::string_view>;
    EXPECT_TRUE(cli::namesMachineFile(Arguments{"m.json", "--theory"}));
    EXPECT_TRUE(cli::namesMachineFile(Arguments{"--seed", "1", "m.json"}));
    EXPECT_TRUE(cli::namesMachineFile(Arguments{"--convert", "a.pac", "b.json"}));
    EXPECT_FALSE(cli::namesMachineFile(Arguments{"a.pac", "--seed", "1"}));
    EXPECT_FALSE(cli::namesMachineFile(Arguments{"a.pac", "--out", "b.json"}));
    EXPECT_FALSE(cli::namesMachineFile(Arguments{"a.pac", "--csv", "out.json"}));
}

TEST(MachineRunner, convert_writes_a_classic_sample_as_a_machine_file) {
    TempFolder folder;
    // Made from UTF-8: a narrow name would be taken in the ANSI code page on Windows.
    const std::string target =
        utf8FromPath(folder.file("x").parent_path() / pathFromUtf8("定番.json"));
    const Outcome outcome = run({"--convert", kSamples + "/定番確変315.pac", target});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const machines::Checked<machines::MachineVerification> read =
        machines::readMachineFile(pathFromUtf8(target));
    ASSERT_TRUE(read.ok()) << read.problem();
    EXPECT_EQ(read.value().machine.states.size(), 3U); // 通常, 確変, 時短100
    EXPECT_EQ(read.value().campaign.days, 60);

    // The limiter's streaks unrolled into states: its theory is the classic theory's.
    const std::string limiter =
        utf8FromPath(folder.file("x").parent_path() / pathFromUtf8("リミッター.json"));
    const Outcome unrolled = run({"--convert", kSamples + "/リミッター5回399.pac", limiter});
    ASSERT_EQ(unrolled.status, 0) << unrolled.err;
    const Outcome machineTheory = run({limiter, "--theory"});
    const Outcome classicTheory = run({kSamples + "/リミッター5回399.pac", "--theory"});
    EXPECT_NE(machineTheory.out.find("平均連チャン数  2.316"), std::string::npos)
        << machineTheory.out;
    EXPECT_NE(classicTheory.out.find("平均連荘  2.316"), std::string::npos) << classicTheory.out;
}

// Campaign i draws from stream i of the seed whichever thread plays it: the report is the same
// for one thread and for three, and another seed gives another.
TEST(MachineRunner, trials_are_seeded_the_same_for_any_thread_count) {
    const std::string file = machineSample("雷神RUSH199");
    const Outcome one = run({file, "--trials", "30", "--seed", "5", "--threads", "1", "--json"});
    const Outcome three = run({file, "--trials", "30", "--seed", "5", "--threads", "3", "--json"});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(three.out, one.out);
    EXPECT_NE(run({file, "--trials", "30", "--seed", "6", "--json"}).out, one.out);
    const nlohmann::json json = nlohmann::json::parse(one.out);
    EXPECT_EQ(json["verification"], "雷神RUSH199");
    EXPECT_EQ(json["campaigns"], 30);
    EXPECT_EQ(json["days"], 30);
    EXPECT_FALSE(json.contains("countdown")); // a machine's play has no countdown
    EXPECT_EQ(json["daily_bands"].size(), 30U);
    // Every first hit of this machine enters a support state of better odds (チャレンジ), never
    // 時短, and a chain is at least its first hit.
    EXPECT_DOUBLE_EQ(json["overall_means"]["初当り確変率表示"]["mean"].get<double>(), 100);
    EXPECT_DOUBLE_EQ(json["overall_means"]["総時短数表示"]["mean"].get<double>(), 0);
    EXPECT_GE(json["per_first_hit"]["big_hits"]["mean"].get<double>(), 1);
    const Outcome table = run({file, "--trials", "4", "--seed", "5"});
    EXPECT_NE(table.out.find("試行回数  4（シード 5、1試行 30 日）"), std::string::npos)
        << table.out;
}

TEST(MachineRunner, trials_write_one_csv_row_per_campaign_and_the_daily_bands) {
    TempFolder folder;
    const std::filesystem::path out = folder.file("x").parent_path() / pathFromUtf8("出力");
    const Outcome outcome = run(
        {machineSample("星海ST199"), "--trials", "7", "--seed", "2", "--csv", utf8FromPath(out)});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const CsvDocument campaigns = readCsv(out / "campaigns.csv");
    EXPECT_TRUE(campaigns.byteOrderMark);
    ASSERT_EQ(campaigns.rows.size(), 8U);
    EXPECT_EQ(campaigns.rows[0][0], "試行");
    EXPECT_EQ(campaigns.rows[7][0], "7");
    const CsvDocument bands = readCsv(out / "daily_bands.csv");
    EXPECT_EQ(bands.rows.size(), 31U); // the heading and 30 days
}

// The CSV files are opened before the first campaign: ten million campaigns would take long,
// so a check made after them would never come back here.
TEST(MachineRunner, a_csv_file_that_cannot_be_written_is_reported_before_any_campaign) {
    TempFolder folder;
    std::filesystem::create_directories(folder.file("out") / "campaigns.csv");
    const Outcome outcome = run(
        {machineSample("星海ST199"), "--trials", "10000000", "--csv", folder.file("out").string()});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("campaigns.csv に書き込めません。ファイルではなくフォルダです。"),
              std::string::npos)
        << outcome.err;
    EXPECT_TRUE(outcome.out.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.file("out") / "daily_bands.csv"));
}

} // namespace
} // namespace zelkora::testing
