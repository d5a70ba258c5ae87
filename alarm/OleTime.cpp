#include "alarm/OleTime.h"

#include <oleauto.h>

#include <cmath>

#include "BaseLib/Clock.h"

namespace OleTime {

double Now() {
    SYSTEMTIME now;
    Clock::LocalTime(&now);
    double date = 0.0;
    FromSystemTime(now, &date);
    return date;
}

bool ToSystemTime(double date, SYSTEMTIME *time) { return VariantTimeToSystemTime(date, time) != FALSE; }

bool FromSystemTime(const SYSTEMTIME &time, double *date) {
    // The conversion takes a non-const pointer but does not change the time.
    SYSTEMTIME copy = time;
    return SystemTimeToVariantTime(&copy, date) != FALSE;
}

int Weekday(double date) {
    // Day 0, 30 December 1899, was a Saturday. Times before it count their
    // fraction away from day 0, so the day is the whole part in both cases.
    const long long day = static_cast<long long>(std::trunc(date));
    return static_cast<int>(((day % 7) + 7 + 6) % 7);
}

} // namespace OleTime
