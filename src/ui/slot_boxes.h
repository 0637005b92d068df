#pragma once

#include "wizard/schedule_slots.h"

#include <QFrame>
#include <array>
#include <functional>

namespace zelkora::ui {

// The hour scale above page 2's slot boxes: each hour of the scale's text stands over the
// border of two slots, the last word after the last hour.
class HourScale final : public QWidget {
public:
    // `boxes` are the slot boxes the hours mark, siblings of the scale.
    HourScale(const QString& name, const QString& text, const std::array<QFrame*, 14>& boxes,
              QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList words_;
    const std::array<QFrame*, 14>& boxes_;
};

// Page 2's fourteen slot boxes Text1 … Text14 under the hour scale, coloured by their state; a
// click on a box is passed on as the slot's number.
class SlotBoxes final : public QWidget {
public:
    SlotBoxes(const QString& hourScaleText, std::function<void(int)> clicked,
              QWidget* parent = nullptr);

    void showSlots(const ScheduleSlots& states);
    QFrame* box(int slot) const { return boxes_[static_cast<std::size_t>(slot - 1)]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QFrame*, 14> boxes_{};
    std::function<void(int)> clicked_;
};

} // namespace zelkora::ui
