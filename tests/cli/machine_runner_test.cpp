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

    const Outcome refused =
        run({"--convert", kSamples + "/リミッター5回399.pac", folder.file("x.json").string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("リミッター"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.json")));
}

} // namespace
} // namespace zelkora::testing
