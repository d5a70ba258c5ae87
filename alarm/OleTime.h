// Local times as OLE dates: days since 30 December 1899, the fraction being
// the time of day. Alarm times and creation dates are kept this way.
#pragma once
#include <windows.h>

namespace OleTime {

const double kOneDay = 1.0;

// The current local time (from Clock) as an OLE date.
double Now();

// Conversions that report dates outside what the platform can represent.
bool ToSystemTime(double date, SYSTEMTIME *time);
bool FromSystemTime(const SYSTEMTIME &time, double *date);

// 0 Sunday .. 6 Saturday of the day the date lies in.
int Weekday(double date);

} // namespace OleTime
