// TallyPadAlarm as the device runs it: started by the real notification
// service (or, for the countdown, the way the service starts it), checked
// through the alarm store, the notification database, the vibrator log and
// the runner's ring log.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "Harness.h"
#include "cetime.h" // the device's clock, which the runner and the service follow
#include "notify.h"
#include "support/Files.h"
#include "support/Notifications.h"

namespace {

const wchar_t kStoreKey[] = L"Software\\Velmora\\TallyPad\\Alarm\\Sack";
const wchar_t kTimerKey[] = L"Software\\Velmora\\TallyPad\\TIMER\\Sack";
const wchar_t kMarkerKey[] = L"Software\\Velmora\\TallyPad\\TIMER_SET\\Sack";
const UINT kBarCommand = 5689;
const UINT kNext = 30069, kCancel = 30070, kClose = 30068;
const UINT kAlarmsChanged = 33269;

std::wstring RingLog() { return e2e::ProgramPath(L"TallyPadAlarm.log"); }

std::string VibratorLog() {
    wchar_t folder[MAX_PATH];
    ExpandEnvironmentStringsW(L"%LOCALAPPDATA%\\TallyPadDevice\\vibrator.log", folder, MAX_PATH);
    return testsupport::ReadFileBytes(folder);
}

std::wstring StoredText(const wchar_t *name) {
    wchar_t text[512] = L"";
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, kStoreKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return L"<none>";
    return text;
}

// Every notification whose command line is exactly this one, with its start.
std::vector<SYSTEMTIME> Notifications(const std::wstring &commandLine) {
    std::vector<SYSTEMTIME> starts;
    for (const testsupport::PendingNotification &p : testsupport::PendingNotifications())
        if (p.arguments == commandLine)
            starts.push_back(p.trigger.stStartTime);
    return starts;
}

void ClearNotifications(const std::wstring &commandLine) {
    DWORD count = 0;
    CeGetUserNotificationHandles(nullptr, 0, &count);
    std::vector<HANDLE> handles(count);
    if (count == 0 || !CeGetUserNotificationHandles(handles.data(), count, &count))
        return;
    for (HANDLE handle : handles) {
        DWORD size = 0;
        CeGetUserNotification(handle, 0, &size, nullptr);
        std::vector<BYTE> block(size);
        if (size && CeGetUserNotification(handle, size, &size, block.data())) {
            const auto *info = reinterpret_cast<const CE_NOTIFICATION_INFO_HEADER *>(block.data());
            if (info->pcent && info->pcent->lpszArguments && commandLine == info->pcent->lpszArguments)
                CeClearUserNotification(handle);
        }
    }
}

// A ring of the runner at the current minute: the service starts it at once.
void RegisterRingNow(const std::wstring &commandLine) {
    std::wstring application = e2e::ProgramPath(L"TallyPadAlarm.exe");
    CE_NOTIFICATION_TRIGGER trigger = {};
    trigger.dwSize = sizeof trigger;
    trigger.dwType = CNT_TIME;
    trigger.lpszApplication = &application[0];
    std::wstring arguments = commandLine;
    trigger.lpszArguments = &arguments[0];
    GetLocalTime(&trigger.stStartTime);
    trigger.stStartTime.wSecond = trigger.stStartTime.wMilliseconds = 0;
    FILETIME file;
    SystemTimeToFileTime(&trigger.stStartTime, &file);
    ULARGE_INTEGER t = {{file.dwLowDateTime, file.dwHighDateTime}};
    t.QuadPart += 864000000000ULL;
    file = {t.LowPart, t.HighPart};
    FileTimeToSystemTime(&file, &trigger.stEndTime);
    ASSERT_TRUE(CeSetUserNotificationEx(nullptr, &trigger, nullptr));
}

std::wstring AlarmCommand(const wchar_t *id) { return std::wstring(L"sort=2 adx=\"") + id + L"\""; }

void Press(HWND box, UINT command) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(box, kBarCommand, 0, command, SMTO_ABORTIFHUNG, 5000, &result);
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

// Waits until the process of the window is gone.
bool Ends(HWND window, DWORD milliseconds) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(window));
    if (!process)
        return true;
    const bool ended = WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Stands in for the main program's window: counts the messages 33269.
class MainWindowStandIn {
public:
    MainWindowStandIn() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VelmoraTallyPad";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowW(L"VelmoraTallyPad", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
        received_ = 0;
    }
    ~MainWindowStandIn() { DestroyWindow(hwnd_); }
    void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    static int received_;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == kAlarmsChanged)
            ++received_;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    HWND hwnd_;
};
int MainWindowStandIn::received_ = 0;

class RunnerTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const wchar_t *id : {L"{E2E-ONE}", L"{E2E-GONE}"}) {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kStoreKey, id);
            ClearNotifications(AlarmCommand(id));
        }
        RegDeleteKeyW(HKEY_CURRENT_USER, kTimerKey);
        RegDeleteKeyW(HKEY_CURRENT_USER, kMarkerKey);
    }
    // The alarm box with this caption, once it shows.
    static HWND WaitForBox(const wchar_t *caption) { return e2e::WaitForWindow(L"#32770", caption, 90000); }
};

TEST_F(RunnerTest, OneShotAlarmRingsIsStoredOffAndNextSnoozesOnce) {
    const wchar_t *id = L"{E2E-ONE}";
    const std::wstring text = L"/T0.5/LWake e2e/R0/SD\\Windows\\Alarm1.wav/SZ1/E1/CT1.0/V5/VIB1";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kStoreKey, id, REG_SZ, text.c_str(),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    MainWindowStandIn main;
    const size_t vibrations = VibratorLog().size();
    RegisterRingNow(AlarmCommand(id));

    HWND box = WaitForBox(L"Wake e2e");
    ASSERT_TRUE(box) << "the service did not start the runner";
    for (int i = 0; i < 50 && MainWindowStandIn::received_ == 0; ++i) {
        main.Pump();
        Sleep(20);
    }
    EXPECT_EQ(MainWindowStandIn::received_, 1) << "the main program was not told";
    const std::wstring stored = StoredText(id);
    EXPECT_NE(stored.find(L"/E0"), std::wstring::npos)
        << "not stored off: " << std::string(stored.begin(), stored.end());
    EXPECT_NE(testsupport::ReadFileBytes(RingLog()).find(" alarm {E2E-ONE}"), std::string::npos);
    Sleep(300);
    EXPECT_NE(VibratorLog().find(" 1 1\r\n", vibrations), std::string::npos) << "the ring did not vibrate";

    SYSTEMTIME now;
    GetLocalTime(&now);
    Press(box, kNext);
    ASSERT_TRUE(Ends(box, 5000)) << "Next did not end the runner";
    EXPECT_EQ(VibratorLog().substr(VibratorLog().size() - 6), " 1 0\r\n") << "the vibrator was left on";
    const std::vector<SYSTEMTIME> snoozes = Notifications(AlarmCommand(id));
    ASSERT_EQ(snoozes.size(), 1u) << "one snooze ring";
    const int minutes = (snoozes[0].wHour * 60 + snoozes[0].wMinute - now.wHour * 60 - now.wMinute + 1440) % 1440;
    EXPECT_GE(minutes, 4);
    EXPECT_LE(minutes, 5);
    EXPECT_EQ(snoozes[0].wSecond, 0);
}

SYSTEMTIME Plus(const SYSTEMTIME &time, LONGLONG milliseconds) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER t = {{file.dwLowDateTime, file.dwHighDateTime}};
    t.QuadPart += milliseconds * 10000;
    file = {t.LowPart, t.HighPart};
    SYSTEMTIME later;
    FileTimeToSystemTime(&file, &later);
    return later;
}

// The device's clock set to the coming Friday, same time of day, while the
// object lives; then set back to where it would have been.
class OnAFriday {
public:
    OnAFriday() : tick_(GetTickCount()) {
        GetLocalTime(&saved_);
        const SYSTEMTIME friday = Plus(saved_, ((5 - saved_.wDayOfWeek + 7) % 7) * 86400000LL);
        SetLocalTime(&friday);
    }
    ~OnAFriday() {
        const SYSTEMTIME back = Plus(saved_, GetTickCount() - tick_);
        SetLocalTime(&back);
    }

private:
    SYSTEMTIME saved_;
    DWORD tick_;
};

// A Weekdays alarm ringing on a Friday registers Monday's ring before its
// box shows, and stays switched on.
TEST_F(RunnerTest, WeekdaysAlarmOnFridayRegistersMondayBeforeTheBoxShows) {
    OnAFriday friday;
    const wchar_t *id = L"{E2E-ONE}";
    SYSTEMTIME now;
    GetLocalTime(&now);
    ASSERT_EQ(now.wDayOfWeek, 5);
    wchar_t text[160];
    // The alarm's time is this minute (an OLE date's fraction of a day).
    const double time = (now.wHour * 60 + now.wMinute) / 1440.0 + 1.0 / 86400;
    swprintf(text, 160, L"/T%.8f/LWeekdays e2e/R62/SD/SZ1/E1/CT1.0/V0/VIB0", time);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kStoreKey, id, REG_SZ, text,
                              static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegisterRingNow(AlarmCommand(id));
    HWND box = WaitForBox(L"Weekdays e2e");
    ASSERT_TRUE(box);
    const std::vector<SYSTEMTIME> next = Notifications(AlarmCommand(id));
    Press(box, kCancel);
    ASSERT_TRUE(Ends(box, 5000));
    ASSERT_EQ(next.size(), 1u) << "the next weekday was not registered when the box showed";
    const SYSTEMTIME monday = Plus(now, 3 * 86400000LL);
    EXPECT_EQ(next[0].wYear, monday.wYear);
    EXPECT_EQ(next[0].wMonth, monday.wMonth);
    EXPECT_EQ(next[0].wDay, monday.wDay);
    EXPECT_EQ(next[0].wHour, now.wHour);
    EXPECT_EQ(next[0].wMinute, now.wMinute);
    EXPECT_NE(StoredText(id).find(L"/E1"), std::wstring::npos) << "a repeating alarm stays on";
}

TEST_F(RunnerTest, DeletedAlarmRingsWithDefaultsAndWritesNoPhantom) {
    const wchar_t *id = L"{E2E-GONE}";
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kStoreKey, id);
    RegisterRingNow(AlarmCommand(id));
    HWND box = WaitForBox(L"Alarm");
    ASSERT_TRUE(box) << "the runner did not show its box for a deleted alarm";
    Press(box, kCancel);
    ASSERT_TRUE(Ends(box, 5000));
    EXPECT_EQ(StoredText(L""), L"<none>") << "a phantom alarm was stored under the empty name";
    EXPECT_EQ(StoredText(id), L"<none>");
    EXPECT_TRUE(Notifications(AlarmCommand(id)).empty());
}

// The countdown record as the timer writes it, due in the given time.
void WriteCountdown(DWORD dueMs) {
    const DWORD start = GetTickCount() - 60000, set = 60000 + dueMs;
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    wchar_t time[16];
    wsprintfW(time, L"%02d:%02d:%02d", utc.wHour, utc.wMinute, utc.wSecond);
    RegSetKeyValueW(HKEY_CURRENT_USER, kTimerKey, L"Start", REG_DWORD, &start, sizeof start);
    RegSetKeyValueW(HKEY_CURRENT_USER, kTimerKey, L"Set", REG_DWORD, &set, sizeof set);
    RegSetKeyValueW(HKEY_CURRENT_USER, kTimerKey, L"Time", REG_SZ, time, (lstrlenW(time) + 1) * sizeof(wchar_t));
    const DWORD off = 0, volume = 5;
    RegSetKeyValueW(HKEY_CURRENT_USER, kTimerKey, L"Vibro", REG_DWORD, &off, sizeof off);
    RegSetKeyValueW(HKEY_CURRENT_USER, kTimerKey, L"Volume", REG_DWORD, &volume, sizeof volume);
}

const wchar_t kTimerArgs[] = L"sort=1 adx=\"C:\\windows\\Alarm1.wav\"";

TEST_F(RunnerTest, CountdownRunnerRingsAtTheEndASecondOneEndsAndTheMarkerGoes) {
    WriteCountdown(2500);
    const size_t logged = testsupport::ReadFileBytes(RingLog()).size();
    e2e::Process first = e2e::Start(L"TallyPadAlarm.exe", kTimerArgs);
    ASSERT_TRUE(first.Started());
    HWND box = e2e::WaitForWindow(L"#32770", L"TallyPadAlarm", 10000);
    ASSERT_TRUE(box);
    e2e::Process second = e2e::Start(L"TallyPadAlarm.exe", kTimerArgs);
    EXPECT_EQ(second.WaitExit(5000), 0u) << "a second runner for the countdown went on";
    EXPECT_EQ(testsupport::ReadFileBytes(RingLog()).size(), logged) << "rang before the end";

    std::string log;
    for (int i = 0; i < 100 && log.find(" timer ", logged) == std::string::npos; ++i) {
        Sleep(50);
        log = testsupport::ReadFileBytes(RingLog());
    }
    EXPECT_NE(log.find(" timer C:\\windows\\Alarm1.wav", logged), std::string::npos) << "no ring at the end";
    EXPECT_TRUE(IsWindowVisible(box));
    Press(box, kClose);
    EXPECT_EQ(first.WaitExit(5000), 0u);
    HKEY marker = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kMarkerKey, 0, KEY_READ, &marker), ERROR_SUCCESS)
        << "the runner marker stayed";
    if (marker)
        RegCloseKey(marker);
}

// The main program signals the end itself only when its timer screen took
// the countdown; one started since that stays on its desk (as after the
// device's boot) leaves the ring to the runner.
TEST_F(RunnerTest, CountdownRunnerLeavesTheEndOnlyToAMainProgramWhoseTimerTookIt) {
    e2e::Process main = e2e::Start(L"VelmoraTallyPad.exe");
    HWND frame = e2e::WaitForWindow(L"VelmoraTallyPad", L"TallyPad", 10000);
    ASSERT_TRUE(frame);
    WriteCountdown(1000);
    size_t logged = testsupport::ReadFileBytes(RingLog()).size();
    e2e::Process runner = e2e::Start(L"TallyPadAlarm.exe", kTimerArgs);
    HWND box = e2e::WaitForWindow(L"#32770", L"TallyPadAlarm", 30000);
    ASSERT_TRUE(box);
    std::string log;
    for (int i = 0; i < 300 && log.find(" timer ", logged) == std::string::npos; ++i) {
        Sleep(50);
        log = testsupport::ReadFileBytes(RingLog());
    }
    EXPECT_NE(log.find(" timer ", logged), std::string::npos) << "a main program on its desk kept the end unsignalled";
    Press(box, kClose);
    EXPECT_EQ(runner.WaitExit(5000), 0u);

    PostMessageW(frame, 6457, 6, 0); // the timer screen opens and takes the countdown up
    for (int i = 0; i < 50 && !GetDlgItem(frame, 5555); ++i)
        Sleep(100);
    ASSERT_TRUE(GetDlgItem(frame, 5555));
    WriteCountdown(1000);
    logged = testsupport::ReadFileBytes(RingLog()).size();
    e2e::Process second = e2e::Start(L"TallyPadAlarm.exe", kTimerArgs);
    EXPECT_EQ(second.WaitExit(8000), 0u) << "the runner did not end by itself";
    EXPECT_EQ(testsupport::ReadFileBytes(RingLog()).size(), logged) << "the runner rang beside the timer screen";
    e2e::KillWindowOwners(L"VelmoraTallyPad");
}

} // namespace
