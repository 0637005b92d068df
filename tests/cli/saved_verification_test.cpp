#include "default_verification.h"
#include "runner.h"
#include "runner_outcome.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace zelkora::testing {
namespace {

using SavedVerification = DefaultVerificationTest;

TEST_F(SavedVerification, rebuild_prints_the_figures_the_run_printed) {
    const std::string played = folder_.file("played.pac").string();
    const Outcome runOutcome = run({verification_, "--seed", "5", "--out", played, "--json"});
    ASSERT_EQ(runOutcome.status, cli::kExitSuccess);

    const Outcome rebuilt = run({"--rebuild", played, "--json"});

    ASSERT_EQ(rebuilt.status, cli::kExitSuccess) << rebuilt.err;
    for (const char* key :
         {"records", "総回転数表示", "総大当り数表示", "収支表示F", "平均収支表示", "勝数表示",
          "負け数表示", "勝率表示", "確率表示", "持ち玉比率", "最大はまり表示"}) {
        EXPECT_NE(member(rebuilt.out, key), "") << key;
        EXPECT_EQ(member(rebuilt.out, key), member(runOutcome.out, key)) << key;
    }
    EXPECT_EQ(member(rebuilt.out, "総時短回転数表示"), "\"0\"");
}

TEST_F(SavedVerification, rebuild_of_a_file_without_conditions_fails_naming_it) {
    const std::string empty = folder_.file("empty.pac").string();
    writeBytes(empty, Bytes(300, 0));
    const Outcome outcome = run({"--rebuild", empty, "--json"});
    EXPECT_EQ(outcome.status, cli::kExitFailure);
    EXPECT_NE(outcome.err.find(empty), std::string::npos);
    EXPECT_TRUE(outcome.out.empty());
}

TEST_F(SavedVerification, rebuild_and_setup_take_only_their_own_arguments) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--rebuild"},
                                               {"--rebuild", verification_, "--out", "x.pac"},
                                               {"--setup", verification_},
                                               {"--setup", "--rebuild", verification_}}) {
        EXPECT_EQ(run(arguments).status, cli::kExitUsage);
    }
}

TEST_F(SavedVerification, setup_sets_up_the_current_folder_as_a_first_start) {
    const std::filesystem::path before = std::filesystem::current_path();
    const std::filesystem::path program = folder_.file("program");
    std::filesystem::create_directory(program);
    std::filesystem::current_path(program);
    const Outcome first = run({"--setup"});
    const Outcome second = run({"--setup"});
    std::filesystem::current_path(before);

    EXPECT_EQ(first.status, cli::kExitSuccess);
    EXPECT_NE(first.out.find("初期設定は終了しました。"), std::string::npos);
    EXPECT_NE(first.err.find("コピーエラー５。"), std::string::npos); // no samples were placed
    EXPECT_TRUE(std::filesystem::exists(program / "zelkora.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(program / "data"));
    EXPECT_EQ(second.status, cli::kExitSuccess);
    EXPECT_EQ(second.out.find("ようこそ"), std::string::npos);
}

} // namespace
} // namespace zelkora::testing
