#include "theory_share_row.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>

namespace zelkora::ui {

QHBoxLayout* theoryShareRow(QWidget* owner, QDoubleSpinBox* share, const QString& shareName,
                            QLabel* problem, const QString& problemName) {
    auto* row = new QHBoxLayout;
    auto* shareLabel = new QLabel(QStringLiteral("持ち玉比率(&R)"), owner);
    share->setObjectName(shareName);
    share->setRange(0, 100);
    share->setDecimals(1);
    share->setSuffix(QStringLiteral(" %"));
    shareLabel->setBuddy(share);
    row->addWidget(shareLabel);
    row->addWidget(share);
    problem->setObjectName(problemName);
    problem->setWordWrap(true);
    row->addWidget(problem, 1);
    return row;
}

} // namespace zelkora::ui
