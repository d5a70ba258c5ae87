// The device's own clock, shared by every process of the device.
//
// The device keeps its time as the host's UTC shifted by an offset: setting
// the device's clock changes the offset, never the host's clock. Its tick
// count runs from the device's last boot, as on the handheld, where it
// starts again from 0 whenever the device restarts. Local time is the
// device's UTC in the process's time zone (the device's zone: its processes
// run with the zone the device was started with, e.g. the host's TZ).
//
// Offset and boot tick live in clock.state in the device folder
// ("<offset in 100 ns units> <host tick at boot>"), so they survive the end
// of every process, and in a named shared section while any process runs, so
// reading the clock costs no file access. Without a device folder the device
// clock is the host's.
#pragma once
#include <windows.h>

namespace device {

void ClockUtc(FILETIME *time);
void ClockUtc(SYSTEMTIME *time);
void ClockLocal(SYSTEMTIME *time);
DWORD ClockTick();

// Sets the device's UTC or local time (a local time that does not exist or
// cannot be converted fails with ERROR_INVALID_PARAMETER) and tells every
// top-level window of the device with WM_TIMECHANGE.
bool SetClockUtc(const SYSTEMTIME &utc);
bool SetClockLocal(const SYSTEMTIME &local);

// Starts the tick count again from 0: the device's boot.
void BootClock();

} // namespace device
