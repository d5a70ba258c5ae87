// The alarm screen of the running program driven from outside by its
// messages and stylus taps, checked through the registry and the device's
// notification database, as the runner will read them.
#include <gtest/gtest.h>
#include <windows.h>
#include <notify.h>

#include <functional>
#include <string>
#include <vector>

#include "Harness.h"
#include "support/Notifications.h"
#include "shell/Messages.h"
#include "ui/Messages.h"

namespace {

const wchar_t kAlarmKey[] = L"Software\\Velmora\\TallyPad\\Alarm";
const wchar_t kStoreKey[] = L"Software\\Velmora\\TallyPad\\Alarm\\Sack";
const UINT kAdd = 32871, kSave = 32873;
const int kRowHeight = 43, kScrollBarWidth = 13; // at 96 dpi

struct Stored {
    std::wstring id, text;
};

std::vector<Stored> StoredAlarms() {
    std::vector<Stored> alarms;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return alarms;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256], data[1024];
        DWORD nameLength = 256, size = sizeof data, type = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE *>(data), &size) !=
            ERROR_SUCCESS)
            break;
        alarms.push_back({name, type == REG_SZ ? data : L""});
    }
    RegCloseKey(key);
    return alarms;
}

// The start times of the pending rings of an alarm, as "DD HH:MM".
std::vector<std::string> RingsOf(const std::wstring &id) {
    std::vector<std::string> rings;
    const std::wstring commandLine = L"sort=2 adx=\"" + id + L"\"";
    for (const testsupport::PendingNotification &p : testsupport::PendingNotifications()) {
        if (p.arguments != commandLine)
            continue;
        const SYSTEMTIME &start = p.trigger.stStartTime;
        char text[16];
        snprintf(text, sizeof text, "%02u %02u:%02u", start.wDay, start.wHour, start.wMinute);
        rings.push_back(text);
    }
    return rings;
}

void ClearAlarmRings() {
    DWORD count = 0;
    CeGetUserNotificationHandles(nullptr, 0, &count);
    std::vector<HANDLE> handles(count);
    if (count && CeGetUserNotificationHandles(handles.data(), count, &count))
        for (HANDLE handle : handles)
            CeClearUserNotification(handle);
}

HWND WaitForVisibleChild(HWND parent, const wchar_t *caption, DWORD milliseconds) {
    for (DWORD waited = 0; waited <= milliseconds; waited += 50) {
        HWND child = FindWindowExW(parent, nullptr, nullptr, caption);
        if (child && IsWindowVisible(child))
            return child;
        Sleep(50);
    }
    return nullptr;
}

bool WaitUntil(const std::function<bool()> &done, DWORD milliseconds) {
    for (DWORD waited = 0; waited <= milliseconds; waited += 50) {
        if (done())
            return true;
        Sleep(50);
    }
    return false;
}

// A stylus tap on a list screen's rows. Posted, so that press and release
// reach the program back to back (and a message box a tap opens does not
// hold this program); the caller waits for what the tap does.
void Tap(HWND listScreen, int row, bool onSwitch) {
    HWND rows = FindWindowExW(listScreen, nullptr, nullptr, L"ListWnd");
    RECT client;
    GetClientRect(rows, &client);
    const int x = onSwitch ? client.right - kScrollBarWidth - 30 : 50;
    const LPARAM at = MAKELPARAM(x, row * kRowHeight + kRowHeight / 2);
    PostMessageW(rows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(rows, WM_LBUTTONUP, 0, at);
}

// The list drops stylus messages that arrive while a tap is handled: the
// next tap waits until the program is idle again.
void Settle(HWND listScreen) {
    SendMessageW(FindWindowExW(listScreen, nullptr, nullptr, L"ListWnd"), WM_NULL, 0, 0);
    Sleep(300);
}

bool StoredWith(const wchar_t *field) {
    const std::vector<Stored> alarms = StoredAlarms();
    return alarms.size() == 1 && alarms[0].text.find(field) != std::wstring::npos;
}

class AlarmEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kAlarmKey);
        ClearAlarmRings();
    }
    void TearDown() override {
        e2e::KillWindowOwners(kMainWindowClass);
        RegDeleteTreeW(HKEY_CURRENT_USER, kAlarmKey);
        ClearAlarmRings();
    }
    HWND OpenAlarms(e2e::Process &program) {
        program = e2e::Start(L"VelmoraTallyPad.exe");
        frame = e2e::WaitForWindow(kMainWindowClass, L"TallyPad", 10000);
        if (!frame)
            return nullptr;
        PostMessageW(frame, UWM_OPEN_SCREEN, 7, 0);
        return WaitForVisibleChild(frame, L"AlarmWnd", 5000);
    }
    HWND frame = nullptr;
};

TEST_F(AlarmEndToEnd, AddSwitchEditAndDeleteKeepStoreAndRingsInStep) {
    e2e::Process program;
    HWND alarms = OpenAlarms(program);
    ASSERT_NE(alarms, nullptr) << "the alarm screen did not appear";

    PostMessageW(alarms, UWM_TITLE_COMMAND, kAdd, 0);
    HWND editor = WaitForVisibleChild(alarms, L"EditAlarmWnd", 5000);
    ASSERT_NE(editor, nullptr) << "Add did not open the editor";
    PostMessageW(editor, UWM_TITLE_COMMAND, kSave, 0);
    ASSERT_TRUE(WaitUntil([] { return StoredAlarms().size() == 1; }, 5000)) << "Save stored no alarm";
    const Stored added = StoredAlarms()[0];
    EXPECT_NE(added.text.find(L"/E1/"), std::wstring::npos) << "stored switched on";
    const std::vector<std::string> first = RingsOf(added.id);
    ASSERT_EQ(first.size(), 1u) << "one pending ring for the new alarm";

    Tap(alarms, 0, true);
    EXPECT_TRUE(WaitUntil([] { return StoredWith(L"/E0/"); }, 5000)) << "the switch turned it off in the store";
    EXPECT_TRUE(WaitUntil([&] { return RingsOf(added.id).empty(); }, 5000)) << "and cleared its ring";
    Settle(alarms);
    Tap(alarms, 0, true);
    EXPECT_TRUE(WaitUntil([] { return StoredWith(L"/E1/"); }, 5000)) << "and on again";
    EXPECT_TRUE(WaitUntil([&] { return RingsOf(added.id) == first; }, 5000))
        << "on again: exactly one ring, at the same minute";
    Settle(alarms);

    // The time a minute later through the selector, then Save.
    Tap(alarms, 0, false);
    ASSERT_NE(WaitForVisibleChild(alarms, L"EditAlarmWnd", 5000), nullptr);
    Tap(editor, 0, false);
    HWND selector = nullptr;
    WaitUntil([&] { return (selector = FindWindowExW(editor, nullptr, L"DateTime_List_Wnd_Class", nullptr)); }, 5000);
    ASSERT_NE(selector, nullptr) << "the time row opened no selector";
    SendMessageW(selector, WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(selector, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(editor, UWM_TITLE_COMMAND, kSave, 0);
    ASSERT_TRUE(WaitUntil([&] { return RingsOf(added.id) != first; }, 5000)) << "the ring did not move";
    const std::vector<std::string> moved = RingsOf(added.id);
    ASSERT_EQ(moved.size(), 1u) << "moved, not added";
    EXPECT_NE(moved[0], first[0]);
    ASSERT_EQ(StoredAlarms().size(), 1u);
    Settle(alarms);

    // Delete, confirmed in the program's question box.
    Tap(alarms, 0, false);
    ASSERT_NE(WaitForVisibleChild(alarms, L"EditAlarmWnd", 5000), nullptr);
    Tap(editor, 4, false);
    HWND question = e2e::WaitForWindow(L"#32770", L"Confirm", 5000);
    ASSERT_NE(question, nullptr) << "Delete asked nothing";
    DWORD_PTR result = 0;
    SendMessageTimeoutW(question, WM_COMMAND, IDYES, 0, SMTO_ABORTIFHUNG, 5000, &result);
    ASSERT_TRUE(WaitUntil([] { return StoredAlarms().empty(); }, 5000)) << "the alarm is still stored";
    EXPECT_TRUE(RingsOf(added.id).empty()) << "its ring is still pending";

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(10000), 0u);
}

// Twelve alarms stored behind the program's back, announced as the runner
// announces a change: the list reloads and its twelfth row holds the last.
TEST_F(AlarmEndToEnd, TheRunnersMessageReloadsTheListThroughTheFrame) {
    e2e::Process program;
    HWND alarms = OpenAlarms(program);
    ASSERT_NE(alarms, nullptr);
    HKEY store = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &store, nullptr),
              ERROR_SUCCESS);
    for (int i = 0; i < 12; ++i) {
        wchar_t id[16], text[160];
        _snwprintf(id, 16, L"{E2E-%02d}", i);
        _snwprintf(text, 160, L"/T47000.%02d/L#%d/R0/SD\\Windows\\Alarm4.wma/SZ1/E1/CT47000.%02d/V5/VIB0", 25 + i, i,
                   10 + i);
        RegSetValueExW(store, id, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                       static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(store);
    PostMessageW(frame, UWM_ALARMS_CHANGED, 0, 0);
    Sleep(1000); // posted on by the frame, behind anything this sends
    HWND rows = FindWindowExW(alarms, nullptr, nullptr, L"ListWnd");
    for (int i = 0; i < 20; ++i)
        SendMessageW(rows, WM_KEYDOWN, VK_DOWN, 0);
    // Scrolled to the end: the last row's bottom is the window's bottom.
    RECT client;
    GetClientRect(rows, &client);
    const LPARAM at = MAKELPARAM(client.right - kScrollBarWidth - 30, client.bottom - kRowHeight / 2);
    PostMessageW(rows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(rows, WM_LBUTTONUP, 0, at);
    std::wstring last;
    WaitUntil(
        [&] {
            for (const Stored &s : StoredAlarms())
                if (s.id == L"{E2E-11}")
                    last = s.text;
            return last.find(L"/E0/") != std::wstring::npos;
        },
        5000);
    EXPECT_NE(last.find(L"/E0/"), std::wstring::npos)
        << "the twelfth row did not hold the last alarm: " << last.c_str();

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(10000), 0u);
}

} // namespace
