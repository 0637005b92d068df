#include "model/grid_table.h"

#include <cassert>
#include <cstring>

namespace zelkora {
namespace {

// Byte range of cell `column` in a row buffer; empty range at the end for missing cells.
std::pair<std::size_t, std::size_t> cellRange(const std::string& row, int column, char separator) {
    std::size_t begin = 0;
    for (int index = 0; index < column; ++index) {
        const std::size_t next = row.find(separator, begin);
        if (next == std::string::npos) {
            return {row.size(), row.size()};
        }
        begin = next + 1;
    }
    const std::size_t end = row.find(separator, begin);
    return {begin, end == std::string::npos ? row.size() : end};
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
    rows_.resize(static_cast<std::size_t>(rows < 0 ? 0 : rows));
    ++revision_;
}

std::string_view GridTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0) {
        return {};
    }
    const std::string& buffer = rows_[static_cast<std::size_t>(row)];
    const auto [begin, end] = cellRange(buffer, column, kSeparator);
    return std::string_view(buffer).substr(begin, end - begin);
}

void GridTable::setCell(int row, int column, std::string_view text) {
    assert(row >= 0 && row < rowCount() && column >= 0);
    std::string& buffer = rows_[static_cast<std::size_t>(row)];
    int present = 0;
    for (char character : buffer) {
        present += character == kSeparator ? 1 : 0;
    }
    for (; present <= column; ++present) {
        buffer += kSeparator;
    }
    const auto [begin, end] = cellRange(buffer, column, kSeparator);
    buffer.replace(begin, end - begin, text);
    ++revision_;
}

void GridTable::setRow(int row, std::span<const std::string_view> texts) {
    assert(row >= 0 && row < rowCount());
    std::size_t size = 0;
    for (std::string_view text : texts) {
        size += text.size() + 1;
    }
    // One allocation of the exact size: the big-hit grid holds a row per stored record.
    std::string& buffer = rows_[static_cast<std::size_t>(row)];
    if (buffer.capacity() > 2 * size) {
        std::string().swap(buffer);
    }
    buffer.resize(size);
    char* out = buffer.data();
    for (std::string_view text : texts) {
        if (!text.empty()) {
            std::memcpy(out, text.data(), text.size());
            out += text.size();
        }
        *out++ = kSeparator;
    }
    ++revision_;
}

} // namespace zelkora
