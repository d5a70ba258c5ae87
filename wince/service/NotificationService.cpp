// The device's notification service: starts each time notification's
// application at its start time and removes the notification.
//
// One instance per device folder (a named mutex). It sleeps in
// MsgWaitForMultipleObjects until the earliest start, a change to the
// database (an event that the notification functions set), or a message to
// its hidden window: WM_TIMECHANGE makes it plan again at once, WM_CLOSE ends
// it. It also wakes at least once a minute, so a clock that was set without a
// WM_TIMECHANGE costs at most a minute. It reads the device's own clock, which
// setting the device's time changes (DeviceClock.h).
//
// It runs while time notifications wait and ends when none is left; the next
// registration starts it again. It gives up its mutex while it still holds
// the database lock, so a registration made after it looked either was seen
// by it or finds it gone and starts a new one: no notification is left
// without a service.
//
// It logs to notify.log in the device folder, one line per event after the
// stamp "YYYY-MM-DD HH:MM:SS.mmm <tick>":
//   up <pid>                      the service started
//   down                          nothing left to wait for: it ends
//   start "<application>" <arguments>
//   fail <error> "<application>" <arguments>   could not be started (removed)
//   drop "<application>" <arguments>           its end passed before it fired
//   time changed
//
// "NotificationService.exe -stop" asks the device's running service to end
// and waits until it has.
#include <windows.h>

#include <set>
#include <string>
#include <utility>

#include "DeviceClock.h"
#include "DeviceState.h"
#include "NotifyStore.h"
#include "Schedule.h"
#include "notify.h"

namespace {

constexpr DWORD kLongestWaitMs = 60000;
constexpr DWORD kRetryMs = 1000;        // after the database could not be read or written
constexpr DWORD kInstanceWaitMs = 3000; // a starting instance waits this long for a previous one to go

// The desktop form of the handheld's command line: the quoted program path,
// a space and the arguments, so that the program's runtime, which drops the
// path and the space, hands it exactly the arguments.
std::wstring CommandLine(const notify::Record &r) {
    std::wstring commandLine = L"\"" + r.application.text + L"\"";
    if (r.arguments.present && !r.arguments.text.empty())
        commandLine += L" " + r.arguments.text;
    return commandLine;
}

DWORD StartApplication(const notify::Record &r) {
    std::wstring commandLine = CommandLine(r);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(r.application.text.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return GetLastError();
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ERROR_SUCCESS;
}

// The device folder was deleted with its database: nothing is left to serve
// (a new registration makes the folder again and starts a service).
bool FolderExists() {
    DWORD attributes = GetFileAttributesW(device::FolderPath().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

constexpr DWORD kGone = INFINITE; // Tick's answer when the service should end

// Whether any notification needs the service to start it.
bool WaitsForAny(const notify::Database &db) {
    for (const notify::Record &r : db.records) {
        if (r.type == CNT_TIME)
            return true;
    }
    return false;
}

// A start time as one comparable number.
ULONGLONG StartKey(const SYSTEMTIME &start) {
    FILETIME f = {};
    SystemTimeToFileTime(&start, &f);
    return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

class Service {
public:
    explicit Service(HANDLE instanceMutex) : instanceMutex_(instanceMutex) {}
    bool Open(HINSTANCE instance);
    int Run();

private:
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    DWORD Tick();
    bool PumpMessages(); // false on WM_QUIT

    HANDLE instanceMutex_;                      // owned and held until the service ends
    HWND window_ = nullptr;                     // owned; destroyed by WM_CLOSE
    HANDLE changed_ = nullptr;                  // owned
    HANDLE folderWatch_ = INVALID_HANDLE_VALUE; // owned; folders made or removed beside the device folder
    // Notifications started whose removal could not be saved yet, by handle
    // and start, so that a failing disk does not start them over and over.
    std::set<std::pair<DWORD, ULONGLONG>> started_;
};

LRESULT CALLBACK Service::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMECHANGE: // the wait is worked out afresh on every wake-up
        notify::Log(L"time changed");
        return 0;
    case WM_CLOSE:
        DestroyWindow(wnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

bool Service::Open(HINSTANCE instance) {
    changed_ = CreateEventW(nullptr, FALSE, FALSE, notify::DeviceObjectName(notify::kChangedRole).c_str());
    if (!changed_)
        return false;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = notify::kServiceWindowClass;
    if (!RegisterClassW(&wc))
        return false;
    // A hidden top-level window: message-only windows miss broadcasts such as
    // WM_TIMECHANGE.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, notify::kServiceWindowClass,
                              notify::DeviceObjectName(notify::kServiceRole).c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance, nullptr);
    // Notices at once when the device folder is deleted (a throwaway device
    // of a test), rather than at the next wake-up; optional.
    std::wstring folder = device::FolderPath();
    std::wstring parent = folder.substr(0, folder.find_last_of(L"\\/") + 1);
    if (!parent.empty())
        folderWatch_ = FindFirstChangeNotificationW(parent.c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME);
    return window_ != nullptr;
}

// Starts what is due, drops what expired, and tells how long to sleep.
// Programs are started before their notification is removed: should the
// service die in between, a notification rings twice rather than never.
DWORD Service::Tick() {
    if (!FolderExists())
        return kGone;
    SYSTEMTIME now;
    device::ClockLocal(&now);
    notify::DatabaseLock lock;
    notify::Database db;
    if (!lock.Held() || !notify::Load(db))
        return kRetryMs;
    notify::Plan plan = notify::MakePlan(db, now, kLongestWaitMs);
    if (plan.fire.empty() && plan.drop.empty()) {
        started_.clear();
        if (WaitsForAny(db))
            return plan.waitMs;
        // Given up under the database lock (see the top of this file).
        ReleaseMutex(instanceMutex_);
        CloseHandle(instanceMutex_);
        notify::Log(L"down");
        return kGone;
    }
    for (DWORD handle : plan.drop)
        notify::Log(L"drop " + CommandLine(*db.Find(handle)));
    for (DWORD handle : plan.fire) {
        const notify::Record &r = *db.Find(handle);
        auto key = std::make_pair(handle, StartKey(r.start));
        if (started_.count(key))
            continue;
        DWORD error = StartApplication(r);
        if (error == ERROR_SUCCESS)
            notify::Log(L"start " + CommandLine(r));
        else
            notify::Log(L"fail " + std::to_wstring(error) + L" " + CommandLine(r));
        started_.insert(key);
    }
    std::set<DWORD> gone(plan.fire.begin(), plan.fire.end());
    gone.insert(plan.drop.begin(), plan.drop.end());
    std::vector<notify::Record> kept;
    for (notify::Record &r : db.records) {
        if (!gone.count(r.handle))
            kept.push_back(std::move(r));
    }
    db.records = std::move(kept);
    if (!notify::Save(db)) {
        notify::Log(L"cannot save the database: error " + std::to_wstring(GetLastError()));
        return kRetryMs;
    }
    started_.clear();
    return notify::MakePlan(db, now, kLongestWaitMs).waitMs;
}

bool Service::PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            return false;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

int Service::Run() {
    for (;;) {
        DWORD waitMs = Tick();
        if (waitMs == kGone)
            return 0;
        HANDLE waits[2] = {changed_, folderWatch_};
        DWORD count = folderWatch_ != INVALID_HANDLE_VALUE ? 2 : 1;
        DWORD woke = MsgWaitForMultipleObjectsEx(count, waits, waitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0 + count && !PumpMessages())
            return 0;
        if (woke == WAIT_OBJECT_0 + 1 && count == 2)
            FindNextChangeNotification(folderWatch_);
        if (woke == WAIT_FAILED)
            Sleep(kRetryMs); // never spin
    }
}

// Asks the device's running service to end and waits for it.
int StopRunningService() {
    HWND wnd = FindWindowW(notify::kServiceWindowClass, notify::DeviceObjectName(notify::kServiceRole).c_str());
    if (!wnd)
        return 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageW(wnd, WM_CLOSE, 0, 0);
    if (!process)
        return 0;
    DWORD wait = WaitForSingleObject(process, 10000);
    CloseHandle(process);
    return wait == WAIT_OBJECT_0 ? 0 : 1;
}

// Relative handheld paths such as "\Windows\x.exe" are taken on the drive of
// the service's own folder.
void EnterOwnFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    std::wstring folder(path, n);
    SetCurrentDirectoryW(folder.substr(0, folder.find_last_of(L'\\') + 1).c_str());
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR cmdLine, int) {
    if (device::FolderPath().empty())
        return 2; // no device folder: nothing to serve
    if (lstrcmpiW(cmdLine, L"-stop") == 0)
        return StopRunningService();

    HANDLE single = CreateMutexW(nullptr, FALSE, notify::DeviceObjectName(notify::kServiceRole).c_str());
    if (!single)
        return 2;
    DWORD wait = WaitForSingleObject(single, kInstanceWaitMs);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED)
        return 1; // another instance serves this device

    EnterOwnFolder();
    Service service(single);
    if (!service.Open(instance))
        return 2;
    notify::Log(L"up " + std::to_wstring(GetCurrentProcessId()));
    return service.Run();
}
