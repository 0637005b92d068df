#include "results/chart_data.h"

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

void ChartData::setValue(int row, int column, std::string_view value) {
    rows_[index(row)].values[static_cast<std::size_t>(column - 1)].assign(value);
    ++revision_;
}

} // namespace zelkora
