#pragma once

#include "model/main_window_model.h"

#include <QFrame>

namespace zelkora::ui {

class FieldViews;
class ScheduleStrip;

// Picture3, shown during a run: the day label, the fourteen slot boxes TSP1 … TSP14 in the
// schedule's colours with the minutes played in each hour below them (ProgressBar2 …
// ProgressBar15), and the colour legend Label12.
class RunAreaView final : public QFrame {
public:
    RunAreaView(FieldViews& fields, QWidget* parent = nullptr);
    void sync(const MainWindowModel& model);

private:
    ScheduleStrip* slots_;
};

} // namespace zelkora::ui
