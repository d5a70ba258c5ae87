// The alarm list's on/off switch: from a tap on it to the repainted row,
// and to the ring being in (switched on) or out of (switched off) the
// notification database as another reader sees it.
//   AlarmSwitchBench [--rounds N] [--alarms N]
// Needs a display. Works on a registry key and a device folder of its own
// (its notification service is stopped at the end), so the device's alarms
// stay untouched.
#include <windows.h>
#include <notify.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "alarm/AlarmActions.h"
#include "alarm/AlarmWnd.h"
#include "support/Notifications.h"
#include "ui/Scaling.h"

namespace {

const wchar_t kBenchHive[] = L"Software\\Velmora\\TallyPadBench\\AlarmHive";

std::wstring Folder(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, wcsrchr(path, L'\\') + 1);
}

void RunService(const wchar_t *arguments, bool wait) {
    const std::wstring service = Folder(GetModuleHandleW(L"coredll.dll")) + L"NotificationService.exe";
    std::wstring commandLine = L"\"" + service + L"\"" + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(service.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return;
    if (wait)
        WaitForSingleObject(process.hProcess, 15000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// Whether the database holds a notification whose command line names id.
bool Pending(const Str &id) {
    for (const testsupport::PendingNotification &p : testsupport::PendingNotifications())
        if (p.arguments.find(id.Text()) != std::wstring::npos)
            return true;
    return false;
}

struct Figures {
    std::vector<double> repaint, database;
    void Print(const char *what) {
        std::sort(repaint.begin(), repaint.end());
        std::sort(database.begin(), database.end());
        printf("switch %-4s  tap to repainted row: median %7.2f ms  max %7.2f ms\n", what,
               repaint[repaint.size() / 2] * 1000, repaint.back() * 1000);
        printf("switch %-4s  tap to database:      median %7.2f ms  max %7.2f ms\n", what,
               database[database.size() / 2] * 1000, database.back() * 1000);
    }
};

class Parent : public Wnd {};

} // namespace

int wmain(int argc, wchar_t **argv) {
    int rounds = 20, alarms = 12;
    for (int i = 1; i + 1 < argc; ++i) {
        if (wcscmp(argv[i], L"--rounds") == 0)
            rounds = std::max(1, _wtoi(argv[++i]));
        else if (wcscmp(argv[i], L"--alarms") == 0)
            alarms = std::max(1, _wtoi(argv[++i]));
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring device = std::wstring(temp) + L"TallyPadAlarmBench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(device.c_str(), nullptr);
    SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", device.c_str());
    HKEY hive = nullptr;
    RegDeleteTreeW(HKEY_CURRENT_USER, kBenchHive);
    RegCreateKeyExW(HKEY_CURRENT_USER, kBenchHive, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hive, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, hive);

    InitScreenMetrics();
    Parent parent;
    RECT frame = {0, 0, 240, 320};
    parent.Create(L"AlarmSwitchBench", WS_POPUP | WS_VISIBLE, frame, nullptr, 0, false);
    CAlarmWnd screen;
    RECT rect = {0, 0, 240, 300};
    screen.Wnd::Create(L"AlarmWnd", WS_CHILD | WS_VISIBLE, rect, parent.GetHwnd(), 0, true);
    CManageNotify notify;
    for (int i = 0; i < alarms; ++i) {
        AlarmTemp record;
        record.MakeNew();
        AddAlarm(&screen.Alarms(), record, &notify);
    }
    screen.Layout(); // loads the alarms just stored
    CListWnd *list = screen.List();
    const Str id = screen.Alarms().GetAlarm(0).id;
    const RECT row = list->RowRect(0);
    const LPARAM at = MAKELPARAM(list->RowWidth() - ScaleX(30), (row.top + row.bottom) / 2);

    Figures on, off;
    for (int i = 0; i < 2 * rounds; ++i) {
        const bool switchingOn = screen.Alarms().GetAlarm(0).enabled == 0;
        const double start = Seconds();
        SendMessageW(list->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list->GetHwnd(), WM_LBUTTONUP, 0, at);
        const double painted = Seconds(); // RepaintRow paints before the tap returns
        while (Pending(id) != switchingOn && Seconds() - start < 5.0) {
        }
        const double stored = Seconds();
        Figures &figures = switchingOn ? on : off;
        figures.repaint.push_back(painted - start);
        figures.database.push_back(stored - start);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    printf("%d alarms, %d rounds each way\n", alarms, rounds);
    on.Print("on");
    off.Print("off");

    CManageNotify().ClearNotifications(CManageNotify::kClearIdentifier, L"sort=2");
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(hive);
    RegDeleteTreeW(HKEY_CURRENT_USER, kBenchHive);
    RunService(L" -stop", true);
    for (const wchar_t *file : {L"notify.db", L"notify.db.tmp", L"notify.log", L"notify.db.bad"})
        DeleteFileW((device + L"\\" + file).c_str());
    RemoveDirectoryW(device.c_str());
    return 0;
}
