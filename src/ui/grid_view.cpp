#include "grid_view.h"

#include <QHeaderView>

namespace zelkora::ui {

GridView::GridView(const QString& name, const GridTable& table, QWidget* parent)
    : QTableView(parent), table_(table), model_(table) {
    setObjectName(name);
    setModel(&model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAlternatingRowColors(true);
    setWordWrap(false);
    // Rows of one height, so the view never measures hundreds of thousands of rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    sync();
}

void GridView::sync() {
    model_.sync();
    if (widthsFor_ != table_.columnCount()) {
        applyColumnWidths();
    }
}

void GridView::applyColumnWidths() {
    widthsFor_ = table_.columnCount();
    const double dpi = logicalDpiX();
    for (int column = 0; column < table_.columnCount(); ++column) {
        setColumnWidth(column, twipsToPixels(table_.columnWidth(column), dpi));
    }
}

} // namespace zelkora::ui
