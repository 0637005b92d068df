#pragma once

#include "common/text_arena.h"

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelkora {

// Flexible-grid alignment codes as the grids use them.
inline constexpr int kAlignCentreCentre = 4;
inline constexpr int kAlignRightCentre = 7;

struct GridColumnSpec {
    std::string_view heading;
    int widthTwips;
};

// The data behind one grid: row 0 holds the headings, every cell is text. The big-hit grid can
// reach hundreds of thousands of rows, so the rows keep their cells in one shared arena rather
// than one object per cell or per row: a row written is appended to it, and the arena is
// compacted when rewritten rows have left more than half of it unused.
class GridTable {
public:
    // Sets the column count, widths, alignments and the heading row; keeps the row count.
    void setColumns(std::span<const GridColumnSpec> columns);

    int columnCount() const { return static_cast<int>(widths_.size()); }
    int columnWidth(int column) const { return widths_[static_cast<std::size_t>(column)]; }
    int columnAlignment(int column) const { return alignments_[static_cast<std::size_t>(column)]; }
    void setColumnAlignment(int column, int alignment);

    // Row count including the heading row; at least 1 once columns are set.
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Rows beyond the count are dropped, new rows are empty.
    void setRowCount(int rows);

    // Valid until the grid next changes.
    std::string_view cell(int row, int column) const;
    // The row's cells joined, each followed by kCellSeparator; valid until the grid next changes.
    std::string_view joinedRow(int row) const;
    void setCell(int row, int column, std::string_view text);
    // Writes columns 0 … texts.size()-1 of one row at once.
    void setRow(int row, std::span<const std::string_view> texts);
    // The same from the row's cells already joined, each followed by kCellSeparator.
    void setJoinedRow(int row, std::string_view joined);
    static constexpr char kCellSeparator = '\x1f';

    // Raised by every change, so a view can tell cheaply whether to refresh.
    std::uint64_t revision() const { return revision_; }

private:
    // Cells of one row, each terminated by a unit separator.
    static constexpr char kSeparator = kCellSeparator;
    using Row = TextArena::Slot;

    // Stores `joined` as the text of `row`; `joined` may be a row of this grid.
    void storeJoined(int row, std::string_view joined);

    std::vector<int> widths_;
    std::vector<int> alignments_;
    std::deque<Row> rows_; // grows a row at a time without moving the rows
    TextArena text_;
    std::string scratch_; // the row being built
    std::uint64_t revision_ = 0;
};

} // namespace zelkora
