#include "model/chart_data.h"
#include "model/grid_table.h"

#include <array>
#include <gtest/gtest.h>

namespace zelkora {
namespace {

constexpr std::array<GridColumnSpec, 3> kColumns{{{"日目", 600}, {"回転数", 1000}, {"連荘", 800}}};

TEST(grid_table_test, columns_set_headings_widths_and_right_centre_alignment) {
    GridTable grid;
    grid.setColumns(kColumns);
    EXPECT_EQ(grid.columnCount(), 3);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.cell(0, 1), "回転数");
    EXPECT_EQ(grid.columnWidth(2), 800);
    EXPECT_EQ(grid.columnAlignment(0), kAlignRightCentre);
}

TEST(grid_table_test, cells_are_written_in_any_order_and_missing_cells_read_empty) {
    GridTable grid;
    grid.setColumns(kColumns);
    grid.setRowCount(3);
    grid.setCell(2, 2, "5");
    grid.setCell(2, 0, "12");
    grid.setCell(2, 0, "1");
    EXPECT_EQ(grid.cell(2, 0), "1");
    EXPECT_EQ(grid.cell(2, 1), "");
    EXPECT_EQ(grid.cell(2, 2), "5");
    EXPECT_EQ(grid.cell(1, 2), "");
    EXPECT_EQ(grid.cell(9, 0), "");
    const std::array<std::string_view, 3> row{"2", "315", "1"};
    grid.setRow(1, row);
    EXPECT_EQ(grid.cell(1, 1), "315");
}

TEST(grid_table_test, shrinking_drops_rows_and_growing_adds_empty_ones) {
    GridTable grid;
    grid.setColumns(kColumns);
    grid.setRowCount(3);
    grid.setCell(2, 0, "x");
    grid.setRowCount(1);
    grid.setRowCount(3);
    EXPECT_EQ(grid.cell(2, 0), "");
    EXPECT_EQ(grid.cell(0, 0), "日目");
    const auto before = grid.revision();
    grid.setCell(1, 1, "y");
    EXPECT_GT(grid.revision(), before);
}

TEST(chart_data_test, rows_keep_labels_and_up_to_two_values) {
    ChartData chart;
    chart.setColumnCount(2);
    chart.setRowCount(2);
    chart.setLabel(2, "20");
    chart.setValue(2, 1, "315.5");
    chart.setValue(2, 2, "290");
    EXPECT_EQ(chart.label(2), "20");
    EXPECT_EQ(chart.value(2, 2), "290");
    EXPECT_EQ(chart.value(1, 1), "");
    chart.setColumnCount(5);
    EXPECT_EQ(chart.columnCount(), 2);
}

} // namespace
} // namespace zelkora
