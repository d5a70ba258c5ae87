#include "timing/TimeBreakdown.h"

TimeBreakdown BreakDown(DWORD valueMs, bool showTenths) {
    // 64-bit so that rounding a value near 2^32 cannot wrap to zero.
    ULONGLONG seconds = 0;
    ULONGLONG tenths = 0;
    if (showTenths) {
        const ULONGLONG t = (static_cast<ULONGLONG>(valueMs) + 50) / 100;
        seconds = t / 10;
        tenths = t % 10;
    } else {
        seconds = (static_cast<ULONGLONG>(valueMs) + 500) / 1000;
    }
    ULONGLONG minutes = seconds / 60;
    const ULONGLONG hours = minutes / 60;
    TimeBreakdown time;
    time.hours = static_cast<WORD>(hours % 100);
    time.minutes = static_cast<WORD>(minutes % 60);
    time.seconds = static_cast<WORD>(seconds % 60);
    time.tenths = static_cast<WORD>(tenths);
    return time;
}

Str DisplayText(const TimeBreakdown &time, bool showTenths) {
    Str text;
    if (time.hours != 0 && showTenths)
        text.Format(L"%02d:%02d:%02d.%1d", time.hours, time.minutes, time.seconds, time.tenths);
    else if (time.hours != 0)
        text.Format(L"%02d:%02d:%02d", time.hours, time.minutes, time.seconds);
    else if (showTenths)
        text.Format(L"%02d:%02d.%1d", time.minutes, time.seconds, time.tenths);
    else
        text.Format(L"%02d:%02d", time.minutes, time.seconds);
    return text;
}

Str SetButtonText(const TimeBreakdown &time) { return DisplayText(time, false); }

int SetButtonFontSize(const TimeBreakdown &time) { return time.hours != 0 ? 20 : 25; }
