#pragma once

#include "model/main_window_model.h"

#include <QFrame>

namespace zelkora::ui {

class FieldViews;
class GridView;
class ChartView;
class ScheduleStrip;

// Picture_基本条件: every condition display, the service-time rule and the play schedule.
class ConditionPanel final : public QFrame {
public:
    ConditionPanel(FieldViews& fields, QWidget* parent = nullptr);
    void sync(const MainWindowModel& model);

private:
    ScheduleStrip* schedule_;
};

// Picture_総合データ: the overall figures.
class OverallPanel final : public QFrame {
public:
    OverallPanel(FieldViews& fields, QWidget* parent = nullptr);
};

// A panel that shows one grid: Picture_日データ (Grid3) and Picture_絵柄 (Grid2).
class GridPanel final : public QFrame {
public:
    GridPanel(const QString& panelName, const QString& gridName, const GridTable& table,
              QWidget* parent = nullptr);
    GridView* grid() const { return grid_; }
    void sync();

private:
    GridView* grid_;
};

// A panel that shows one chart, and for the distributions the column of percentage boxes:
// Picture_確率変移, Picture_回転数, Picture_連荘分布, Picture_収支, Picture_絵柄分布.
class ChartPanel final : public QFrame {
public:
    ChartPanel(const QString& panelName, ChartView* chart, QWidget* side,
               QWidget* parent = nullptr);
    ChartView* chart() const { return chart_; }
    void sync();

private:
    ChartView* chart_;
};

// The percentage boxes beside the spin-count chart and the streak chart.
QWidget* makeSpinShareBoxes(FieldViews& fields);
QWidget* makeStreakShareBoxes(FieldViews& fields);
// The two boxes that name the probability chart's columns.
QWidget* makeTransitionNames();

} // namespace zelkora::ui
