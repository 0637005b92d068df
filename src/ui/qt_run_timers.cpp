#include "qt_run_timers.h"

namespace zelkora::ui {

QtRunTimers::QtRunTimers(QObject* parent) : QObject(parent) {
    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer3_.setObjectName(QStringLiteral("Timer3"));
    timer1_.setInterval(1000);
    timer3_.setInterval(5);
    timer3_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, [this] { ++runSeconds_; });
    connect(&timer3_, &QTimer::timeout, this, &QtRunTimers::tickCountdown);
    timer1_.start();
    timer3_.start();
}

void QtRunTimers::setCountdownEnabled(bool enabled, int intervalMilliseconds) {
    timer3_.setInterval(intervalMilliseconds);
    if (enabled) {
        timer3_.start();
    } else {
        timer3_.stop();
    }
}

void QtRunTimers::tickCountdown() {
    countdown_ = countdown_ == 1 ? 1000 : countdown_ - 1;
}

} // namespace zelkora::ui
