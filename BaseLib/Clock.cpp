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
    return g_fake ? g_tick : GetTickCount();
}

void LocalTime(SYSTEMTIME *time) {
    SharedLock lock;
    if (g_fake)
        FromUnits(g_local, time);
    else
        GetLocalTime(time);
}

void UtcTime(SYSTEMTIME *time) {
    SharedLock lock;
    if (g_fake)
        FromUnits(g_utc, time);
    else
        GetSystemTime(time);
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
