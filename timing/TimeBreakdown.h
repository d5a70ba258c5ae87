// How a time display shows a value in milliseconds: its breakdown into
// hours, minutes, seconds and tenths, and the texts made of it.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"

struct TimeBreakdown {
    WORD hours;   // kept modulo 100
    WORD minutes; // 0..59
    WORD seconds; // 0..59
    WORD tenths;  // 0..9, 0 without tenths
};

// With tenths the value is rounded to the nearest tenth, without them to the
// nearest second: 59.6 s left shows 01:00 and 00:00 only in the last half
// second.
TimeBreakdown BreakDown(DWORD valueMs, bool showTenths);

// The display's text: "hh:mm:ss[.t]" when there are hours, else "mm:ss[.t]".
Str DisplayText(const TimeBreakdown &time, bool showTenths);
// A text with hours is drawn in the display's smaller (26-point) font, one
// without in the larger (32-point).
inline bool NeedsSmallFont(const TimeBreakdown &time) { return time.hours != 0; }

// The idle timer's set button: "hh:mm:ss" in Arial 20 with hours, else
// "mm:ss" in Arial 25.
Str SetButtonText(const TimeBreakdown &time);
int SetButtonFontSize(const TimeBreakdown &time);
