// When an alarm rings next, with the clock set by the test.
#include "alarm/ManageNotify.h"

#include <gtest/gtest.h>

#include "BaseLib/Clock.h"
#include "TestTimes.h"

namespace {

class NextRing : public ::testing::Test {
protected:
    void TearDown() override { Clock::Real(); }
};

// 14 July 2009 is a Tuesday.
TEST_F(NextRing, OneShotRingsTodayOnlyWhileItsMinuteIsAhead) {
    const struct {
        SYSTEMTIME now;
        double alarm;
        const char *expected;
        const char *why;
    } cases[] = {
        {At(2009, 7, 14, 7, 30, 10), Ole(2009, 7, 14, 7, 30), "2009-07-15 07:30:00.000 Wed",
         "the current minute counts as passed"},
        {At(2009, 7, 14, 7, 29, 59), Ole(2009, 7, 14, 7, 30), "2009-07-14 07:30:00.000 Tue",
         "a minute ahead rings today"},
        {At(2009, 7, 14, 7, 30, 0), Ole(2009, 7, 14, 7, 30, 45), "2009-07-15 07:30:45.000 Wed",
         "seconds never make a minute ahead, and are kept"},
        {At(2009, 7, 14, 6, 0), Ole(2001, 1, 1, 8, 15), "2009-07-14 08:15:00.000 Tue",
         "only the time of day of the alarm counts"},
        {At(2009, 2, 28, 10, 0), Ole(2009, 2, 28, 9, 0), "2009-03-01 09:00:00.000 Sun", "month end"},
        {At(2012, 2, 28, 10, 0), Ole(2012, 2, 28, 9, 0), "2012-02-29 09:00:00.000 Wed", "leap day"},
        {At(2009, 12, 31, 23, 59, 30), Ole(2009, 12, 31, 23, 59), "2010-01-01 23:59:00.000 Fri", "year end"},
    };
    for (const auto &c : cases) {
        Clock::Fake(0, c.now);
        EXPECT_EQ(c.expected, Text(CManageNotify::NextOneShot(c.alarm))) << c.why << ", now " << Text(c.now);
    }
}

TEST_F(NextRing, RepeatRingsOnTheNextSetDay) {
    const struct {
        int days;
        SYSTEMTIME now;
        double alarm;
        const char *expected;
        const char *why;
    } cases[] = {
        {62, At(2009, 7, 17, 8, 0), Ole(2009, 7, 14, 7, 0), "2009-07-20 07:00:00.000 Mon",
         "weekdays, Friday after the time: Monday"},
        {62, At(2009, 7, 18, 6, 0), Ole(2009, 7, 14, 7, 0), "2009-07-20 07:00:00.000 Mon",
         "weekdays, Saturday before the time: today is not in the set"},
        {62, At(2009, 7, 14, 6, 59, 59), Ole(2009, 7, 14, 7, 0), "2009-07-14 07:00:00.000 Tue",
         "weekdays, before the time on a weekday: today"},
        {62, At(2009, 7, 14, 7, 0, 30), Ole(2009, 7, 14, 7, 0), "2009-07-15 07:00:00.000 Wed",
         "weekdays, within the alarm's minute: tomorrow"},
        {4, At(2009, 7, 14, 8, 0), Ole(2009, 7, 14, 7, 0), "2009-07-21 07:00:00.000 Tue",
         "only today's weekday, after the time: in 7 days"},
        {4, At(2009, 7, 14, 6, 0), Ole(2009, 7, 14, 7, 0), "2009-07-14 07:00:00.000 Tue",
         "only today's weekday, before the time: today"},
        {127, At(2009, 7, 14, 8, 0), Ole(2009, 7, 14, 7, 0, 45), "2009-07-15 07:00:00.000 Wed",
         "every day; the alarm's seconds are dropped"},
        {64, At(2009, 7, 31, 23, 0), Ole(2009, 7, 14, 22, 0), "2009-08-01 22:00:00.000 Sat", "month end"},
        {127, At(2009, 12, 31, 23, 30), Ole(2009, 12, 1, 23, 15), "2010-01-01 23:15:00.000 Fri", "year end"},
        {1, At(2009, 12, 31, 12, 0), Ole(2009, 12, 1, 9, 0), "2010-01-03 09:00:00.000 Sun",
         "next Sunday across the year end"},
    };
    for (const auto &c : cases) {
        Clock::Fake(0, c.now);
        AlarmTemp record;
        record.repeat_days = static_cast<BYTE>(c.days);
        record.time = c.alarm;
        EXPECT_EQ(c.expected, Text(CManageNotify::NextRepeat(record))) << c.why << ", now " << Text(c.now);
    }
}

TEST_F(NextRing, RepeatTakesTheGivenBaseAndNeedsADay) {
    Clock::Fake(0, At(2009, 7, 14, 8, 0));
    AlarmTemp record;
    record.time = Ole(2009, 7, 14, 7, 0);
    record.repeat_days = 4;
    EXPECT_EQ("2009-07-14 09:30:00.000 Tue", Text(CManageNotify::NextRepeat(record, Ole(2000, 1, 1, 9, 30))));
    record.repeat_days = 0;
    EXPECT_EQ(0.0, CManageNotify::NextRepeat(record)) << "no repeat";
    record.repeat_days = 128;
    EXPECT_EQ(0.0, CManageNotify::NextRepeat(record)) << "no weekday bit";
}

} // namespace
