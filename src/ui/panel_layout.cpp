#include "panel_layout.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace zelkora::ui {

QFrame* makePanel(const QString& name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    return panel;
}

void addFigure(QGridLayout* layout, int row, int column, const QString& caption, QLineEdit* box,
               const QString& unit) {
    auto* label = new QLabel(caption);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(label, row, column);
    layout->addWidget(box, row, column + 1);
    if (!unit.isEmpty()) {
        layout->addWidget(new QLabel(unit), row, column + 2);
    }
}

void addStripField(QGridLayout* layout, int column, const QString& caption, QLineEdit* box) {
    auto* label = new QLabel(caption);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label, 0, column);
    layout->addWidget(box, 1, column);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
}

} // namespace zelkora::ui
