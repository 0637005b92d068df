#include "wizard/schedule_slots.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

ScheduleSlots slotsOf(std::string_view schedule) {
    ScheduleSlots slots{};
    showSchedule(slots, schedule);
    return slots;
}

// The schedule after clicking the given slots in turn.
std::string afterClicks(std::string_view schedule, std::initializer_list<int> clicks) {
    ScheduleSlots slots = slotsOf(schedule);
    for (const int slot : clicks) {
        clickSlot(slots, slot);
    }
    return scheduleOf(slots);
}

TEST(schedule_slots_test, clicks_on_the_default_schedule) {
    const std::string_view schedule = "02111211100000";
    // Slot 1 is grey beside the red slot 2.
    EXPECT_EQ(afterClicks(schedule, {1}), "12111211100000");
    // Slot 9 ends the run: orange, red, grey.
    EXPECT_EQ(afterClicks(schedule, {9}), "02111211200000");
    EXPECT_EQ(afterClicks(schedule, {9, 9}), "02111211000000");
    // Slot 5 lies inside: orange, red, orange.
    EXPECT_EQ(afterClicks(schedule, {5}), "02112211100000");
    EXPECT_EQ(afterClicks(schedule, {5, 5}), schedule);
    // Slot 2 is red with one played neighbour: it turns grey.
    EXPECT_EQ(afterClicks(schedule, {2}), "00111211100000");
    // Slot 12 has no played neighbour.
    EXPECT_EQ(afterClicks(schedule, {12}), schedule);
}

TEST(schedule_slots_test, the_only_played_slot_never_turns_grey) {
    const std::string_view schedule = "00001000000000";
    EXPECT_EQ(afterClicks(schedule, {5}), "00002000000000");
    EXPECT_EQ(afterClicks(schedule, {5, 5}), schedule);
    EXPECT_EQ(afterClicks(schedule, {5, 5, 5, 5, 5}), "00002000000000");
}

TEST(schedule_slots_test, the_run_grows_and_shrinks_only_at_its_ends) {
    EXPECT_EQ(afterClicks("00011100000000", {3, 7}), "00111110000000");
    EXPECT_EQ(afterClicks("11100000000000", {1, 1, 3, 3}), "01000000000000");
    EXPECT_EQ(afterClicks("00000000000011", {14, 14, 13}), "00000000000020");
}

TEST(schedule_slots_test, a_schedule_without_play_takes_its_first_slot_from_a_click) {
    EXPECT_EQ(afterClicks("00000000000000", {7}), "00000010000000");
    EXPECT_EQ(afterClicks("00000000000000", {7, 3}), "00000010000000");
}

TEST(schedule_slots_test, missing_or_strange_digits_leave_the_boxes_grey) {
    EXPECT_EQ(scheduleOf(slotsOf("0211")), "02110000000000");
    EXPECT_EQ(scheduleOf(slotsOf("0x21")), "00210000000000");
    EXPECT_EQ(slotColourOf(SlotState::NotPlayed), 0x80000000U);
    EXPECT_EQ(slotColourOf(SlotState::Played), 0x80FFU);
    EXPECT_EQ(slotColourOf(SlotState::ServiceTime), 0xC0U);
}

TEST(schedule_slots_test, clicks_outside_the_fourteen_slots_change_nothing) {
    EXPECT_EQ(afterClicks("02111211100000", {0, 15, -1}), "02111211100000");
}

} // namespace
} // namespace zelkora
