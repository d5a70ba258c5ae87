// One vibration of a ring, on the process's one vibrator: the vibrating LED
// and the driver's entry are found on first use and kept for the process.
#pragma once
#include <windows.h>

// Switches the vibrator on for the given time, then off; 0 ms only switches
// it off. Returns 1 when a vibrator was driven, 0 when the device has none.
int VibrationPulse(DWORD milliseconds);

// The same, cut short when stop is signalled: the vibrator is switched off at
// once, so a ring that is stopped never leaves it running.
int VibrationPulse(DWORD milliseconds, HANDLE stop);
