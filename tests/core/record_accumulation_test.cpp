#include "common/error.h"
#include "model/main_window_model.h"
#include "results/grids_and_charts.h"
#include "results/record_accumulation.h"

#include <gtest/gtest.h>
#include <string>

namespace zelkora {
namespace {

struct Record {
    int day;
    int spins;
    int investment;
    std::string bigHit; // "した" or "--"
    std::string symbol;
    std::string state;
    int exchangedBalls;
    int streak;
};

class RecordAccumulationTest : public ::testing::Test {
protected:
    RecordAccumulationTest() {
        FieldStore& fields = model.fields;
        fields.setText(Field::条件_絵柄数, "3");
        fields.setText(Field::条件_確率, "300");
        fields.setText(Field::条件_両替率, "25"); // one ball is worth 4 yen
        addSymbol(0, "７", "確変", 0);
        addSymbol(1, "３", "通常", 100);
        addSymbol(2, "５", "次まで時短", 0);
        グリッド見出し設定(model.grids);
        グラフCLR(model.charts);
        accumulator.reset();
    }
    void addSymbol(int index, const char* name, const char* kind, std::int16_t shortTimeSpins) {
        const auto at = static_cast<std::size_t>(index);
        model.symbols.names[at] = name;
        model.symbols.kinds[at] = kind;
        model.symbols.shortTimeSpins[at] = shortTimeSpins;
        model.symbols.loaded = index + 1;
    }
    // The record as its stored columns, padded as the record text pads them.
    void accumulate(const Record& record) {
        const bool hit = record.bigHit == "した";
        std::array<std::string, kRecordColumnCount> texts{std::to_string(record.day),
                                                          std::to_string(record.spins),
                                                          "0",
                                                          std::to_string(record.investment),
                                                          record.bigHit,
                                                          record.symbol,
                                                          hit ? "無制限" : "回転数終了",
                                                          record.state,
                                                          "0",
                                                          std::to_string(record.exchangedBalls),
                                                          std::to_string(record.streak)};
        ResultColumns columns;
        for (std::size_t index = 0; index < texts.size(); ++index) {
            texts[index].resize(10, ' ');
            columns[index] = texts[index];
        }
        accumulator.accumulate(columns);
    }
    // A field as the window would show it now.
    std::string text(Field field) {
        accumulator.show();
        return model.fields.text(field);
    }
    // The cells of a day-grid row, separated by blanks.
    std::string dayRow(int row) const {
        std::string cells;
        for (int column = 0; column < 7; ++column) {
            cells += std::string(model.grids.grid3.cell(row, column)) + (column < 6 ? " " : "");
        }
        return cells;
    }

    MainWindowModel model;
    RecordAccumulator accumulator{model};
};

// Two days, hand-worked. Symbols: ７ 確変, ３ 通常 with 100 時短 spins, ５ 次まで時短;
// P = 300; 25 balls per 100 yen, so a ball is worth 4 yen.
TEST_F(RecordAccumulationTest, TwoDaysWorkedByHand) {
    accumulate({1, 120, 3000, "した", "７", "通常", 0, 1}); // first hit, gap 120 (bucket 2)
    // In 確変 after a 通常 hit: 初当り確変数 and 確変数; ３ grants 時短 after a 通常 hit, so
    // 総時短数 and 初当り時短数 count.
    accumulate({1, 10, 0, "した", "３", "確変", 0, 2});
    accumulate({1, 50, 0, "した", "５", "時短", 0, 3}); // 次まで時短: 総時短数 only
    // Day end: 6000 balls → 24000 yen; day 1 balance 24000 - 3000 = 21000.
    accumulate({1, 200, 0, "--", "--", "通常", 6000, 0});
    EXPECT_EQ(text(Field::c日合計_収支F), "21000");
    EXPECT_EQ(text(Field::c日合計_大当り数), "3");
    EXPECT_EQ(model.grids.grid3.rowCount(), 1); // no day closed yet

    // Day 2's first record closes day 1 after adding its spins to the total (380 + 400), so
    // the day-1 close shows 780 spins per first hit and 260 per big hit.
    // It is a first hit with gap 660 (bucket 7) that ends the streak of 3 (bucket 2).
    // 1500 balls → 6000 yen, less 8000 invested: -2000.
    accumulate({2, 400, 8000, "した", "３", "通常", 1500, 1});
    EXPECT_EQ(text(Field::勝数表示), "1");
    EXPECT_EQ(text(Field::勝率表示), "100.");
    EXPECT_EQ(text(Field::平均収支表示), "21000");
    EXPECT_EQ(text(Field::確率表示), "260.");
    ASSERT_EQ(model.grids.grid3.rowCount(), 2);
    EXPECT_EQ(dayRow(1), "1 3000 380 3 6000 21000 21000");

    accumulate({2, 100, 2000, "--", "--", "通常", 0, 0}); // day 2: -4000, cumulative 17000
    accumulator.closeLastDay();

    EXPECT_EQ(text(Field::総回転数表示), "880");
    EXPECT_EQ(text(Field::負け数表示), "1");
    EXPECT_EQ(text(Field::勝率表示), "50.");
    EXPECT_EQ(text(Field::平均収支表示), "8500");
    EXPECT_EQ(text(Field::収支表示F), "17000");
    EXPECT_EQ(text(Field::初当たり確率表示), "440.");
    EXPECT_EQ(text(Field::確率表示), "220.");
    EXPECT_EQ(text(Field::確変率表示), "25.");        // 1 of 4 hits
    EXPECT_EQ(text(Field::初当り確変率表示), "50.");  // 1 over 2 first hits
    EXPECT_EQ(text(Field::総時短率表示), "75.");      // 3 of 4 hits
    EXPECT_EQ(text(Field::初当り時短率表示), "100."); // 2 over 2 first hits
    EXPECT_EQ(text(Field::平均連荘表示), "2.");
    EXPECT_EQ(text(Field::最大はまり表示), "660");

    EXPECT_EQ(text(Field::回転数3r), "50%");
    EXPECT_EQ(text(Field::回転数7t), "50.%");
    EXPECT_EQ(text(Field::回転数8r), "50%");
    EXPECT_EQ(text(Field::回転数8t), "100.%");
    EXPECT_EQ(text(Field::連荘1r), "50%"); // the first first hit records the starting 1
    EXPECT_EQ(text(Field::連荘3r), "50%");
    EXPECT_EQ(model.distributions.runningStreak(), 1);

    EXPECT_EQ(model.charts.chart1.value(1, 1), "25");
    EXPECT_EQ(model.charts.chart1.value(2, 1), "50");
    ASSERT_EQ(model.charts.chart2.rowCount(), 2);
    EXPECT_EQ(model.charts.chart2.label(2), "2");
    EXPECT_EQ(model.charts.chart2.value(1, 1), "21000");
    EXPECT_EQ(model.charts.chart2.value(2, 1), "17000");
    EXPECT_EQ(model.charts.chart5.label(1), "確率変移"); // fewer than ten first hits

    ASSERT_EQ(model.grids.grid3.rowCount(), 3); // last day + 1
    EXPECT_EQ(dayRow(2), "2 10000 500 1 1500 -4000 17000");
    EXPECT_EQ(text(Field::c日合計_収支F), "0");
    EXPECT_EQ(accumulator.figures().cumulativeBalance, 17000);
}

TEST_F(RecordAccumulationTest, DaysWithoutFirstHitsLeaveTheHitFiguresAtZero) {
    accumulate({1, 900, 20000, "--", "--", "通常", 0, 0});
    accumulate({2, 900, 20000, "--", "--", "通常", 0, 0});
    accumulate({3, 900, 20000, "--", "--", "通常", 2500, 0}); // 10000 yen back
    accumulator.closeLastDay();
    for (Field field : {Field::初当たり確率表示, Field::平均連荘表示, Field::初当り確変率表示,
                        Field::初当り時短率表示, Field::最大はまり表示, Field::確率表示,
                        Field::勝数表示, Field::勝率表示}) {
        EXPECT_EQ(text(field), "0") << fieldName(field);
    }
    EXPECT_EQ(text(Field::負け数表示), "3");
    EXPECT_EQ(text(Field::平均収支表示), "-16666");
    EXPECT_EQ(model.grids.grid3.rowCount(), 4);
}

TEST_F(RecordAccumulationTest, HitsInTimeSavingPlayAreNeitherFirstHitsNor確変) {
    accumulate({1, 500, 0, "した", "３", "通常", 0, 1});
    accumulate({1, 40, 0, "した", "７", "時短", 0, 2});
    EXPECT_EQ(text(Field::初当たり数表示), "1");
    EXPECT_EQ(text(Field::確変数表示), "0");
    EXPECT_EQ(text(Field::初当り確変数表示), "0");
    EXPECT_EQ(text(Field::総大当り数表示), "2");
    EXPECT_EQ(text(Field::最大はまり表示), "500");
    EXPECT_EQ(model.distributions.runningStreak(), 2);
}

TEST_F(RecordAccumulationTest, UnknownSymbolEndsTheAccumulationNamingIt) {
    try {
        accumulate({1, 30, 0, "した", "★", "通常", 0, 1});
        FAIL() << "accepted a symbol missing from the table";
    } catch (const Fault& fault) {
        EXPECT_EQ(fault.error().kind, ErrorKind::UnknownSymbol);
        EXPECT_EQ(fault.error().text, "★");
    }
}

} // namespace
} // namespace zelkora
