#include "slot_boxes.h"

#include "qt_text.h"
#include "schedule_strip.h"
#include "wizard/page_texts.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace zelkora::ui {
namespace {

constexpr int kSlotWidth = 30;
constexpr int kSlotHeight = 22;
constexpr int kSlotGap = 2;

} // namespace

HourScale::HourScale(const QString& name, const QString& text, const std::array<QFrame*, 14>& boxes,
                     QWidget* parent)
    : QWidget(parent), words_(text.split(u' ', Qt::SkipEmptyParts)), boxes_(boxes) {
    setObjectName(name);
    setAccessibleName(text);
}

QSize HourScale::sizeHint() const {
    return {kScheduleSlots * (kSlotWidth + kSlotGap), fontMetrics().height() + 2};
}

void HourScale::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // One word per border between slots, the first at the left of slot 1, one at the right of
    // the last slot and the unit after it.
    if (words_.size() != kScheduleSlots + 2) {
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, words_.join(u' '));
        return;
    }
    const QFontMetrics metrics = fontMetrics();
    int lastRight = 0;
    for (int border = 0; border <= kScheduleSlots; ++border) {
        const QFrame* slot = boxes_[static_cast<std::size_t>(std::min(border, kScheduleSlots - 1))];
        const int slotLeft = slot->mapTo(parentWidget(), QPoint(0, 0)).x() - x();
        const int centre = border < kScheduleSlots ? slotLeft - kSlotGap / 2
                                                   : slotLeft + slot->width() + kSlotGap / 2;
        const QString& word = words_[border];
        const int width = metrics.horizontalAdvance(word);
        const QRect place(centre - width / 2, 0, width, height());
        painter.drawText(place, Qt::AlignCenter, word);
        lastRight = place.right();
    }
    painter.drawText(QRect(lastRight + metrics.averageCharWidth(), 0, width(), height()),
                     Qt::AlignLeft | Qt::AlignVCenter, words_.back());
}

SlotBoxes::SlotBoxes(const QString& hourScaleText, std::function<void(int)> clicked,
                     QWidget* parent)
    : QWidget(parent), clicked_(std::move(clicked)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto* row = new QHBoxLayout;
    // Room for half an hour mark before the first slot and the last mark and its unit after.
    const int unitWidth = fontMetrics().horizontalAdvance(QStringLiteral("23 時"));
    row->setContentsMargins(fontMetrics().horizontalAdvance(QStringLiteral("9")), 0, unitWidth, 0);
    row->setSpacing(kSlotGap);
    for (int slot = 1; slot <= kScheduleSlots; ++slot) {
        auto* box = new QFrame(this);
        box->setObjectName(qtText(kSlotBoxPrefix) + QString::number(slot));
        box->setFrameShape(QFrame::Panel);
        box->setFrameShadow(QFrame::Sunken);
        box->setAutoFillBackground(true);
        box->setFixedSize(kSlotWidth, kSlotHeight);
        box->setCursor(Qt::PointingHandCursor);
        box->installEventFilter(this);
        row->addWidget(box);
        boxes_[static_cast<std::size_t>(slot - 1)] = box;
    }
    row->addStretch(1);
    layout->addWidget(new HourScale(qtText(kHourScaleLabel), hourScaleText, boxes_, this));
    layout->addLayout(row);
}

void SlotBoxes::showSlots(const ScheduleSlots& states) {
    for (std::size_t index = 0; index < states.size(); ++index) {
        const QColor colour = slotColourOf(scheduleDigit(states[index]));
        QPalette palette = boxes_[index]->palette();
        if (palette.color(QPalette::Window) != colour) {
            palette.setColor(QPalette::Window, colour);
            boxes_[index]->setPalette(palette);
        }
    }
}

bool SlotBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (std::size_t index = 0; index < boxes_.size(); ++index) {
            if (boxes_[index] == watched) {
                clicked_(static_cast<int>(index) + 1);
                return true;
            }
        }
    }
    return false;
}

} // namespace zelkora::ui
