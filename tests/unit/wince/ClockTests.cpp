// The device's own clock: setting it moves the device's time for every
// process of the device and never the host's; its tick count starts from 0
// at the device's boot; a clock set before survives the end of every process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "DeviceFolder.h"
#include "cetime.h"

namespace {

LONGLONG Units(const SYSTEMTIME &time) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    return static_cast<LONGLONG>((static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime);
}

LONGLONG HostUtcUnits() {
    FILETIME file;
    GetSystemTimeAsFileTime(&file);
    return static_cast<LONGLONG>((static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime);
}

LONGLONG DeviceUtcUnits() {
    SYSTEMTIME now;
    GetSystemTime(&now); // the device's, through coredll.dll
    return Units(now);
}

const LONGLONG kUnitsPerSecond = 10000000;

void WriteState(const DeviceFolder &folder, const std::string &text) {
    HANDLE file =
        CreateFileW(folder.File(L"clock.state").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// Runs the device's clock setter as its own process; its exit code.
DWORD RunSetTime(const std::wstring &args) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path = path.substr(0, path.rfind(L'\\') + 1) + L"DeviceSetTime.exe";
    std::wstring commandLine = L"\"" + path + L"\" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 0xFFFFFFFF;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

} // namespace

TEST(DeviceClock, AClockNeverSetIsTheHostsAndSettingItMovesOnlyTheDevice) {
    DeviceFolder folder;
    EXPECT_LT(std::llabs(DeviceUtcUnits() - HostUtcUnits()), kUnitsPerSecond);

    const SYSTEMTIME wanted = {2031, 1, 4, 2, 3, 4, 5, 0};
    ASSERT_TRUE(SetSystemTime(&wanted)) << GetLastError();
    EXPECT_LT(std::llabs(DeviceUtcUnits() - Units(wanted)), 2 * kUnitsPerSecond);
    EXPECT_GT(std::llabs(HostUtcUnits() - Units(wanted)), 86400 * kUnitsPerSecond) << "the host's clock moved";

    // The device's time keeps running from what was set.
    Sleep(1100);
    EXPECT_GE(DeviceUtcUnits() - Units(wanted), kUnitsPerSecond);
}

TEST(DeviceClock, AnotherProcessSettingTheClockIsSeenAtOnce) {
    DeviceFolder folder;
    SYSTEMTIME before;
    GetLocalTime(&before); // maps this device's clock before the other process sets it
    ASSERT_EQ(0u, RunSetTime(L"\"2030-03-31 01:59:30\""));
    SYSTEMTIME now;
    GetLocalTime(&now);
    const SYSTEMTIME wanted = {2030, 3, 1, 31, 1, 59, 30, 0};
    EXPECT_LT(std::llabs(Units(now) - Units(wanted)), 5 * kUnitsPerSecond)
        << now.wYear << "-" << now.wMonth << "-" << now.wDay << " " << now.wHour << ":" << now.wMinute;

    EXPECT_EQ(2u, RunSetTime(L"\"2030-02-30 10:00\"")) << "a day that does not exist was taken";
    EXPECT_EQ(2u, RunSetTime(L"tomorrow"));
    EXPECT_EQ(0u, RunSetTime(L"\"2030-06-01 12:00\" utc"));
    EXPECT_LT(std::llabs(DeviceUtcUnits() - Units(SYSTEMTIME{2030, 6, 0, 1, 12, 0, 0, 0})), 5 * kUnitsPerSecond);
}

TEST(DeviceClock, TheStateFileGivesTheClockToTheNextBootAndDamageIsTheHostClock) {
    DeviceFolder folder;
    folder.Create();
    // One day ahead, as a device that had its clock set and was switched off.
    const LONGLONG day = 86400 * kUnitsPerSecond;
    WriteState(folder, std::to_string(day) + " 0\r\n");
    EXPECT_LT(std::llabs(DeviceUtcUnits() - HostUtcUnits() - day), kUnitsPerSecond);

    DeviceFolder damaged;
    damaged.Create();
    WriteState(damaged, "ahead");
    EXPECT_LT(std::llabs(DeviceUtcUnits() - HostUtcUnits()), kUnitsPerSecond);
}

TEST(DeviceClock, TheTickCountRunsFromTheDevicesBoot) {
    DeviceFolder folder;
    folder.Create();
    // A device that booted 5 s ago (the boot writes the host's tick of then).
    const DWORD bootTick = static_cast<DWORD>(GetTickCount64()) - 5000; // the host's tick
    WriteState(folder, "0 " + std::to_string(bootTick) + "\r\n");
    const DWORD tick = GetTickCount(); // the device's, through coredll.dll
    EXPECT_GE(tick, 5000u);
    EXPECT_LT(tick, 6000u);
}

TEST(DeviceClock, SettingTheClockTellsTheTopLevelWindows) {
    DeviceFolder folder;
    static int timeChanges = 0;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_TIMECHANGE)
            ++timeChanges;
        return DefWindowProcW(w, m, wp, lp);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ClockTestWindow";
    RegisterClassW(&wc);
    HWND window =
        CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wHour = static_cast<WORD>((now.wHour + 3) % 24);
    ASSERT_TRUE(SetLocalTime(&now));
    MSG msg;
    for (int i = 0; i < 20 && timeChanges == 0; ++i) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(10);
    }
    EXPECT_EQ(1, timeChanges);
    DestroyWindow(window);
}
