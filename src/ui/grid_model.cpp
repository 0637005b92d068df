#include "grid_model.h"

#include "qt_text.h"

#include <cmath>

namespace zelkora::ui {

GridModel::GridModel(const GridTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

Qt::Alignment GridModel::alignment(int column) const {
    switch (table_.columnAlignment(column)) {
    case kAlignCentreCentre:
        return Qt::AlignCenter;
    case kAlignRightCentre:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    const int row = index.row() + 1;
    const int column = index.column();
    if (!index.isValid() || row >= table_.rowCount() || column >= table_.columnCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return qtText(table_.cell(row, column));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(alignment(column));
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section >= table_.columnCount() ||
        table_.rowCount() == 0) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return qtText(table_.cell(0, section));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(alignment(section));
    }
    return {};
}

bool GridModel::sync() {
    if (table_.revision() == revision_) {
        return false;
    }
    revision_ = table_.revision();
    const int rows = std::max(0, table_.rowCount() - 1);
    const int columns = table_.columnCount();
    if (columns != columns_ || rows < rows_) {
        // Headings set up again or rows dropped (a new run, an Open): start the view afresh.
        beginResetModel();
        rows_ = rows;
        columns_ = columns;
        endResetModel();
        return true;
    }
    // The grids grow by appending: a run or a rebuild writes a row once, as it adds it, and a
    // reload starts from the heading row. So when rows were added only the last row shown before
    // may have been written since; otherwise any row may have been rewritten.
    if (rows_ > 0) {
        const int firstChanged = rows > rows_ ? rows_ - 1 : 0;
        emit dataChanged(index(firstChanged, 0), index(rows_ - 1, columns_ - 1));
    }
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    }
    return true;
}

int twipsToPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

} // namespace zelkora::ui
