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
    if (table.headings.empty()) {
        return {}; // nothing shown yet
    }
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
    addChartMenu(*fan_, seams, [this] { return rowsOf(dayBandsShown()); });
    addChartMenu(*histogram_, seams, [this] { return rowsOf(binsShown()); });
}

// What the fan chart draws, as a table: one verification's day bands, or both of a comparison's.
TextTable AnalysisPanel::dayBandsShown() const {
    if (!shown_) {
        return {};
    }
    const TextTable first = dayBandTable(shown_->report);
    return compared_ ? pairedTable(first, dayBandTable(compared_->second), compared_->firstName,
                                   compared_->secondName)
                     : first;
}

// What the histogram draws, as a table: the bins, both of a comparison's in one width.
TextTable AnalysisPanel::binsShown() const {
    if (!shown_) {
        return {};
    }
    if (!compared_) {
        return histogramTable(shown_->histogram);
    }
    StreamingHistogram first = shown_->histogram;
    StreamingHistogram second = compared_->histogram;
    widenToOneWidth(first, second);
    return pairedTable(histogramTable(first), histogramTable(second), compared_->firstName,
                       compared_->secondName);
}

void AnalysisPanel::present(const AnalysisView& view) {
    shown_ = view;
    heading_->setText(qtText(view.heading));
    figures_->setTable(analysisFigureTable(view.report));
}

void AnalysisPanel::showAnalysis(const AnalysisView& view) {
    present(view);
    compared_.reset();
    comparison_->setTable({}); // a comparison's difference belongs to its own analysis
    redraw();
}

void AnalysisPanel::showComparison(const AnalysisView& first, const ComparisonReport& report,
                                   const StreamingHistogram& secondHistogram,
                                   const std::string& firstName, const std::string& secondName) {
    present(first);
    compared_ = Compared{report.second, secondHistogram, report.difference, firstName, secondName};
    comparison_->setTable(comparisonTable(report, firstName, secondName));
    redraw();
}

void AnalysisPanel::redraw() {
    if (!shown_) {
        return;
    }
    if (!compared_) {
        fan_->show(shown_->report.dayBands);
        histogram_->show(shown_->histogram);
        return;
    }
    const QString first = qtText(compared_->firstName);
    const QString second = qtText(compared_->secondName);
    fan_->showPair(shown_->report.dayBands, compared_->second.dayBands, first, second);
    histogram_->showPair(shown_->histogram, compared_->histogram, first, second,
                         qtText(differenceText(compared_->difference)));
}

} // namespace zelkora::ui
