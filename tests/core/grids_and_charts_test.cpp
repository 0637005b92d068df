#include "common/error.h"
#include "model/main_window_model.h"
#include "results/grids_and_charts.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

TEST(GridHeadingsTest, ColumnsWidthsAlignmentsAndHeadingsKeepingTheRows) {
    Grids grids;
    grids.grid1.setColumns(std::array<GridColumnSpec, 1>{{{"x", 1}}});
    grids.grid1.setRowCount(5);
    グリッド見出し設定(grids);
    EXPECT_EQ(grids.grid1.rowCount(), 5);
    EXPECT_EQ(grids.grid1.columnCount(), 11);
    EXPECT_EQ(grids.grid3.columnCount(), 7);
    EXPECT_EQ(grids.grid2.columnCount(), 5);
    EXPECT_EQ(grids.grid1.cell(0, 10), "連荘");
    EXPECT_EQ(grids.grid3.columnWidth(0), 800);
    EXPECT_EQ(grids.grid2.cell(0, 1), "確変,通常");
    for (const GridTable* grid : {&grids.grid1, &grids.grid2, &grids.grid3}) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            EXPECT_EQ(grid->columnAlignment(column), kAlignRightCentre);
        }
    }
}

// Also what a verification with no result records shows.
TEST(ChartClearTest, EveryChartBackToItsClearedRows) {
    Charts charts;
    charts.chart2.setRowCount(30);
    charts.chart5.setRowCount(12);
    charts.chart5.setLabel(1, "10");
    グラフCLR(charts);

    EXPECT_EQ(charts.chart5.rowCount(), 1);
    EXPECT_EQ(charts.chart5.columnCount(), 2);
    EXPECT_EQ(charts.chart5.label(1), "確率変移");
    EXPECT_EQ(charts.chart5.value(1, 2), "0");
    EXPECT_EQ(charts.chart5.title, "初当り確率の確率変移グラフ");
    EXPECT_EQ(charts.chart5.valueAxisTitle, "確率の分母");
    ASSERT_EQ(charts.chart3.rowCount(), 9);
    EXPECT_EQ(charts.chart3.label(1), "<1/6確率");
    EXPECT_EQ(charts.chart3.value(9, 1), "0");
    ASSERT_EQ(charts.chart4.rowCount(), 11);
    EXPECT_EQ(charts.chart4.label(10), "１０連荘");
    EXPECT_EQ(charts.chart4.label(11), "１０以上");
    EXPECT_EQ(charts.chart2.rowCount(), 1);
    EXPECT_EQ(charts.chart2.label(1), "収支");
    EXPECT_EQ(charts.chart1.label(1), "絵柄");
}

class RowAppendTest : public ::testing::Test {
protected:
    RowAppendTest() { グリッド見出し設定(grids); }
    Grids grids;
    FieldStore fields;
};

TEST_F(RowAppendTest, BigHitRowsGoToTheNewCounterRow) {
    fields.setNumber(Field::c大当り詳細_日目, 2);
    fields.setText(Field::c大当り詳細_当絵柄, "７");
    std::int32_t counter = 4;
    grids.grid1.setRowCount(6);
    大当り詳細行追加(fields, grids.grid1, counter);
    EXPECT_EQ(counter, 5);
    EXPECT_EQ(grids.grid1.rowCount(), 6);
    EXPECT_EQ(grids.grid1.cell(5, 0), "2");
    EXPECT_EQ(grids.grid1.cell(5, 5), "７");

    // A day-end row follows without the caller sizing the grid; it is kept, not lost.
    fields.setText(Field::c大当り詳細_ルール, "回転数終了");
    大当り詳細行追加(fields, grids.grid1, counter);
    EXPECT_EQ(grids.grid1.rowCount(), 7);
    EXPECT_EQ(grids.grid1.cell(6, 6), "回転数終了");
}

TEST_F(RowAppendTest, DayRowsSizeTheGridToTheLastDay) {
    fields.setText(Field::c日合計_日目, "3");
    fields.setNumber(Field::c日合計_積算収支F, -1200);
    日合計行追加(fields, grids.grid3);
    EXPECT_EQ(grids.grid3.rowCount(), 4);
    EXPECT_EQ(grids.grid3.cell(3, 6), "-1200");

    fields.setText(Field::c日合計_日目, "2.5"); // halves go to the even neighbour
    日合計行追加(fields, grids.grid3);
    EXPECT_EQ(grids.grid3.rowCount(), 3);
    fields.setText(Field::c日合計_日目, "3.5");
    日合計行追加(fields, grids.grid3);
    EXPECT_EQ(grids.grid3.rowCount(), 5);

    fields.setText(Field::c日合計_日目, "0"); // would overwrite the headings
    EXPECT_THROW(日合計行追加(fields, grids.grid3), Fault);
    EXPECT_EQ(grids.grid3.cell(0, 0), "日目");
}

TEST(SymbolAndBalanceChartTest, RowsPerSymbolAndPerDay) {
    SymbolTable symbols;
    symbols.names[0] = "７";
    symbols.names[1] = "３";
    Charts charts;
    グラフCLR(charts);
    resetSymbolChart(charts.chart1, symbols, 2);
    ASSERT_EQ(charts.chart1.rowCount(), 2);
    EXPECT_EQ(charts.chart1.label(2), "３");
    EXPECT_EQ(charts.chart1.value(2, 1), "0");

    addBalanceChartDay(charts.chart2, 1, -1234.5, "1");
    addBalanceChartDay(charts.chart2, 2, 800, "2");
    ASSERT_EQ(charts.chart2.rowCount(), 2);
    EXPECT_EQ(charts.chart2.label(1), "1");
    EXPECT_EQ(charts.chart2.value(1, 1), "-1234.5"); // not truncated
    EXPECT_EQ(charts.chart2.value(2, 1), "800");
}

} // namespace
} // namespace zelkora
