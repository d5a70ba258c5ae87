// Notification LED driver of the handheld (coredll.dll). One of the LEDs may
// be a vibrator: it reports lCycleAdjust == -1 in its support record.
#pragma once
#include <windows.h>

#define NLED_COUNT_INFO_ID 0
#define NLED_SUPPORTS_INFO_ID 1
#define NLED_SETTINGS_INFO_ID 2

struct NLED_COUNT_INFO {
    UINT cLeds;
};

struct NLED_SUPPORTS_INFO {
    UINT LedNum;
    LONG lCycleAdjust;
    BOOL fAdjustTotalCycleTime;
    BOOL fAdjustOnTime;
    BOOL fAdjustOffTime;
    BOOL fMetaCycleOn;
    BOOL fMetaCycleOff;
};

struct NLED_SETTINGS_INFO {
    UINT LedNum;
    INT OffOnBlink; // 0 off, 1 on, 2 blink
    LONG TotalCycleTime;
    LONG OnTime;
    LONG OffTime;
    INT MetaCycleOn;
    INT MetaCycleOff;
};

static_assert(sizeof(NLED_SUPPORTS_INFO) == 28, "the driver expects 28-byte records");
static_assert(sizeof(NLED_SETTINGS_INFO) == 28, "the driver expects 28-byte records");

typedef BOOL(WINAPI *PFN_NLedGetDeviceInfo)(UINT nInfoId, void *pOutput);
typedef BOOL(WINAPI *PFN_NLedSetDevice)(UINT nDeviceId, void *pInput);

extern "C" {
BOOL WINAPI NLedGetDeviceInfo(UINT nInfoId, void *pOutput);
BOOL WINAPI NLedSetDevice(UINT nDeviceId, void *pInput);
}
