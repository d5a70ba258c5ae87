// The countdown record as the main program and the runner share it, the
// wall-clock check, the start re-based after a restart, and when the runner
// is started.
#include <gtest/gtest.h>

#include "timing/CountdownRecord.h"
#include "timing/WallClock.h"

namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

SYSTEMTIME Later(const SYSTEMTIME &time, DWORD seconds) {
    FILETIME file = {};
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER units = {{file.dwLowDateTime, file.dwHighDateTime}};
    units.QuadPart += seconds * 10000000ULL;
    file = {units.LowPart, units.HighPart};
    SYSTEMTIME later = {};
    FileTimeToSystemTime(&file, &later);
    return later;
}

class CountdownRecordTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyW(HKEY_CURRENT_USER, kCountdownKey); }
    void TearDown() override { RegDeleteKeyW(HKEY_CURRENT_USER, kCountdownKey); }

    static void SetValue(const wchar_t *name, DWORD type, const void *data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExW(HKEY_CURRENT_USER, kCountdownKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE *>(data), size);
        RegCloseKey(key);
    }
    static void SetText(const wchar_t *name, const wchar_t *text) {
        SetValue(name, REG_SZ, text, static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    }
    static void SetDword(const wchar_t *name, DWORD value) { SetValue(name, REG_DWORD, &value, sizeof value); }

    static CountdownRecord Sample() {
        CountdownRecord record;
        record.start = 123456;
        record.set = 90 * 60 * 1000;
        record.path = L"\\Windows";
        record.sound = L"Alarm4.wma";
        record.startUtc = At(2024, 5, 1, 23, 59, 50);
        return record;
    }
};

TEST_F(CountdownRecordTest, WrittenRecordReadsBackLiveWithItsExactTexts) {
    ASSERT_TRUE(WriteCountdownRecord(Sample()));
    WriteEndOptions(0, -1);
    wchar_t time[16] = L"";
    DWORD size = sizeof time;
    ASSERT_EQ(ERROR_SUCCESS,
              RegGetValueW(HKEY_CURRENT_USER, kCountdownKey, L"Time", RRF_RT_REG_SZ, nullptr, time, &size));
    EXPECT_STREQ(L"23:59:50", time);
    DWORD volume = 0;
    size = sizeof volume;
    ASSERT_EQ(ERROR_SUCCESS,
              RegGetValueW(HKEY_CURRENT_USER, kCountdownKey, L"Volume", RRF_RT_REG_DWORD, nullptr, &volume, &size));
    EXPECT_EQ(0xFFFFFFFFu, volume);

    CountdownRecord back;
    ASSERT_TRUE(ReadCountdownRecord(&back));
    EXPECT_TRUE(back.Live());
    EXPECT_EQ(123456u, back.start);
    EXPECT_EQ(5400000u, back.set);
    EXPECT_STREQ(L"\\Windows", back.path.Text());
    EXPECT_STREQ(L"Alarm4.wma", back.sound.Text());
    EXPECT_TRUE(back.hasDate);
    EXPECT_EQ(2024, back.startUtc.wYear);
    EXPECT_EQ(23, back.startUtc.wHour);
    EXPECT_EQ(50, back.startUtc.wSecond);
}

TEST_F(CountdownRecordTest, ClearedRecordIsGoneAndEmptyKeyNameClearsNothing) {
    ASSERT_TRUE(WriteCountdownRecord(Sample()));
    ClearRecord(L"");
    CountdownRecord back;
    EXPECT_TRUE(ReadCountdownRecord(&back));
    ClearRecord(kCountdownKey);
    EXPECT_FALSE(ReadCountdownRecord(&back));
    EXPECT_FALSE(back.Live());
}

// Corrupt or foreign values never make a live countdown, and never crash.
TEST_F(CountdownRecordTest, CorruptValuesLeaveNoLiveCountdown) {
    struct Corruption {
        const char *what;
        void (*apply)();
    };
    const Corruption corruptions[] = {
        {"Start zero", [] { SetDword(L"Start", 0); }},
        {"Set zero", [] { SetDword(L"Set", 0); }},
        {"Set of a day", [] { SetDword(L"Set", 86400000); }},
        {"Set huge", [] { SetDword(L"Set", 0xFFFFFFFF); }},
        {"Start as text", [] { SetText(L"Start", L"123456"); }},
        {"Set of two bytes", [] { SetValue(L"Set", REG_BINARY, "\x10\x27", 2); }},
        {"Time garbage", [] { SetText(L"Time", L"ab:cd:ef"); }},
        {"Time out of range", [] { SetText(L"Time", L"24:00:00"); }},
        {"Time short", [] { SetText(L"Time", L"12:3"); }},
        {"Sound as number", [] { SetDword(L"Sound", 7); }},
        {"Path missing", [] { RegDeleteKeyValueW(HKEY_CURRENT_USER, kCountdownKey, L"Path"); }},
    };
    for (const Corruption &c : corruptions) {
        ASSERT_TRUE(WriteCountdownRecord(Sample()));
        c.apply();
        CountdownRecord back;
        ReadCountdownRecord(&back);
        EXPECT_FALSE(back.Live()) << c.what;
    }
    // A text longer than the buffer and one without a terminator are cut, not overrun.
    ASSERT_TRUE(WriteCountdownRecord(Sample()));
    std::wstring longPath(5000, L'x');
    SetText(L"Path", longPath.c_str());
    SetValue(L"Sound", REG_SZ, L"abc", 3 * sizeof(wchar_t));
    CountdownRecord back;
    ReadCountdownRecord(&back);
    EXPECT_STREQ(L"abc", back.sound.Text());
    // A bad date alone falls back to the time of day: the record stays live.
    ASSERT_TRUE(WriteCountdownRecord(Sample()));
    SetText(L"Date", L"2024-02-30");
    ReadCountdownRecord(&back);
    EXPECT_TRUE(back.Live());
    EXPECT_FALSE(back.hasDate);
}

TEST(WallClock, TicksFollowTheWallClockWhenTheyFallBehindOrRunAhead) {
    // Device asleep for 10 minutes: the ticks counted 5 s, the wall clock 605 s.
    const SYSTEMTIME started = At(2024, 5, 1, 10, 0, 0);
    const DWORD wall = WallSeconds(started, At(2024, 5, 1, 10, 10, 5));
    EXPECT_EQ(605u, wall);
    EXPECT_EQ(605000u, 1000u + 5000u - CorrectStartTick(1000, 1000 + 5000, wall));

    struct Case {
        DWORD elapsedMs;
        DWORD wallSeconds;
        bool moved;
    };
    const Case cases[] = {
        {5400, 5, false}, {5400, 6, false}, // the usual whole-second offsets
        {5000, 8, false},                   // 3 s behind is tolerated
        {5000, 9, true},                    // 4 s behind is not
        {5000, 4, true},                    // ahead of the wall clock
    };
    for (const Case &c : cases) {
        const DWORD start = 0xFFFFF000; // across the tick count's wrap
        const DWORD corrected = CorrectStartTick(start, start + c.elapsedMs, c.wallSeconds);
        EXPECT_EQ(c.moved, corrected != start) << c.elapsedMs << " ms against " << c.wallSeconds << " s";
        if (c.moved) {
            EXPECT_EQ(c.wallSeconds * 1000, start + c.elapsedMs - corrected);
        }
    }
}

TEST(WallClock, CountdownStartedBeforeMidnightKeepsCounting) {
    const SYSTEMTIME started = At(2024, 5, 1, 23, 59, 50);
    const DWORD startTick = 50000;
    for (DWORD s : {5u, 10u, 11u, 40u, 3599u}) {
        const SYSTEMTIME now = Later(started, s);
        const DWORD wall = WallSeconds(started, now);
        EXPECT_EQ(s, wall) << s << " s after the start";
        EXPECT_EQ(startTick, CorrectStartTick(startTick, startTick + s * 1000 + 300, wall))
            << s << " s after the start";
    }
}

TEST(RebasedStart, RestartedDeviceResumesByTheWallClockAndPastEndsStayOver) {
    CountdownRecord record;
    record.start = 500000; // the tick count when the countdown started
    record.set = 5 * 60 * 1000;
    record.hasTime = record.hasDate = true;
    record.startUtc = At(2024, 5, 1, 23, 59, 0);

    // The tick count is above "Start" and agrees with the clock: nothing to re-base.
    EXPECT_EQ(500000u, RebasedStart(record, 600000, At(2024, 5, 2, 0, 0, 40)));
    EXPECT_EQ(500000u, RebasedStart(record, 602000, At(2024, 5, 2, 0, 0, 40))) << "within the clock's seconds";

    struct Case {
        const char *what;
        DWORD tick;
        SYSTEMTIME now;
        bool over;
        DWORD leftMs;
    };
    const Case cases[] = {
        {"restarted, 2 min after the start", 20000, At(2024, 5, 2, 0, 1, 0), false, 180000},
        {"restarted, past the end", 20000, At(2024, 5, 2, 0, 4, 0), true, 0},
        {"a day later, same time of day", 20000, At(2024, 5, 2, 23, 59, 30), true, 0},
        {"clock put back before the start", 20000, At(2024, 5, 1, 12, 0, 0), false, 300000},
        // The tick count began again at the restart and has passed "Start"
        // since: the clock, not the tick count, says how much is left.
        {"restarted long ago, 1 min after the start", 530000, At(2024, 5, 2, 0, 0, 0), false, 240000},
        {"restarted long ago, 2 min after the start", 900000, At(2024, 5, 2, 0, 1, 0), false, 180000},
    };
    for (const Case &c : cases) {
        const DWORD start = RebasedStart(record, c.tick, c.now);
        EXPECT_EQ(c.over, CountdownOver(start, record.set, c.tick)) << c.what;
        if (!c.over) {
            EXPECT_EQ(c.leftMs, record.set - (c.tick - start)) << c.what;
        }
    }
}

TEST(RebasedStart, RecordWithoutDateUsesTheTimeOfDayAndTheUptime) {
    CountdownRecord record;
    record.start = 500000;
    record.set = 5 * 60 * 1000;
    record.hasTime = true;
    record.startUtc = At(2000, 1, 1, 10, 0, 0);
    // Up for 20 s, 2 min after the start by the clock: 3 min left.
    DWORD start = RebasedStart(record, 20000, At(2024, 5, 2, 10, 2, 0));
    EXPECT_FALSE(CountdownOver(start, record.set, 20000));
    EXPECT_EQ(180000u, record.set - (20000 - start));
    // Up for 200 s yet only 2 min after the start by the time of day: the
    // start was on an earlier day.
    start = RebasedStart(record, 200000, At(2024, 5, 2, 10, 2, 0));
    EXPECT_TRUE(CountdownOver(start, record.set, 200000));
}

TEST(RunnerDueTime, FifteenSecondsBeforeTheEndRollingIntoTheNextDay) {
    struct Case {
        SYSTEMTIME start;
        DWORD durationS;
        SYSTEMTIME due;
    };
    const Case cases[] = {
        {At(2024, 5, 1, 10, 0, 0), 90 * 60, At(2024, 5, 1, 11, 29, 45)},
        {At(2024, 5, 1, 10, 0, 10), 60, At(2024, 5, 1, 10, 0, 55)},
        {At(2024, 12, 31, 23, 59, 30), 60, At(2025, 1, 1, 0, 0, 15)},
        {At(2024, 2, 28, 22, 30, 0), 23 * 3600 + 59 * 60, At(2024, 2, 29, 22, 28, 45)},
    };
    for (const Case &c : cases) {
        SYSTEMTIME due = {}, end = {};
        ASSERT_TRUE(RunnerDueTime(c.start, c.durationS, &due, &end));
        const SYSTEMTIME &e = c.due;
        EXPECT_EQ(e.wYear * 10000 + e.wMonth * 100 + e.wDay, due.wYear * 10000 + due.wMonth * 100 + due.wDay);
        EXPECT_EQ(e.wHour * 3600 + e.wMinute * 60 + e.wSecond, due.wHour * 3600 + due.wMinute * 60 + due.wSecond);
        EXPECT_EQ(due.wHour, end.wHour);
        EXPECT_EQ(due.wMinute, end.wMinute);
        EXPECT_NE(due.wDay, end.wDay) << "the notification lapses a day later";
    }
}

} // namespace
