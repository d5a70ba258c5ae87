// The handheld's clock (coredll.dll): the device's own time and tick count.
//
// The desktop's kernel32 has functions of the same names that read the
// host's clock, so coredll.dll exports the device's as Handheld* and also
// under the handheld names, like SetSystemPowerState (see pm.h). Source that
// includes this header calls the device's clock by the handheld names;
// programs that do not link coredll look the functions up at run time by
// those names.
#pragma once
#include <windows.h>
#include "ceapi.h"

#define GetSystemTime HandheldGetSystemTime
#define GetLocalTime HandheldGetLocalTime
#define SetSystemTime HandheldSetSystemTime
#define SetLocalTime HandheldSetLocalTime
#define GetTickCount HandheldGetTickCount

COREDLL_API void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime);
COREDLL_API void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime);
// Both change the device's clock only, and post WM_TIMECHANGE to every
// top-level window of the device.
COREDLL_API BOOL WINAPI SetSystemTime(const SYSTEMTIME *lpSystemTime);
COREDLL_API BOOL WINAPI SetLocalTime(const SYSTEMTIME *lpSystemTime);
// Milliseconds since the device's boot.
COREDLL_API DWORD WINAPI GetTickCount(void);
