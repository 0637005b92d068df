#pragma once

#include "wizard_dialog.h"

#include <array>

class QButtonGroup;
class QFrame;

namespace zelkora::ui {

class SlotBoxes;

// Page 2, 条件T: the seconds per spin, the time ratio and the spins per hour that follow, the
// service-time options, the fourteen slot boxes under the hour scale, Back, Next and Cancel.
class TimeConditionsDialog final : public WizardDialog {
public:
    explicit TimeConditionsDialog(WizardDialogContext context);

    void sync() override;
    void applyFocusRequest() override {} // page 2 moves no focus

    QLineEdit* box(Page2Box box) const { return boxes_[static_cast<std::size_t>(box)]; }
    QFrame* slotBox(int slot) const;

protected:
    // Leaving a time box checks what was typed into it.
    void focusChanged(QWidget* control, bool gained, Qt::FocusReason reason) override;

private:
    QWidget* makeTimeFrame();
    QWidget* makeSpinsPerHour();
    QWidget* makeServiceTimeFrame();
    QWidget* makeSlotArea();

    std::array<QLineEdit*, kPage2BoxCount> boxes_{};
    QButtonGroup* serviceTime_ = nullptr;
    SlotBoxes* slots_ = nullptr;
};

} // namespace zelkora::ui
