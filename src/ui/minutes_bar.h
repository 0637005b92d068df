#pragma once

#include <QWidget>

namespace zelkora::ui {

// An hour bar of the run area: how many of the hour's 60 minutes have been played. Unlike
// QProgressBar, which repaints at once on every new value, it repaints with the window's next
// frame, so a sync that moves fourteen bars costs fourteen stores.
class MinutesBar final : public QWidget {
public:
    explicit MinutesBar(QWidget* parent = nullptr);

    int value() const { return value_; }
    void setValue(int minutes);
    static constexpr int kMaximum = 60;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int value_ = 0;
};

} // namespace zelkora::ui
