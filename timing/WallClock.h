// The wall-clock check of a running time display. The tick count stops
// while the device sleeps, so a display that counts by ticks alone falls
// behind; it compares the ticks with the UTC time of day since it started
// counting and follows the wall clock when the two disagree.
#pragma once
#include <windows.h>

// Whole seconds from the time of day of startUtc to that of nowUtc (dates
// ignored); a start later in the day than now was yesterday.
DWORD WallSeconds(const SYSTEMTIME &startUtc, const SYSTEMTIME &nowUtc);

// The start tick to count from: unchanged while the elapsed ticks agree with
// wallSeconds, else moved so that the elapsed time equals wallSeconds. They
// disagree when the ticks are more than 3 s behind, or any whole second
// ahead (unsigned difference).
DWORD CorrectStartTick(DWORD startTick, DWORD nowTick, DWORD wallSeconds);
