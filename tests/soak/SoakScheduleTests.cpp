// The soak's own yardstick: when the service should ring a local time in
// Berlin's zone, and how the runner's log is counted against the schedule.
#include <gtest/gtest.h>

#include "SoakSchedule.h"

using namespace soak;

namespace {

LONGLONG Wall(const char *text) { return ParseWall(text); }
std::string LocalText(LONGLONG utc) { return WallText(WallAt(utc)); }

TEST(SoakScheduleTest, LocalTimesAreReachedAsTheServiceSeesThemAcrossSummerTime) {
    // The hour skipped on 29 March 2026: 02:30 is first passed at 03:00.
    EXPECT_EQ(LocalText(FirstReaching(Wall("2026-03-29 02:30:00"))), "2026-03-29 03:00:00");
    EXPECT_EQ(FirstReaching(Wall("2026-03-29 02:30:00")), FirstReaching(Wall("2026-03-29 03:00:00")));
    // The hour repeated on 26 October 2025: 02:30 is reached in summer time.
    const LONGLONG first = FirstReaching(Wall("2025-10-26 02:30:00"));
    EXPECT_EQ(LocalText(first), "2025-10-26 02:30:00");
    EXPECT_EQ(WallAt(first + 3600), WallAt(first)) << "the same wall time comes an hour later";
    EXPECT_EQ(FirstReaching(Wall("2025-10-26 03:00:00")) - first, 5400)
        << "an hour and a half of real time from 02:30 in summer time to 03:00 in winter time";
}

TEST(SoakScheduleTest, RepeatingAlarmsRingOnTheirDaysOnly) {
    const LONGLONG saturdayEvening = FirstReaching(Wall("2026-03-28 20:00:00"));
    // Sunday only, inside the skipped hour.
    EXPECT_EQ(LocalText(NextRing(2, 30, 1, saturdayEvening)), "2026-03-29 03:00:00");
    // Weekdays from a Saturday: Monday.
    EXPECT_EQ(LocalText(NextRing(7, 0, 62, saturdayEvening)), "2026-03-30 07:00:00");
    // Every day, the same minute just passed: tomorrow.
    const LONGLONG seven = FirstReaching(Wall("2026-03-29 07:00:00"));
    EXPECT_EQ(LocalText(NextRing(7, 0, 127, seven)), "2026-03-30 07:00:00");
    EXPECT_EQ(LocalText(NextRing(7, 0, 127, seven - 1)), "2026-03-29 07:00:00");
}

TEST(SoakScheduleTest, EveryRingIsCountedOnceAgainstItsExpectation) {
    const std::string log = "2026-03-28 22:00:01 alarm A\r\n"
                            "2026-03-28 22:00:01 alarm A\r\n" // a second ring of the same time
                            "2026-03-29 03:00:05 alarm B\r\n" // five seconds late
                            "garbage\r\n"
                            "2026-03-29 07:00:00 timer \\Windows\\Alarm1.wav\r\n";
    const std::vector<Logged> lines = ParseLog(log);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3].id, "\\Windows\\Alarm1.wav");
    const std::vector<Expected> expected = {
        {"alarm", "A", Wall("2026-03-28 22:00:00"), Wall("2026-03-28 22:00:00")},
        {"alarm", "B", Wall("2026-03-29 03:00:00"), Wall("2026-03-29 03:00:00")},
        {"timer", "\\Windows\\Alarm1.wav", Wall("2026-03-29 07:00:00"), Wall("2026-03-29 07:00:00")},
        {"alarm", "C", Wall("2026-03-29 07:00:00"), Wall("2026-03-29 07:00:00")},
    };
    const Tally t = Compare(expected, lines, 2);
    EXPECT_EQ(t.expected, 4);
    EXPECT_EQ(t.rung, 3);
    EXPECT_EQ(t.lost, 1) << "C never rang";
    EXPECT_EQ(t.doubled, 1) << "A rang twice";
    EXPECT_EQ(t.late, 1) << "B rang 5 s late";
    EXPECT_EQ(t.worst, 5);
}

} // namespace
