#include "wizard/schedule_slots.h"

#include <algorithm>

namespace zelkora {
namespace {

bool isPlayed(SlotState state) {
    return state != SlotState::NotPlayed;
}

// Played neighbours of a slot (0-based); a slot at either end has only one neighbour.
int playedNeighbours(const ScheduleSlots& slots, std::size_t index) {
    int played = 0;
    if (index > 0 && isPlayed(slots[index - 1])) {
        ++played;
    }
    if (index + 1 < slots.size() && isPlayed(slots[index + 1])) {
        ++played;
    }
    return played;
}

} // namespace

std::optional<SlotState> slotStateOf(char digit) {
    switch (digit) {
    case kSlotNotPlayed:
        return SlotState::NotPlayed;
    case kSlotPlayed:
        return SlotState::Played;
    case kSlotServiceTime:
        return SlotState::ServiceTime;
    default:
        return std::nullopt;
    }
}

char scheduleDigit(SlotState state) {
    switch (state) {
    case SlotState::Played:
        return kSlotPlayed;
    case SlotState::ServiceTime:
        return kSlotServiceTime;
    case SlotState::NotPlayed:
        break;
    }
    return kSlotNotPlayed;
}

std::uint32_t slotColourOf(SlotState state) {
    return slotColour(scheduleDigit(state));
}

void showSchedule(ScheduleSlots& slots, std::string_view schedule) {
    for (std::size_t index = 0; index < slots.size() && index < schedule.size(); ++index) {
        if (const std::optional<SlotState> state = slotStateOf(schedule[index])) {
            slots[index] = *state;
        }
    }
}

std::string scheduleOf(const ScheduleSlots& slots) {
    std::string schedule;
    for (const SlotState state : slots) {
        schedule += scheduleDigit(state);
    }
    return schedule;
}

void clickSlot(ScheduleSlots& slots, int slot) {
    if (slot < 1 || slot > kScheduleSlots) {
        return;
    }
    const auto index = static_cast<std::size_t>(slot - 1);
    const int neighbours = playedNeighbours(slots, index);
    SlotState& state = slots[index];
    switch (state) {
    case SlotState::Played:
        state = SlotState::ServiceTime;
        break;
    case SlotState::ServiceTime:
        state = neighbours == 1 ? SlotState::NotPlayed : SlotState::Played;
        break;
    case SlotState::NotPlayed:
        if (neighbours > 0 || std::none_of(slots.begin(), slots.end(), isPlayed)) {
            state = SlotState::Played;
        }
        break;
    }
}

} // namespace zelkora
