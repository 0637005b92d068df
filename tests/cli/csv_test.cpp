#include "csv_reader.h"
#include "files/csv_file.h"
#include "files/file_system.h"
#include "runner_outcome.h"
#include "trials.h"

#include <fstream>
#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

TEST(CsvWriter, quotes_only_what_needs_quoting) {
    EXPECT_EQ(csvField("持金パンク"), "持金パンク");
    EXPECT_EQ(csvField("-12345.5"), "-12345.5");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"7\""), "\"say \"\"7\"\"\"");
    EXPECT_EQ(csvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(csvField(" padded"), "\" padded\"");
    EXPECT_EQ(csvField(""), "");
}

// A cell a spreadsheet would run as a formula is shown as text: an apostrophe in front, in
// quotes. Numbers, negative ones included, stay numbers.
TEST(CsvWriter, formulas_are_written_as_text) {
    struct Case {
        std::string_view cell;
        std::string_view written;
    };
    for (const Case& cell :
         {Case{"=1+1", "\"'=1+1\""}, Case{"@SUM(A1)", "\"'@SUM(A1)\""}, Case{"+81 3", "\"'+81 3\""},
          Case{"-1+2", "\"'-1+2\""}, Case{"--", "\"'--\""}, Case{"\tx", "\"'\tx\""},
          Case{"\rx", "\"'\rx\""}, Case{"=\"a\",b", "\"'=\"\"a\"\",b\""}, Case{"-7", "-7"},
          Case{"+3.5", "+3.5"}, Case{"-.5", "-.5"}, Case{"a=1", "a=1"}}) {
        EXPECT_EQ(csvField(cell.cell), cell.written) << cell.cell;
    }
}

TEST(CsvWriter, a_file_reads_back_cell_for_cell) {
    TempFolder folder;
    const auto path = folder.file("t.csv");
    const CsvRows written{{"絵柄名", "確変,通常", "出玉数"},
                          {"赤７", "確変", "2,400"},
                          {"\"ＢＡＲ\"", "a\nb", ""},
                          {"ｻｰﾋﾞｽ　ﾀｲﾑ", " 5 ", "-3"}};
    CsvFile file(path);
    for (const std::vector<std::string>& row : written) {
        file.row(std::span<const std::string>(row));
    }
    LocalFileSystem files;
    ASSERT_TRUE(file.commit(files).ok());
    const CsvDocument read = readCsv(path);
    EXPECT_TRUE(read.byteOrderMark);
    EXPECT_TRUE(read.wellFormed);
    EXPECT_EQ(read.rows, written);
    // A formula reads back as the text it was, with the apostrophe that keeps it text.
    CsvFile formula(path);
    const std::vector<std::string> cells{"=HYPERLINK(\"x\")", "@A1"};
    formula.row(std::span<const std::string>(cells));
    ASSERT_TRUE(formula.commit(files).ok());
    EXPECT_EQ(readCsv(path).rows, (CsvRows{{"'=HYPERLINK(\"x\")", "'@A1"}}));
}

// The file is written beside the target and replaces it only when complete: a target that
// cannot be written is known before any row, with the system's reason, and an old file stays.
TEST(CsvWriter, reports_a_file_it_cannot_write_and_keeps_the_old_one) {
    TempFolder folder;
    CsvFile missing(folder.file("missing") / "t.csv");
    ASSERT_FALSE(missing.status().ok());
    EXPECT_EQ(missing.status().error().system, std::errc::no_such_file_or_directory);

    std::filesystem::create_directories(folder.file("taken.csv"));
    const CsvFile folderTarget(folder.file("taken.csv"));
    ASSERT_FALSE(folderTarget.status().ok());
    EXPECT_EQ(folderTarget.status().error().system, std::errc::is_a_directory);

    const auto path = folder.file("old.csv");
    std::ofstream(path) << "old";
    {
        CsvFile abandoned(path);
        const std::vector<std::string> row{"new"};
        abandoned.row(std::span<const std::string>(row));
    }
    EXPECT_EQ(readBytes(path), (Bytes{'o', 'l', 'd'}));
    // No half-written file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("")),
                            std::filesystem::directory_iterator()),
              2); // taken.csv and old.csv
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
