#pragma once

#include "model/grid_table.h"

#include <QAbstractTableModel>

namespace zelkora::ui {

// A grid's rows as a Qt table model over the core's GridTable: row 0 of the table is the header,
// every other row one view row. Nothing is copied per cell. The table changes between syncs
// without telling; sync() announces the rows added since the last sync in one batch, and
// data() answers only for rows the table still has.
class GridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(const GridTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Brings the view up to the table; returns whether anything changed.
    bool sync();

private:
    Qt::Alignment alignment(int column) const;

    const GridTable& table_;
    int rows_ = 0;    // data rows announced to the view
    int columns_ = 0; // columns announced to the view
    std::uint64_t revision_ = 0;
};

// Twips (1/1440 inch) as pixels at a logical resolution of `dpi`.
int twipsToPixels(int twips, double dpi);

} // namespace zelkora::ui
