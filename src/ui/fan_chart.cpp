#include "fan_chart.h"

#include "chart_views.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

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

constexpr std::array<std::size_t, 4> kEdgeBands{0, 1, 3, 4}; // 5, 25, 75, 95 %
constexpr std::array<std::size_t, 2> kInnerBands{1, 3};      // 25, 75 %
constexpr std::size_t kMedianBand = 2;
// The second verification's blue; its bands are see-through, so the first shows beneath.
QColor secondLine() {
    return {0, 70, 180};
}
QColor secondFill() {
    return {70, 130, 220, 110};
}

// A file name short enough for a legend entry beside a low chart.
QString legendName(const QString& name) {
    constexpr int kLongest = 24;
    return name.size() > kLongest ? name.left(kLongest - 1) + QStringLiteral("…") : name;
}

void showMarkers(QChart& chart, QAbstractSeries* series, bool visible) {
    for (QLegendMarker* marker : chart.legend()->markers(series)) {
        marker->setVisible(visible);
    }
}

void attach(QAbstractSeries* series, QValueAxis* x, QValueAxis* y) {
    series->attachAxis(x);
    series->attachAxis(y);
}

} // namespace

FanChartView::FanChartView(const QString& name, QWidget* parent)
    : QChartView(parent), median_(new QLineSeries), secondMedian_(new QLineSeries) {
    styleChart(*this, name, QStringLiteral("日別積算収支の分布（万円）"));
    QChart* shown = chart();
    days_ = addAxis(*shown, Qt::AlignBottom, {}, QStringLiteral("%.0f"));
    balance_ = addAxis(*shown, Qt::AlignLeft, {}, QStringLiteral("%.0f"));
    for (QLineSeries*& edge : edges_) {
        edge = new QLineSeries(this);
    }
    for (QLineSeries*& edge : secondEdges_) {
        edge = new QLineSeries;
    }
    outer_ = band(*shown, edges_[0], edges_[3], {}, QColor(255, 200, 160));
    inner_ = band(*shown, edges_[1], edges_[2], {}, QColor(240, 140, 80));
    median_->setColor(QColor(192, 0, 0));
    shown->addSeries(median_);
    secondInner_ = band(*shown, secondEdges_[0], secondEdges_[1], {}, secondFill());
    for (QLineSeries* edge : secondEdges_) {
        edge->setParent(secondInner_); // the band's edges go with it
    }
    secondInner_->setBorderColor(secondLine());
    secondMedian_->setColor(secondLine());
    shown->addSeries(secondMedian_);
    for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*>{
             outer_, inner_, median_, secondInner_, secondMedian_}) {
        attach(series, days_, balance_);
    }
    nameSeries({}, {});
}

void FanChartView::fill(const std::vector<DayBand>& bands, std::span<QLineSeries* const> edges,
                        std::span<const std::size_t> percentiles, QLineSeries& median, double& low,
                        double& high) {
    // The bands start from the balance of 0 before the first day.
    std::vector<QList<QPointF>> points(edges.size(), QList<QPointF>{QPointF(0, 0)});
    QList<QPointF> middle{QPointF(0, 0)};
    for (const DayBand& day : bands) {
        for (std::size_t edge = 0; edge < edges.size(); ++edge) {
            const double value = day.percentiles[percentiles[edge]] / kManYen;
            points[edge] << QPointF(day.day, value);
            low = std::min(low, value);
            high = std::max(high, value);
        }
        middle << QPointF(day.day, day.percentiles[kMedianBand] / kManYen);
    }
    for (std::size_t edge = 0; edge < edges.size(); ++edge) {
        edges[edge]->replace(points[edge]);
    }
    median.replace(middle);
}

void FanChartView::show(const std::vector<DayBand>& bands) {
    double low = 0;
    double high = 0;
    fill(bands, edges_, kEdgeBands, *median_, low, high);
    for (QLineSeries* edge : secondEdges_) {
        edge->clear();
    }
    secondMedian_->clear();
    nameSeries({}, {});
    fitAxes(bands, low, high);
}

void FanChartView::showPair(const std::vector<DayBand>& first, const std::vector<DayBand>& second,
                            const QString& firstName, const QString& secondName) {
    double low = 0;
    double high = 0;
    fill(first, edges_, kEdgeBands, *median_, low, high);
    fill(second, secondEdges_, kInnerBands, *secondMedian_, low, high);
    nameSeries(firstName, secondName);
    fitAxes(first.size() >= second.size() ? first : second, low, high);
}

// One analysis names its bands and median; a comparison names each verification's file once,
// at its 25–75 band, in a legend below, where the names have the chart's width.
void FanChartView::nameSeries(const QString& first, const QString& second) {
    const bool pair = !second.isEmpty();
    outer_->setName(QStringLiteral("5〜95%"));
    inner_->setName(pair ? legendName(first) : QStringLiteral("25〜75%"));
    median_->setName(QStringLiteral("中央値"));
    secondInner_->setName(legendName(second));
    secondInner_->setVisible(pair);
    secondMedian_->setVisible(pair);
    QChart& shown = *chart();
    showMarkers(shown, outer_, !pair);
    showMarkers(shown, median_, !pair);
    showMarkers(shown, secondInner_, pair);
    showMarkers(shown, secondMedian_, false);
    shown.setTitle(pair ? QStringLiteral("日別積算収支（万円）の中央値・25〜75%・5〜95%")
                        : QStringLiteral("日別積算収支の分布（万円）"));
    shown.legend()->setAlignment(pair ? Qt::AlignBottom : Qt::AlignRight);
}

void FanChartView::fitAxes(const std::vector<DayBand>& bands, double low, double high) {
    // The days as they are: a nice round end would leave the chart's right part empty.
    days_->setRange(0, std::max<double>(1, bands.empty() ? 1 : bands.back().day));
    fitAxis(*balance_, low, high);
}

HistogramView::HistogramView(const QString& name, QWidget* parent)
    : QChartView(parent), steps_(new QLineSeries(this)), base_(new QLineSeries(this)),
      secondSteps_(new QLineSeries(this)), secondBase_(new QLineSeries(this)) {
    styleChart(*this, name, {});
    QChart* shown = chart();
    balance_ = addAxis(*shown, Qt::AlignBottom, {}, QStringLiteral("%.0f"));
    campaigns_ = addAxis(*shown, Qt::AlignLeft, {}, QStringLiteral("%.0f"));
    campaigns_->setTickCount(3); // a low chart keeps its labels whole
    area_ = band(*shown, base_, steps_, QStringLiteral("試行数"), QColor(255, 128, 0));
    secondArea_ = band(*shown, secondBase_, secondSteps_, {}, secondFill());
    secondArea_->setBorderColor(secondLine());
    attach(area_, balance_, campaigns_);
    attach(secondArea_, balance_, campaigns_);
    show(StreamingHistogram());
}

void HistogramView::fill(const StreamingHistogram& histogram, QLineSeries& steps, QLineSeries& base,
                         double& from, double& to, double& most) {
    QList<QPointF> points;
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
    for (std::size_t bin = first; bin < last; ++bin) {
        const double start =
            (histogram.low() + histogram.width() * static_cast<double>(bin)) / kManYen;
        const double end = start + histogram.width() / kManYen;
        const auto count = static_cast<double>(bins[bin]);
        points << QPointF(start, 0) << QPointF(start, count) << QPointF(end, count)
               << QPointF(end, 0);
        most = std::max(most, count);
    }
    steps.replace(points);
    if (points.isEmpty()) {
        base.clear();
        return;
    }
    base.replace({QPointF(points.front().x(), 0), QPointF(points.back().x(), 0)});
    from = std::min(from, points.front().x());
    to = std::max(to, points.back().x());
}

void HistogramView::show(const StreamingHistogram& histogram) {
    chart()->setTitle(QStringLiteral("最終収支（万円）の分布・縦は試行数"));
    area_->setName(QStringLiteral("試行数"));
    double from = std::numeric_limits<double>::infinity();
    double to = -from;
    double most = 0;
    fill(histogram, *steps_, *base_, from, to, most);
    secondSteps_->clear();
    secondBase_->clear();
    secondArea_->setVisible(false);
    showMarkers(*chart(), secondArea_, false);
    chart()->legend()->hide();
    fitAxes(from, to, most);
}

void HistogramView::showPair(StreamingHistogram first, StreamingHistogram second,
                             const QString& firstName, const QString& secondName,
                             const QString& difference) {
    // Bars of one width, so a height reads against the other's.
    widenToOneWidth(first, second);
    // The legend names the files, so the title has room for the difference.
    chart()->setTitle(difference);
    double from = std::numeric_limits<double>::infinity();
    double to = -from;
    double most = 0;
    fill(first, *steps_, *base_, from, to, most);
    fill(second, *secondSteps_, *secondBase_, from, to, most);
    area_->setName(legendName(firstName));
    secondArea_->setName(legendName(secondName));
    secondArea_->setVisible(true);
    showMarkers(*chart(), secondArea_, true);
    chart()->legend()->show(); // at the right, as the chart is low
    fitAxes(from, to, most);
}

void HistogramView::fitAxes(double from, double to, double most) {
    if (from <= to) {
        fitAxis(*balance_, from, to);
    } else {
        fitAxis(*balance_, 0, 1);
    }
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
