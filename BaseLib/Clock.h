// The one clock of the system. Everything that reads the tick count or the
// local or UTC time goes through here, so tests can set the time.
#pragma once
#include <windows.h>

namespace Clock {

DWORD TickCount();                // as GetTickCount
void LocalTime(SYSTEMTIME *time); // as GetLocalTime
void UtcTime(SYSTEMTIME *time);   // as GetSystemTime

// Test control. Fake freezes the clock at the given tick and local time (UTC
// follows through the current time zone); Advance moves tick, local and UTC
// time together; Real goes back to the system clock. While the clock is
// frozen, a feedback pulse lasts until the tick is advanced past its end.
void Fake(DWORD tick, const SYSTEMTIME &local);
void Advance(DWORD milliseconds);
void Real();

} // namespace Clock
