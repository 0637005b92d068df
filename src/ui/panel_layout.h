#pragma once

#include <QFrame>
#include <QString>

class QGridLayout;
class QLineEdit;

namespace zelkora::ui {

// A display panel: a framed area named as the control it stands for.
QFrame* makePanel(const QString& name, QWidget* parent);

// One figure in a grid of figures: its caption, its box and an optional unit, in three columns
// starting at `column`.
void addFigure(QGridLayout* layout, int row, int column, const QString& caption, QLineEdit* box,
               const QString& unit = {});

// A caption above a box, for the strips.
void addStripField(QGridLayout* layout, int column, const QString& caption, QLineEdit* box);

} // namespace zelkora::ui
