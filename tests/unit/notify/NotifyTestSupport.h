// Helpers of the notification tests: a throwaway device whose service is
// stopped at the end, triggers, times and the information block.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "NotifyStore.h"
#include "support/Files.h"
#include "notify.h"

namespace notifytest {

// Folder of the running test program, with its trailing backslash; the
// build puts coredll.dll, the service and the helper programs there.
inline std::wstring OwnFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// Whether a service of the current device folder holds its mutex.
inline bool ServiceRunning() {
    HANDLE mutex =
        OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, notify::DeviceObjectName(notify::kServiceRole).c_str());
    if (!mutex)
        return false;
    DWORD wait = WaitForSingleObject(mutex, 0);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
        ReleaseMutex(mutex);
    CloseHandle(mutex);
    return wait == WAIT_TIMEOUT;
}

// The service of the current device folder, or null.
inline HWND ServiceWindow() {
    return FindWindowW(notify::kServiceWindowClass, notify::DeviceObjectName(notify::kServiceRole).c_str());
}

inline HWND WaitForServiceWindow(DWORD milliseconds) {
    for (DWORD waited = 0;; waited += 20) {
        if (HWND wnd = ServiceWindow())
            return wnd;
        if (waited >= milliseconds)
            return nullptr;
        Sleep(20);
    }
}

// Ends the service of the current device folder: politely, then by force.
// A service left running would outlive the test and hold its output open.
inline void StopService() {
    for (int attempt = 0; attempt < 5; ++attempt) {
        // An instance that was waiting for the first one's mutex takes over.
        HWND wnd = attempt == 0 ? ServiceWindow() : WaitForServiceWindow(300);
        if (!wnd)
            return;
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
        PostMessageW(wnd, WM_CLOSE, 0, 0);
        if (process) {
            if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) {
                TerminateProcess(process, 99);
                WaitForSingleObject(process, 5000);
            }
            CloseHandle(process);
        }
    }
}

// A device folder of its own for one test; its service, if one was started,
// is stopped and its files are deleted at the end.
class TestDevice {
public:
    TestDevice() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        wchar_t name[64];
        _snwprintf(name, 64, L"TallyPadNotify-%lu-%lu-%d", GetCurrentProcessId(), GetTickCount(), ++serial);
        path_ = std::wstring(temp) + name;
        CreateDirectoryW(path_.c_str(), nullptr);
        Use();
    }
    ~TestDevice() {
        Use();
        // A service that holds its mutex may not have made its window yet
        // (or may be about to end, having nothing to wait for).
        for (DWORD waited = 0; waited < 10000 && ServiceRunning() && !ServiceWindow(); waited += 20)
            Sleep(20);
        StopService();
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(File(L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW(File(found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path_.c_str());
        SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", nullptr);
    }
    TestDevice(const TestDevice &) = delete;
    TestDevice &operator=(const TestDevice &) = delete;

    // Makes this the device of the calls that follow (and of the processes
    // started from now on, which inherit the environment).
    void Use() const { SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", path_.c_str()); }
    const std::wstring &Path() const { return path_; }
    std::wstring File(const wchar_t *name) const { return path_ + L"\\" + name; }

    // Whole file as bytes; empty when it does not exist.
    std::string Read(const wchar_t *name) const { return testsupport::ReadFileBytes(File(name)); }
    void Write(const wchar_t *name, const std::string &bytes) const { testsupport::WriteFileBytes(File(name), bytes); }

private:
    std::wstring path_;
};

inline std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

inline ULONGLONG Ticks(const SYSTEMTIME &t) {
    FILETIME f = {};
    SystemTimeToFileTime(&t, &f);
    return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

inline SYSTEMTIME FromTicks(ULONGLONG ticks) {
    FILETIME f;
    f.dwLowDateTime = static_cast<DWORD>(ticks);
    f.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    SYSTEMTIME t = {};
    FileTimeToSystemTime(&f, &t);
    return t;
}

// Local time `ms` from now (negative: ago), in whole seconds when asked.
inline SYSTEMTIME LocalIn(LONGLONG ms, bool wholeSeconds = true) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    SYSTEMTIME t = FromTicks(Ticks(now) + ms * 10000);
    if (wholeSeconds)
        t.wMilliseconds = 0;
    return t;
}

inline SYSTEMTIME Date(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second = 0) {
    SYSTEMTIME t = {year, month, 0, day, hour, minute, second, 0};
    return t;
}

// A time notification; the texts are copied, so the trigger can outlive the
// caller's strings.
struct TimeTrigger {
    std::wstring application, arguments;
    CE_NOTIFICATION_TRIGGER trigger = {};

    TimeTrigger(const std::wstring &app, const std::wstring &args, const SYSTEMTIME &start, const SYSTEMTIME &end)
        : application(app), arguments(args) {
        trigger.dwSize = sizeof trigger;
        trigger.dwType = CNT_TIME;
        trigger.lpszApplication = &application[0];
        trigger.lpszArguments = &arguments[0];
        trigger.stStartTime = start;
        trigger.stEndTime = end;
    }
    TimeTrigger(const TimeTrigger &) = delete;
    TimeTrigger &operator=(const TimeTrigger &) = delete;
    CE_NOTIFICATION_TRIGGER *Get() { return &trigger; }
};

inline std::vector<HANDLE> Handles() {
    DWORD count = 0;
    if (!CeGetUserNotificationHandles(nullptr, 0, &count))
        return {};
    std::vector<HANDLE> handles(count);
    if (count && !CeGetUserNotificationHandles(handles.data(), count, &count))
        return {};
    return handles;
}

// The information block of a notification; empty when it cannot be read.
// Kept in 8-byte units so the structures at its start are aligned.
struct Block {
    std::vector<unsigned long long> storage;
    DWORD size = 0;
    const CE_NOTIFICATION_INFO_HEADER *Header() const {
        return reinterpret_cast<const CE_NOTIFICATION_INFO_HEADER *>(storage.data());
    }
    bool Empty() const { return size == 0; }
    // Whether [p, p + bytes) lies inside the block.
    bool Holds(const void *p, size_t bytes) const {
        auto *begin = reinterpret_cast<const BYTE *>(storage.data());
        auto *q = static_cast<const BYTE *>(p);
        return q >= begin && q + bytes <= begin + size;
    }
};

inline Block ReadBlock(HANDLE h) {
    Block block;
    DWORD needed = 0;
    if (!CeGetUserNotification(h, 0, &needed, nullptr) || needed == 0)
        return block;
    block.storage.resize((needed + 7) / 8);
    if (!CeGetUserNotification(h, needed, &needed, reinterpret_cast<LPBYTE>(block.storage.data())))
        return Block();
    block.size = needed;
    return block;
}

inline std::wstring ArgumentsOf(HANDLE h) {
    Block block = ReadBlock(h);
    if (block.Empty() || !block.Header()->pcent->lpszArguments)
        return std::wstring();
    return block.Header()->pcent->lpszArguments;
}

} // namespace notifytest
