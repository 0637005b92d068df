#pragma once

#include "wizard_dialog.h"

#include <array>
#include <optional>

namespace zelkora::ui {

// Page 1, 条件1: the eleven basic-condition boxes with the drop-down lists of the limiter, the
// re-investment and the investment unit, Next and Cancel.
class BasicConditionsDialog final : public WizardDialog {
public:
    explicit BasicConditionsDialog(WizardDialogContext context);

    void sync() override;
    void applyFocusRequest() override;

    QLineEdit* box(Page1Box box) const { return boxes_[static_cast<std::size_t>(box)]; }

protected:
    void focusChanged(QWidget* control, bool gained, Qt::FocusReason reason) override;

private:
    DropDownList* makeList(Page1List list);
    void gotFocus(Page1Box box);

    std::array<QLineEdit*, kPage1BoxCount> boxes_{};
    std::array<DropDownList*, 3> lists_{};
    // The box the last failed check sent the focus to: when the window comes back to it from
    // the check's message, that is the arrival the check waits for.
    std::optional<Page1Box> checkedFocus_;
};

} // namespace zelkora::ui
