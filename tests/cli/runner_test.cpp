#include "default_verification.h"
#include "run_options.h"
#include "runner.h"
#include "runner_outcome.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace zelkora::testing {
namespace {

// Record r's text bytes (without the length prefix), as stored.
std::string recordBytes(const Bytes& file, std::size_t record) {
    const std::size_t offset = (record - 1) * 200;
    const std::size_t length = static_cast<std::size_t>(file.at(offset)) |
                               (static_cast<std::size_t>(file.at(offset + 1)) << 8U);
    return {file.begin() + static_cast<std::ptrdiff_t>(offset + 2),
            file.begin() + static_cast<std::ptrdiff_t>(offset + 2 + length)};
}

using Runner = DefaultVerificationTest;

TEST_F(Runner, SameSeedAndCountdownGiveTheSameFile) {
    const std::string first = folder_.file("first.pac").string();
    const std::string second = folder_.file("second.pac").string();
    ASSERT_EQ(run({verification_, "--seed", "7", "--countdown", "333", "--out", first}).status,
              cli::kExitSuccess);
    ASSERT_EQ(run({verification_, "--countdown", "333", "--seed", "7", "--out", second}).status,
              cli::kExitSuccess);
    const Bytes bytes = readBytes(first);
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, readBytes(second));
}

TEST_F(Runner, DifferentSeedGivesADifferentFile) {
    const std::string first = folder_.file("first.pac").string();
    const std::string second = folder_.file("second.pac").string();
    ASSERT_EQ(run({verification_, "--seed", "1", "--out", first}).status, cli::kExitSuccess);
    ASSERT_EQ(run({verification_, "--seed", "2", "--out", second}).status, cli::kExitSuccess);
    EXPECT_NE(readBytes(first), readBytes(second));
}

TEST_F(Runner, OutFileHoldsTheRunAndLeavesTheInputUntouched) {
    const Bytes before = readBytes(verification_);
    const std::string out = folder_.file("out.pac").string();
    const Outcome outcome = run({verification_, "--seed", "1", "--out", out, "--json"});
    ASSERT_EQ(outcome.status, cli::kExitSuccess) << outcome.err;
    EXPECT_EQ(readBytes(verification_), before);
    const Bytes bytes = readBytes(out);
    const std::string summary = recordBytes(bytes, 99);
    const int count = std::stoi(summary.substr(0, 10));
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(100 + count) * 200);
    EXPECT_NE(outcome.out.find("\"records\":" + std::to_string(count) + "}"), std::string::npos);
    // The run writes its symbol records with "0" in column 6, which starts at byte 69 after
    // the double-byte "絵柄", "通常" and "通常時交換".
    EXPECT_EQ(recordBytes(bytes, 1).substr(69, 10), "0         ");
    EXPECT_TRUE(outcome.err.empty()) << outcome.err;
}

TEST_F(Runner, JsonHoldsEveryReportedFigure) {
    const Outcome outcome = run({verification_, "--seed", "3", "--json"});
    ASSERT_EQ(outcome.status, cli::kExitSuccess);
    for (const char* key :
         {"\"勝数表示\":", "\"平均連荘表示\":", "\"持ち玉比率\":", "\"総時短回転数表示\":",
          "\"回転数1r\":", "\"回転数9t\":", "\"連荘11r\":", "\"records\":"}) {
        EXPECT_NE(outcome.out.find(key), std::string::npos) << key;
    }
    EXPECT_EQ(outcome.out.front(), '{');
    EXPECT_EQ(outcome.out.substr(outcome.out.size() - 2), "}\n");
}

std::string unquoted(const std::string& value) {
    return value.size() >= 2 ? value.substr(1, value.size() - 2) : value;
}

TEST_F(Runner, WithoutJsonPrintsTheSameFiguresForAPerson) {
    const Outcome json = run({verification_, "--seed", "3", "--json"});
    const Outcome text = run({verification_, "--seed", "3"});
    ASSERT_EQ(text.status, cli::kExitSuccess);
    EXPECT_EQ(text.out.rfind("検証  新しい検証\n", 0), 0U) << text.out;
    for (const std::string key : {"総回転数表示", "収支表示F", "確率表示", "持ち玉比率"}) {
        EXPECT_NE(text.out.find("\n" + key + "  " + unquoted(member(json.out, key)) + "\n"),
                  std::string::npos)
            << key;
    }
}

TEST_F(Runner, WithoutSeedPrintsTheSeedThatRepeatsTheRun) {
    const std::string first = folder_.file("first.pac").string();
    const Outcome unseeded = run({verification_, "--out", first});
    ASSERT_EQ(unseeded.status, cli::kExitSuccess);
    const std::string label = "シード: ";
    ASSERT_EQ(unseeded.err.rfind(label, 0), 0U) << unseeded.err;
    const std::string seed =
        unseeded.err.substr(label.size(), unseeded.err.find('\n') - label.size());
    const std::string second = folder_.file("second.pac").string();
    ASSERT_EQ(run({verification_, "--seed", seed, "--out", second}).status, cli::kExitSuccess);
    EXPECT_EQ(readBytes(first), readBytes(second));
}

// Every complaint about the command line is said in Japanese, naming what is wrong.
TEST_F(Runner, BadUsageExitsWithTwoAndPrintsTheUsage) {
    struct Case {
        std::vector<std::string> arguments;
        std::string says;
    };
    const std::vector<Case> cases{
        {{}, "検証ファイルが指定されていません"},
        {{"--json"}, "検証ファイルが指定されていません"},
        {{verification_, "--seed"}, "--seed の値がないか、多すぎます"},
        {{verification_, "--seed", "-1"}, "--seed の値が正しくありません"},
        {{verification_, "--seed", "18446744073709551616"}, "--seed の値が正しくありません"},
        {{verification_, "--countdown", "0"}, "1 から 1000 までの整数を指定してください"},
        {{verification_, "--countdown", "1001"}, "--countdown の値が正しくありません"},
        {{verification_, "--countdown", "5x"}, "--countdown の値が正しくありません"},
        {{verification_, "--out"}, "--out の値がないか、多すぎます"},
        {{verification_, "--fast"}, "解釈できない引数があります: --fast"},
        {{verification_, verification_}, "解釈できない引数があります"},
        {{verification_, "--threads", "2"}, "--threads は --trials と一緒に指定してください"},
        {{verification_, "--theory", "--trials", "2"}, "は一緒に指定できません"},
        {{verification_, "--theory", "--prob"}, "--theory は --prob と --pic を使わない"},
        {{verification_, "--theory", "--ratio", "101"}, "0 から 100 までの数"},
        {{verification_, "--trials", "2", "--ruin", "-5"}, "--ruin の値が正しくありません"},
        {{verification_, "--compare", "x.pac"}, "--compare は --trials と一緒に指定してください"},
        {{"--setup", verification_}, "--setup には検証ファイルを指定できません"}};
    for (const Case& bad : cases) {
        const Outcome outcome = run(bad.arguments);
        const std::string firstLine = outcome.err.substr(0, outcome.err.find('\n'));
        EXPECT_EQ(outcome.status, cli::kExitUsage) << firstLine;
        EXPECT_NE(firstLine.find(bad.says), std::string::npos) << firstLine;
        EXPECT_NE(outcome.err.find("使い方: zelkora-run FILE.pac"), std::string::npos);
        EXPECT_TRUE(outcome.out.empty());
    }
}

TEST_F(Runner, HelpAndVersionPrintAndExitWithZero) {
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, cli::kExitSuccess);
    EXPECT_EQ(help.out.find("使い方: zelkora-run FILE.pac"), help.out.find('\n') + 1) << help.out;
    for (const char* option :
         {"--seed", "--countdown", "--prob", "--pic", "--out", "--json", "--rebuild", "--setup",
          "--version", "--theory", "--rates", "--ratio", "--ruin", "--compare", "--csv"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    EXPECT_TRUE(help.err.empty());

    const Outcome version = run({"--version"});
    EXPECT_EQ(version.status, cli::kExitSuccess);
    EXPECT_EQ(version.out.rfind("zelkora-run ", 0), 0U) << version.out;
}

TEST_F(Runner, BadOptionNamesTheOptionExitsWithTwoAndRunsNothing) {
    struct Case {
        std::vector<std::string> arguments;
        std::string named;
    };
    const std::string out = folder_.file("out.pac").string();
    // A number with a leading zero stays decimal; trailing letters or a sign make it bad.
    for (const Case& bad :
         std::vector<Case>{{{verification_, "--seed", "010x", "--out", out}, "--seed"},
                           {{verification_, "--countdown", "-5", "--out", out}, "--countdown"},
                           {{verification_, "--out", out, "--verbose"}, "--verbose"}}) {
        const Outcome outcome = run(bad.arguments);
        EXPECT_EQ(outcome.status, cli::kExitUsage);
        EXPECT_NE(outcome.err.find(bad.named), std::string::npos) << outcome.err;
        EXPECT_TRUE(outcome.out.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(Runner, SeedIsReadAsDecimalWhateverItsLeadingZeros) {
    const std::string first = folder_.file("first.pac").string();
    const std::string second = folder_.file("second.pac").string();
    ASSERT_EQ(run({verification_, "--seed", "010", "--out", first}).status, cli::kExitSuccess);
    ASSERT_EQ(run({verification_, "--seed", "10", "--out", second}).status, cli::kExitSuccess);
    EXPECT_EQ(readBytes(first), readBytes(second));
}

TEST_F(Runner, UnreadableFileOrNoConditionsExitWithOneNamingTheFile) {
    const std::string missing = folder_.file("missing.pac").string();
    Outcome outcome = run({missing, "--json"});
    EXPECT_EQ(outcome.status, cli::kExitFailure);
    EXPECT_NE(outcome.err.find(missing), std::string::npos);
    EXPECT_TRUE(outcome.out.empty());
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::string empty = folder_.file("empty.pac").string();
    writeBytes(empty, Bytes(20000, 0));
    outcome = run({empty, "--seed", "1"});
    EXPECT_EQ(outcome.status, cli::kExitFailure);
    EXPECT_NE(outcome.err.find(empty), std::string::npos);
    EXPECT_NE(outcome.err.find("条件がありません"), std::string::npos);

    outcome = run({folder_.file("").string(), "--seed", "1"});
    EXPECT_EQ(outcome.status, cli::kExitFailure);
}

TEST_F(Runner, ConditionsTheRunRefusesExitWithOne) {
    Bytes bytes = readBytes(verification_);
    // Record 98's tail column holds the schedule at characters 111 … 124.
    const std::size_t schedule = (98 - 1) * 200 + 2 + 110;
    for (std::size_t index = 0; index < 14; ++index) {
        bytes.at(schedule + index) = '0';
    }
    writeBytes(verification_, bytes);
    const Outcome outcome = run({verification_, "--seed", "1", "--json"});
    EXPECT_EQ(outcome.status, cli::kExitFailure);
    EXPECT_NE(outcome.err.find("検証を開始できません"), std::string::npos);
    EXPECT_TRUE(outcome.out.empty());
}

TEST(DefaultSample, CheckedInFileIsWhatTheGeneratorWrites) {
    TempFolder folder;
    const auto written = folder.file("default.pac");
    ASSERT_EQ(cli::writeDefaultVerification(written), "");
    const Bytes expected = readBytes(written);
    EXPECT_EQ(expected.size(), 100U * 200U);
    EXPECT_EQ(readBytes(std::filesystem::path(ZELKORA_SAMPLES_DIR) / "default.pac"), expected);
}

// A path from the root (on Windows, from the current drive's root) names the file; CLI11 would
// take "/x" for an option there.
TEST(RunOptions, a_path_from_the_root_is_the_file_on_every_system) {
    const std::string file = std::string(ZELKORA_SAMPLES_DIR) + "/default.pac";
    const std::string out = std::string(ZELKORA_SAMPLES_DIR) + "/never-written.pac";
    ASSERT_EQ(file.front(), '/');
    for (const std::vector<std::string_view>& arguments :
         {std::vector<std::string_view>{file, "--seed", "1"},
          std::vector<std::string_view>{"--rebuild", file},
          std::vector<std::string_view>{file, "--out", out}}) {
        const cli::ParsedOptions parsed = cli::parseRunOptions(arguments);
        EXPECT_EQ(parsed.error, "") << arguments[0];
        EXPECT_EQ(parsed.options.file, file);
    }
}

} // namespace
} // namespace zelkora::testing
