#pragma once

#include "analysis/analysis_texts.h"

#include <QAbstractTableModel>
#include <QTableView>

namespace zelkora::ui {

// A read-only model over one of the analysis' text tables: numbers right-aligned, names left.
class TextTableModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(TextTable table);
    const TextTable& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TextTable table_;
};

// A table of the analyst's desk, with the same look as the window's grids.
class TextTableView final : public QTableView {
public:
    TextTableView(const QString& name, QWidget* parent = nullptr);

    void setTable(TextTable table);
    const TextTable& table() const { return model_.table(); }
    void fitHeightToRows(int rows);
    // The names' column takes the width the other columns leave, its long names cut with an
    // ellipsis (whole in their tooltips), so the values never scroll out of sight.
    void fitNamesToWidth();

private:
    void fitNames();

    TextTableModel model_;
    bool namesFitWidth_ = false;
};

} // namespace zelkora::ui
