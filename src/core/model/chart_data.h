#pragma once

#include "common/text_arena.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace zelkora {

// The data behind one chart: rows with a label and one or two values, all passed as text, and
// the row and column the next write goes to, as the chart control addresses them (1-based).
// The balance chart gains a row a day over campaigns of thousands of days, so the texts share
// one arena and the rows grow without being moved.
class ChartData {
public:
    static constexpr int kMaxColumns = 2;

    std::string title;
    std::string valueAxisTitle;

    int rowCount() const { return static_cast<int>(rows_.size()); }
    int columnCount() const { return columnCount_; }
    // Rows beyond the count are dropped; new rows have an empty label and empty values.
    void setRowCount(int rows);
    void setColumnCount(int columns);

    // Valid until the chart next changes.
    std::string_view label(int row) const { return texts_.view(rows_[index(row)].label); }
    std::string_view value(int row, int column) const;
    void setLabel(int row, std::string_view label);
    void setValue(int row, int column, std::string_view value);
    // Shown as the plain decimal text of the number. The text is made when the value is read,
    // so a chart refreshed on every big hit costs no formatting until it is shown.
    void setNumber(int row, int column, double value);

    std::uint64_t revision() const { return revision_; }

private:
    struct Value {
        TextArena::Slot text;
        double number = 0;
        bool textPending = false; // text still has to be made from number
    };
    struct Row {
        TextArena::Slot label;
        std::array<Value, kMaxColumns> values;
    };
    static std::size_t index(int row) { return static_cast<std::size_t>(row - 1); }
    Value& valueAt(int row, int column) const {
        return rows_[index(row)].values[static_cast<std::size_t>(column - 1)];
    }
    // Stores `text` in `slot`, compacting first when dropped texts fill most of the arena.
    void store(TextArena::Slot& slot, std::string_view text);

    // Texts are made on read; a const read may make them.
    mutable std::deque<Row> rows_;
    mutable TextArena texts_;
    int columnCount_ = 1;
    std::uint64_t revision_ = 0;
};

} // namespace zelkora
