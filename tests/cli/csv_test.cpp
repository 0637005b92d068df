#include "csv_reader.h"
#include "csv_writer.h"
#include "runner_outcome.h"
#include "trials.h"

#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

TEST(CsvWriter, quotes_only_what_needs_quoting) {
    EXPECT_EQ(cli::csvField("持金パンク"), "持金パンク");
    EXPECT_EQ(cli::csvField("-12345.5"), "-12345.5");
    EXPECT_EQ(cli::csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(cli::csvField("say \"7\""), "\"say \"\"7\"\"\"");
    EXPECT_EQ(cli::csvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(cli::csvField(" padded"), "\" padded\"");
    EXPECT_EQ(cli::csvField(""), "");
}

TEST(CsvWriter, a_file_reads_back_cell_for_cell) {
    TempFolder folder;
    const auto path = folder.file("t.csv");
    const CsvRows written{{"絵柄名", "確変,通常", "出玉数"},
                          {"赤７", "確変", "2,400"},
                          {"\"ＢＡＲ\"", "a\nb", ""},
                          {"ｻｰﾋﾞｽ　ﾀｲﾑ", " 5 ", "-"}};
    cli::CsvFile file(path);
    for (const std::vector<std::string>& row : written) {
        file.row(std::span<const std::string>(row));
    }
    ASSERT_TRUE(file.close());
    const CsvDocument read = readCsv(path);
    EXPECT_TRUE(read.byteOrderMark);
    EXPECT_TRUE(read.wellFormed);
    EXPECT_EQ(read.rows, written);
}

TEST(CsvWriter, reports_a_file_it_cannot_write) {
    TempFolder folder;
    cli::CsvFile file(folder.file("missing") / "t.csv");
    const std::vector<std::string> row{"x"};
    file.row(std::span<const std::string>(row));
    EXPECT_FALSE(file.close());
}

using RunCsv = DefaultVerificationTest;

// One run: the grids as the window shows them and the figures of the JSON report.
TEST_F(RunCsv, one_run_writes_its_grids_and_figures) {
    const std::string csv = folder_.file("csv").string();
    const Outcome json = run({verification_, "--seed", "4", "--json", "--csv", csv});
    ASSERT_EQ(json.status, cli::kExitSuccess) << json.err;
    const CsvDocument hits = readCsv(folder_.file("csv") / "big_hits.csv");
    const CsvDocument days = readCsv(folder_.file("csv") / "daily_totals.csv");
    const CsvDocument overall = readCsv(folder_.file("csv") / "overall.csv");
    for (const CsvDocument* document : {&hits, &days, &overall}) {
        EXPECT_TRUE(document->byteOrderMark);
        EXPECT_TRUE(document->wellFormed);
    }
    const int records = std::stoi(member(json.out, "records"));
    ASSERT_EQ(hits.rows.size(), static_cast<std::size_t>(records) + 1);
    EXPECT_EQ(hits.rows.front().front(), "日目");
    const std::string lastEnd = hits.rows.back().at(6); // the last day's end
    EXPECT_TRUE(lastEnd == "回転数終了" || lastEnd == "持金パンク") << lastEnd;
    ASSERT_EQ(days.rows.size(), 51U); // heading and 50 days
    EXPECT_EQ(days.rows.back().at(0), "50");
    EXPECT_EQ(days.rows.back().at(6), unquotedMember(json.out, "収支表示F"));
    ASSERT_EQ(overall.rows.size(), 2U);
    for (std::size_t index = 0; index < overall.rows[0].size(); ++index) {
        const std::string& key = overall.rows[0][index];
        EXPECT_EQ(overall.rows[1][index], unquotedMember(json.out, key)) << key;
    }
}

TEST_F(RunCsv, rebuild_writes_the_same_grids_as_the_run) {
    const std::string played = folder_.file("played.pac").string();
    ASSERT_EQ(
        run({verification_, "--seed", "6", "--out", played, "--csv", folder_.file("run").string()})
            .status,
        cli::kExitSuccess);
    ASSERT_EQ(run({"--rebuild", played, "--csv", folder_.file("rebuilt").string()}).status,
              cli::kExitSuccess);
    EXPECT_EQ(readCsv(folder_.file("rebuilt") / "big_hits.csv").rows,
              readCsv(folder_.file("run") / "big_hits.csv").rows);
    EXPECT_EQ(readCsv(folder_.file("rebuilt") / "daily_totals.csv").rows,
              readCsv(folder_.file("run") / "daily_totals.csv").rows);
}

} // namespace
} // namespace zelkora::testing
