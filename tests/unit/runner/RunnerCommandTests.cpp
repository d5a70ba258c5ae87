// The runner's command line and the snooze time: the contracts with the
// notification registration.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "runner/RunnerCommand.h"

namespace {

TEST(RunnerCommand, ParsesWhatTheRegistrationWritesAndMalformedLines) {
    struct Case {
        const wchar_t *line;
        int kind;
        const wchar_t *identifier;
    } cases[] = {
        {L"sort=2 adx=\"{0A1B2C3D-0000-1111-2222-333344445555}\"", 2, L"{0A1B2C3D-0000-1111-2222-333344445555}"},
        {L"sort=1 adx=\"\\Windows\\Alarm4.wma\"", 1, L"\\Windows\\Alarm4.wma"},
        {L"sort=1 adx=\"\\My Documents\\My Tone.mp3\"", 1, L"\\My Documents\\My Tone.mp3"},
        {L"   sort=2   adx=\"{A}\"   ", 2, L"{A}"},
        {L"sort=2 adx=\"\"", 2, L""},
        {L"sort=2 adx=\"{A}", 2, L""},  // no closing quote
        {L"sort=2 id=\"{A}\"", 2, L""}, // no "adx=": no identifier
        {L"sort=2", 0, L""},            // no space after the kind
        {L"", 0, L""},
        {L"sort=x adx=\"{A}\"", 0, L"{A}"},
        {L"sort=7 adx=\"{A}\"", 7, L"{A}"},
    };
    for (const Case &c : cases) {
        const RunnerCommand command = ParseRunnerCommand(c.line);
        EXPECT_EQ(command.kind, c.kind) << "kind of: " << std::wstring(c.line).size();
        EXPECT_STREQ(command.identifier, c.identifier);
    }
    EXPECT_EQ(ParseRunnerCommand(nullptr).kind, 0);
}

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME t = {};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    return t;
}

TEST(SnoozeTime, AddsFiveMinutesCarryingIntoHoursDaysAndYears) {
    struct Case {
        SYSTEMTIME now, expected;
    } cases[] = {
        {At(2026, 3, 6, 7, 0, 40), At(2026, 3, 6, 7, 5, 40)},
        {At(2026, 3, 6, 7, 5, 0), At(2026, 3, 6, 7, 10, 0)},
        {At(2026, 3, 6, 7, 58, 10), At(2026, 3, 6, 8, 3, 10)},
        {At(2026, 3, 6, 23, 57, 0), At(2026, 3, 7, 0, 2, 0)},
        {At(2024, 2, 28, 23, 59, 30), At(2024, 2, 29, 0, 4, 30)},
        {At(2026, 12, 31, 23, 56, 0), At(2027, 1, 1, 0, 1, 0)},
    };
    for (const Case &c : cases) {
        const SYSTEMTIME later = SnoozeTime(c.now);
        EXPECT_EQ(later.wYear, c.expected.wYear);
        EXPECT_EQ(later.wMonth, c.expected.wMonth);
        EXPECT_EQ(later.wDay, c.expected.wDay);
        EXPECT_EQ(later.wHour, c.expected.wHour);
        EXPECT_EQ(later.wMinute, c.expected.wMinute);
        // The registration drops the seconds: 07:00:40 rings at 07:05:00.
        EXPECT_EQ(later.wSecond, c.expected.wSecond);
    }
}

} // namespace
