#pragma once

#include "model/chart_data.h"

#include <QChartView>
#include <QStringList>

class QBarSet;
class QBarCategoryAxis;
class QLineSeries;
class QValueAxis;

namespace zelkora::ui {

// The charts' font as designed; mapped to an installed CJK font where it is absent.
inline constexpr const char* kChartFontFamily = "ＭＳ ゴシック";

// One of the five charts over the core's ChartData. A chart that is not on screen is brought up
// to date when it is shown, so a run pays only for the chart in view, and then once per sync.
class ChartView : public QChartView {
    Q_OBJECT
public:
    ChartView(const QString& name, const ChartData& source, QWidget* parent = nullptr);

    void sync();

protected:
    void showEvent(QShowEvent* event) override;
    virtual void update(const ChartData& source) = 0;
    QValueAxis* valueAxis() const { return valueAxis_; }
    // The value axis spans the values with round numbers, 0 always included.
    void fitValueAxis(double low, double high);

private:
    const ChartData& data_;
    QValueAxis* valueAxis_;
    std::uint64_t revision_ = 0;
    bool synced_ = false;
};

// A bar per row, labelled with the row's label: the symbol, spin-count and streak shares.
class BarChartView final : public ChartView {
    Q_OBJECT
public:
    BarChartView(const QString& name, const ChartData& source, QWidget* parent = nullptr);

private:
    void update(const ChartData& source) override;

    QBarSet* set_;
    QBarCategoryAxis* categories_;
    QStringList labels_;
};

// A line per column over the rows, whose labels are numbers (days, first hits): the daily
// balance and the probability transition. Rows labelled otherwise (a cleared chart) are placed
// at their row number.
class LineChartView final : public ChartView {
    Q_OBJECT
public:
    LineChartView(const QString& name, const ChartData& source, const QStringList& seriesNames,
                  QWidget* parent = nullptr);

private:
    void update(const ChartData& source) override;

    QList<QLineSeries*> series_;
    QValueAxis* rowAxis_;
};

} // namespace zelkora::ui
