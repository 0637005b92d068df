#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The play-time model: the day's length from the play schedule, the schedule digit of the
// current hour (service time), the hour bars and the time a spin takes.
namespace zelkora {

inline constexpr double kSecondsPerHour = 3600;
inline constexpr double kBigHitSeconds = 180;
inline constexpr double kGraceSeconds = 3600; // a streak in 確変 or 時短 plays one hour longer

// One hour bar to set: ProgressBar `bar` (2 … 15) shows `minutes`.
struct HourBar {
    int bar = 0;
    int minutes = 0;
};

class PlaySchedule {
public:
    // Empty when no slot is played: the day would have no length.
    static std::optional<PlaySchedule> parse(std::string_view schedule);

    // Every slot from the first played one to the last played one, gaps included, in seconds.
    std::int32_t dayLengthSeconds() const { return dayLength_; }
    // The 1-based slot of the first played hour.
    int firstPlayedSlot() const { return firstPlayedSlot_; }

    // The schedule digit of the hour the day clock is in, counted from the first played slot;
    // '0' past the end of the schedule.
    char hourDigit(double dayClock) const {
        const double hour = dayClock / kSecondsPerHour;
        if (!(hour >= 0) || hour >= static_cast<double>(digits_.size())) {
            return '0';
        }
        return digits_[static_cast<std::size_t>(hour)];
    }
    bool isServiceTime(double dayClock) const { return hourDigit(dayClock) == '2'; }

    // The bar of the slot the day clock is in and its minutes; empty when that slot is not one
    // of the 14 (in the grace hour, or past the schedule's end).
    std::optional<HourBar> hourBar(double dayClock) const;

private:
    std::string digits_; // the schedule from its first played slot on
    std::int32_t dayLength_ = 0;
    int firstPlayedSlot_ = 0;
};

// Seconds of a normal spin: 回転時間 × (1 ÷ (時間比率 ÷ 100)).
inline double normalSpinSeconds(double spinSeconds, double timeRatio) {
    return spinSeconds * (1 / (timeRatio / 100));
}

// The status-bar estimate of the time left, from the run seconds so far and the days closed;
// empty while less than one second has run.
std::optional<std::string> remainingTimeText(std::int32_t runSeconds, double dayNumber,
                                             double dayCount);

} // namespace zelkora
