#include "basic_conditions_dialog.h"

#include "drop_down_list.h"
#include "qt_text.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelkora::ui {
namespace {

// Widths in full-width characters: the name takes up to 25 characters.
constexpr int kNameWidth = 16;
constexpr int kNumberWidth = 4;

constexpr std::array<Page1List, 3> kLists{Page1List::リッミター表示L, Page1List::再投資表示L,
                                          Page1List::投資単位L};

} // namespace

BasicConditionsDialog::BasicConditionsDialog(WizardDialogContext context)
    : WizardDialog(WizardPage::条件1, std::move(context)) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    for (std::size_t index = 0; index < kPage1BoxCount; ++index) {
        const auto box = static_cast<Page1Box>(index);
        boxes_[index] = makeBox(controlName(box), this,
                                box == Page1Box::検証名表示 ? kNameWidth : kNumberWidth);
    }
    for (std::size_t index = 0; index < kLists.size(); ++index) {
        lists_[index] = makeList(kLists[index]);
    }
    std::vector<QWidget*> tabOrder;
    for (std::size_t index = 0; index < kPage1BoxCount; ++index) {
        const auto box = static_cast<Page1Box>(index);
        DropDownList* list = nullptr;
        for (std::size_t entry = 0; entry < kLists.size(); ++entry) {
            if (pairedBox(kLists[entry]) == box) {
                list = lists_[entry];
            }
        }
        addBoxRow(grid, static_cast<int>(index), boxes_[index], list);
        // The tab order runs down the page, each list right after its box.
        tabOrder.push_back(boxes_[index]);
        if (list != nullptr) {
            tabOrder.push_back(list);
        }
    }
    layout->addLayout(grid);
    layout->addStretch(1);
    QPushButton* next = makeButton("次へ", this);
    QPushButton* cancel = makeButton("キャンセル", this);
    layout->addLayout(makeButtonRow({next, cancel}));
    tabOrder.insert(tabOrder.end(), {next, cancel});
    setTabOrderOf(tabOrder);

    for (std::size_t index = 0; index < kPage1BoxCount; ++index) {
        const auto box = static_cast<Page1Box>(index);
        QLineEdit* edit = boxes_[index];
        connect(edit, &QLineEdit::textEdited, this, [this, box](const QString& text) {
            act([&](ConditionWizard& wizard) {
                if (BasicConditionsPage* page = wizard.page1()) {
                    page->change(box, text.toStdString());
                }
            });
        });
        connect(edit, &QLineEdit::returnPressed, this, [this, box] {
            act([box](ConditionWizard& wizard) {
                if (BasicConditionsPage* page = wizard.page1()) {
                    page->enterPressed(box);
                }
            });
        });
        trackFocus(edit);
    }
    connect(next, &QPushButton::clicked, this,
            [this] { act([](ConditionWizard& wizard) { wizard.next(WizardPage::条件1); }); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { act([](ConditionWizard& wizard) { wizard.cancel(WizardPage::条件1); }); });
    watchHelp();
}

DropDownList* BasicConditionsDialog::makeList(Page1List list) {
    auto* dropDown = new DropDownList(qtText(controlName(list)), listEntries(list), this);
    connect(dropDown, &QComboBox::activated, this, [this, list](int entry) {
        const std::string_view text = listEntries(list)[static_cast<std::size_t>(entry)];
        act([&](ConditionWizard& wizard) {
            if (BasicConditionsPage* page = wizard.page1()) {
                page->pick(list, text);
            }
        });
    });
    return dropDown;
}

void BasicConditionsDialog::sync() {
    const BasicConditionsPage* page = wizard().page1();
    if (page == nullptr) {
        return;
    }
    for (std::size_t index = 0; index < kPage1BoxCount; ++index) {
        const auto box = static_cast<Page1Box>(index);
        const QString text = qtText(page->text(box));
        if (boxes_[index]->text() != text) {
            boxes_[index]->setText(text);
        }
        boxes_[index]->setEnabled(page->enabled(box));
    }
    for (std::size_t index = 0; index < kLists.size(); ++index) {
        lists_[index]->followBox(page->text(pairedBox(kLists[index])));
    }
}

void BasicConditionsDialog::applyFocusRequest() {
    BasicConditionsPage* page = wizard().page1();
    if (page == nullptr) {
        return;
    }
    const std::optional<Page1Box> request = page->takeFocusRequest();
    if (!request) {
        return;
    }
    checkedFocus_ = page->errorShown() ? request : std::nullopt;
    if (moveFocus(box(*request))) {
        gotFocus(*request); // already there: the move arrives at once
    }
}

void BasicConditionsDialog::focusChanged(QWidget* control, bool gained, Qt::FocusReason reason) {
    if (!gained) {
        return;
    }
    for (std::size_t index = 0; index < kPage1BoxCount; ++index) {
        if (boxes_[index] != control) {
            continue;
        }
        const auto box = static_cast<Page1Box>(index);
        // Coming back to the window is no move into a box, except the return to the box a
        // failed check named.
        if (reason == Qt::ActiveWindowFocusReason && checkedFocus_ != box) {
            return;
        }
        gotFocus(box);
    }
}

void BasicConditionsDialog::gotFocus(Page1Box box) {
    checkedFocus_.reset();
    act([box](ConditionWizard& wizard) {
        if (BasicConditionsPage* page = wizard.page1()) {
            page->gotFocus(box);
        }
    });
}

} // namespace zelkora::ui
