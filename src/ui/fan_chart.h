#pragma once

#include "analysis/analysis_report.h"
#include "analysis/balance_histogram.h"

#include <QChartView>
#include <array>
#include <vector>

class QAreaSeries;
class QBarCategoryAxis;
class QBarSet;
class QLineSeries;
class QValueAxis;

namespace zelkora::ui {

// The daily cumulative balance over all campaigns: the median line inside the 25–75 and the
// 5–95 percentile bands, from the bands the analysis streamed (no campaign is kept).
class FanChartView final : public QChartView {
public:
    explicit FanChartView(const QString& name, QWidget* parent = nullptr);
    void show(const std::vector<DayBand>& bands);

private:
    QLineSeries* median_;
    std::array<QLineSeries*, 4> edges_{}; // 5, 25, 75, 95
    QValueAxis* days_;
    QValueAxis* balance_;
};

// The final balances' histogram as steps over the yen axis.
class HistogramView final : public QChartView {
public:
    explicit HistogramView(const QString& name, QWidget* parent = nullptr);
    void show(const StreamingHistogram& histogram);

private:
    QLineSeries* steps_;
    QLineSeries* base_;
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
