#include "PrivateNotifications.h"

#include "support/Notifications.h"

namespace {

std::wstring Folder(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, wcsrchr(path, L'\\') + 1);
}

} // namespace

HANDLE PrivateNotifications::RunService(const wchar_t *arguments) {
    const std::wstring service = Folder(GetModuleHandleW(L"coredll.dll")) + L"NotificationService.exe";
    std::wstring commandLine = L"\"" + service + L"\"" + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(service.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

PrivateNotifications::PrivateNotifications() : service_(nullptr) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"TallyPadAlarmUi-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder_.c_str(), nullptr);
    SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", folder_.c_str());
    service_ = RunService(L"");
    // The service logs "up <pid>" once it holds its single-instance lock.
    for (int i = 0; service_ && i < 200; ++i) {
        HANDLE log =
            CreateFileW((folder_ + L"\\notify.log").c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
        char text[512] = {};
        DWORD got = 0;
        if (log != INVALID_HANDLE_VALUE) {
            ReadFile(log, text, sizeof text - 1, &got, nullptr);
            CloseHandle(log);
        }
        if (strstr(text, " up "))
            break;
        Sleep(50);
    }
}

PrivateNotifications::~PrivateNotifications() {
    ClearAll();
    if (HANDLE stop = RunService(L" -stop")) {
        WaitForSingleObject(stop, 15000);
        CloseHandle(stop);
    }
    if (service_) {
        WaitForSingleObject(service_, 15000);
        CloseHandle(service_);
    }
    for (const wchar_t *file : {L"notify.db", L"notify.db.tmp", L"notify.log", L"notify.db.bad"})
        DeleteFileW((folder_ + L"\\" + file).c_str());
    RemoveDirectoryW(folder_.c_str());
    SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", nullptr);
}

std::vector<PrivateNotifications::Pending> PrivateNotifications::All() {
    std::vector<Pending> pending;
    for (const testsupport::PendingNotification &p : testsupport::PendingNotifications())
        pending.push_back({p.handle, p.arguments, p.trigger.stStartTime});
    return pending;
}

std::vector<PrivateNotifications::Pending> PrivateNotifications::Of(const std::wstring &id) {
    std::vector<Pending> of;
    for (const Pending &p : All())
        if (p.arguments.find(id) != std::wstring::npos)
            of.push_back(p);
    return of;
}

void PrivateNotifications::ClearAll() {
    for (const Pending &p : All())
        CeClearUserNotification(p.handle);
}
