#include "grid_view.h"
#include "panels.h"

#include <QVBoxLayout>

namespace zelkora::ui {

GridPanel::GridPanel(const QString& panelName, const QString& gridName, const GridTable& table,
                     QWidget* parent)
    : QFrame(parent), grid_(new GridView(gridName, table, this)) {
    setObjectName(panelName);
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
}

void GridPanel::sync() {
    grid_->sync();
}

} // namespace zelkora::ui
