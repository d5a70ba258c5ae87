// The handheld's clock calls over the device's shared clock.
#include "DeviceClock.h"
#include "cetime.h"

void WINAPI GetSystemTime(LPSYSTEMTIME time) { device::ClockUtc(time); }

void WINAPI GetLocalTime(LPSYSTEMTIME time) { device::ClockLocal(time); }

BOOL WINAPI SetSystemTime(const SYSTEMTIME *time) { return time && device::SetClockUtc(*time); }

BOOL WINAPI SetLocalTime(const SYSTEMTIME *time) { return time && device::SetClockLocal(*time); }

DWORD WINAPI GetTickCount(void) { return device::ClockTick(); }
