#pragma once

#include "model/main_window_model.h"

#include <QFrame>

namespace zelkora::ui {

class FieldViews;
class GridView;

// Picture1: the big-hit detail strip over Grid1, and the daily-total strip below it.
class DetailArea final : public QFrame {
public:
    DetailArea(FieldViews& fields, const Grids& grids, QWidget* parent = nullptr);
    GridView* grid() const { return grid1_; }
    void sync();

private:
    GridView* grid1_;
};

} // namespace zelkora::ui
