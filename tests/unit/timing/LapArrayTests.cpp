// The stopwatch's laps: newest first, their texts, and how the array grows.
#include <gtest/gtest.h>

#include "timing/LapArray.h"

namespace {

TimeBreakdown Lap(WORD hours, WORD minutes, WORD seconds, WORD tenths) { return {hours, minutes, seconds, tenths}; }

TEST(LapArray, NewestLapOnTopWithTheHighestNumber) {
    LapArray laps;
    ASSERT_TRUE(laps.InsertFront(Lap(0, 0, 5, 0)));
    ASSERT_TRUE(laps.InsertFront(Lap(0, 1, 2, 3)));
    ASSERT_TRUE(laps.InsertFront(Lap(1, 0, 0, 0)));
    ASSERT_EQ(3, laps.Count());
    // Row r shows lap number count - r.
    EXPECT_STREQ(L"lap3", LapLabel(laps.Count() - 0).Text());
    EXPECT_STREQ(L"01:00:00.0", LapTimeText(laps.At(0)).Text());
    EXPECT_STREQ(L"01:02.3", LapTimeText(laps.At(1)).Text());
    EXPECT_STREQ(L"lap1", LapLabel(laps.Count() - 2).Text());
    EXPECT_STREQ(L"00:05.0", LapTimeText(laps.At(2)).Text());
}

TEST(LapArray, LapOfHundredHoursWrapsToZeroHours) {
    EXPECT_STREQ(L"00:00.0", LapTimeText(BreakDown(100u * 3600000u, true)).Text());
    EXPECT_STREQ(L"99:59:59.9", LapTimeText(BreakDown(100u * 3600000u - 51, true)).Text());
}

TEST(LapArray, GrowsByAnEighthKeptWithinFourAnd1024) {
    LapArray laps;
    ASSERT_TRUE(laps.Resize(1));
    EXPECT_EQ(4, laps.Capacity()); // step at least 4
    for (int i = 0; i < 4; ++i)
        laps.InsertFront(Lap(0, 0, 0, static_cast<WORD>(i)));
    EXPECT_EQ(5, laps.Count());
    EXPECT_EQ(8, laps.Capacity());
    EXPECT_EQ(0, laps.At(4).tenths) << "the first record keeps its place at the end";
    EXPECT_EQ(3, laps.At(0).tenths);

    ASSERT_TRUE(laps.Resize(80)); // beyond capacity + step: the size asked for
    EXPECT_EQ(80, laps.Capacity());
    EXPECT_EQ(0, laps.At(79).minutes) << "new records are zeroed";
    ASSERT_TRUE(laps.InsertFront(Lap(0, 0, 0, 0)));
    EXPECT_EQ(90, laps.Capacity()); // 80 / 8 = 10

    ASSERT_TRUE(laps.Resize(20000));
    ASSERT_TRUE(laps.Resize(20001));
    EXPECT_EQ(20000 + 1024, laps.Capacity()); // step at most 1024

    ASSERT_TRUE(laps.Resize(0));
    EXPECT_EQ(0, laps.Count());
    EXPECT_EQ(0, laps.Capacity());
}

} // namespace
