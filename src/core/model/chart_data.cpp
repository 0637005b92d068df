#include "model/chart_data.h"

#include "common/numbers.h"

#include <algorithm>

namespace zelkora {

void ChartData::setRowCount(int rows) {
    rows_.resize(static_cast<std::size_t>(std::max(rows, 0)));
    ++revision_;
}

void ChartData::setColumnCount(int columns) {
    columnCount_ = std::clamp(columns, 1, kMaxColumns);
    ++revision_;
}

void ChartData::setLabel(int row, std::string_view label) {
    rows_[index(row)].label.assign(label);
    ++revision_;
}

std::string_view ChartData::value(int row, int column) const {
    Value& cell = valueAt(row, column);
    if (cell.textPending) {
        cell.text.clear();
        appendPlainText(cell.text, cell.number);
        cell.textPending = false;
    }
    return cell.text;
}

void ChartData::setValue(int row, int column, std::string_view value) {
    Value& cell = valueAt(row, column);
    cell.text.assign(value);
    cell.textPending = false;
    ++revision_;
}

void ChartData::setNumber(int row, int column, double value) {
    Value& cell = valueAt(row, column);
    cell.number = value;
    cell.textPending = true;
    ++revision_;
}

} // namespace zelkora
