#pragma once

#include "platform/platform.h"

#include <QObject>
#include <QTimer>

namespace zelkora::ui {

// The main window's two timers: Timer1 adds a run second every 1000 ms; Timer3 counts 1000
// down to 1 and wraps, every 5 ms (every 1 ms once a run has ended). Both run from the moment
// the window loads; runs and rebuilds stop and restart Timer3.
class QtRunTimers final : public QObject, public RunTimers {
    Q_OBJECT
public:
    explicit QtRunTimers(QObject* parent = nullptr);

    int countdown() const override { return countdown_; }
    void setCountdownEnabled(bool enabled, int intervalMilliseconds) override;
    std::int32_t runSeconds() const override { return runSeconds_; }
    void resetRunSeconds() override { runSeconds_ = 0; }

    bool countdownActive() const { return timer3_.isActive(); }
    int countdownInterval() const { return timer3_.interval(); }

private:
    void tickCountdown();

    QTimer timer1_;
    QTimer timer3_;
    int countdown_ = 1000;
    std::int32_t runSeconds_ = 0;
};

} // namespace zelkora::ui
