#include "analysis_panel.h"

#include "analysis/analysis_texts.h"
#include "fan_chart.h"
#include "qt_text.h"
#include "text_table_view.h"

#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

namespace zelkora::ui {
namespace {

TableRows rowsOf(const TextTable& table) {
    TableRows rows{table.headings};
    rows.insert(rows.end(), table.rows.begin(), table.rows.end());
    return rows;
}

} // namespace

AnalysisPanel::AnalysisPanel(ExportSeams seams, QWidget* parent)
    : QFrame(parent), heading_(new QLabel(this)),
      fan_(new FanChartView(QStringLiteral("MSChart6"), this)),
      histogram_(new HistogramView(QStringLiteral("MSChart7"), this)),
      figures_(new TextTableView(QStringLiteral("Grid4"), this)),
      comparison_(new TextTableView(QStringLiteral("Grid5"), this)) {
    setObjectName(QStringLiteral("Picture_多数回検証"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    heading_->setObjectName(QStringLiteral("多数回検証_見出し"));
    heading_->setText(QStringLiteral("多数回検証はまだ行われていません。検証メニューの"
                                     "「多数回検証」で始めてください。"));
    heading_->setWordWrap(true);
    layout->addWidget(heading_);
    auto* split = new QSplitter(Qt::Horizontal, this);
    auto* charts = new QSplitter(Qt::Vertical, split);
    charts->addWidget(fan_);
    charts->addWidget(histogram_);
    auto* tables = new QSplitter(Qt::Vertical, split);
    tables->addWidget(figures_);
    tables->addWidget(comparison_);
    tables->setStretchFactor(0, 3);
    tables->setStretchFactor(1, 1);
    split->addWidget(charts);
    split->addWidget(tables);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    addTableMenu(*figures_, seams);
    addTableMenu(*comparison_, seams);
    addChartMenu(*fan_, seams,
                 [this] { return shown_ ? rowsOf(dayBandTable(shown_->report)) : TableRows{}; });
    addChartMenu(*histogram_, seams, [this] {
        return shown_ ? rowsOf(histogramTable(shown_->histogram)) : TableRows{};
    });
}

void AnalysisPanel::showAnalysis(const AnalysisView& view) {
    shown_ = view;
    heading_->setText(qtText(view.heading));
    figures_->setTable(analysisFigureTable(view.report));
    comparison_->setTable({}); // a comparison's difference belongs to its own analysis
    redraw();
}

void AnalysisPanel::showComparison(const AnalysisView& first, const ComparisonReport& report,
                                   const std::string& firstName, const std::string& secondName) {
    showAnalysis(first);
    comparison_->setTable(comparisonTable(report, firstName, secondName));
}

void AnalysisPanel::redraw() {
    if (!shown_) {
        return;
    }
    fan_->show(shown_->report.dayBands);
    histogram_->show(shown_->histogram);
}

} // namespace zelkora::ui
