#pragma once

#include "conditions/condition_set.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The fourteen slot boxes of the play schedule as page 2 edits them: each is grey (no play),
// orange (play) or red (play in service time), shown by its colour alone.
namespace zelkora {

enum class SlotState : std::uint8_t { NotPlayed, Played, ServiceTime };
using ScheduleSlots = std::array<SlotState, kScheduleSlots>;

// The state a schedule digit shows; nothing for a digit that is none of "0", "1", "2".
std::optional<SlotState> slotStateOf(char digit);
char scheduleDigit(SlotState state);
std::uint32_t slotColourOf(SlotState state);

// The boxes as a schedule shows them. A digit that is missing or none of the three leaves its
// box as it was.
void showSchedule(ScheduleSlots& slots, std::string_view schedule);
// The schedule the boxes stand for: one digit per box in slot order.
std::string scheduleOf(const ScheduleSlots& slots);

// A click on slot `slot` (1 … 14). The played slots stay one contiguous run that is never empty:
// orange turns red; red turns grey at an end of the run and orange otherwise; grey turns orange
// next to a played slot and stays grey elsewhere. A schedule without any played slot (one a file
// brought in) takes the first click as its one played slot, so it can always be mended.
void clickSlot(ScheduleSlots& slots, int slot);

} // namespace zelkora
