#include "model/chart_data.h"

#include "common/numbers.h"

#include <algorithm>

namespace zelkora {

void ChartData::setRowCount(int rows) {
    const auto count = static_cast<std::size_t>(std::max(rows, 0));
    for (std::size_t row = count; row < rows_.size(); ++row) {
        texts_.drop(rows_[row].label);
        for (Value& cell : rows_[row].values) {
            texts_.drop(cell.text);
        }
    }
    rows_.resize(count);
    if (rows_.empty()) {
        texts_.clear();
    }
    ++revision_;
}

void ChartData::setColumnCount(int columns) {
    columnCount_ = std::clamp(columns, 1, kMaxColumns);
    ++revision_;
}

void ChartData::setLabel(int row, std::string_view label) {
    store(rows_[index(row)].label, label);
    ++revision_;
}

std::string_view ChartData::value(int row, int column) const {
    Value& cell = valueAt(row, column);
    if (cell.textPending) {
        // Appending moves no stored text, so the views handed out before stay valid.
        std::string text;
        appendPlainText(text, cell.number);
        texts_.drop(cell.text);
        cell.text = texts_.append(text);
        cell.textPending = false;
    }
    return texts_.view(cell.text);
}

void ChartData::setValue(int row, int column, std::string_view value) {
    Value& cell = valueAt(row, column);
    store(cell.text, value);
    cell.textPending = false;
    ++revision_;
}

void ChartData::setNumber(int row, int column, double value) {
    Value& cell = valueAt(row, column);
    cell.number = value;
    cell.textPending = true;
    ++revision_;
}

void ChartData::store(TextArena::Slot& slot, std::string_view text) {
    texts_.drop(slot); // the bytes stay until compaction
    std::string kept;
    if (texts_.worthCompacting()) {
        if (texts_.holds(text)) { // a text of this chart, which compaction moves
            kept.assign(text);
            text = kept;
        }
        texts_.compact([this](auto move) {
            for (Row& row : rows_) {
                move(row.label);
                for (Value& cell : row.values) {
                    move(cell.text);
                }
            }
        });
    }
    slot = texts_.append(text);
}

} // namespace zelkora
