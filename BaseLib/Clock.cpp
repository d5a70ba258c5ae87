#include "BaseLib/Clock.h"

namespace {

// The feedback worker reads the tick on its own thread, so every access to
// the fake state takes the lock.
SRWLOCK g_lock = SRWLOCK_INIT;
bool g_fake = false;
DWORD g_tick = 0;
ULONGLONG g_local = 0; // FILETIME units (100 ns)
ULONGLONG g_utc = 0;

const ULONGLONG kUnitsPerMs = 10000;

// The device's clock, from coredll.dll, looked up rather than linked so that
// every program and test runs with or without it; without it the host's
// clock is the device's. (cetime.h, which declares the device's clock, is
// not included: it renames the host's functions that are the fallback.)
using PFN_GetTickCount = DWORD(WINAPI *)();
using PFN_GetSystemTime = void(WINAPI *)(LPSYSTEMTIME);

struct DeviceClock {
    PFN_GetTickCount tick = ::GetTickCount;
    PFN_GetSystemTime local = ::GetLocalTime;
    PFN_GetSystemTime utc = ::GetSystemTime;

    DeviceClock() {
        const HMODULE coredll = LoadLibraryW(L"coredll.dll"); // kept loaded
        if (!coredll)
            return;
        const auto tickCount =
            reinterpret_cast<PFN_GetTickCount>(reinterpret_cast<void *>(GetProcAddress(coredll, "GetTickCount")));
        const auto localTime =
            reinterpret_cast<PFN_GetSystemTime>(reinterpret_cast<void *>(GetProcAddress(coredll, "GetLocalTime")));
        const auto utcTime =
            reinterpret_cast<PFN_GetSystemTime>(reinterpret_cast<void *>(GetProcAddress(coredll, "GetSystemTime")));
        if (tickCount && localTime && utcTime) {
            tick = tickCount;
            local = localTime;
            utc = utcTime;
        }
    }
};

const DeviceClock &Device() {
    static const DeviceClock clock;
    return clock;
}

ULONGLONG ToUnits(const SYSTEMTIME &time) {
    FILETIME file = {};
    SystemTimeToFileTime(&time, &file);
    return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

void FromUnits(ULONGLONG units, SYSTEMTIME *time) {
    FILETIME file = {static_cast<DWORD>(units), static_cast<DWORD>(units >> 32)};
    FileTimeToSystemTime(&file, time);
}

class SharedLock {
public:
    SharedLock() { AcquireSRWLockShared(&g_lock); }
    ~SharedLock() { ReleaseSRWLockShared(&g_lock); }
};

class ExclusiveLock {
public:
    ExclusiveLock() { AcquireSRWLockExclusive(&g_lock); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&g_lock); }
};

} // namespace

namespace Clock {

DWORD TickCount() {
    SharedLock lock;
    return g_fake ? g_tick : Device().tick();
}

void LocalTime(SYSTEMTIME *time) {
    SharedLock lock;
    if (g_fake)
        FromUnits(g_local, time);
    else
        Device().local(time);
}

void UtcTime(SYSTEMTIME *time) {
    SharedLock lock;
    if (g_fake)
        FromUnits(g_utc, time);
    else
        Device().utc(time);
}

void Fake(DWORD tick, const SYSTEMTIME &local) {
    SYSTEMTIME utc = local;
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    ExclusiveLock lock;
    g_fake = true;
    g_tick = tick;
    g_local = ToUnits(local);
    g_utc = ToUnits(utc);
}

void Advance(DWORD milliseconds) {
    ExclusiveLock lock;
    g_tick += milliseconds;
    g_local += milliseconds * kUnitsPerMs;
    g_utc += milliseconds * kUnitsPerMs;
}

void Real() {
    ExclusiveLock lock;
    g_fake = false;
}

} // namespace Clock
