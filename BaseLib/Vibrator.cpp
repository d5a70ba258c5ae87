#include "BaseLib/Vibrator.h"

#include "BaseLib/Clock.h"

namespace {

const DWORD kStepMs = 5;

} // namespace

int Vibrator::Pulse(DWORD milliseconds) {
    if (!Load())
        return 0;
    if (milliseconds > 0) {
        Switch(1);
        // Sleeps in short steps rather than spinning, so a pulse costs the
        // interface thread nothing on a one-core device; the clock is read
        // between steps, so the pulse is as long as asked within a step and
        // lasts while a test's frozen clock stands. Elapsed time is compared
        // so a tick count wrapping around cannot stretch it.
        const DWORD start = Clock::TickCount();
        for (DWORD elapsed = 0; elapsed <= milliseconds; elapsed = Clock::TickCount() - start)
            Sleep(milliseconds - elapsed < kStepMs ? milliseconds - elapsed + 1 : kStepMs);
    }
    Switch(0);
    return 1;
}

bool Vibrator::Switch(INT offOnBlink) {
    if (!Load())
        return false;
    NLED_SETTINGS_INFO settings = {};
    settings.LedNum = static_cast<UINT>(ledIndex_);
    settings.OffOnBlink = offOnBlink;
    setDevice_(NLED_SETTINGS_INFO_ID, &settings);
    return true;
}

bool Vibrator::Load() {
    if (setDevice_)
        return true;
    if (ledIndex_ == -1)
        return false;
    // coredll.dll stays loaded: the vibrator is driven until the program ends.
    const HMODULE coredll = LoadLibraryW(L"coredll.dll");
    if (coredll)
        setDevice_ =
            reinterpret_cast<PFN_NLedSetDevice>(reinterpret_cast<void *>(GetProcAddress(coredll, "NLedSetDevice")));
    if (!setDevice_) {
        ledIndex_ = -1;
        return false;
    }
    const auto getInfo =
        reinterpret_cast<PFN_NLedGetDeviceInfo>(reinterpret_cast<void *>(GetProcAddress(coredll, "NLedGetDeviceInfo")));
    NLED_COUNT_INFO count = {};
    if (getInfo && getInfo(NLED_COUNT_INFO_ID, &count)) {
        for (UINT led = count.cLeds; led-- > 0;) {
            NLED_SUPPORTS_INFO supports = {};
            supports.LedNum = led;
            if (getInfo(NLED_SUPPORTS_INFO_ID, &supports) && supports.lCycleAdjust == -1) {
                ledIndex_ = static_cast<int>(led);
                break;
            }
        }
    }
    return true;
}
