#include "DeviceClock.h"

#include <cstdio>
#include <map>
#include <string>

#include "DeviceState.h"
#include "NotifyStore.h"

namespace device {
namespace {

struct ClockState {
    volatile LONGLONG offset; // device UTC minus host UTC, 100 ns units
    volatile LONG bootTick;   // host GetTickCount at the device's boot
};

const wchar_t kStateFile[] = L"clock.state";

LONGLONG ToUnits(const FILETIME &time) {
    return static_cast<LONGLONG>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

FILETIME FromUnits(LONGLONG units) {
    return {static_cast<DWORD>(units), static_cast<DWORD>(static_cast<ULONGLONG>(units) >> 32)};
}

// Caller holds StateLock. A missing or damaged file is a clock that was
// never set on a device that booted with the host.
void Load(ClockState *state) {
    std::string text;
    long long offset = 0;
    unsigned long boot = 0;
    if (ReadText(kStateFile, text) && sscanf(text.c_str(), "%lld %lu", &offset, &boot) == 2) {
        state->offset = offset;
        state->bootTick = static_cast<LONG>(boot);
    }
}

// Caller holds StateLock.
void Store(const ClockState &state) {
    char text[64];
    int n = snprintf(text, sizeof text, "%lld %lu\r\n", static_cast<long long>(state.offset),
                     static_cast<unsigned long>(static_cast<DWORD>(state.bootTick)));
    ReplaceText(kStateFile, std::string(text, n > 0 ? n : 0));
}

// Caller holds StateLock. Made and filled from the file by the first process
// of the device; later ones map what it made.
ClockState *MapSection() {
    HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ClockState),
                                        notify::DeviceObjectName(L"Clock").c_str());
    if (!section)
        return nullptr;
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    auto *view = static_cast<ClockState *>(MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, sizeof(ClockState)));
    if (view && !existed)
        Load(view);
    return view;
}

// The section of the device the process belongs to now; null without a
// device folder. Sections stay mapped for the life of the process: a test
// process may move between throwaway devices, each keeps its own.
ClockState *Shared() {
    static SRWLOCK lock = SRWLOCK_INIT;
    static std::map<std::wstring, ClockState *> sections;
    const std::wstring folder = FolderPath();
    if (folder.empty())
        return nullptr;
    AcquireSRWLockShared(&lock);
    auto found = sections.find(folder);
    ClockState *state = found == sections.end() ? nullptr : found->second;
    ReleaseSRWLockShared(&lock);
    if (state)
        return state;
    StateLock deviceLock;
    AcquireSRWLockExclusive(&lock);
    ClockState *&slot = sections[folder];
    if (!slot)
        slot = MapSection();
    state = slot;
    ReleaseSRWLockExclusive(&lock);
    return state;
}

BOOL CALLBACK TellWindow(HWND window, LPARAM) {
    PostMessageW(window, WM_TIMECHANGE, 0, 0);
    return TRUE;
}

} // namespace

void ClockUtc(FILETIME *time) {
    GetSystemTimeAsFileTime(time);
    if (ClockState *state = Shared())
        *time = FromUnits(ToUnits(*time) + state->offset);
}

void ClockUtc(SYSTEMTIME *time) {
    FILETIME now;
    ClockUtc(&now);
    FileTimeToSystemTime(&now, time);
}

void ClockLocal(SYSTEMTIME *time) {
    SYSTEMTIME utc;
    ClockUtc(&utc);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, time))
        *time = utc;
}

DWORD ClockTick() {
    const DWORD host = GetTickCount();
    ClockState *state = Shared();
    return state ? host - static_cast<DWORD>(state->bootTick) : host;
}

bool SetClockUtc(const SYSTEMTIME &utc) {
    FILETIME wanted;
    if (!SystemTimeToFileTime(&utc, &wanted)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    ClockState *state = Shared();
    if (!state) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    {
        StateLock lock;
        FILETIME host;
        GetSystemTimeAsFileTime(&host);
        InterlockedExchange64(&state->offset, ToUnits(wanted) - ToUnits(host));
        Store(*state);
    }
    EnumWindows(TellWindow, 0);
    return true;
}

bool SetClockLocal(const SYSTEMTIME &local) {
    SYSTEMTIME utc;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return SetClockUtc(utc);
}

void BootClock() {
    ClockState *state = Shared();
    if (!state)
        return;
    StateLock lock;
    InterlockedExchange(&state->bootTick, static_cast<LONG>(GetTickCount()));
    Store(*state);
}

} // namespace device
