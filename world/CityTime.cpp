#include "world/CityTime.h"

#include <algorithm>

#include "world/ZoneRules.h"

namespace world {

namespace {

// FILETIME of 1 January 1970 in minutes since 1601.
const long long kUnixEpochMinutes = 11644473600LL / 60;

long long MinutesOf(const SYSTEMTIME &time) {
    FILETIME file = {};
    SystemTimeToFileTime(&time, &file);
    const ULONGLONG units = (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return static_cast<long long>(units / 600000000ULL) - kUnixEpochMinutes;
}

SYSTEMTIME TimeOfMinutes(long long minutes) {
    const ULONGLONG units = static_cast<ULONGLONG>(minutes + kUnixEpochMinutes) * 600000000ULL;
    FILETIME file = {static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    SYSTEMTIME time = {};
    FileTimeToSystemTime(&file, &time);
    return time;
}

// Month, then day, hour and minute, as one number that compares in order.
int MomentInMonth(int day, int hour, int minute) { return (day * 24 + hour) * 60 + minute; }

// The window of a city's own groups: within the years of the two groups,
// within the months from the start month to the end month (over the year
// end when the start month is later), and in the start month from the start
// group's day, hour and minute on.
bool InSummerWindow(const City &city, const SYSTEMTIME &time) {
    const RuleStart &s = city.start;
    if (s.year == 0)
        return false;
    if (time.wYear < std::min(s.year, city.end.year) || time.wYear > std::max(s.year, city.end.year))
        return false;
    const int month = time.wMonth;
    const bool inMonths = s.month <= city.end.month ? month >= s.month && month <= city.end.month
                                                      : month >= s.month || month <= city.end.month;
    if (!inMonths)
        return false;
    return month != s.month ||
           MomentInMonth(time.wDay, time.wHour, time.wMinute) >= MomentInMonth(s.day, s.hour, s.minute);
}

DayLabel LabelOf(const SYSTEMTIME &city, const SYSTEMTIME &device) {
    const int a = (city.wYear * 13 + city.wMonth) * 32 + city.wDay;
    const int b = (device.wYear * 13 + device.wMonth) * 32 + device.wDay;
    return a > b ? kTomorrow : a < b ? kYesterday : kToday;
}

} // namespace

CityClock CityTimeAt(const City &city, const SYSTEMTIME &local, const SYSTEMTIME &utc) {
    const long long now = MinutesOf(utc);
    long long minutes;
    if (const ZoneRule *rule = FindZone(city.zone)) {
        minutes = now + ZoneOffset(*rule, now);
    } else {
        minutes = now + city.hours * 60 + city.minutes;
        if (InSummerWindow(city, TimeOfMinutes(minutes)))
            minutes -= city.end.shift * 60;
    }
    const SYSTEMTIME t = TimeOfMinutes(minutes);
    return CityClock{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, LabelOf(t, local)};
}

Str Time24(const CityClock &clock) {
    Str text;
    text.Format(L"%02d:%02d", clock.hour, clock.minute);
    return text;
}

Str Time12(const CityClock &clock) {
    Str text;
    text.Format(L"%02d:%02d", clock.hour > 12 ? clock.hour - 12 : clock.hour, clock.minute);
    return text;
}

bool IsMorning(const CityClock &clock) { return clock.hour < 12; }

} // namespace world
