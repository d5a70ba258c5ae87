// The device's vibrator, driven through the notification-LED functions that
// coredll.dll exports ("NLedGetDeviceInfo", "NLedSetDevice", looked up at run
// time, so a device without them simply has no vibrator). The vibrator is the
// LED whose cycle cannot be adjusted; without one, LED 1 is taken.
#pragma once
#include <windows.h>

#include "nled.h"

class Vibrator {
public:
    Vibrator() = default;
    Vibrator(const Vibrator &) = delete;
    Vibrator &operator=(const Vibrator &) = delete;

    // Switches the vibrator on for the given time (0: only off). Returns 1
    // when a vibrator was driven, 0 when none is available.
    int Pulse(DWORD milliseconds);
    // Switches it on (1) or off (0); false when there is none.
    bool Switch(INT offOnBlink);
    // Finds the driver and the vibrating LED on first use; false when there
    // is no driver. Lets a caller find it once before several threads pulse.
    bool Ready() { return Load(); }

private:
    bool Load();

    int ledIndex_ = 1; // -1 once the driver could not be found
    PFN_NLedSetDevice setDevice_ = nullptr;
};
