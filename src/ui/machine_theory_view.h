#pragma once

#include "export_menus.h"
#include "model/main_window_model.h"

#include <QFrame>
#include <functional>
#include <string>

class QDoubleSpinBox;
class QLabel;

namespace zelkora {
struct OpenMachine;
}

namespace zelkora::ui {

class ShareBarsView;
class TextTableView;

// What Picture_理論値 shows while a machine file is open: the machine's exact theory (first
// hit, chain, entry and continuation of each support state, rounds and balls per first hit,
// 回転単価, 時給 and ボーダー on cash, on held balls and at the chosen 持ち玉比率), the
// continuation of each support entry as a chart, and the rates against the exchange rate. The
// 持ち玉比率 box starts at the last run's own share.
class MachineTheoryView final : public QFrame {
public:
    using MachineSource = std::function<const OpenMachine*()>;
    MachineTheoryView(const MainWindowModel& model, MachineSource machine, ExportSeams seams,
                      QWidget* parent = nullptr);
    QSize sizeHint() const override {
        return {QFrame::sizeHint().width(), minimumSizeHint().height()};
    }

    // Recomputes when the machine or the share changed, and only while on screen.
    void sync();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void recompute(const OpenMachine& machine);
    void clear(const QString& message);
    double ownHeldShare() const;

    const MainWindowModel& model_;
    MachineSource machine_;
    QDoubleSpinBox* share_;
    QLabel* problem_;
    TextTableView* figures_;
    TextTableView* rates_;
    ShareBarsView* continuations_;
    const OpenMachine* shownMachine_ = nullptr;
    std::string shownKey_;
    bool shareEdited_ = false;
};

} // namespace zelkora::ui
