// Sets the device's clock, as the handheld's date and time settings do:
//   DeviceSetTime "YYYY-MM-DD HH:MM[:SS]" [utc]
// The time is the device's local time unless "utc" follows. Exit code 0 when
// the clock was set, 2 for a time that cannot be read, 1 when setting failed.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "DeviceClock.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    LPWSTR *argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2)
        return 2;
    SYSTEMTIME time = {};
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const int fields = swscanf(argv[1], L"%d-%d-%d %d:%d:%d", &year, &month, &day, &hour, &minute, &second);
    FILETIME check;
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    if (fields < 5 || year < 1601 || year > 30827 || !SystemTimeToFileTime(&time, &check))
        return 2;
    const bool utc = argc > 2 && _wcsicmp(argv[2], L"utc") == 0;
    return (utc ? device::SetClockUtc(time) : device::SetClockLocal(time)) ? 0 : 1;
}
