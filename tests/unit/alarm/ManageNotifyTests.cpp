// Registering, finding and clearing rings in the notification database of a
// device folder of the suite's own, served by a service the suite starts and
// stops itself (so none outlives it). Every ring lies years ahead, so none
// fires, and each test starts and ends with an empty database.
#include "alarm/ManageNotify.h"

#include <notify.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestTimes.h"
#include "support/Notifications.h"

namespace {

using Args = std::vector<std::wstring>;

using Pending = testsupport::PendingNotification;
using testsupport::PendingNotifications;

Args PendingArguments() {
    Args arguments;
    for (const Pending &p : PendingNotifications())
        arguments.push_back(p.arguments);
    std::sort(arguments.begin(), arguments.end());
    return arguments;
}

std::wstring Folder(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, wcsrchr(path, L'\\') + 1);
}

// Starts the notification service that coredll.dll would start, with the
// environment (and so the device folder) of this process.
HANDLE RunService(const wchar_t *arguments) {
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

class ManageNotify : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"TallyPadAlarmTests-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", folder_.c_str());
        service_ = RunService(L"");
        // It logs "up <pid>" once it holds its single-instance lock; from then
        // on the notification functions start no other.
        for (int i = 0; service_ && i < 200 && Log().find(" up ") == std::string::npos; ++i)
            Sleep(50);
    }
    static void TearDownTestSuite() {
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
    static std::string Log() {
        HANDLE file =
            CreateFileW((folder_ + L"\\notify.log").c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
        char text[4096] = {};
        DWORD got = 0;
        if (file != INVALID_HANDLE_VALUE) {
            ReadFile(file, text, sizeof text - 1, &got, nullptr);
            CloseHandle(file);
        }
        return text;
    }

    void SetUp() override { ClearAll(); }
    void TearDown() override { ClearAll(); }
    static void ClearAll() {
        for (const Pending &p : PendingNotifications())
            CeClearUserNotification(p.handle);
    }

    static std::wstring folder_;
    static HANDLE service_; // owned
    CManageNotify notify_;
};

std::wstring ManageNotify::folder_;
HANDLE ManageNotify::service_ = nullptr;

TEST_F(ManageNotify, RingStartsTheRunnerInWholeMinutes) {
    ASSERT_TRUE(notify_.RegisterAlarmNotification(L"{A}", At(2031, 7, 30, 7, 30, 45), nullptr, nullptr,
                                                  CManageNotify::kAlarmKind));
    std::vector<Pending> pending = PendingNotifications();
    ASSERT_EQ(1u, pending.size());
    const Pending &alarm = pending[0];
    EXPECT_EQ(L"sort=2 adx=\"{A}\"", alarm.arguments);
    EXPECT_EQ(Folder(nullptr) + L"TallyPadAlarm.exe", alarm.application) << "beside the program";
    EXPECT_EQ(static_cast<DWORD>(CNT_TIME), alarm.trigger.dwType);
    EXPECT_EQ(0u, alarm.trigger.dwEvent);
    EXPECT_FALSE(alarm.userNotification) << "the runner does all signalling";
    EXPECT_EQ(Text(At(2031, 7, 30, 7, 30)), Text(alarm.trigger.stStartTime)) << "seconds dropped";
    EXPECT_EQ(Text(At(2031, 7, 31, 7, 30)), Text(alarm.trigger.stEndTime)) << "kept for one day";

    SYSTEMTIME start = At(2031, 8, 1, 10, 0, 5);
    start.wMilliseconds = 500;
    const SYSTEMTIME end = At(2031, 8, 1, 10, 0, 20);
    ClearAll();
    ASSERT_TRUE(
        notify_.RegisterAlarmNotification(L"C:\\Windows\\Alarm1.wav", start, &end, nullptr, CManageNotify::kTimerKind));
    pending = PendingNotifications();
    ASSERT_EQ(1u, pending.size());
    EXPECT_EQ(L"sort=1 adx=\"C:\\Windows\\Alarm1.wav\"", pending[0].arguments);
    EXPECT_EQ(Text(At(2031, 8, 1, 10, 0)), Text(pending[0].trigger.stStartTime));
    EXPECT_EQ(Text(At(2031, 8, 1, 10, 0)), Text(pending[0].trigger.stEndTime)) << "given end";
}

TEST_F(ManageNotify, SameAlarmMinuteIsRegisteredOnce) {
    const struct {
        const wchar_t *id;
        SYSTEMTIME start;
        size_t pendingAfter;
    } steps[] = {
        {L"{A}", At(2031, 7, 30, 7, 30, 10), 1},
        {L"{A}", At(2031, 7, 30, 7, 30, 45), 1}, // same minute: success, nothing added
        {L"{A}", At(2031, 7, 30, 7, 31), 2},
        {L"{B}", At(2031, 7, 30, 7, 30), 3},
        {L"{A}", At(2031, 7, 31, 7, 30), 4}, // same time, another day
    };
    for (const auto &step : steps) {
        EXPECT_TRUE(notify_.RegisterAlarmNotification(step.id, step.start, nullptr, nullptr, 2)) << Text(step.start);
        EXPECT_EQ(step.pendingAfter, PendingNotifications().size()) << Text(step.start);
    }
    EXPECT_TRUE(notify_.RegisterAlarmNotification(L"{B}", Ole(2031, 7, 30, 7, 30, 59)))
        << "the alarm form takes the same check";
    EXPECT_EQ(4u, PendingNotifications().size());
}

TEST_F(ManageNotify, FindMatchesExactCommandLineAndMinute) {
    ASSERT_TRUE(notify_.RegisterAlarmNotification(L"{A}", Ole(2031, 7, 30, 7, 30)));
    const HANDLE registered = PendingNotifications().at(0).handle;
    const struct {
        const wchar_t *commandLine;
        SYSTEMTIME start;
        bool found;
    } cases[] = {
        {L"sort=2 adx=\"{A}\"", At(2031, 7, 30, 7, 30, 59), true},
        {L"sort=2 adx=\"{A}\"", At(2031, 7, 30, 7, 31), false},
        {L"sort=2 adx=\"{A}\"", At(2031, 7, 29, 7, 30), false},
        {L"sort=2 adx=\"{A\"", At(2031, 7, 30, 7, 30), false},
        {L"sort=2 adx=\"{a}\"", At(2031, 7, 30, 7, 30), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.found ? registered : nullptr, notify_.FindAlarmNotification(c.commandLine, c.start))
            << Text(c.start);
}

TEST_F(ManageNotify, MoveReplacesTheOldRingOrAddsOne) {
    ASSERT_TRUE(notify_.RegisterAlarmNotification(L"{A}", Ole(2031, 7, 30, 7, 30)));
    const HANDLE old = PendingNotifications().at(0).handle;
    EXPECT_TRUE(notify_.RegisterAlarmNotification(L"{A}", Ole(2031, 7, 30, 7, 30), Ole(2031, 7, 30, 8, 15)));
    const std::vector<Pending> pending = PendingNotifications();
    ASSERT_EQ(1u, pending.size());
    EXPECT_EQ(old, pending[0].handle) << "the old notification is replaced";
    EXPECT_EQ(Text(At(2031, 7, 30, 8, 15)), Text(pending[0].trigger.stStartTime));
    EXPECT_EQ(Text(At(2031, 7, 31, 8, 15)), Text(pending[0].trigger.stEndTime));

    EXPECT_TRUE(notify_.RegisterAlarmNotification(L"{A}", Ole(2031, 7, 30, 6, 0), Ole(2031, 8, 2, 9, 0)))
        << "nothing pending at the old time";
    EXPECT_EQ(2u, PendingNotifications().size());
}

TEST_F(ManageNotify, ClearTakesTimersOrOneIdentifier) {
    const SYSTEMTIME at = At(2031, 7, 30, 7, 30), later = At(2031, 7, 30, 8, 0);
    ASSERT_TRUE(notify_.RegisterAlarmNotification(L"C:\\a.wav", at, nullptr, nullptr, 1));
    ASSERT_TRUE(notify_.RegisterAlarmNotification(L"\\My Documents\\b.mp3", later, nullptr, nullptr, 1));
    ASSERT_TRUE(notify_.RegisterAlarmNotification(L"{A}", at, nullptr, nullptr, 2));
    ASSERT_TRUE(notify_.RegisterAlarmNotification(L"{A}", later, nullptr, nullptr, 2));
    ASSERT_TRUE(notify_.RegisterAlarmNotification(L"{B}", at, nullptr, nullptr, 2));

    const Args ab = {L"sort=2 adx=\"{A}\"", L"sort=2 adx=\"{A}\"", L"sort=2 adx=\"{B}\""};
    const Args b = {L"sort=2 adx=\"{B}\""};
    const struct {
        int mode;
        const wchar_t *identifier;
        BOOL result;
        Args left;
        const char *why;
    } steps[] = {
        {1, L"", TRUE, ab, "mode 1 clears every timer, whatever its sound"},
        {2, L"{Z}", FALSE, ab, "no notification of that id: no clear made"},
        {2, L"{A}", TRUE, b, "mode 2 clears every ring of that id only"},
        {2, L"", FALSE, b, "an empty id clears nothing"},
        {3, L"{B}", FALSE, b, "unknown mode"},
    };
    for (const auto &step : steps) {
        EXPECT_EQ(step.result, notify_.ClearNotifications(step.mode, step.identifier)) << step.why;
        EXPECT_EQ(step.left, PendingArguments()) << step.why;
    }
}

TEST_F(ManageNotify, RefusesWhatCannotBeRegisteredWhole) {
    const SYSTEMTIME at = At(2031, 7, 30, 7, 30);
    EXPECT_FALSE(notify_.RegisterAlarmNotification(L"", at, nullptr, nullptr, 2)) << "alarm without id";
    EXPECT_FALSE(notify_.RegisterAlarmNotification(L"{A}", 1e10)) << "no such date";

    // The longest identifier whose command line the database takes is kept
    // whole; one character more is refused, not cut.
    const std::wstring longest(CE_NOTIFICATION_MAX_ARGUMENTS - wcslen(L"sort=2 adx=\"\""), L'x');
    const std::wstring tooLong = longest + L'x';
    EXPECT_FALSE(notify_.RegisterAlarmNotification(tooLong.c_str(), at, nullptr, nullptr, 2));
    EXPECT_FALSE(notify_.RegisterAlarmNotification(tooLong.c_str(), at, nullptr, nullptr, 1));
    EXPECT_TRUE(PendingNotifications().empty()) << "nothing registered, nothing cut";
    EXPECT_TRUE(notify_.RegisterAlarmNotification(longest.c_str(), at, nullptr, nullptr, 2));
    EXPECT_EQ(Args{L"sort=2 adx=\"" + longest + L"\""}, PendingArguments());

    ClearAll();
    EXPECT_TRUE(notify_.RegisterAlarmNotification(L"", at, nullptr, nullptr, 1)) << "timer without sound";
}

} // namespace
