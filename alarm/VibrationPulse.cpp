#include "alarm/VibrationPulse.h"

#include "BaseLib/Vibrator.h"

namespace {

// The driver is looked up once, before any thread switches the vibrator: the
// initialisation of a function's static is done by one thread only.
Vibrator *TheVibrator() {
    static Vibrator vibrator;
    static const bool present = vibrator.Ready();
    return present ? &vibrator : nullptr;
}

} // namespace

int VibrationPulse(DWORD milliseconds) { return VibrationPulse(milliseconds, nullptr); }

int VibrationPulse(DWORD milliseconds, HANDLE stop) {
    Vibrator *vibrator = TheVibrator();
    if (!vibrator)
        return 0;
    if (milliseconds > 0) {
        vibrator->Switch(1);
        if (stop)
            WaitForSingleObject(stop, milliseconds);
        else
            Sleep(milliseconds);
    }
    vibrator->Switch(0);
    return 1;
}
