#include "time_conditions_dialog.h"

#include "qt_text.h"
#include "schedule_strip.h"
#include "slot_boxes.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelkora::ui {
namespace {

constexpr int kTimeWidth = 4;

// A colour swatch and the row label it explains.
QWidget* makeLegend(QLabel* label, char digit, QWidget* parent) {
    auto* legend = new QWidget(parent);
    auto* layout = new QHBoxLayout(legend);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* swatch = new QFrame(legend);
    swatch->setFrameShape(QFrame::Panel);
    swatch->setFrameShadow(QFrame::Sunken);
    swatch->setAutoFillBackground(true);
    swatch->setFixedSize(16, 12);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, slotColourOf(digit));
    swatch->setPalette(palette);
    layout->addWidget(swatch);
    layout->addWidget(label);
    return legend;
}

} // namespace

TimeConditionsDialog::TimeConditionsDialog(WizardDialogContext context)
    : WizardDialog(WizardPage::条件T, std::move(context)) {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    top->addWidget(makeTimeFrame(), 0, 0);
    top->addWidget(makeServiceTimeFrame(), 0, 1, 2, 1);
    top->addWidget(makeSpinsPerHour(), 1, 0);
    layout->addLayout(top);
    layout->addWidget(makeSlotArea());
    for (const char* note : {"Label_玉増減", "Label_延長", "Label_消費時間"}) {
        layout->addWidget(makeLabel(note, this));
    }
    layout->addStretch(1);
    QPushButton* back = makeButton("Command_戻る", this);
    QPushButton* next = makeButton("Command_次へ", this);
    QPushButton* cancel = makeButton("Command_キャンセル", this);
    layout->addLayout(makeButtonRow({back, next, cancel}));
    connect(back, &QPushButton::clicked, this,
            [this] { act([](ConditionWizard& wizard) { wizard.back(WizardPage::条件T); }); });
    connect(next, &QPushButton::clicked, this,
            [this] { act([](ConditionWizard& wizard) { wizard.next(WizardPage::条件T); }); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { act([](ConditionWizard& wizard) { wizard.cancel(WizardPage::条件T); }); });
    watchHelp();
}

QWidget* TimeConditionsDialog::makeTimeFrame() {
    auto* frame = new QGroupBox(qtText(captionOf("Frame_回転時間")), this);
    frame->setObjectName(QStringLiteral("Frame_回転時間"));
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    for (std::size_t index = 0; index < kPage2BoxCount; ++index) {
        const auto box = static_cast<Page2Box>(index);
        if (box == Page2Box::時間回転数表示) {
            continue;
        }
        boxes_[index] = makeBox(controlName(box), frame, kTimeWidth);
        addBoxRow(grid, static_cast<int>(index), boxes_[index]);
        connect(boxes_[index], &QLineEdit::textEdited, this, [this, box](const QString& text) {
            act([&](ConditionWizard& wizard) {
                if (TimeConditionsPage* page = wizard.page2()) {
                    page->change(box, text.toStdString());
                }
            });
        });
        trackFocus(boxes_[index]);
    }
    return frame;
}

// The spins per hour follow from the boxes above; the box only shows them.
QWidget* TimeConditionsDialog::makeSpinsPerHour() {
    auto* row = new QWidget(this);
    auto* grid = new QGridLayout(row);
    grid->setColumnStretch(1, 1);
    QLineEdit* box = makeBox(controlName(Page2Box::時間回転数表示), row, kTimeWidth);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    box->setPalette(palette);
    boxes_[static_cast<std::size_t>(Page2Box::時間回転数表示)] = box;
    addBoxRow(grid, 0, box);
    return row;
}

QWidget* TimeConditionsDialog::makeServiceTimeFrame() {
    auto* frame = new QGroupBox(qtText(captionOf("Frame_タイムサービス")), this);
    frame->setObjectName(QStringLiteral("Frame_タイムサービス"));
    auto* column = new QVBoxLayout(frame);
    serviceTime_ = new QButtonGroup(frame);
    for (const ServiceTimeOption& option : kServiceTimeOptions) {
        auto* button = new QRadioButton(qtText(option.caption), frame);
        button->setObjectName(qtText(option.control));
        serviceTime_->addButton(button, option.code);
        column->addWidget(button);
    }
    column->addStretch(1);
    connect(serviceTime_, &QButtonGroup::idClicked, this, [this](int code) {
        act([code](ConditionWizard& wizard) {
            if (TimeConditionsPage* page = wizard.page2()) {
                page->selectServiceTimeRule(static_cast<std::uint8_t>(code));
            }
        });
    });
    return frame;
}

QWidget* TimeConditionsDialog::makeSlotArea() {
    auto* area = new QWidget(this);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel* instruction = makeLabel(kSlotInstructionLabel, area);
    layout->addWidget(instruction);
    slots_ = new SlotBoxes(
        qtText(captionOf(kHourScaleLabel)),
        [this](int slot) {
            act([slot](ConditionWizard& wizard) {
                if (TimeConditionsPage* page = wizard.page2()) {
                    page->clickSlot(slot);
                }
            });
        },
        area);
    layout->addWidget(slots_);
    auto* legends = new QHBoxLayout;
    legends->addWidget(makeLegend(makeLabel("Label_遊戯時間", area), kSlotPlayed, area));
    legends->addWidget(makeLegend(makeLabel("Label_タイムサービス", area), kSlotServiceTime, area));
    legends->addStretch(1);
    layout->addLayout(legends);
    return area;
}

QFrame* TimeConditionsDialog::slotBox(int slot) const {
    return slots_->box(slot);
}

void TimeConditionsDialog::sync() {
    const TimeConditionsPage* page = wizard().page2();
    if (page == nullptr) {
        return;
    }
    for (std::size_t index = 0; index < kPage2BoxCount; ++index) {
        const QString text = qtText(page->text(static_cast<Page2Box>(index)));
        if (boxes_[index]->text() != text) {
            boxes_[index]->setText(text);
        }
    }
    const std::optional<std::uint8_t> rule = page->serviceTimeRule();
    if (rule) {
        serviceTime_->button(*rule)->setChecked(true);
    } else if (serviceTime_->checkedButton() != nullptr) {
        // An exclusive group cannot otherwise show that no option is selected.
        serviceTime_->setExclusive(false);
        serviceTime_->checkedButton()->setChecked(false);
        serviceTime_->setExclusive(true);
    }
    slots_->showSlots(page->slotBoxes());
}

void TimeConditionsDialog::focusChanged(QWidget* control, bool gained, Qt::FocusReason) {
    if (gained) {
        return;
    }
    for (std::size_t index = 0; index < kPage2BoxCount; ++index) {
        if (boxes_[index] == control) {
            act([index](ConditionWizard& wizard) {
                if (TimeConditionsPage* page = wizard.page2()) {
                    page->leave(static_cast<Page2Box>(index));
                }
            });
        }
    }
}

} // namespace zelkora::ui
