#include "engine/play_time.h"

#include "common/numbers.h"
#include "conditions/condition_set.h"

#include <cmath>

namespace zelkora {

std::optional<PlaySchedule> PlaySchedule::parse(std::string_view schedule) {
    // The schedule is taken as a number: leading zeros vanish, and the trailing zeros are
    // divided away, so the day spans the first to the last played slot.
    const double value = readNumber(schedule);
    const std::size_t first = schedule.find_first_not_of(kSlotNotPlayed);
    if (!(value > 0) || first == std::string_view::npos) {
        return std::nullopt;
    }
    PlaySchedule result;
    result.digits_ = plainText(value);
    std::string_view span = result.digits_;
    while (!span.empty() && span.back() == '0') {
        span.remove_suffix(1);
    }
    result.dayLength_ = static_cast<std::int32_t>(span.size()) * 3600;
    result.firstPlayedSlot_ = static_cast<int>(first) + 1;
    return result;
}

std::optional<HourBar> PlaySchedule::hourBar(double dayClock) const {
    const double hours = fixPart(dayClock / kSecondsPerHour);
    const double slot = hours + firstPlayedSlot_;
    if (!(slot >= 1 && slot <= kScheduleSlots)) {
        return std::nullopt;
    }
    const double minutes = fixPart((dayClock - hours * kSecondsPerHour) / 60);
    return HourBar{static_cast<int>(slot) + 1, static_cast<int>(minutes)};
}

std::optional<std::string> remainingTimeText(std::int32_t runSeconds, double dayNumber,
                                             double dayCount) {
    if (runSeconds < 1) {
        return std::nullopt;
    }
    const double perDay = runSeconds / dayNumber;
    const double remaining = (dayCount - dayNumber) * perDay;
    // The hours are not held in 16 bits: a long verification on a slow machine would overflow
    // them, and the estimate is only text.
    const double hours = fixPart(remaining / 60 / 60);
    const double minutes = std::nearbyint((remaining - hours * 3600) / 60);
    std::string text = "残り　約　";
    if (hours > 0) {
        text += plainText(hours);
        text += "時間";
    }
    text += plainText(minutes);
    text += "分";
    return text;
}

} // namespace zelkora
