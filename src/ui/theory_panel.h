#pragma once

#include "export_menus.h"
#include "model/main_window_model.h"

#include <QFrame>
#include <optional>
#include <string>

class QDoubleSpinBox;
class QLabel;
class QPlainTextEdit;

namespace zelkora::ui {

class ShareBarsView;
class TextTableView;

// Picture_理論値: the theoretical figures of the open verification, computed again whenever
// its conditions change: the figures with the assumption each rests on, the streak chances as
// a chart, 回転単価 and ボーダー against the exchange rate, and the assumptions in words. The
// 持ち玉比率 box sets the share of play on held balls; it starts at the verification's own, as
// its last run kept it in the working copy (0 % before any run).
class TheoryPanel final : public QFrame {
public:
    TheoryPanel(const MainWindowModel& model, ExportSeams seams, QWidget* parent = nullptr);
    // No more height than it needs: the panels share the window with the big-hit grid, which
    // keeps its rows however many panels there are.
    QSize sizeHint() const override {
        return {QFrame::sizeHint().width(), minimumSizeHint().height()};
    }

    // Recomputes when the conditions changed since the last time, and only while on screen.
    void sync();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void recompute();

    const MainWindowModel& model_;
    QDoubleSpinBox* share_;
    QLabel* problem_;
    TextTableView* figures_;
    TextTableView* rates_;
    ShareBarsView* streaks_;
    QPlainTextEdit* assumptions_;
    std::string shownKey_;
    std::optional<double> ownShare_; // the verification's own 持ち玉比率, 0 … 1
    bool shareEdited_ = false;
};

} // namespace zelkora::ui
