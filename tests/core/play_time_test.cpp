#include "engine/play_time.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

TEST(PlaySchedule, DaySpansFirstToLastPlayedSlot) {
    EXPECT_EQ(PlaySchedule::parse("02111211100000")->dayLengthSeconds(), 8 * 3600);
    EXPECT_EQ(PlaySchedule::parse("00111111110000")->dayLengthSeconds(), 8 * 3600);
    // Slots 5 and 6 are not played but lie inside the day.
    EXPECT_EQ(PlaySchedule::parse("11110011110000")->dayLengthSeconds(), 10 * 3600);
    EXPECT_EQ(PlaySchedule::parse("00000000000001")->dayLengthSeconds(), 3600);
    EXPECT_EQ(PlaySchedule::parse("22222222222222")->dayLengthSeconds(), 14 * 3600);
}

TEST(PlaySchedule, WithoutAPlayedSlotHasNoDay) {
    EXPECT_FALSE(PlaySchedule::parse("00000000000000"));
    EXPECT_FALSE(PlaySchedule::parse(""));
}

TEST(PlaySchedule, HourDigitCountsFromTheFirstPlayedSlot) {
    const PlaySchedule schedule = *PlaySchedule::parse("02111211100000");
    EXPECT_EQ(schedule.hourDigit(0), '2');
    EXPECT_EQ(schedule.hourDigit(3599.9), '2');
    EXPECT_EQ(schedule.hourDigit(3600), '1');
    EXPECT_TRUE(schedule.isServiceTime(4 * 3600 + 10));
    EXPECT_FALSE(schedule.isServiceTime(5 * 3600));
    // Trailing zeros of the schedule, then past its end.
    EXPECT_EQ(schedule.hourDigit(9 * 3600), '0');
    EXPECT_EQ(schedule.hourDigit(40 * 3600), '0');
}

TEST(PlaySchedule, HourBarsStartAtTheFirstPlayedSlot) {
    const PlaySchedule schedule = *PlaySchedule::parse("00111111110000");
    EXPECT_EQ(schedule.firstPlayedSlot(), 3);
    const auto first = schedule.hourBar(59 * 60 + 59);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->bar, 4); // slot 3
    EXPECT_EQ(first->minutes, 59);
    const auto second = schedule.hourBar(3600 + 600);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->bar, 5);
    EXPECT_EQ(second->minutes, 10);
}

TEST(PlaySchedule, NoBarBeyondTheFourteenthSlot) {
    const PlaySchedule schedule = *PlaySchedule::parse("00000000000011");
    EXPECT_EQ(schedule.hourBar(3600 + 5)->bar, 15);
    EXPECT_FALSE(schedule.hourBar(2 * 3600)); // grace hour
    EXPECT_FALSE(schedule.hourBar(1e9));      // a long 次まで時短 day
}

TEST(RemainingTime, EstimatesFromRunSecondsPerDay) {
    EXPECT_FALSE(remainingTimeText(0, 1, 50));
    // 10 s per day, 49 days left: 490 s, 8.17 minutes rounds to 8.
    EXPECT_EQ(remainingTimeText(10, 1, 50), "残り　約　8分");
    // 100 s per day, 48 days left: 4800 s = 1 h 20 min.
    EXPECT_EQ(remainingTimeText(200, 2, 50), "残り　約　1時間20分");
    // Minutes round halves to even: 150 s = 2.5 min -> 2.
    EXPECT_EQ(remainingTimeText(150, 1, 2), "残り　約　2分");
    // Far beyond 32767 hours: no 16-bit overflow.
    EXPECT_EQ(remainingTimeText(1000000, 1, 1000), "残り　約　277500時間0分");
}

} // namespace
} // namespace zelkora
