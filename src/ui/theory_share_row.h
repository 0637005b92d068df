#pragma once

#include <QString>

class QDoubleSpinBox;
class QHBoxLayout;
class QLabel;
class QWidget;

namespace zelkora::ui {

// The top row of a theory panel: the 持ち玉比率 box the figures are computed at, and the line
// beside it that says what they rest on or why none could be computed.
QHBoxLayout* theoryShareRow(QWidget* owner, QDoubleSpinBox* share, const QString& shareName,
                            QLabel* problem, const QString& problemName);

} // namespace zelkora::ui
