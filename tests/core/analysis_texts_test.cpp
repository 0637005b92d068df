#include "analysis/analysis_texts.h"
#include "analysis/balance_histogram.h"
#include "analysis/campaign_setup.h"
#include "analysis_fixture.h"
#include "files/table_export.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <numeric>

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
