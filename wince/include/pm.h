// System power state of the handheld (coredll.dll).
//
// The desktop's winbase.h already declares a SetSystemPowerState(BOOL, BOOL)
// with C linkage, which a second C declaration cannot overload. The handheld
// signature is therefore linked as HandheldSetSystemPowerState; coredll.dll
// exports the same function under both names, so run-time lookup of
// "SetSystemPowerState" finds it and calls in source read as on the handheld.
#pragma once
#include <windows.h>
#include "ceapi.h"

#define POWER_STATE_ON 0x00010000
#define POWER_STATE_IDLE 0x00100000
#define POWER_STATE_PASSWORD 0x10000000

#define SetSystemPowerState HandheldSetSystemPowerState

// Both return ERROR_SUCCESS (0) or an error code.
// Length counts characters of pBuffer; pBuffer and pFlags may be NULL.
COREDLL_API DWORD WINAPI GetSystemPowerState(LPWSTR pBuffer, DWORD Length, PDWORD pFlags);
// psState NULL: the state is named after StateFlags.
COREDLL_API DWORD WINAPI SetSystemPowerState(LPCWSTR psState, DWORD StateFlags, DWORD Options);
COREDLL_API void WINAPI SystemIdleTimerReset(void);

typedef DWORD(WINAPI *PFN_GetSystemPowerState)(LPWSTR pBuffer, DWORD Length, PDWORD pFlags);
typedef DWORD(WINAPI *PFN_SetSystemPowerState)(LPCWSTR psState, DWORD StateFlags, DWORD Options);
