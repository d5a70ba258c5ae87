// Messages and command ids of the stopwatch and the timer.
#pragma once
#include <windows.h>

// From the time display to its parent: the countdown reached zero.
const UINT UWM_TIMER_FINISHED = 6458;
// From the time display (a tap) or its set button: choose the duration.
const UINT UWM_TIMER_SET_REQUEST = 6459;

// Button command ids (UWM_BAR_COMMAND's lParam).
enum : UINT {
    kStopWStop = 30061,
    kStopWStart = 30062,
    kStopWReset = 30063,
    kStopWLap = 30064,
    kTimerStop = 30065,
    kTimerStart = 30066,
    kTimerEnds = 30067,
};
