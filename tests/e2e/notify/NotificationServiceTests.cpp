// The notification service with real processes and the real clock: it
// starts a notification's program on time with exactly its arguments, fires
// what it missed while it was down, keeps everything across a kill, and
// loses nothing while processes change the database at once. Times are the
// device's own clock (cetime.h), which a test may set.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <thread>

#include "Harness.h"
#include "cetime.h"
#include "NotifyTestSupport.h"

using namespace notifytest;

namespace {

struct ProbeRun {
    ULONGLONG began; // local time, 100 ns units
    std::wstring commandLine;
};

std::wstring FromUtf8(const std::string &text) {
    if (text.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::vector<ProbeRun> ProbeRuns(const TestDevice &device) {
    std::vector<ProbeRun> runs;
    for (const std::string &line : Lines(device.Read(L"probe.log"))) {
        SYSTEMTIME t = {};
        size_t tab = line.find('\t');
        if (tab == std::string::npos || sscanf(line.c_str(), "%hu-%hu-%hu %hu:%hu:%hu.%hu", &t.wYear, &t.wMonth,
                                               &t.wDay, &t.wHour, &t.wMinute, &t.wSecond, &t.wMilliseconds) != 7)
            continue;
        runs.push_back({Ticks(t), FromUtf8(line.substr(tab + 1))});
    }
    return runs;
}

std::vector<ProbeRun> WaitForProbeRuns(const TestDevice &device, size_t count, DWORD milliseconds) {
    for (DWORD waited = 0;; waited += 50) {
        std::vector<ProbeRun> runs = ProbeRuns(device);
        if (runs.size() >= count || waited >= milliseconds)
            return runs;
        Sleep(50);
    }
}

// Lines of notify.log of one kind ("start", "drop", ...), without the stamp.
std::vector<std::wstring> LogEntries(const TestDevice &device, const std::string &kind) {
    std::vector<std::wstring> entries;
    for (const std::string &line : Lines(device.Read(L"notify.log"))) {
        // "YYYY-MM-DD HH:MM:SS.mmm <tick> <kind> ..."
        size_t at = line.find(' ', 24);
        if (at != std::string::npos && line.compare(at + 1, kind.size() + 1, kind + " ") == 0)
            entries.push_back(FromUtf8(line.substr(at + kind.size() + 2)));
    }
    return entries;
}

e2e::Process Launch(const std::wstring &path, const std::wstring &args = L"") {
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!args.empty())
        commandLine += L" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return e2e::Process();
    CloseHandle(pi.hThread);
    return e2e::Process(pi.hProcess, pi.dwProcessId);
}

HANDLE Register(TimeTrigger &t, HANDLE existing = nullptr) {
    return CeSetUserNotificationEx(existing, t.Get(), nullptr);
}

std::set<std::wstring> ArgumentsOfAll() {
    std::set<std::wstring> all;
    for (HANDLE h : Handles())
        all.insert(ArgumentsOf(h));
    return all;
}

const std::wstring kProbe = OwnFolder() + L"NotifyProbe.exe";
const SYSTEMTIME kNoEnd = {};

} // namespace

TEST(NotificationService, StartsTheProgramOnTimeWithExactlyItsArguments) {
    TestDevice device;
    const std::wstring alarm = L"sort=2 adx=\"{0E4B5C1A-7D2F-4C39-9A61-2B8E5F0C4D17}\"";
    const std::wstring timer = L"sort=1 adx=\"C:\\My Documents\\R\u00e9veil  2.wav\"";

    // The first registration starts the service, which then sleeps towards
    // a start 50 s away; moving that start must wake it.
    TimeTrigger first(kProbe, alarm, LocalIn(50000), LocalIn(86400000));
    HANDLE h = Register(first);
    ASSERT_NE(nullptr, h) << "error " << GetLastError();
    ASSERT_NE(nullptr, WaitForServiceWindow(5000)) << "the registration did not start the service";
    first.trigger.stStartTime = LocalIn(2500);
    ASSERT_EQ(h, Register(first, h));
    TimeTrigger second(kProbe, timer, LocalIn(3500), kNoEnd);
    ASSERT_NE(nullptr, Register(second));

    std::vector<ProbeRun> runs = WaitForProbeRuns(device, 2, 8000);
    ASSERT_EQ(2u, runs.size()) << "the service did not start both programs";
    const struct {
        const std::wstring &args;
        const SYSTEMTIME &start;
    } expected[] = {{alarm, first.trigger.stStartTime}, {timer, second.trigger.stStartTime}};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(expected[i].args, runs[i].commandLine) << "the program did not see exactly its arguments";
        LONGLONG lateMs =
            (static_cast<LONGLONG>(runs[i].began) - static_cast<LONGLONG>(Ticks(expected[i].start))) / 10000;
        EXPECT_GE(lateMs, 0) << "started before its time";
        EXPECT_LT(lateMs, 1000) << "started more than a second late";
    }
    EXPECT_TRUE(Handles().empty()) << "a fired notification was not removed";
    EXPECT_EQ((std::vector<std::wstring>{L"\"" + kProbe + L"\" " + alarm, L"\"" + kProbe + L"\" " + timer}),
              LogEntries(device, "start"));
}

TEST(NotificationService, SettingTheDevicesClockToAStartFiresIt) {
    TestDevice device;
    const std::wstring alarm = L"sort=2 adx=\"{clock}\"";
    TimeTrigger later(kProbe, alarm, LocalIn(3600000), LocalIn(2 * 3600000));
    ASSERT_NE(nullptr, Register(later)) << "error " << GetLastError();
    ASSERT_NE(nullptr, WaitForServiceWindow(5000));
    EXPECT_TRUE(WaitForProbeRuns(device, 1, 1000).empty()) << "started an hour early";

    // The device's clock set to two seconds before the start: the service
    // hears of it and starts the program on the device's time.
    SYSTEMTIME jump = LocalIn(3600000 - 2000, false);
    ASSERT_TRUE(SetLocalTime(&jump));
    std::vector<ProbeRun> runs = WaitForProbeRuns(device, 1, 8000);
    ASSERT_EQ(1u, runs.size()) << "the service did not follow the device's clock";
    EXPECT_EQ(alarm, runs[0].commandLine);
    LONGLONG lateMs =
        (static_cast<LONGLONG>(runs[0].began) - static_cast<LONGLONG>(Ticks(later.trigger.stStartTime))) / 10000;
    EXPECT_GE(lateMs, 0) << "started before its time on the device's clock";
    EXPECT_LT(lateMs, 1500);
}

TEST(NotificationService, OnStartFiresWhatItMissedAndDropsWhatExpired) {
    TestDevice device;
    {
        // A thread holding the service's mutex plays a running service, so
        // the registrations below start none while the service is "down".
        HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr),
               held = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        const std::wstring name = notify::DeviceObjectName(notify::kServiceRole);
        std::thread standIn([&] {
            HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
            SetEvent(held);
            WaitForSingleObject(release, INFINITE);
            ReleaseMutex(mutex);
            CloseHandle(mutex);
        });
        WaitForSingleObject(held, INFINITE);
        TimeTrigger missed(kProbe, L"missed", LocalIn(-5000), LocalIn(3600000));
        TimeTrigger missedNoEnd(kProbe, L"missed, no end", LocalIn(-3000), kNoEnd);
        TimeTrigger expired(kProbe, L"expired", LocalIn(-10000), LocalIn(-1000));
        TimeTrigger future(kProbe, L"future", LocalIn(3600000), LocalIn(7200000));
        for (TimeTrigger *t : {&expired, &missedNoEnd, &future, &missed})
            ASSERT_NE(nullptr, Register(*t)) << "error " << GetLastError();
        Sleep(300);
        EXPECT_EQ(nullptr, ServiceWindow());
        SetEvent(release);
        standIn.join();
        CloseHandle(release);
        CloseHandle(held);
    }
    EXPECT_TRUE(ProbeRuns(device).empty());

    e2e::Process service = Launch(OwnFolder() + notify::kServiceProgram);
    ASSERT_TRUE(service.Started());
    std::vector<ProbeRun> runs = WaitForProbeRuns(device, 2, 5000);
    ASSERT_EQ(2u, runs.size());
    EXPECT_EQ((std::set<std::wstring>{L"missed", L"missed, no end"}),
              (std::set<std::wstring>{runs[0].commandLine, runs[1].commandLine}));
    // The two programs run side by side; the service started them earliest first.
    EXPECT_EQ((std::vector<std::wstring>{L"\"" + kProbe + L"\" missed", L"\"" + kProbe + L"\" missed, no end"}),
              LogEntries(device, "start"));
    Sleep(300);
    EXPECT_EQ(2u, ProbeRuns(device).size()) << "the expired notification fired";
    EXPECT_EQ(std::set<std::wstring>{L"future"}, ArgumentsOfAll());
    EXPECT_EQ(std::vector<std::wstring>{L"\"" + kProbe + L"\" expired"}, LogEntries(device, "drop"));
}

TEST(NotificationService, TwoProcessesRegisteringAndClearingAtOnceLoseNothing) {
    TestDevice device;
    const int perWorker = 30;
    wchar_t gun[64];
    _snwprintf(gun, 64, L"Local\\TallyPadNotifyTest.Start.%lu", GetCurrentProcessId());
    HANDLE start = CreateEventW(nullptr, TRUE, FALSE, gun);
    ASSERT_NE(nullptr, start);

    std::vector<e2e::Process> workers;
    for (int w = 1; w <= 2; ++w) {
        workers.push_back(Launch(OwnFolder() + L"NotifyWorker.exe",
                                 std::to_wstring(w) + L" " + std::to_wstring(perWorker) + L" " + gun));
        ASSERT_TRUE(workers.back().Started());
    }
    Sleep(1000); // both are waiting for the start
    SetEvent(start);
    for (size_t w = 0; w < workers.size(); ++w)
        EXPECT_EQ(0u, workers[w].WaitExit(60000)) << "worker " << w + 1 << " had failing calls (or did not end)";
    CloseHandle(start);

    std::set<std::wstring> expected;
    for (int w = 1; w <= 2; ++w) {
        for (int i = 1; i < perWorker; i += 2)
            expected.insert(L"worker=" + std::to_wstring(w) + L" item=" + std::to_wstring(i));
    }
    std::vector<HANDLE> handles = Handles();
    EXPECT_EQ(expected.size(), handles.size());
    EXPECT_EQ(handles.size(), std::set<HANDLE>(handles.begin(), handles.end()).size()) << "a handle was given twice";
    EXPECT_EQ(expected, ArgumentsOfAll());
}

TEST(NotificationService, KilledAndRestartedServiceKeepsEveryPendingNotification) {
    TestDevice device;
    std::set<std::wstring> later;
    for (int i = 0; i < 5; ++i) {
        std::wstring args = L"sort=2 adx=\"later " + std::to_wstring(i) + L"\"";
        TimeTrigger t(kProbe, args, LocalIn(3600000 + i * 60000), LocalIn(90000000));
        ASSERT_NE(nullptr, Register(t));
        later.insert(args);
    }
    TimeTrigger soon(kProbe, L"sort=2 adx=\"soon\"", LocalIn(4500), kNoEnd);
    ASSERT_NE(nullptr, Register(soon));

    HWND wnd = WaitForServiceWindow(5000);
    ASSERT_NE(nullptr, wnd);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    ASSERT_NE(nullptr, process);
    TerminateProcess(process, 9);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    EXPECT_EQ(nullptr, ServiceWindow());
    std::set<std::wstring> all = later;
    all.insert(L"sort=2 adx=\"soon\"");
    EXPECT_EQ(all, ArgumentsOfAll()) << "killing the service lost notifications";

    // Started as the device's boot starts it; a second start finds it running.
    const wchar_t installed[] = L"C:\\Windows\\NotificationService.exe";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(installed)) << "the device has no notification service";
    e2e::Process booted = Launch(installed);
    ASSERT_NE(nullptr, WaitForServiceWindow(5000));
    e2e::Process second = Launch(installed);
    EXPECT_EQ(1u, second.WaitExit(8000)) << "a second instance must end at once";

    std::vector<ProbeRun> runs = WaitForProbeRuns(device, 1, 6000);
    ASSERT_EQ(1u, runs.size()) << "the restarted service did not fire the pending notification";
    EXPECT_EQ(L"sort=2 adx=\"soon\"", runs[0].commandLine);
    EXPECT_EQ(later, ArgumentsOfAll());
}

TEST(NotificationService, EndsWhenAskedWhenNothingIsLeftAndWhenItsDeviceIsDeleted) {
    enum How { kStopRequest, kLastCleared, kFolderDeleted };
    const struct {
        const char *what;
        How how;
    } cases[] = {{"stop request", kStopRequest},
                 {"last time notification cleared", kLastCleared},
                 {"device folder deleted", kFolderDeleted}};
    for (const auto &c : cases) {
        TestDevice device;
        TimeTrigger t(kProbe, L"x", LocalIn(3600000), kNoEnd);
        HANDLE h = Register(t);
        ASSERT_NE(nullptr, h) << c.what;
        HWND wnd = WaitForServiceWindow(5000);
        ASSERT_NE(nullptr, wnd) << c.what;
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        ASSERT_NE(nullptr, process) << c.what;
        if (c.how == kStopRequest) {
            e2e::Process stop = Launch(OwnFolder() + notify::kServiceProgram, L"-stop");
            EXPECT_EQ(0u, stop.WaitExit(10000)) << c.what;
        } else if (c.how == kLastCleared) {
            ASSERT_TRUE(CeClearUserNotification(h));
        } else {
            for (const wchar_t *name : {L"notify.db", L"notify.log"})
                DeleteFileW(device.File(name).c_str());
            RemoveDirectoryW(device.Path().c_str());
        }
        EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(process, 3000))
            << c.what << ": the service goes on";
        CloseHandle(process);
        if (c.how != kLastCleared)
            continue;
        // The next registration brings a service back.
        ASSERT_NE(nullptr, Register(t));
        EXPECT_TRUE(ServiceRunning()) << "no service after a registration";
    }
}
