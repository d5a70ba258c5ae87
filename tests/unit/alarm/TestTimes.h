// Dates and times written as the tests think of them.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

inline SYSTEMTIME At(int year, int month, int day, int hour, int minute, int second = 0) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    // Normalised through a file time so the day of the week is right too.
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    FileTimeToSystemTime(&file, &time);
    return time;
}

inline double Ole(int year, int month, int day, int hour, int minute, int second = 0) {
    SYSTEMTIME time = At(year, month, day, hour, minute, second);
    double date = 0.0;
    SystemTimeToVariantTime(&time, &date);
    return date;
}

// "2009-07-14 07:30:00 Tue", for comparisons that say what went wrong.
inline std::string Text(const SYSTEMTIME &time) {
    static const char *const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    char text[40];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u %s", time.wYear, time.wMonth, time.wDay, time.wHour,
             time.wMinute, time.wSecond, time.wMilliseconds, time.wDayOfWeek < 7 ? days[time.wDayOfWeek] : "?");
    return text;
}

inline std::string Text(double date) {
    SYSTEMTIME time = {};
    if (!VariantTimeToSystemTime(date, &time))
        return "invalid " + std::to_string(date);
    return Text(time);
}
