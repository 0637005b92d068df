#include "schedule_strip.h"

#include "conditions/condition_set.h"

#include <QGridLayout>
#include <QLabel>

namespace zelkora::ui {

QColor slotColourOf(char digit) {
    const std::uint32_t value = slotColour(digit);
    if (value == kSlotColourNotPlayed || value == 0) {
        return {200, 200, 200}; // the scroll-bar grey of the classic system colours
    }
    // Colour values keep red in the low byte.
    return {static_cast<int>(value & 0xFFU), static_cast<int>((value >> 8) & 0xFFU),
            static_cast<int>((value >> 16) & 0xFFU)};
}

ScheduleStrip::ScheduleStrip(const QString& prefix, QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(2);
    layout->setVerticalSpacing(0);
    for (int index = 0; index < kScheduleSlots; ++index) {
        auto* box = new QLabel(this);
        box->setObjectName(prefix + QString::number(index + 1));
        box->setAutoFillBackground(true);
        box->setFrameShape(QFrame::Panel);
        box->setFrameShadow(QFrame::Sunken);
        box->setMinimumSize(18, 14);
        layout->addWidget(box, 0, index * 2, 1, 2);
        slots_[static_cast<std::size_t>(index)] = box;
    }
    for (int hour = 0; hour <= kScheduleSlots; ++hour) {
        auto* label = new QLabel(QString::number(9 + hour), this);
        label->setAlignment(Qt::AlignCenter);
        QFont small = label->font();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        label->setFont(small);
        // Each hour mark sits under the border between two slots.
        layout->addWidget(label, 1, std::max(0, hour * 2 - 1), 1, hour == 0 ? 1 : 2);
    }
    showSchedule(std::string(kScheduleSlots, kSlotNotPlayed));
}

void ScheduleStrip::addUnderSlot(int index, QWidget* widget) {
    static_cast<QGridLayout*>(layout())->addWidget(widget, 2, index * 2, 1, 2);
}

void ScheduleStrip::showSchedule(const std::string& schedule) {
    if (schedule == shown_) {
        return;
    }
    shown_ = schedule;
    for (std::size_t index = 0; index < slots_.size(); ++index) {
        const char digit = index < schedule.size() ? schedule[index] : kSlotNotPlayed;
        QPalette palette = slots_[index]->palette();
        palette.setColor(QPalette::Window, slotColourOf(digit));
        slots_[index]->setPalette(palette);
    }
}

} // namespace zelkora::ui
