#include "analysis_fixture.h"
#include "common/numbers.h"
#include "csv_reader.h"
#include "runner_outcome.h"
#include "trials.h"

#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace zelkora::testing {
namespace {

// The classic sample shortened to 5 days, so many campaigns stay quick.
class Trials : public DefaultVerificationTest {
protected:
    void SetUp() override {
        const SampleDefinition sample =
            withCondition(sampleNamed("定番確変315"), Field::条件_何日分, "5");
        ASSERT_TRUE(writeConditionFile(verification_, sample).ok());
    }
};

TEST_F(Trials, json_is_the_same_whatever_the_thread_count) {
    const Outcome one =
        run({verification_, "--trials", "40", "--seed", "9", "--threads", "1", "--json"});
    const Outcome two =
        run({verification_, "--trials", "40", "--seed", "9", "--threads", "2", "--json"});
    ASSERT_EQ(one.status, cli::kExitSuccess) << one.err;
    EXPECT_EQ(two.out, one.out);
    const auto json = nlohmann::json::parse(one.out);
    EXPECT_EQ(json["campaigns"], 40);
    EXPECT_EQ(json["days"], 5);
    EXPECT_EQ(json["daily_bands"].size(), 5U);
    EXPECT_EQ(json["final_balance"]["percentiles"].size(), 7U);
    EXPECT_TRUE(json["overall_means"].contains("平均連荘表示"));
    const double low = json["final_balance"]["ci95"][0];
    const double high = json["final_balance"]["ci95"][1];
    EXPECT_LT(low, json["final_balance"]["mean"].get<double>());
    EXPECT_GT(high, json["final_balance"]["mean"].get<double>());
    EXPECT_NE(run({verification_, "--trials", "40", "--seed", "10", "--json"}).out, one.out);
}

TEST_F(Trials, table_names_the_verification_and_every_kind_of_figure) {
    const Outcome table = run({verification_, "--trials", "20", "--seed", "3"});
    ASSERT_EQ(table.status, cli::kExitSuccess) << table.err;
    for (const char* label :
         {"検証  定番確変315\n", "試行回数  20", "最終収支の平均", "最終収支の分位点",
          "勝ち越す確率", "持金パンクのある確率", "勝ち日数の分布", "1時間あたりの収支",
          "日別の積算収支", "総合データの平均"}) {
        EXPECT_NE(table.out.find(label), std::string::npos) << label;
    }
    EXPECT_TRUE(table.err.empty());
}

// Campaign 3 played alone with --campaign is the third row of campaigns.csv.
TEST_F(Trials, csv_rows_are_the_campaigns_that_campaign_replays) {
    const std::string csv = folder_.file("out").string();
    ASSERT_EQ(run({verification_, "--trials", "6", "--seed", "21", "--csv", csv}).status,
              cli::kExitSuccess);
    const CsvDocument campaigns = readCsv(folder_.file("out") / "campaigns.csv");
    const CsvDocument bands = readCsv(folder_.file("out") / "daily_bands.csv");
    ASSERT_TRUE(campaigns.byteOrderMark && campaigns.wellFormed);
    ASSERT_EQ(campaigns.rows.size(), 7U);
    EXPECT_EQ(campaigns.rows[3].at(0), "3");
    ASSERT_TRUE(bands.byteOrderMark && bands.wellFormed);
    EXPECT_EQ(bands.rows.size(), 6U);
    EXPECT_EQ(bands.rows[0],
              (std::vector<std::string>{"日目", "平均", "5%", "25%", "50%", "75%", "95%"}));

    const std::string out = folder_.file("third.pac").string();
    const Outcome alone =
        run({verification_, "--seed", "21", "--campaign", "3", "--json", "--out", out});
    ASSERT_EQ(alone.status, cli::kExitSuccess) << alone.err;
    const std::vector<std::string>& headings = campaigns.rows[0];
    for (std::size_t column = 1; column <= 22; ++column) {
        EXPECT_EQ(campaigns.rows[3].at(column), unquotedMember(alone.out, headings[column]))
            << headings[column];
    }
    EXPECT_TRUE(std::filesystem::exists(out));
}

TEST_F(Trials, theory_prints_its_assumptions_and_figures) {
    const Outcome text = run({verification_, "--theory"});
    ASSERT_EQ(text.status, cli::kExitSuccess) << text.err;
    EXPECT_NE(text.out.find("前提  "), std::string::npos);
    EXPECT_NE(text.out.find("ボーダー（現金）"), std::string::npos);
    const Outcome json = run({verification_, "--theory", "--json", "--countdown", "512"});
    const auto figures = nlohmann::json::parse(json.out);
    EXPECT_EQ(figures["countdown"], 512);
    EXPECT_EQ(figures["assumptions"].size(), 6U);
    // Half the symbols start 確変, the others a 時短 of 100 that hits again with
    // c = 1 − (1 − p)^100, so a streak goes on with chance (1 + c) / 2 per hit.
    const double p = figures["hit_chance_normal"];
    const double goOn = (1 + (1 - std::pow(1 - p, 100))) / 2;
    EXPECT_NEAR(figures["mean_streak"].get<double>(), 1 / (1 - goOn), 1e-9);
}

// The verification's own 持ち玉比率 is the one its run kept: none for a file never played, the
// run's once played.
TEST_F(Trials, theory_takes_the_held_share_the_file_keeps_and_none_before_a_run) {
    const auto before = nlohmann::json::parse(run({verification_, "--theory", "--json"}).out);
    EXPECT_FALSE(before["held_share_is_own"].get<bool>());
    EXPECT_EQ(before["held_share"].get<double>(), 0);

    const std::string played = folder_.file("played.pac").string();
    const Outcome figures = run({verification_, "--seed", "4", "--out", played, "--json"});
    ASSERT_EQ(figures.status, cli::kExitSuccess) << figures.err;
    const double shown =
        readNumber(nlohmann::json::parse(figures.out)["持ち玉比率"].get<std::string>());
    ASSERT_GT(shown, 0);
    const auto after = nlohmann::json::parse(run({played, "--theory", "--json"}).out);
    EXPECT_TRUE(after["held_share_is_own"].get<bool>());
    EXPECT_NEAR(after["held_share"].get<double>() * 100, shown, 1e-9);
}

// --theory --csv: the figures as name and value rows, and the rate table with one row per
// exchange rate, both read back by a CSV parser.
TEST_F(Trials, theory_writes_its_figures_and_rate_table_as_csv) {
    const std::filesystem::path folder = folder_.file("theory");
    const Outcome text =
        run({verification_, "--theory", "--ratio", "50", "--csv", folder.string()});
    ASSERT_EQ(text.status, cli::kExitSuccess) << text.err;
    const CsvDocument figures = readCsv(folder / "theory.csv");
    const CsvDocument rates = readCsv(folder / "rates.csv");
    ASSERT_TRUE(figures.wellFormed && rates.wellFormed);
    EXPECT_EQ(figures.rows.front(), (std::vector<std::string>{"項目", "値"}));
    const auto named = [&](std::string_view name) {
        for (const std::vector<std::string>& row : figures.rows) {
            if (row.at(0) == name) {
                return row.at(1);
            }
        }
        return std::string("(none)");
    };
    EXPECT_NE(text.out.find("平均連荘  " + named("平均連荘") + "\n"), std::string::npos);
    EXPECT_NE(named("回転単価（持ち玉比率 50.00%）"), "(none)");
    ASSERT_EQ(rates.rows.size(), 6U); // heading and 25, 28, 30, 33, 40 balls per 100 yen
    EXPECT_EQ(rates.rows[1].at(0), "25");
    EXPECT_EQ(rates.rows[5].at(0), "40");
    // At 25 balls (4 yen a ball) cash and held balls cost the same, so their borders meet; at
    // 40 the cash border is higher.
    const std::size_t cash = rates.rows[0].size() - 3;
    EXPECT_EQ(rates.rows[1].at(cash), rates.rows[1].at(cash + 1));
    EXPECT_GT(std::stod(rates.rows[5].at(cash)), std::stod(rates.rows[5].at(cash + 1)));
}

// --ruin adds the chance the bankroll runs out; --compare of a file with itself plays the same
// streams, so every campaign differs by nothing.
TEST_F(Trials, ruin_and_compare_report_in_json) {
    const Outcome ruin =
        run({verification_, "--trials", "40", "--seed", "2", "--ruin", "50000", "--json"});
    ASSERT_EQ(ruin.status, cli::kExitSuccess) << ruin.err;
    const auto report = nlohmann::json::parse(ruin.out);
    EXPECT_EQ(report["risk"]["ruin"]["bankroll"], 50000);
    const double share = report["risk"]["ruin"]["share"];
    EXPECT_GE(share, 0);
    EXPECT_LE(share, 1);
    const Outcome compared =
        run({verification_, "--trials", "20", "--seed", "2", "--compare", verification_, "--json"});
    ASSERT_EQ(compared.status, cli::kExitSuccess) << compared.err;
    const auto difference = nlohmann::json::parse(compared.out)["difference"];
    EXPECT_EQ(difference["mean"], 0);
    EXPECT_EQ(difference["standard_deviation"], 0);
}

TEST_F(Trials, options_that_do_not_go_together_exit_with_two) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {verification_, "--trials", "0"},
             {verification_, "--trials", "10000001"},
             {verification_, "--threads", "2"},
             {verification_, "--trials", "5", "--threads", "0"},
             {verification_, "--trials", "5", "--out", "x.pac"},
             {verification_, "--trials", "5", "--theory"},
             {verification_, "--trials", "5", "--campaign", "2"},
             {verification_, "--trials", "5", "--compare", verification_, "--csv", "dir"},
             {verification_, "--theory", "--prob"},
             {verification_, "--campaign", "0"},
             {"--rebuild", verification_, "--campaign", "1"},
             {"--setup", "--csv", "dir"}}) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, cli::kExitUsage) << arguments.at(1) << " " << outcome.err;
        EXPECT_TRUE(outcome.out.empty());
    }
}

TEST_F(Trials, an_unreadable_file_or_a_csv_folder_that_cannot_be_made_exit_with_one) {
    Outcome outcome = run({folder_.file("missing.pac").string(), "--trials", "3"});
    EXPECT_EQ(outcome.status, cli::kExitFailure);
    EXPECT_NE(outcome.err.find("missing.pac"), std::string::npos);
    // The CSV folder's name is taken by the verification file itself.
    outcome = run({verification_, "--trials", "3", "--csv", verification_});
    EXPECT_EQ(outcome.status, cli::kExitFailure);
    EXPECT_NE(outcome.err.find("に書き込めません。フォルダの名前がファイルに使われています。"),
              std::string::npos)
        << outcome.err;
    EXPECT_TRUE(outcome.out.empty());
}

// The CSV files are opened before the first campaign: ten million campaigns would take hours,
// so a check made after them would never come back here.
TEST_F(Trials, a_csv_file_that_cannot_be_written_is_reported_before_any_campaign) {
    std::filesystem::create_directories(folder_.file("out") / "campaigns.csv");
    const Outcome outcome =
        run({verification_, "--trials", "10000000", "--csv", folder_.file("out").string()});
    EXPECT_EQ(outcome.status, cli::kExitFailure);
    EXPECT_NE(outcome.err.find("campaigns.csv に書き込めません。ファイルではなくフォルダです。"),
              std::string::npos)
        << outcome.err;
    EXPECT_TRUE(outcome.out.empty());
}

} // namespace
} // namespace zelkora::testing
