#include "analysis/analysis_texts.h"
#include "analysis/balance_histogram.h"
#include "analysis/campaign_setup.h"
#include "analysis_fixture.h"
#include "files/table_export.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <numeric>
#include <set>

namespace zelkora::testing {
namespace {

TEST(trials_entry, reads_what_the_dialog_holds_or_names_what_is_wrong) {
    struct Case {
        TrialsEntry entry;
        std::string problemStart; // empty: the entry reads
    };
    const std::vector<Case> cases{
        {{"1000", "", "4", ""}, ""},
        {{" 25 ", "18446744073709551615", "1", "30000"}, ""},
        {{"0", "", "1", ""}, "試行回数は"},
        {{"10000001", "", "1", ""}, "試行回数は"},
        {{"1.5", "", "1", ""}, "試行回数は"},
        {{"", "", "1", ""}, "試行回数は"},
        {{"10", "-1", "1", ""}, "シードは"},
        {{"10", "18446744073709551616", "1", ""}, "シードは"},
        {{"10", "12a", "1", ""}, "シードは"},
        {{"10", "", "0", ""}, "スレッド数は"},
        {{"10", "", "257", ""}, "スレッド数は"},
        {{"10", "", "2", "0"}, "資金は"},
        {{"10", "", "2", "1e6"}, "資金は"},
    };
    for (const Case& test : cases) {
        const TrialsInput input = readTrialsEntry(test.entry);
        SCOPED_TRACE(test.entry.campaigns + "|" + test.entry.seed + "|" + test.entry.threads + "|" +
                     test.entry.bankroll);
        if (test.problemStart.empty()) {
            EXPECT_EQ(input.problem, "");
        } else {
            EXPECT_TRUE(input.problem.starts_with(test.problemStart)) << input.problem;
        }
    }
    const TrialsInput read = readTrialsEntry({" 25 ", "18446744073709551615", "3", "30000"});
    EXPECT_EQ(read.campaigns, 25);
    EXPECT_EQ(read.seed, std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(read.threads, 3);
    EXPECT_EQ(read.bankroll, 30000.0);
    EXPECT_FALSE(readTrialsEntry({"5", " ", "1", ""}).seed.has_value());
}

TEST(analysis_texts, remaining_time_and_figures_read_as_a_player_reads_them) {
    const std::vector<std::pair<double, std::string>> times{
        {0.2, "残り 約 1秒"},
        {59, "残り 約 59秒"},
        {61, "残り 約 1分01秒"},
        {3725, "残り 約 1時間02分"},
        {-1, "残り"},
        {std::numeric_limits<double>::quiet_NaN(), "残り"},
    };
    for (const auto& [seconds, text] : times) {
        EXPECT_EQ(remainingTimeText(seconds), text) << seconds;
    }
    EXPECT_EQ(figureText(-0.004, 2), "0.00");
    EXPECT_EQ(figureText(1234.567, 1), "1234.6");
    EXPECT_EQ(figureText(std::numeric_limits<double>::quiet_NaN(), 1), "-");
    EXPECT_EQ(figureText(std::numeric_limits<double>::infinity(), 0), "到達しない");
}

TEST(analysis_texts, the_heading_says_how_many_campaigns_the_figures_hold) {
    const std::vector<std::pair<AnalysisEnd, std::string>> cases{
        {AnalysisEnd::Done, "検証 a.pac・試行 1000 回・シード 7・カウントダウン 1000"},
        {AnalysisEnd::Cancelled, "検証 a.pac・試行 1000 回・シード 7・カウントダウン 1000"
                                 "（キャンセルされました。1000 回中 350 回の結果）"},
        {AnalysisEnd::Failed, "検証 a.pac・試行 1000 回・シード 7・カウントダウン 1000"
                              "（失敗しました。1000 回中 350 回の結果）"},
    };
    for (const auto& [end, text] : cases) {
        EXPECT_EQ(analysisHeading("a.pac", 350, 1000, 7, 1000, end), text);
    }
    // A machine's campaigns read no countdown.
    EXPECT_EQ(analysisHeading("m.json", 40, 40, 9, std::nullopt, AnalysisEnd::Done),
              "検証 m.json・試行 40 回・シード 9");
}

// A report of campaigns whose days end at known balances, to read the tables against.
AnalysisReport reportOf(const std::vector<std::vector<double>>& days) {
    AnalysisAccumulator accumulator(static_cast<int>(days.front().size()), 1000.0);
    std::int64_t index = 0;
    for (const std::vector<double>& balances : days) {
        CampaignFigures campaign;
        campaign.index = index++;
        campaign.cumulativeBalanceByDay = balances;
        campaign.finalBalance = balances.back();
        campaign.lowestBalance = std::min(0.0, *std::min_element(balances.begin(), balances.end()));
        accumulator.add(campaign);
    }
    return accumulator.report();
}

TEST(analysis_texts, the_tables_name_each_figure_beside_its_interval) {
    const AnalysisReport report = reportOf({{-500, 1000}, {2000, 3000}, {-4000, -2000}});
    const TextTable figures = analysisFigureTable(report);
    ASSERT_EQ(figures.headings, (std::vector<std::string>{"項目", "値", "95%下限", "95%上限"}));
    const auto row = [&figures](std::string_view name) {
        for (const std::vector<std::string>& cells : figures.rows) {
            if (cells[0] == name) {
                return cells;
            }
        }
        ADD_FAILURE() << name;
        return std::vector<std::string>(4);
    };
    // Final balances 1000, 3000 and −2000: mean 667, their interval around it.
    EXPECT_EQ(row("試行数")[1], "3");
    EXPECT_EQ(row("最終収支の平均（円）")[1], "667");
    EXPECT_EQ(row("最終収支の平均（円）")[2], figureText(report.finalBalance.low, 0));
    EXPECT_EQ(row("最終収支の平均（円）")[3], figureText(report.finalBalance.high, 0));
    EXPECT_EQ(row("最終収支の最小（円）")[1], "-2000");
    EXPECT_EQ(row("プラスで終わる確率")[1], "66.67%");
    // One campaign of three fell below −1000 yen.
    EXPECT_EQ(row("資金 1000 円の破産確率")[1], "33.33%");
    for (const std::vector<std::string>& cells : figures.rows) {
        EXPECT_EQ(cells.size(), figures.headings.size()) << cells[0];
    }

    const TextTable bands = dayBandTable(report);
    ASSERT_EQ(bands.rows.size(), 2U);
    EXPECT_EQ(bands.headings.size(), 2 + kDayBandPercentiles.size());
    EXPECT_EQ(bands.rows[0][0], "1");
    EXPECT_EQ(bands.rows[1][1], "667");  // the mean at the end of day 2
    EXPECT_EQ(bands.rows[1][4], "1000"); // its median
}

TEST(analysis_texts, the_histogram_table_has_contiguous_bins_that_hold_every_campaign) {
    StreamingHistogram histogram;
    for (int value = -30; value < 70; ++value) {
        histogram.add(value * 997.0);
    }
    const TextTable table = histogramTable(histogram);
    std::int64_t campaigns = 0;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        campaigns += std::stoll(table.rows[row][2]);
        if (row + 1 < table.rows.size()) {
            EXPECT_EQ(table.rows[row][1], table.rows[row + 1][0]);
        }
    }
    EXPECT_EQ(campaigns, 100);
    EXPECT_TRUE(histogramTable(StreamingHistogram()).rows.empty());
}

TEST(analysis_texts, the_theory_says_which_assumption_each_figure_rests_on) {
    TempFolder folder;
    const CampaignSetup setup = loadedSetup(folder, sampleNamed("甘デジ99次まで時短"), 1);
    const TheoryOutcome outcome = theoreticalFigures(setup.loaded, 1000, 0.25);
    ASSERT_TRUE(outcome.ok());
    const TheoreticalFigures& figures = outcome.value();
    const TextTable table = theoryTable(figures, false);
    std::map<std::string, std::vector<std::string>> rows;
    for (const std::vector<std::string>& cells : table.rows) {
        ASSERT_EQ(cells.size(), 3U) << cells[0];
        // Two figures keep one name under the two assumptions.
        rows.emplace(cells[0] + "|" + cells[2], cells);
    }
    EXPECT_EQ(rows.at("平均連荘|日の終わりなし")[1], figureText(figures.meanStreak, 3));
    EXPECT_EQ(rows.at("平均連荘|日の終わりあり（近似）")[1],
              figureText(figures.withDayEnds.meanStreak, 3));
    EXPECT_EQ(rows.at("回転単価（現金）|日の終わりなし")[1],
              figureText(figures.onCash.balancePerSpin, 2) + " 円");
    EXPECT_EQ(rows.at("ボーダー（持玉）|日の終わりなし")[1],
              figureText(figures.onHeldBalls.border, 2) + " 回転/1000円");
    EXPECT_EQ(rows.at("時給（持ち玉比率 25.0%）|日の終わりなし")[1],
              figureText(figures.atShare.balancePerHour, 0) + " 円");
    EXPECT_EQ(rows.count("連荘分布 １０以上|日の終わりなし"), 1U);

    const TextTable rates = rateTableOf(rateTable(figures.basis, 0.25), 0.25);
    EXPECT_EQ(rates.headings.size(), 1 + kTableSpinsPerThousand.size() + 3);
    EXPECT_EQ(rates.headings.back(), "ボーダー（持ち玉比率 25.0%）");
    ASSERT_EQ(rates.rows.size(), kTableExchangeRates.size());
    EXPECT_EQ(rates.rows[0][0], "25");
    EXPECT_EQ(rates.rows[4][0], "40");
    // 回転単価 grows with the spins per 1000 yen at every rate.
    for (const std::vector<std::string>& row : rates.rows) {
        EXPECT_LT(std::stod(row[1]), std::stod(row[kTableSpinsPerThousand.size()])) << row[0];
    }
    EXPECT_EQ(theoryAssumptionTexts().size(), kTheoryAssumptions.size() + 1);
}

TEST(streaming_histogram, keeps_every_value_in_a_bin_that_holds_it_while_it_widens) {
    StreamingHistogram histogram(1000);
    const std::vector<double> values{-2500, 0, 999, 1000, 15000, -80000, 250000, 3.5, -0.5};
    for (const double value : values) {
        histogram.add(value);
    }
    EXPECT_EQ(histogram.count(), static_cast<std::int64_t>(values.size()));
    const std::vector<std::int64_t>& bins = histogram.bins();
    EXPECT_EQ(std::accumulate(bins.begin(), bins.end(), std::int64_t{0}),
              static_cast<std::int64_t>(values.size()));
    // The width doubled from 1000 until −80,000 … 250,000 fit in forty bins from an edge at or
    // below −80,000: 8,000 × 40 = 320,000 is too narrow, 16,000 × 40 from −80,000 wide enough.
    EXPECT_EQ(histogram.width(), 16000.0);
    EXPECT_EQ(histogram.low(), -80000.0);
    EXPECT_EQ(std::fmod(histogram.low(), histogram.width()), 0.0);
    for (const double value : values) {
        const auto bin =
            static_cast<std::size_t>(std::floor((value - histogram.low()) / histogram.width()));
        ASSERT_LT(bin, bins.size()) << value;
        EXPECT_GT(bins[bin], 0) << value;
    }
    EXPECT_EQ(histogramTable(histogram).rows.size(), bins.size());
    histogram.add(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(histogram.count(), static_cast<std::int64_t>(values.size()));
}

TEST(streaming_histogram, of_values_close_together_stays_narrow) {
    StreamingHistogram histogram(1000);
    for (int value = 0; value < 30; ++value) {
        histogram.add(100.0 * value);
    }
    EXPECT_EQ(histogram.width(), 1000);
    // 0 … 2,900 in the bins of 0, 1,000 and 2,000: 10, 10 and 10 values.
    const std::vector<std::int64_t>& bins = histogram.bins();
    const auto zero = static_cast<std::size_t>(-histogram.low() / histogram.width());
    EXPECT_EQ(bins[zero], 10);
    EXPECT_EQ(bins[zero + 1], 10);
    EXPECT_EQ(bins[zero + 2], 10);
}

// Two histograms drawn over each other need one width: the narrower widens to the wider's,
// keeping every value in a bin that holds it.
TEST(streaming_histogram, widened_to_another_width_keeps_every_value_in_its_bin) {
    const std::vector<double> narrow{-2500, 0, 999, 1000, 15000, 3.5, -0.5, 7200};
    const std::vector<double> wide{-80000, 250000, 12000, -3000};
    StreamingHistogram first(1000);
    StreamingHistogram second(1000);
    for (const double value : narrow) {
        first.add(value);
    }
    for (const double value : wide) {
        second.add(value);
    }
    ASSERT_LT(first.width(), second.width());
    first.widenTo(second.width());
    EXPECT_EQ(first.width(), second.width());
    EXPECT_EQ(std::fmod(first.low(), first.width()), 0.0);
    const std::vector<std::int64_t>& bins = first.bins();
    EXPECT_EQ(std::accumulate(bins.begin(), bins.end(), std::int64_t{0}),
              static_cast<std::int64_t>(narrow.size()));
    std::vector<std::int64_t> expected(bins.size(), 0);
    for (const double value : narrow) {
        const auto bin =
            static_cast<std::size_t>(std::floor((value - first.low()) / first.width()));
        ASSERT_LT(bin, bins.size()) << value;
        ++expected[bin];
    }
    EXPECT_EQ(bins, expected);
    // Narrower asks change nothing; values added after keep the width they need.
    first.widenTo(10);
    EXPECT_EQ(first.width(), second.width());
    first.add(100);
    EXPECT_EQ(first.count(), static_cast<std::int64_t>(narrow.size()) + 1);
    // An empty histogram takes the width for its first value.
    StreamingHistogram empty(1000);
    empty.widenTo(8000);
    empty.add(-12345);
    EXPECT_EQ(empty.width(), 8000);
    EXPECT_EQ(empty.count(), 1);
}

TEST(analysis_texts, the_difference_and_the_theorys_basis_read_as_the_panels_show_them) {
    EXPECT_EQ(differenceText({12345, 500, 8000, 16690}),
              "差（検証2−検証1）+1.23万円（95%: +0.80〜+1.67）");
    EXPECT_EQ(differenceText({-5000, 500, -7000, -20}),
              "差（検証2−検証1）-0.50万円（95%: -0.70〜0.00）");
    EXPECT_EQ(differenceText({0, 0, 0, 0}), "差（検証2−検証1）0.00万円（95%: 0.00〜0.00）");
    EXPECT_EQ(theoryBasisText(1000, HeldShareSource::Own, 0.3725),
              "カウントダウン 1000 で計算・持ち玉比率は検証の値 37.25%");
    EXPECT_EQ(
        theoryBasisText(1000, HeldShareSource::NoRun, 0),
        "カウントダウン 1000 で計算・検証がまだ実行されていないため持ち玉比率は 0%（すべて現金）");
    EXPECT_EQ(theoryBasisText(500, HeldShareSource::Chosen, 0.5),
              "カウントダウン 500 で計算・持ち玉比率は指定の値 50.0%");
}

// A comparison's chart saved as CSV: both histograms in one width, each row named by its file.
TEST(analysis_texts, a_paired_table_names_each_verifications_rows) {
    StreamingHistogram first;
    StreamingHistogram second;
    for (const double value : {-3000.0, 500.0, 2500.0}) {
        first.add(value);
    }
    for (const double value : {-90000.0, 60000.0}) {
        second.add(value);
    }
    widenToOneWidth(first, second);
    const TextTable table =
        pairedTable(histogramTable(first), histogramTable(second), "a.pac", "b.pac");
    ASSERT_EQ(table.headings.size(), 4U);
    EXPECT_EQ(table.headings[0], "検証");
    ASSERT_EQ(table.rows.size(), 2 * first.bins().size());
    std::map<std::string, std::int64_t> campaigns;
    std::set<std::string> widths;
    for (const std::vector<std::string>& row : table.rows) {
        campaigns[row[0]] += std::stoll(row[3]);
        widths.insert(std::to_string(std::stod(row[2]) - std::stod(row[1])));
    }
    EXPECT_EQ(campaigns["a.pac"], 3);
    EXPECT_EQ(campaigns["b.pac"], 2);
    EXPECT_EQ(widths.size(), 1U) << "one bin width for both";
    EXPECT_EQ(table.rows.front()[0], "a.pac");
    EXPECT_EQ(table.rows.back()[0], "b.pac");
}

TEST(table_export, tab_separated_text_keeps_one_cell_per_cell) {
    const TableRows rows{{"日目", "収支"}, {"1", "-2500"}, {"a\tb", "two\r\nlines"}};
    EXPECT_EQ(tabSeparatedText(rows), "日目\t収支\r\n1\t-2500\r\na b\ttwo  lines\r\n");
    EXPECT_EQ(tabSeparatedText({}), "");
}

TEST(table_export, an_image_replaces_its_file_whole_or_leaves_the_old_one) {
    TempFolder folder;
    LocalFileSystem files;
    const std::filesystem::path file = folder.file("chart.png");
    ASSERT_TRUE(writeBytesSafely(files, file, std::string("\x89PNG\0x", 6)).ok());
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), std::string("\x89PNG\0x", 6));
    const Status refused = writeBytesSafely(files, folder.file(""), "x");
    EXPECT_FALSE(refused.ok());
}

TEST(campaign_setup, a_fresh_load_keeps_the_conditions_and_options_and_drops_the_run) {
    TempFolder folder;
    CampaignSetup loaded = loadedSetup(folder, sampleNamed("定番確変315"), 1);
    MainWindowModel& window = loaded.loaded;
    window.commands.toggleSymbolConvergence();
    window.grids.grid1.setRowCount(500); // the rows of an earlier run
    const Result<MainWindowModel> fresh = freshlyLoaded(window);
    ASSERT_TRUE(fresh.ok());
    EXPECT_LT(fresh->grids.grid1.rowCount(), 2);
    EXPECT_EQ(fresh->fields.text(Field::条件_確率), window.fields.text(Field::条件_確率));
    EXPECT_TRUE(fresh->commands.checked(Menu::MO_Pic));
    EXPECT_EQ(theoryInputsKey(fresh.value()), theoryInputsKey(window));
    window.fields.setText(Field::条件_両替率, "30");
    EXPECT_NE(theoryInputsKey(fresh.value()), theoryInputsKey(window));

    const Result<CampaignSetup> setup = campaignSetupOf(fresh.value(), 700, 42);
    ASSERT_TRUE(setup.ok());
    EXPECT_EQ(setup->countdown, 700);
    EXPECT_EQ(setup->seed, 42U);
    EXPECT_EQ(setup->conditions.basic, loaded.conditions.basic);
}

TEST(campaign_setup, a_second_file_that_is_missing_fails_at_its_copy) {
    TempFolder folder;
    const CampaignSetup loaded = loadedSetup(folder, sampleNamed("定番確変315"), 1);
    LocalFileSystem files;
    std::filesystem::create_directories(folder.file("second"));
    const LoadedCopy copy =
        loadedCopyOf(files, folder.file("missing.pac"), folder.file("second"), loaded.loaded);
    EXPECT_FALSE(copy.model.ok());
    EXPECT_TRUE(copy.copyFailed);
}

} // namespace
} // namespace zelkora::testing
