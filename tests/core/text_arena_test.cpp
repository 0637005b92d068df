#include "common/text_arena.h"
#include "model/chart_data.h"
#include "model/grid_table.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelkora {
namespace {

// Texts of every size a block boundary can meet, a text larger than any block among them.
std::string textOf(std::size_t index) {
    const std::size_t size = index == 7 ? std::size_t{3} << 20 : (index * 37) % 5000;
    return std::string(size, static_cast<char>('a' + index % 26));
}

TEST(text_arena_test, texts_stay_in_place_as_it_grows_and_survive_copy_and_compaction) {
    TextArena arena;
    std::vector<TextArena::Slot> slots;
    std::vector<std::string_view> views;
    for (std::size_t index = 0; index < 2000; ++index) {
        slots.push_back(arena.append(textOf(index)));
        views.push_back(arena.view(slots.back()));
    }
    for (std::size_t index = 0; index < slots.size(); ++index) {
        ASSERT_EQ(arena.view(slots[index]), textOf(index)) << index;
        ASSERT_EQ(views[index].data(), arena.view(slots[index]).data()) << index; // never moved
    }
    const TextArena copy = arena;
    EXPECT_EQ(copy.view(slots[7]), textOf(7));
    EXPECT_EQ(copy.view(slots[1999]), textOf(1999));
    EXPECT_FALSE(copy.holds(views[1999]));
    EXPECT_TRUE(arena.holds(views[1999]));

    EXPECT_FALSE(arena.worthCompacting());
    for (std::size_t index = 0; index < slots.size(); index += 3) {
        if (index != 999) {
            arena.drop(slots[index]);
        }
    }
    arena.drop(slots[7]); // the large text: now most of the arena is dropped
    EXPECT_TRUE(arena.worthCompacting());
    arena.compact([&slots](auto move) {
        for (TextArena::Slot& slot : slots) {
            move(slot);
        }
    });
    EXPECT_FALSE(arena.worthCompacting());
    for (std::size_t index = 0; index < slots.size(); ++index) {
        const bool dropped = (index % 3 == 0 && index != 999) || index == 7;
        ASSERT_EQ(arena.view(slots[index]), dropped ? "" : textOf(index)) << index;
    }
}

TEST(text_arena_test, a_grid_rewritten_many_times_keeps_each_rows_last_text) {
    GridTable grid;
    grid.setRowCount(50);
    for (int pass = 0; pass < 400; ++pass) {
        for (int row = 0; row < 50; ++row) {
            grid.setCell(row, pass % 3,
                         std::string(40, static_cast<char>('a' + (pass + row) % 26)));
        }
        // A row stored from the grid's own text, as a copy of a row would be.
        grid.setJoinedRow(49, grid.joinedRow(pass % 49));
    }
    for (int row = 0; row < 49; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int pass = 399 - (399 - column) % 3;
            ASSERT_EQ(grid.cell(row, column),
                      std::string(40, static_cast<char>('a' + (pass + row) % 26)));
        }
    }
    EXPECT_EQ(grid.joinedRow(49), grid.joinedRow(399 % 49));
}

TEST(text_arena_test, a_chart_value_read_stays_valid_while_other_values_are_made) {
    ChartData chart;
    chart.setColumnCount(2);
    chart.setRowCount(3000);
    for (int row = 1; row <= 3000; ++row) {
        chart.setNumber(row, 1, row * 1.5);
        chart.setLabel(row, std::to_string(row) + "日目");
    }
    const std::string_view first = chart.value(1, 1);
    for (int row = 2; row <= 3000; ++row) {
        ASSERT_EQ(chart.value(row, 1), std::to_string(row * 3 / 2) + (row % 2 != 0 ? ".5" : ""));
    }
    EXPECT_EQ(first, "1.5");
    for (int pass = 0; pass < 50; ++pass) { // relabelling drops texts until compaction runs
        const std::string last(chart.label(3000));
        for (int row = 3000; row >= 2; --row) {
            chart.setLabel(row, chart.label(row - 1)); // a text of the chart itself
        }
        chart.setLabel(1, last);
    }
    EXPECT_EQ(chart.label(3000), "2950日目");
    EXPECT_EQ(chart.value(3000, 1), "4500");
    chart.setRowCount(0);
    chart.setRowCount(1);
    EXPECT_EQ(chart.label(1), "");
}

} // namespace
} // namespace zelkora
