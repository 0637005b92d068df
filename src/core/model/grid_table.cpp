#include "model/grid_table.h"

#include <cassert>
#include <cstring>
#include <functional>

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

// Compacting costs a copy of the grid; below this much unused text it is not worth it.
constexpr std::size_t kCompactionFloor = std::size_t{64} * 1024;

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
        dropRow(rows_[row]);
    }
    rows_.resize(count);
    if (rows_.empty()) {
        text_.clear();
        unused_ = 0;
    }
    ++revision_;
}

std::string_view GridTable::joinedRow(int row) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    const Row& stored = rows_[static_cast<std::size_t>(row)];
    return std::string_view(text_).substr(stored.offset, stored.size);
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
    storeRow(row);
    ++revision_;
}

void GridTable::setRow(int row, std::span<const std::string_view> texts) {
    assert(row >= 0 && row < rowCount());
    std::size_t size = 0;
    bool ofThisGrid = false;
    for (std::string_view text : texts) {
        size += text.size() + 1;
        ofThisGrid = ofThisGrid || isInText(text);
    }
    // Joined straight into the shared text unless a cell comes from it (storing may move it).
    std::string& joined = ofThisGrid ? scratch_ : text_;
    Row& stored = rows_[static_cast<std::size_t>(row)];
    dropRow(stored);
    if (!ofThisGrid) {
        compactIfWorthIt(size);
    }
    const std::size_t offset = ofThisGrid ? 0 : text_.size();
    joined.resize(offset + size);
    char* out = joined.data() + offset;
    for (std::string_view text : texts) {
        if (!text.empty()) {
            std::memcpy(out, text.data(), text.size());
            out += text.size();
        }
        *out++ = kSeparator;
    }
    if (ofThisGrid) {
        storeRow(row);
    } else {
        stored = {offset, size};
    }
    ++revision_;
}

bool GridTable::isInText(std::string_view text) const {
    const std::less<const char*> before;
    return !text.empty() && !before(text.data(), text_.data()) &&
           before(text.data(), text_.data() + text_.size());
}

void GridTable::setJoinedRow(int row, std::string_view joined) {
    assert(row >= 0 && row < rowCount());
    if (isInText(joined)) {
        scratch_.assign(joined); // storing may move the grid's text
        joined = scratch_;
    }
    storeJoined(row, joined);
    ++revision_;
}

void GridTable::storeRow(int row) {
    storeJoined(row, scratch_);
}

void GridTable::storeJoined(int row, std::string_view joined) {
    Row& stored = rows_[static_cast<std::size_t>(row)];
    dropRow(stored);
    compactIfWorthIt(joined.size());
    stored = {text_.size(), joined.size()};
    text_ += joined;
}

void GridTable::compactIfWorthIt(std::size_t adding) {
    if (unused_ <= kCompactionFloor || unused_ <= text_.size() / 2) {
        return;
    }
    std::string compacted;
    compacted.reserve(text_.size() - unused_ + adding);
    for (Row& kept : rows_) {
        const std::size_t offset = compacted.size();
        compacted.append(text_, kept.offset, kept.size);
        kept.offset = offset;
    }
    text_.swap(compacted);
    unused_ = 0;
}

void GridTable::dropRow(Row& row) {
    unused_ += row.size;
    row = Row{};
}

} // namespace zelkora
