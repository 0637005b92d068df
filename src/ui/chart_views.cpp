#include "chart_views.h"

#include "common/numbers.h"
#include "qt_text.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace zelkora::ui {
namespace {

QFont chartFont(int pointSize) {
    QFont font(QString::fromUtf8(kChartFontFamily));
    font.setPointSize(pointSize);
    return font;
}

double valueOf(const ChartData& source, int row, int column) {
    return readNumber(source.value(row, column));
}

} // namespace

ChartView::ChartView(const QString& name, const ChartData& source, QWidget* parent)
    : QChartView(parent), data_(source), valueAxis_(new QValueAxis) {
    setObjectName(name);
    setRenderHint(QPainter::Antialiasing);
    QChart* shown = chart();
    shown->setTitleFont(chartFont(11));
    shown->legend()->setFont(chartFont(9));
    shown->setAnimationOptions(QChart::NoAnimation);
    shown->setMargins(QMargins(4, 4, 4, 4));
    valueAxis_->setLabelsFont(chartFont(9));
    valueAxis_->setTitleFont(chartFont(9));
    valueAxis_->setLabelFormat(QStringLiteral("%.10g"));
    shown->addAxis(valueAxis_, Qt::AlignLeft);
}

void ChartView::showEvent(QShowEvent* event) {
    QChartView::showEvent(event);
    sync();
}

void ChartView::sync() {
    // A chart out of view is brought up to date when it is shown.
    if ((synced_ && data_.revision() == revision_) || !isVisible()) {
        return;
    }
    synced_ = true;
    revision_ = data_.revision();
    chart()->setTitle(qtText(data_.title));
    valueAxis_->setTitleText(qtText(data_.valueAxisTitle));
    update(data_);
}

void ChartView::fitValueAxis(double low, double high) {
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (high - low < 1e-9) {
        high = low + 1;
    }
    valueAxis_->setRange(low, high);
    valueAxis_->applyNiceNumbers();
}

BarChartView::BarChartView(const QString& name, const ChartData& source, QWidget* parent)
    : ChartView(name, source, parent), set_(new QBarSet(QString())),
      categories_(new QBarCategoryAxis) {
    auto* series = new QBarSeries;
    series->append(set_);
    set_->setColor(QColor(255, 128, 0));
    chart()->addSeries(series);
    categories_->setLabelsFont(chartFont(9));
    // Slanted, a label such as "<確率の3倍" takes the height it needs instead of being cut to
    // the width of its bar.
    categories_->setLabelsAngle(-45);
    chart()->addAxis(categories_, Qt::AlignBottom);
    series->attachAxis(categories_);
    series->attachAxis(valueAxis());
    chart()->legend()->hide();
}

void BarChartView::update(const ChartData& source) {
    QStringList labels;
    QList<qreal> values;
    double high = 0;
    for (int row = 1; row <= source.rowCount(); ++row) {
        // Chart labels are rich text: "<確率" would read as the start of a tag.
        labels << qtText(source.label(row)).toHtmlEscaped();
        values << valueOf(source, row, 1);
        high = std::max(high, values.back());
    }
    if (labels != labels_) {
        labels_ = labels;
        categories_->setCategories(labels);
    }
    set_->remove(0, set_->count());
    set_->append(values);
    fitValueAxis(0, high);
}

LineChartView::LineChartView(const QString& name, const ChartData& source,
                             const QStringList& seriesNames, QWidget* parent)
    : ChartView(name, source, parent), rowAxis_(new QValueAxis) {
    rowAxis_->setLabelsFont(chartFont(9));
    rowAxis_->setLabelFormat(QStringLiteral("%d"));
    chart()->addAxis(rowAxis_, Qt::AlignBottom);
    const QList<QColor> colours{QColor(192, 0, 0), QColor(0, 96, 192)};
    for (qsizetype index = 0; index < seriesNames.size(); ++index) {
        auto* series = new QLineSeries;
        series->setName(seriesNames[index]);
        series->setColor(colours[index % colours.size()]);
        chart()->addSeries(series);
        series->attachAxis(rowAxis_);
        series->attachAxis(valueAxis());
        series_ << series;
    }
    chart()->legend()->setVisible(seriesNames.size() > 1);
}

void LineChartView::update(const ChartData& source) {
    QList<QList<QPointF>> points(series_.size());
    double low = 0;
    double high = 0;
    double first = 1;
    double last = 1;
    for (int row = 1; row <= source.rowCount(); ++row) {
        const std::string_view label = source.label(row);
        const double x = !label.empty() && (std::isdigit(static_cast<unsigned char>(label[0])) != 0)
                             ? readNumber(label)
                             : row;
        first = row == 1 ? x : std::min(first, x);
        last = std::max(last, x);
        for (qsizetype column = 0; column < series_.size(); ++column) {
            const double value = valueOf(source, row, static_cast<int>(column) + 1);
            low = std::min(low, value);
            high = std::max(high, value);
            points[column] << QPointF(x, value);
        }
    }
    for (qsizetype column = 0; column < series_.size(); ++column) {
        series_[column]->replace(points[column]);
    }
    rowAxis_->setRange(first, std::max(last, first + 1));
    rowAxis_->applyNiceNumbers();
    fitValueAxis(low, high);
}

} // namespace zelkora::ui
