#pragma once

#include "analysis/analysis_report.h"
#include "analysis/balance_histogram.h"

#include <QChartView>
#include <array>
#include <span>
#include <vector>

class QAreaSeries;
class QBarCategoryAxis;
class QBarSet;
class QLineSeries;
class QValueAxis;

namespace zelkora::ui {

// The daily cumulative balance over all campaigns: the median line inside the 25–75 and the
// 5–95 percentile bands, from the bands the analysis streamed (no campaign is kept). A
// comparison adds the second verification's median and 25–75 band in a colour of its own.
class FanChartView final : public QChartView {
public:
    explicit FanChartView(const QString& name, QWidget* parent = nullptr);
    void show(const std::vector<DayBand>& bands);
    void showPair(const std::vector<DayBand>& first, const std::vector<DayBand>& second,
                  const QString& firstName, const QString& secondName);

    QLineSeries* median() const { return median_; }
    QLineSeries* secondMedian() const { return secondMedian_; }

private:
    // Fills the edges and the median from the bands; widens [low, high] to what they reach.
    static void fill(const std::vector<DayBand>& bands, std::span<QLineSeries* const> edges,
                     std::span<const std::size_t> percentiles, QLineSeries& median, double& low,
                     double& high);
    void fitAxes(const std::vector<DayBand>& bands, double low, double high);
    void nameSeries(const QString& first, const QString& second);

    QLineSeries* median_;
    std::array<QLineSeries*, 4> edges_{}; // 5, 25, 75, 95
    QAreaSeries* outer_;
    QAreaSeries* inner_;
    QLineSeries* secondMedian_;
    std::array<QLineSeries*, 2> secondEdges_{}; // 25, 75
    QAreaSeries* secondInner_;
    QValueAxis* days_;
    QValueAxis* balance_;
};

// The final balances' histogram as steps over the yen axis; a comparison draws the second
// verification's over the first's, in bins of one width, with a legend naming both files and the
// difference with its interval in the title.
class HistogramView final : public QChartView {
public:
    explicit HistogramView(const QString& name, QWidget* parent = nullptr);
    void show(const StreamingHistogram& histogram);
    void showPair(StreamingHistogram first, StreamingHistogram second, const QString& firstName,
                  const QString& secondName, const QString& difference);

    QLineSeries* steps() const { return steps_; }
    QLineSeries* secondSteps() const { return secondSteps_; }

private:
    // Draws the histogram's steps and their base line; widens [from, to] and `most`.
    static void fill(const StreamingHistogram& histogram, QLineSeries& steps, QLineSeries& base,
                     double& from, double& to, double& most);
    void fitAxes(double from, double to, double most);

    QLineSeries* steps_;
    QLineSeries* base_;
    QAreaSeries* area_;
    QLineSeries* secondSteps_;
    QLineSeries* secondBase_;
    QAreaSeries* secondArea_;
    QValueAxis* balance_;
    QValueAxis* campaigns_;
};

// Shares as bars with a label each (the theory's streak distribution), in percent.
class ShareBarsView final : public QChartView {
public:
    ShareBarsView(const QString& name, const QString& title, QWidget* parent = nullptr);
    void show(const QStringList& labels, const QList<qreal>& percents);

private:
    QBarSet* set_;
    QBarCategoryAxis* categories_;
    QValueAxis* values_;
};

} // namespace zelkora::ui
