// City times: the day label by dates, the 12- and 24-hour texts, a line's
// own daylight-saving groups, zone rules over the device's own offset, and
// every city of the committed list against Python's zoneinfo.
#include <gtest/gtest.h>

#include <map>

#include "ExpectedCityTimes.h"
#include "WorldTestSupport.h"
#include "world/CityTime.h"

using namespace world;
using worldtest::Cities;

namespace {

SYSTEMTIME At(int year, int month, int day, int hour, int minute) {
    SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    return t;
}

SYSTEMTIME OfUnixSeconds(long long seconds) {
    const ULONGLONG units = static_cast<ULONGLONG>(seconds + 11644473600LL) * 10000000ULL;
    FILETIME file = {static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    SYSTEMTIME t = {};
    FileTimeToSystemTime(&file, &t);
    return t;
}

City One(const wchar_t *line) { return Cities(std::wstring(line) + L"\r\n").at(0); }

} // namespace

// The device at UTC+1 shows 23:30; a city at UTC+9 is at 07:30 tomorrow.
TEST(CityTime, CityAheadIsTomorrowMorning) {
    const CityClock c = CityTimeAt(One(L"Tokyo,9,0#"), At(2026, 1, 15, 23, 30), At(2026, 1, 15, 22, 30));
    EXPECT_EQ(c.day, 16);
    EXPECT_EQ(c.label, kTomorrow);
    EXPECT_STREQ(Time12(c), L"07:30");
    EXPECT_STREQ(Time24(c), L"07:30");
    EXPECT_TRUE(IsMorning(c));
}

// Dates are compared, not day numbers of the month.
TEST(CityTime, DayLabelComparesDatesAcrossMonthAndYearEnds) {
    struct Case {
        SYSTEMTIME local, utc;
        const wchar_t *city;
        DayLabel label;
    } cases[] = {
        {At(2026, 3, 1, 0, 30), At(2026, 2, 28, 23, 30), L"New York,-5,0#", kYesterday},
        {At(2026, 2, 28, 23, 30), At(2026, 2, 28, 22, 30), L"Tokyo,9,0#", kTomorrow},
        {At(2027, 1, 1, 0, 30), At(2026, 12, 31, 23, 30), L"Lima,-5,0#", kYesterday},
        {At(2026, 12, 31, 20, 0), At(2026, 12, 31, 20, 0), L"Auckland,13,0#", kTomorrow},
        {At(2026, 6, 10, 12, 0), At(2026, 6, 10, 10, 0), L"Paris,1,0#", kToday},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CityTimeAt(One(c.city), c.local, c.utc).label, c.label) << testing::PrintToString(std::wstring(c.city));
}

TEST(CityTime, TwelveHourTexts) {
    struct Case {
        int hour;
        const wchar_t *text;
        bool morning;
    } cases[] = {{0, L"00:05", true}, {11, L"11:05", true}, {12, L"12:05", false}, {13, L"01:05", false},
                 {23, L"11:05", false}};
    for (const Case &c : cases) {
        const CityClock clock = CityTimeAt(One(L"London,0,0#"), At(2026, 1, 5, c.hour, 5), At(2026, 1, 5, c.hour, 5));
        EXPECT_STREQ(Time12(clock), c.text) << c.hour;
        EXPECT_EQ(IsMorning(clock), c.morning) << c.hour;
    }
}

// A line without a zone keeps its own groups: inside their years, from the
// start month's day and time to the end month, the shift is taken off.
TEST(CityTime, OwnGroupsShiftTheCityInsideTheirWindow) {
    const City north = One(L"North,1,0,(2026,3,29,2,0)(2026,10,25,3,0,-1)");
    const City south = One(L"South,10,0,(2026,10,4,2,0)(2027,4,5,3,0,-1)");
    struct Case {
        const City *city;
        SYSTEMTIME utc;
        int hour;
    } cases[] = {
        {&north, At(2026, 3, 29, 0, 30), 1},  // 01:30 local, before the start
        {&north, At(2026, 3, 29, 1, 30), 3},  // 02:30 standard: summer, one ahead
        {&north, At(2026, 7, 1, 10, 0), 12},  // inside
        {&north, At(2026, 11, 1, 10, 0), 11}, // after the end month
        {&north, At(2027, 7, 1, 10, 0), 11},  // outside the years
        {&south, At(2027, 1, 10, 0, 0), 11},  // over the year end
        {&south, At(2026, 8, 10, 0, 0), 10},  // southern winter
    };
    for (const Case &c : cases)
        EXPECT_EQ(CityTimeAt(*c.city, c.utc, c.utc).hour, c.hour) << c.city->name.Text() << " " << c.utc.wMonth;
}

// A city with a zone follows the zone's rules whatever its written offset
// and whatever the device's own offset; an unknown zone falls back to the
// written offset.
TEST(CityTime, ZonesRuleOverWrittenOffsets) {
    const SYSTEMTIME utc = At(2026, 7, 1, 10, 0);
    EXPECT_EQ(CityTimeAt(One(L"Paris,1,0#Europe/Paris"), utc, utc).hour, 12);
    EXPECT_EQ(CityTimeAt(One(L"Paris,1,0#Europe/Paris"), At(2026, 7, 1, 6, 0), utc).hour, 12)
        << "the device's own offset plays no part";
    EXPECT_EQ(CityTimeAt(One(L"Nowhere,3,0#Mars/Olympus"), utc, utc).hour, 13);
}

// Every city of the committed list on at least 40 moments of 2026-2030,
// the minutes around each offset change included, against Python's
// zoneinfo on the host.
TEST(CityTime, EveryListedCityMatchesTheTimeZoneDatabase) {
    const std::vector<City> cities = ParseCityFile(kCityListFile, sizeof kCityListFile);
    std::map<int, int> checked;
    for (const ExpectedCityTime &e : kExpectedCityTimes) {
        ASSERT_LT(e.city, static_cast<int>(cities.size()));
        const City &city = cities[e.city];
        const SYSTEMTIME utc = OfUnixSeconds(e.utcSeconds);
        const CityClock c = CityTimeAt(city, utc, utc);
        const bool same = c.year == e.year && c.month == e.month && c.day == e.day && c.hour == e.hour &&
                          c.minute == e.minute;
        EXPECT_TRUE(same) << city.zone.Text() << " at " << e.utcSeconds << ": " << c.year << "-" << c.month << "-"
                          << c.day << " " << c.hour << ":" << c.minute << ", zoneinfo " << e.year << "-" << e.month
                          << "-" << e.day << " " << e.hour << ":" << e.minute;
        ++checked[e.city];
    }
    int listed = 0;
    for (size_t i = 0; i < cities.size(); ++i) {
        EXPECT_TRUE(cities[i].valid) << i;
        if (cities[i].zone.IsEmpty())
            continue;
        ++listed;
        EXPECT_GE(checked[static_cast<int>(i)], 40) << cities[i].zone.Text();
    }
    EXPECT_GT(listed, 400);
    EXPECT_EQ(static_cast<int>(checked.size()), listed);
}
