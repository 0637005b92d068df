#include "fan_chart.h"

#include "chart_views.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace zelkora::ui {
namespace {

// Balances are drawn in units of 10,000 yen, so the axis labels stay short.
constexpr double kManYen = 10000;

QFont chartFont(int pointSize) {
    QFont font(QString::fromUtf8(kChartFontFamily));
    font.setPointSize(pointSize);
    return font;
}

// The panels give a chart little height: the title stays small, the legend sits at the right
// and the margins go, so the axes keep the room their labels need.
void styleChart(QChartView& view, const QString& name, const QString& title) {
    view.setObjectName(name);
    view.setRenderHint(QPainter::Antialiasing);
    view.setMinimumHeight(100);
    QChart* chart = view.chart();
    chart->setTitle(title);
    chart->setTitleFont(chartFont(10));
    chart->legend()->setFont(chartFont(9));
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->setBackgroundRoundness(0);
}

QValueAxis* addAxis(QChart& chart, Qt::Alignment side, const QString& title,
                    const QString& format) {
    auto* axis = new QValueAxis;
    axis->setLabelsFont(chartFont(9));
    axis->setTitleFont(chartFont(9));
    axis->setTitleText(title);
    axis->setLabelFormat(format);
    chart.addAxis(axis, side);
    return axis;
}

void fitAxis(QValueAxis& axis, double low, double high) {
    low = std::isfinite(low) ? low : 0;
    high = std::isfinite(high) ? high : low + 1;
    if (!(high - low > 1e-9)) {
        high = low + 1;
    }
    axis.setRange(low, high);
    axis.applyNiceNumbers();
}

QAreaSeries* band(QChart& chart, QLineSeries* lower, QLineSeries* upper, const QString& name,
                  const QColor& colour) {
    auto* area = new QAreaSeries(upper, lower);
    area->setName(name);
    area->setColor(colour);
    area->setBorderColor(colour);
    chart.addSeries(area);
    return area;
}

} // namespace

FanChartView::FanChartView(const QString& name, QWidget* parent)
    : QChartView(parent), median_(new QLineSeries) {
    styleChart(*this, name, QStringLiteral("日別積算収支の分布（万円）"));
    QChart* shown = chart();
    days_ = addAxis(*shown, Qt::AlignBottom, {}, QStringLiteral("%.0f"));
    balance_ = addAxis(*shown, Qt::AlignLeft, {}, QStringLiteral("%.0f"));
    for (QLineSeries*& edge : edges_) {
        edge = new QLineSeries(this);
    }
    QAreaSeries* outer =
        band(*shown, edges_[0], edges_[3], QStringLiteral("5〜95%"), QColor(255, 200, 160));
    QAreaSeries* inner =
        band(*shown, edges_[1], edges_[2], QStringLiteral("25〜75%"), QColor(240, 140, 80));
    median_->setName(QStringLiteral("中央値"));
    median_->setColor(QColor(192, 0, 0));
    shown->addSeries(median_);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(outer), static_cast<QAbstractSeries*>(inner),
          static_cast<QAbstractSeries*>(median_)}) {
        series->attachAxis(days_);
        series->attachAxis(balance_);
    }
}

void FanChartView::show(const std::vector<DayBand>& bands) {
    // The bands start from the balance of 0 before the first day.
    std::array<QList<QPointF>, 4> edges;
    QList<QPointF> median{QPointF(0, 0)};
    for (QList<QPointF>& edge : edges) {
        edge << QPointF(0, 0);
    }
    double low = 0;
    double high = 0;
    constexpr std::array<std::size_t, 4> kEdgeBands{0, 1, 3, 4};
    for (const DayBand& day : bands) {
        for (std::size_t edge = 0; edge < edges.size(); ++edge) {
            const double value = day.percentiles[kEdgeBands[edge]] / kManYen;
            edges[edge] << QPointF(day.day, value);
            low = std::min(low, value);
            high = std::max(high, value);
        }
        median << QPointF(day.day, day.percentiles[2] / kManYen);
    }
    for (std::size_t edge = 0; edge < edges.size(); ++edge) {
        edges_[edge]->replace(edges[edge]);
    }
    median_->replace(median);
    // The days as they are: a nice round end would leave the chart's right part empty.
    days_->setRange(0, std::max<double>(1, bands.empty() ? 1 : bands.back().day));
    fitAxis(*balance_, low, high);
}

HistogramView::HistogramView(const QString& name, QWidget* parent)
    : QChartView(parent), steps_(new QLineSeries(this)), base_(new QLineSeries(this)) {
    styleChart(*this, name, QStringLiteral("最終収支（万円）の分布・縦は試行数"));
    QChart* shown = chart();
    balance_ = addAxis(*shown, Qt::AlignBottom, {}, QStringLiteral("%.0f"));
    campaigns_ = addAxis(*shown, Qt::AlignLeft, {}, QStringLiteral("%.0f"));
    campaigns_->setTickCount(3); // a low chart keeps its labels whole
    QAreaSeries* area = band(*shown, base_, steps_, QStringLiteral("試行数"), QColor(255, 128, 0));
    area->attachAxis(balance_);
    area->attachAxis(campaigns_);
    shown->legend()->hide();
}

void HistogramView::show(const StreamingHistogram& histogram) {
    QList<QPointF> steps;
    const std::vector<std::int64_t>& bins = histogram.bins();
    // Only the bins from the first to the last that hold a campaign.
    std::size_t first = 0;
    std::size_t last = bins.size();
    while (first < bins.size() && bins[first] == 0) {
        ++first;
    }
    while (last > first && bins[last - 1] == 0) {
        --last;
    }
    double most = 0;
    for (std::size_t bin = first; bin < last; ++bin) {
        const double from =
            (histogram.low() + histogram.width() * static_cast<double>(bin)) / kManYen;
        const double to = from + histogram.width() / kManYen;
        const auto count = static_cast<double>(bins[bin]);
        steps << QPointF(from, 0) << QPointF(from, count) << QPointF(to, count) << QPointF(to, 0);
        most = std::max(most, count);
    }
    steps_->replace(steps);
    QList<QPointF> base;
    if (!steps.isEmpty()) {
        base << QPointF(steps.front().x(), 0) << QPointF(steps.back().x(), 0);
        fitAxis(*balance_, steps.front().x(), steps.back().x());
    } else {
        fitAxis(*balance_, 0, 1);
    }
    base_->replace(base);
    fitAxis(*campaigns_, 0, most);
}

ShareBarsView::ShareBarsView(const QString& name, const QString& title, QWidget* parent)
    : QChartView(parent), set_(new QBarSet(QString())), categories_(new QBarCategoryAxis) {
    styleChart(*this, name, title);
    auto* series = new QBarSeries;
    series->append(set_);
    set_->setColor(QColor(255, 128, 0));
    chart()->addSeries(series);
    categories_->setLabelsFont(chartFont(9));
    categories_->setLabelsAngle(0);
    chart()->addAxis(categories_, Qt::AlignBottom);
    values_ = addAxis(*chart(), Qt::AlignLeft, {}, QStringLiteral("%.0f%%"));
    values_->setTickCount(3);
    series->attachAxis(categories_);
    series->attachAxis(values_);
    chart()->legend()->hide();
}

void ShareBarsView::show(const QStringList& labels, const QList<qreal>& percents) {
    if (categories_->categories() != labels) {
        categories_->setCategories(labels);
    }
    set_->remove(0, set_->count());
    set_->append(percents);
    const qreal most = percents.isEmpty() ? 1 : *std::max_element(percents.begin(), percents.end());
    fitAxis(*values_, 0, std::isfinite(most) ? most : 1);
}

} // namespace zelkora::ui
