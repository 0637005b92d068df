#pragma once

#include <QColor>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

class QLabel;

namespace zelkora::ui {

// The fourteen one-hour slots of the play schedule, 9 to 23 o'clock, each coloured by its digit:
// not played, played, played in service time.
class ScheduleStrip final : public QWidget {
    Q_OBJECT
public:
    // The slot boxes are named `prefix` 1 … 14.
    ScheduleStrip(const QString& prefix, QWidget* parent = nullptr);

    void showSchedule(const std::string& schedule);
    QLabel* slot(int index) const { return slots_[static_cast<std::size_t>(index)]; }
    // Puts a widget under slot `index` (0-based), below the hour marks.
    void addUnderSlot(int index, QWidget* widget);

private:
    std::array<QLabel*, 14> slots_{};
    std::string shown_;
};

// The colour of a slot box for a schedule digit.
QColor slotColourOf(char digit);

} // namespace zelkora::ui
