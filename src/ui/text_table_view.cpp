#include "text_table_view.h"

#include "qt_text.h"

#include <QHeaderView>
#include <QScrollBar>

namespace zelkora::ui {
namespace {

// A cell that starts like a number (or is a dash for an unknown) lines up on the right.
bool looksNumeric(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    const char first = text.front();
    return (first >= '0' && first <= '9') || first == '-' || text.starts_with("1/");
}

} // namespace

void TextTableModel::setTable(TextTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.headings.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const std::vector<std::string>& row = table_.rows[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    const std::string_view text = column < row.size() ? std::string_view(row[column]) : "";
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return qtText(text);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(column > 0 && looksNumeric(text)
                                       ? Qt::AlignRight | Qt::AlignVCenter
                                       : Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return qtText(table_.headings[static_cast<std::size_t>(section)]);
}

TextTableView::TextTableView(const QString& name, QWidget* parent) : QTableView(parent) {
    setObjectName(name);
    setModel(&model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    // A long name gets an ellipsis rather than push the values out of sight.
    horizontalHeader()->setMaximumSectionSize(fontMetrics().averageCharWidth() * 26);
}

void TextTableView::setTable(TextTable table) {
    model_.setTable(std::move(table));
    resizeColumnsToContents();
    fitNames();
}

void TextTableView::fitNamesToWidth() {
    namesFitWidth_ = true;
    fitNames();
}

// A header knows a section's mode only while the section exists, so it is set again after
// every new table.
void TextTableView::fitNames() {
    if (namesFitWidth_ && model_.columnCount() > 0) {
        horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}

// A table of a few rows asks for their height only, so the panel gives the rest to its chart.
void TextTableView::fitHeightToRows(int rows) {
    const int height = horizontalHeader()->sizeHint().height() +
                       verticalHeader()->defaultSectionSize() * rows +
                       horizontalScrollBar()->sizeHint().height() + frameWidth() * 2;
    setMaximumHeight(height);
}

} // namespace zelkora::ui
