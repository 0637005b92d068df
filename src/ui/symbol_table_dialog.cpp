#include "symbol_table_dialog.h"

#include "drop_down_list.h"
#include "grid_view.h"
#include "qt_text.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zelkora::ui {
namespace {

constexpr int kBoxWidth = 5; // the longest entry of the lists, and a symbol name

constexpr std::array<Page3Control, 6> kBoxes{Page3Control::絵柄数表示,   Page3Control::絵柄数値表示,
                                             Page3Control::確率通常表示, Page3Control::時短表示,
                                             Page3Control::ルール表示,   Page3Control::出玉表示};

} // namespace

SymbolTableDialog::SymbolTableDialog(WizardDialogContext context)
    : WizardDialog(WizardPage::条件2, std::move(context)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeCountRow());
    area_ = new QStackedWidget(this);
    area_->addWidget(makeEditArea());
    rulePanel_ = makeRulePanel();
    area_->addWidget(rulePanel_);
    layout->addWidget(area_, 1);
    QPushButton* back = makeButton("戻る", this);
    QPushButton* finish = makeButton("完了", this);
    QPushButton* cancel = makeButton("キャンセル", this);
    layout->addLayout(makeButtonRow({back, finish, cancel}));
    connect(back, &QPushButton::clicked, this,
            [this] { act([](ConditionWizard& wizard) { wizard.back(WizardPage::条件2); }); });
    connect(finish, &QPushButton::clicked, this,
            [this] { act([](ConditionWizard& wizard) { static_cast<void>(wizard.finish()); }); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { act([](ConditionWizard& wizard) { wizard.cancel(WizardPage::条件2); }); });
    for (const Page3Control box : kBoxes) {
        forwardEdits(box);
    }
    forwardPicks(Page3Control::確率通常表示list);
    forwardPicks(Page3Control::ルール表示list);
    watchHelp();
}

// The grid's view goes first: the widget's own end still asks the view about its rows, and the
// table it shows is already gone by then.
SymbolTableDialog::~SymbolTableDialog() {
    delete grid_;
}

QWidget* SymbolTableDialog::makeCountRow() {
    auto* row = new QWidget(this);
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* count = makeBox(controlName(Page3Control::絵柄数表示), row, 2);
    controls_[static_cast<std::size_t>(Page3Control::絵柄数表示)] = count;
    addBoxRow(grid, 0, count);
    grid->setColumnStretch(1, 1);
    return row;
}

QWidget* SymbolTableDialog::makeEditArea() {
    auto* area = new QWidget(this);
    auto* rows = new QVBoxLayout(area);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(makeLabel("Label_リスト", area));
    auto* layout = new QHBoxLayout;
    rows->addLayout(layout, 1);
    if (const SymbolTablePage* page = wizard().page3()) {
        shownGrid_ = page->grid();
    }
    grid_ = new GridView(QStringLiteral("MSFlexGrid1"), shownGrid_, area);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    // The grid shows its columns whole and the boxes keep their place beside it.
    int width = 0;
    for (int column = 0; column < grid_->model()->columnCount(); ++column) {
        width += grid_->columnWidth(column);
    }
    grid_->setMinimumWidth(width + 2 * grid_->frameWidth() +
                           grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    // A dozen symbols show without scrolling.
    constexpr int kRowsShown = 12;
    grid_->setMinimumHeight(grid_->horizontalHeader()->sizeHint().height() +
                            kRowsShown * grid_->verticalHeader()->defaultSectionSize() +
                            2 * grid_->frameWidth());
    layout->addWidget(grid_, 1);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (syncing_ || !current.isValid()) {
                    return;
                }
                act([row = current.row() + 1](ConditionWizard& wizard) {
                    if (SymbolTablePage* table = wizard.page3()) {
                        table->selectRow(row);
                    }
                });
            });
    layout->addWidget(makeBoxes());
    return area;
}

QWidget* SymbolTableDialog::makeBoxes() {
    auto* boxes = new QWidget(this);
    auto* column = new QVBoxLayout(boxes);
    column->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const Page3Control box : kBoxes) {
        if (box == Page3Control::絵柄数表示) {
            continue;
        }
        QLineEdit* edit = makeBox(controlName(box), boxes, kBoxWidth);
        controls_[static_cast<std::size_t>(box)] = edit;
        DropDownList* list = nullptr;
        const Page3Control listControl = box == Page3Control::確率通常表示
                                             ? Page3Control::確率通常表示list
                                             : Page3Control::ルール表示list;
        if (box == Page3Control::確率通常表示 || box == Page3Control::ルール表示) {
            list =
                new DropDownList(qtText(controlName(listControl)), listEntries(listControl), boxes);
            controls_[static_cast<std::size_t>(listControl)] = list;
        }
        addBoxRow(grid, row++, edit, list);
    }
    column->addLayout(grid);
    QPushButton* details = makeButton("詳細", boxes);
    connect(details, &QPushButton::clicked, this, [this] {
        act([](ConditionWizard& wizard) {
            if (SymbolTablePage* page = wizard.page3()) {
                page->詳細_Click();
            }
        });
    });
    column->addWidget(details, 0, Qt::AlignLeft);
    column->addStretch(1);
    return boxes;
}

QFrame* SymbolTableDialog::makeRulePanel() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Picture1"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(panel);
    QLabel* title = makeLabel("Label_詳細", panel);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    auto* frames = new QGridLayout;
    for (std::size_t group = 0; group < kRuleOptionGroups.size(); ++group) {
        const std::string frameName = std::string(kRuleFramePrefix) + std::to_string(group + 1);
        auto* frame = new QGroupBox(qtText(kRuleOptionGroups[group].caption), panel);
        frame->setObjectName(qtText(frameName));
        auto* options = new QVBoxLayout(frame);
        ruleOptions_[group] = new QButtonGroup(frame);
        const auto& choices = kRuleOptionGroups[group].options;
        for (std::size_t option = 0; option < choices.size(); ++option) {
            auto* button = new QRadioButton(qtText(choices[option].caption), frame);
            button->setObjectName(qtText(choices[option].control));
            ruleOptions_[group]->addButton(button, static_cast<int>(option));
            options->addWidget(button);
        }
        options->addStretch(1);
        connect(ruleOptions_[group], &QButtonGroup::idClicked, this, [this, group](int option) {
            act([&](ConditionWizard& wizard) {
                if (SymbolTablePage* page = wizard.page3()) {
                    page->selectOption(group, static_cast<std::size_t>(option));
                }
            });
        });
        frames->addWidget(frame, static_cast<int>(group / 2), static_cast<int>(group % 2));
    }
    layout->addLayout(frames);
    layout->addStretch(1);
    QPushButton* ok = makeButton("Ok", panel);
    connect(ok, &QPushButton::clicked, this, [this] {
        act([](ConditionWizard& wizard) {
            if (SymbolTablePage* page = wizard.page3()) {
                page->Ok_Click();
            }
        });
    });
    layout->addWidget(ok, 0, Qt::AlignRight);
    return panel;
}

void SymbolTableDialog::forwardEdits(Page3Control box) {
    auto* edit = static_cast<QLineEdit*>(control(box));
    connect(edit, &QLineEdit::textEdited, this, [this, box](const QString& text) {
        act([&](ConditionWizard& wizard) {
            if (SymbolTablePage* page = wizard.page3()) {
                page->change(box, text.toStdString());
            }
        });
    });
    connect(edit, &QLineEdit::returnPressed, this, [this, box] {
        act([box](ConditionWizard& wizard) {
            if (SymbolTablePage* page = wizard.page3()) {
                page->enterPressed(box);
            }
        });
    });
    trackFocus(edit);
}

void SymbolTableDialog::forwardPicks(Page3Control list) {
    connect(static_cast<DropDownList*>(control(list)), &QComboBox::activated, this,
            [this, list](int entry) {
                const std::string_view text = listEntries(list)[static_cast<std::size_t>(entry)];
                act([&](ConditionWizard& wizard) {
                    if (SymbolTablePage* page = wizard.page3()) {
                        page->pick(list, text);
                    }
                });
            });
}

void SymbolTableDialog::sync() {
    const SymbolTablePage* page = wizard().page3();
    if (page == nullptr) {
        return;
    }
    syncing_ = true;
    for (const Page3Control box : kBoxes) {
        auto* edit = static_cast<QLineEdit*>(control(box));
        const QString text = qtText(page->text(box));
        if (edit->text() != text) {
            edit->setText(text);
        }
    }
    static_cast<DropDownList*>(control(Page3Control::確率通常表示list))
        ->followBox(page->text(Page3Control::確率通常表示));
    static_cast<DropDownList*>(control(Page3Control::ルール表示list))
        ->followBox(page->text(Page3Control::ルール表示));
    if (page->grid().revision() != shownGrid_.revision()) {
        shownGrid_ = page->grid();
    }
    grid_->sync();
    const QModelIndex current = grid_->model()->index(page->currentRow() - 1, 0);
    if (current.isValid() && grid_->currentIndex().row() != current.row()) {
        grid_->setCurrentIndex(current);
    }
    area_->setCurrentWidget(page->detailsVisible() ? static_cast<QWidget*>(rulePanel_)
                                                   : area_->widget(0));
    for (std::size_t group = 0; group < ruleOptions_.size(); ++group) {
        if (const std::optional<std::size_t> option = page->selectedOption(group)) {
            ruleOptions_[group]->button(static_cast<int>(*option))->setChecked(true);
        }
    }
    syncing_ = false;
}

void SymbolTableDialog::applyFocusRequest() {
    SymbolTablePage* page = wizard().page3();
    if (page == nullptr) {
        return;
    }
    if (const std::optional<Page3Control> request = page->takeFocusRequest()) {
        // Picture1 covers the boxes while it is shown.
        if (page->detailsVisible() && *request != Page3Control::絵柄数表示) {
            return;
        }
        moveFocus(control(*request));
    }
}

// A box that loses the focus is checked (the count is applied); the lists check nothing.
void SymbolTableDialog::focusChanged(QWidget* watched, bool gained, Qt::FocusReason) {
    if (gained) {
        return;
    }
    for (const Page3Control box : kBoxes) {
        if (control(box) == watched) {
            act([box](ConditionWizard& wizard) {
                if (SymbolTablePage* page = wizard.page3()) {
                    page->lostFocus(box);
                }
            });
            return;
        }
    }
}

} // namespace zelkora::ui
