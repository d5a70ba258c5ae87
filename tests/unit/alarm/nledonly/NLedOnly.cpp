// A coredll.dll of a device whose LED driver has no "NLedGetDeviceInfo":
// only NLedSetDevice, which appends "<led> <offOnBlink>\n" to the file named
// by NLED_ONLY_LOG.
#include <windows.h>

#include <cstdio>

#include "nled.h"

extern "C" __declspec(dllexport) BOOL WINAPI NLedSetDevice(UINT nDeviceId, void *pInput) {
    if (nDeviceId != NLED_SETTINGS_INFO_ID || !pInput)
        return FALSE;
    const NLED_SETTINGS_INFO *settings = static_cast<const NLED_SETTINGS_INFO *>(pInput);
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("NLED_ONLY_LOG", path, MAX_PATH))
        return FALSE;
    FILE *log = fopen(path, "ab");
    if (!log)
        return FALSE;
    fprintf(log, "%u %d\n", settings->LedNum, settings->OffOnBlink);
    fclose(log);
    return TRUE;
}
