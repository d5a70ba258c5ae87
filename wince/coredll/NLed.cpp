// Simulated notification LEDs: LED 0 an ordinary notification LED, LED 1 the
// vibrator. Every switch is appended to vibrator.log in the device folder as
// "YYYY-MM-DD HH:MM:SS.mmm <tick> <ledNum> <offOnBlink>\r\n", where tests and
// the person at the screen can follow it. The log keeps the last 64 KB or so
// of switches (see AppendBounded): a device may vibrate for weeks.
#include <cstdio>

#include "DeviceState.h"
#include "nled.h"

namespace {

constexpr UINT kLedCount = 2;
constexpr UINT kVibrator = 1;
constexpr LONG kCycleGranularityUs = 1000; // blink timing of the ordinary LED, in microseconds
constexpr size_t kLogKeep = 64 * 1024;

// Last settings of each LED set by this process; guarded by device::StateLock.
NLED_SETTINGS_INFO g_settings[kLedCount] = {{0, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0}};

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

NLED_SUPPORTS_INFO SupportsOf(UINT led) {
    NLED_SUPPORTS_INFO info = {};
    info.LedNum = led;
    if (led == kVibrator) {
        info.lCycleAdjust = -1; // how callers tell the vibrator from the LEDs
    } else {
        info.lCycleAdjust = kCycleGranularityUs;
        info.fAdjustTotalCycleTime = TRUE;
        info.fAdjustOnTime = TRUE;
        info.fAdjustOffTime = TRUE;
    }
    return info;
}

} // namespace

// pOutput: NLED_COUNT_INFO for id 0; for ids 1 (NLED_SUPPORTS_INFO) and 2
// (NLED_SETTINGS_INFO, the LED's current settings) the record's LedNum names
// the LED on input.
extern "C" BOOL WINAPI NLedGetDeviceInfo(UINT nInfoId, void *pOutput) {
    if (!pOutput)
        return Fail(ERROR_INVALID_PARAMETER);
    if (nInfoId == NLED_COUNT_INFO_ID) {
        static_cast<NLED_COUNT_INFO *>(pOutput)->cLeds = kLedCount;
        return TRUE;
    }
    if (nInfoId != NLED_SUPPORTS_INFO_ID && nInfoId != NLED_SETTINGS_INFO_ID)
        return Fail(ERROR_INVALID_PARAMETER);
    // LedNum is the first field of both records.
    UINT led = *static_cast<const UINT *>(pOutput);
    if (led >= kLedCount)
        return Fail(ERROR_INVALID_PARAMETER);
    if (nInfoId == NLED_SUPPORTS_INFO_ID) {
        *static_cast<NLED_SUPPORTS_INFO *>(pOutput) = SupportsOf(led);
    } else {
        device::StateLock lock;
        *static_cast<NLED_SETTINGS_INFO *>(pOutput) = g_settings[led];
    }
    return TRUE;
}

// A switch that cannot be recorded fails and leaves the LED as it was.
extern "C" BOOL WINAPI NLedSetDevice(UINT nDeviceId, void *pInput) {
    if (nDeviceId != NLED_SETTINGS_INFO_ID || !pInput)
        return Fail(ERROR_INVALID_PARAMETER);
    const NLED_SETTINGS_INFO settings = *static_cast<const NLED_SETTINGS_INFO *>(pInput);
    if (settings.LedNum >= kLedCount || settings.OffOnBlink < 0 || settings.OffOnBlink > 2)
        return Fail(ERROR_INVALID_PARAMETER);

    // Stamped under the lock so that the ticks in the file never go back.
    device::StateLock lock;
    char tail[32];
    snprintf(tail, sizeof tail, " %u %d\r\n", settings.LedNum, settings.OffOnBlink);
    if (!device::AppendBounded(L"vibrator.log", device::Stamp() + tail, kLogKeep))
        return FALSE;
    g_settings[settings.LedNum] = settings;
    return TRUE;
}
