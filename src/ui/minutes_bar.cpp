#include "minutes_bar.h"

#include <QPainter>
#include <algorithm>

namespace zelkora::ui {

MinutesBar::MinutesBar(QWidget* parent) : QWidget(parent) {
    setMinimumSize(12, 8);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void MinutesBar::setValue(int minutes) {
    minutes = std::clamp(minutes, 0, kMaximum);
    if (minutes != value_) {
        value_ = minutes;
        update();
    }
}

void MinutesBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(frame, palette().base());
    const int filled = frame.width() * value_ / kMaximum;
    painter.fillRect(QRect(frame.left(), frame.top(), filled, frame.height()),
                     palette().highlight());
    painter.setPen(palette().mid().color());
    painter.drawRect(frame);
}

} // namespace zelkora::ui
