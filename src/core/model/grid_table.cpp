#include "model/grid_table.h"

#include <cassert>
#include <cstring>

namespace zelkora {
namespace {

// Byte range of cell `column` in a row's text; empty range at the end for missing cells.
std::pair<std::size_t, std::size_t> cellRange(std::string_view row, int column, char separator) {
    std::size_t begin = 0;
    for (int index = 0; index < column; ++index) {
        const std::size_t next = row.find(separator, begin);
        if (next == std::string_view::npos) {
            return {row.size(), row.size()};
        }
        begin = next + 1;
    }
    const std::size_t end = row.find(separator, begin);
    return {begin, end == std::string_view::npos ? row.size() : end};
}

} // namespace

void GridTable::setColumns(std::span<const GridColumnSpec> columns) {
    widths_.clear();
    alignments_.clear();
    if (rows_.empty()) {
        rows_.emplace_back();
    }
    for (const GridColumnSpec& column : columns) {
        widths_.push_back(column.widthTwips);
        alignments_.push_back(kAlignRightCentre);
    }
    for (int column = 0; column < columnCount(); ++column) {
        setCell(0, column, columns[static_cast<std::size_t>(column)].heading);
    }
    ++revision_;
}

void GridTable::setColumnAlignment(int column, int alignment) {
    alignments_[static_cast<std::size_t>(column)] = alignment;
    ++revision_;
}

void GridTable::setRowCount(int rows) {
    const auto count = static_cast<std::size_t>(rows < 0 ? 0 : rows);
    for (std::size_t row = count; row < rows_.size(); ++row) {
        text_.drop(rows_[row]);
    }
    rows_.resize(count);
    if (rows_.empty()) {
        text_.clear();
    }
    ++revision_;
}

std::string_view GridTable::joinedRow(int row) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    return text_.view(rows_[static_cast<std::size_t>(row)]);
}

std::string_view GridTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0) {
        return {};
    }
    const std::string_view text = joinedRow(row);
    const auto [begin, end] = cellRange(text, column, kSeparator);
    return text.substr(begin, end - begin);
}

void GridTable::setCell(int row, int column, std::string_view text) {
    assert(row >= 0 && row < rowCount() && column >= 0);
    // Built apart first: `text` may be a cell of this grid.
    scratch_.assign(joinedRow(row));
    int present = 0;
    for (char character : scratch_) {
        present += character == kSeparator ? 1 : 0;
    }
    for (; present <= column; ++present) {
        scratch_ += kSeparator;
    }
    const auto [begin, end] = cellRange(scratch_, column, kSeparator);
    scratch_.replace(begin, end - begin, text);
    storeJoined(row, scratch_);
    ++revision_;
}

void GridTable::setRow(int row, std::span<const std::string_view> texts) {
    assert(row >= 0 && row < rowCount());
    std::size_t size = 0;
    for (std::string_view text : texts) {
        size += text.size() + 1;
    }
    // Joined apart, in the scratch row whose capacity stays: a cell may come from this grid.
    std::string& joined = scratch_;
    joined.assign(size, kSeparator);
    char* out = joined.data();
    for (std::string_view text : texts) {
        if (!text.empty()) {
            std::memcpy(out, text.data(), text.size());
            out += text.size();
        }
        ++out; // past the separator
    }
    storeJoined(row, joined);
    ++revision_;
}

void GridTable::setJoinedRow(int row, std::string_view joined) {
    assert(row >= 0 && row < rowCount());
    storeJoined(row, joined);
    ++revision_;
}

void GridTable::storeJoined(int row, std::string_view joined) {
    Row& stored = rows_[static_cast<std::size_t>(row)];
    // Dropping leaves the bytes where they are: only compaction moves them.
    text_.drop(stored);
    if (text_.worthCompacting()) {
        if (text_.holds(joined)) {
            scratch_.assign(joined);
            joined = scratch_;
        }
        text_.compact([this](auto move) {
            for (Row& kept : rows_) {
                move(kept);
            }
        });
    }
    stored = text_.append(joined);
}

} // namespace zelkora
