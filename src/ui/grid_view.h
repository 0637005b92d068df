#pragma once

#include "grid_model.h"

#include <QTableView>

namespace zelkora::ui {

// Grid1, Grid2 or Grid3: a read-only table over one of the core's grids, with the columns'
// widths converted from twips at the screen's resolution.
class GridView final : public QTableView {
    Q_OBJECT
public:
    GridView(const QString& name, const GridTable& table, QWidget* parent = nullptr);

    void sync();

private:
    void applyColumnWidths();

    const GridTable& table_;
    GridModel model_;
    int widthsFor_ = -1; // column count the widths were applied for
};

} // namespace zelkora::ui
