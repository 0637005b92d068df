#include "chart_views.h"
#include "field_views.h"
#include "panels.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <array>

namespace zelkora::ui {
namespace {

// The bucket names as the refreshed spin-count chart labels its rows.
constexpr std::array<const char*, 9> kSpinBucketNames{"<確率の1/6", "<確率の2/6", "<確率の3/6",
                                                      "<確率の4/6", "<確率の5/6", "<確率",
                                                      "<確率の2倍", "<確率の3倍", ">確率の3倍"};
constexpr std::array<const char*, 11> kStreakBucketNames{"単発",   "２連荘",   "３連荘",  "４連荘",
                                                         "５連荘", "６連荘",   "７連荘",  "８連荘",
                                                         "９連荘", "１０連荘", "１０以上"};

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLineEdit* shareBox(FieldViews& fields, Field field, QWidget* parent) {
    QLineEdit* box = fields.makeBox(field, parent);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("100.00%")) + 16);
    return box;
}

} // namespace

ChartPanel::ChartPanel(const QString& panelName, ChartView* chart, QWidget* side, QWidget* parent)
    : QFrame(parent), chart_(chart) {
    setObjectName(panelName);
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(this);
    // A margin of the panel's own stays around the chart, where the panel explains itself.
    layout->setContentsMargins(12, 12, 12, 12);
    chart->setParent(this);
    layout->addWidget(chart, 1);
    if (side != nullptr) {
        side->setParent(this);
        layout->addWidget(side);
    }
}

void ChartPanel::sync() {
    chart_->sync();
}

QWidget* makeSpinShareBoxes(FieldViews& fields) {
    auto* boxes = new QWidget;
    auto* layout = new QGridLayout(boxes);
    layout->addWidget(heading(QStringLiteral("比率")), 0, 1);
    layout->addWidget(heading(QStringLiteral("累計")), 0, 2);
    for (int bucket = 1; bucket <= 9; ++bucket) {
        layout->addWidget(
            new QLabel(QString::fromUtf8(kSpinBucketNames[static_cast<std::size_t>(bucket - 1)])),
            bucket, 0);
        layout->addWidget(shareBox(fields, spinShareField(bucket), boxes), bucket, 1);
        layout->addWidget(shareBox(fields, spinCumulativeField(bucket), boxes), bucket, 2);
    }
    layout->setRowStretch(10, 1);
    return boxes;
}

QWidget* makeStreakShareBoxes(FieldViews& fields) {
    auto* boxes = new QWidget;
    auto* layout = new QGridLayout(boxes);
    layout->addWidget(heading(QStringLiteral("比率")), 0, 1);
    for (int bucket = 1; bucket <= 11; ++bucket) {
        layout->addWidget(
            new QLabel(QString::fromUtf8(kStreakBucketNames[static_cast<std::size_t>(bucket - 1)])),
            bucket, 0);
        layout->addWidget(shareBox(fields, streakShareField(bucket), boxes), bucket, 1);
    }
    layout->setRowStretch(12, 1);
    return boxes;
}

QWidget* makeTransitionNames() {
    auto* names = new QWidget;
    auto* layout = new QVBoxLayout(names);
    for (const char* name : {"総当り確率", "初当り確率"}) {
        auto* box = new QLineEdit(QString::fromUtf8(name), names);
        box->setObjectName(QStringLiteral("Text_") + QString::fromUtf8(name));
        box->setReadOnly(true);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(box->text()) + 24);
        layout->addWidget(box);
    }
    layout->addStretch(1);
    return names;
}

} // namespace zelkora::ui
