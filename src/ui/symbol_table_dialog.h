#pragma once

#include "model/grid_table.h"
#include "wizard_dialog.h"

#include <array>

class QButtonGroup;
class QFrame;
class QStackedWidget;

namespace zelkora::ui {

class GridView;

// Page 3, 条件2: the symbol count, the symbol grid MSFlexGrid1 with the five boxes that edit
// its current row, the rule-option panel Picture1 behind 詳細, Back, Finish and Cancel.
class SymbolTableDialog final : public WizardDialog {
public:
    explicit SymbolTableDialog(WizardDialogContext context);
    ~SymbolTableDialog() override;

    void sync() override;
    void applyFocusRequest() override;

    // A text box of the page, or one of its two lists.
    QWidget* control(Page3Control control) const {
        return controls_[static_cast<std::size_t>(control)];
    }
    GridView* grid() const { return grid_; }

protected:
    void focusChanged(QWidget* control, bool gained, Qt::FocusReason reason) override;

private:
    QWidget* makeCountRow();
    QWidget* makeEditArea();
    QWidget* makeBoxes();
    QFrame* makeRulePanel();
    void forwardEdits(Page3Control box);
    void forwardPicks(Page3Control list);

    std::array<QWidget*, 8> controls_{};
    // The page's grid as last synced: the page goes with Finish, Back or Cancel before its
    // window is hidden, and the view must still have rows to ask about.
    GridTable shownGrid_;
    GridView* grid_ = nullptr;
    QStackedWidget* area_ = nullptr; // the grid with its boxes, or the rule-option panel
    QFrame* rulePanel_ = nullptr;
    std::array<QButtonGroup*, 4> ruleOptions_{};
    bool syncing_ = false; // the grid's row follows the page without reporting a click
};

} // namespace zelkora::ui
