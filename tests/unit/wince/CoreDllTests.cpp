// coredll.dll: the simulated LEDs and vibrator, their switch log, the power
// state and the idle-timer counter.
#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "DeviceFolder.h"
#include "nled.h"
#include "pm.h"

namespace {

std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + " <no line end>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

const char kStamp[] = R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\.\d{3} (\d+))";

struct Switch {
    unsigned long tick;
    int led, state;
};

bool ParseSwitch(const std::string &line, Switch &out) {
    static const std::regex pattern(std::string("^") + kStamp + R"( (\d+) (\d+)$)");
    std::smatch m;
    if (!std::regex_match(line, m, pattern))
        return false;
    out = {std::stoul(m[1]), std::stoi(m[2]), std::stoi(m[3])};
    return true;
}

BOOL SetLed(UINT led, INT offOnBlink) {
    NLED_SETTINGS_INFO settings = {};
    settings.LedNum = led;
    settings.OffOnBlink = offOnBlink;
    return NLedSetDevice(NLED_SETTINGS_INFO_ID, &settings);
}

DWORD IdleTimerResets() {
    DWORD count = 0, size = sizeof count;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\TallyPadDevice", L"IdleTimerResets", RRF_RT_REG_DWORD, nullptr, &count,
                 &size);
    return count;
}

} // namespace

TEST(NLed, VibratorIsFoundScanningDownFromTheLastLed) {
    NLED_COUNT_INFO count = {};
    ASSERT_TRUE(NLedGetDeviceInfo(NLED_COUNT_INFO_ID, &count));
    ASSERT_EQ(2u, count.cLeds);

    int vibrator = -1;
    for (int n = static_cast<int>(count.cLeds) - 1; n >= 0 && vibrator < 0; --n) {
        NLED_SUPPORTS_INFO info = {};
        info.LedNum = n;
        ASSERT_TRUE(NLedGetDeviceInfo(NLED_SUPPORTS_INFO_ID, &info)) << "LED " << n;
        EXPECT_EQ(static_cast<UINT>(n), info.LedNum);
        if (info.lCycleAdjust == -1)
            vibrator = n;
    }
    EXPECT_EQ(1, vibrator);

    NLED_SUPPORTS_INFO led0 = {};
    ASSERT_TRUE(NLedGetDeviceInfo(NLED_SUPPORTS_INFO_ID, &led0));
    EXPECT_NE(-1, led0.lCycleAdjust) << "LED 0 is an ordinary LED";
}

TEST(NLed, BadRequestsFailWithoutSwitching) {
    DeviceFolder folder;
    NLED_SUPPORTS_INFO info = {};
    info.LedNum = 2;
    NLED_SETTINGS_INFO settings = {};
    settings.LedNum = 1;
    settings.OffOnBlink = 1;
    const struct {
        const char *what;
        std::function<BOOL()> call;
    } cases[] = {
        {"supports of LED 2", [&] { return NLedGetDeviceInfo(NLED_SUPPORTS_INFO_ID, &info); }},
        {"settings of LED 2", [&] { return NLedGetDeviceInfo(NLED_SETTINGS_INFO_ID, &info); }},
        {"unknown info id", [&] { return NLedGetDeviceInfo(7, &info); }},
        {"null output", [] { return NLedGetDeviceInfo(NLED_COUNT_INFO_ID, nullptr); }},
        {"set with the count id", [&] { return NLedSetDevice(NLED_COUNT_INFO_ID, &settings); }},
        {"set with null input", [] { return NLedSetDevice(NLED_SETTINGS_INFO_ID, nullptr); }},
        {"set LED 2", [] { return SetLed(2, 1); }},
        {"OffOnBlink 3", [] { return SetLed(1, 3); }},
        {"OffOnBlink -1", [] { return SetLed(1, -1); }},
    };
    for (const auto &c : cases) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(c.call()) << c.what;
        EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), GetLastError()) << c.what << " gave no error code";
    }
    EXPECT_EQ("", folder.Read(L"vibrator.log")) << "a refused switch was logged";
}

TEST(NLedLog, SwitchesAppendOneLinePerSwitchWithRisingTicks) {
    DeviceFolder folder;
    const Switch sequence[] = {{0, 1, 1}, {0, 1, 0}, {0, 0, 2}, {0, 1, 1}, {0, 1, 0}};
    for (const Switch &s : sequence) {
        ASSERT_TRUE(SetLed(s.led, s.state)) << "error " << GetLastError();
        Sleep(20);
    }

    std::vector<std::string> lines = Lines(folder.Read(L"vibrator.log"));
    ASSERT_EQ(std::size(sequence), lines.size());
    unsigned long lastTick = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        Switch got;
        ASSERT_TRUE(ParseSwitch(lines[i], got)) << "malformed line: " << lines[i];
        EXPECT_EQ(sequence[i].led, got.led) << lines[i];
        EXPECT_EQ(sequence[i].state, got.state) << lines[i];
        if (i > 0) {
            EXPECT_GT(got.tick, lastTick) << lines[i];
        }
        lastTick = got.tick;
    }

    NLED_SETTINGS_INFO current = {};
    current.LedNum = 0;
    ASSERT_TRUE(NLedGetDeviceInfo(NLED_SETTINGS_INFO_ID, &current));
    EXPECT_EQ(2, current.OffOnBlink) << "LED 0 was left blinking";
}

TEST(NLedLog, StaysBoundedAndKeepsTheLatestWholeLines) {
    DeviceFolder folder;
    // About 40 bytes a line: 4000 switches write some 160 KB.
    for (int i = 0; i < 4000; ++i)
        ASSERT_TRUE(SetLed(1, i % 2)) << "error " << GetLastError();
    ASSERT_TRUE(SetLed(0, 2));
    const std::string text = folder.Read(L"vibrator.log");
    EXPECT_LE(text.size(), 2u * 64 * 1024);
    EXPECT_GE(text.size(), 64u * 1024 / 2) << "more was dropped than the oldest lines";
    std::vector<std::string> lines = Lines(text);
    for (const std::string &line : lines) {
        Switch got;
        ASSERT_TRUE(ParseSwitch(line, got)) << "a cut left a partial line: " << line;
    }
    Switch last;
    ASSERT_TRUE(ParseSwitch(lines.back(), last));
    EXPECT_EQ(0, last.led) << "the latest switch is not the last line";
    EXPECT_EQ(2, last.state);
}

// Runs only as the child process of ConcurrentWritersLoseNoLine: blinks LED 0.
TEST(NLedLog, ChildWriter) {
    wchar_t count[16];
    if (!GetEnvironmentVariableW(L"TALLYPAD_TEST_CHILD_SWITCHES", count, 16))
        GTEST_SKIP() << "only run by ConcurrentWritersLoseNoLine";
    for (int i = _wtoi(count); i > 0; --i)
        ASSERT_TRUE(SetLed(0, 2));
}

TEST(NLedLog, ConcurrentWritersLoseNoLine) {
    DeviceFolder folder;
    const int childSwitches = 300;

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = std::wstring(L"\"") + self + L"\" --gtest_filter=NLedLog.ChildWriter";
    SetEnvironmentVariableW(L"TALLYPAD_TEST_CHILD_SWITCHES", std::to_wstring(childSwitches).c_str());
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION child = {};
    BOOL started = CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &child);
    SetEnvironmentVariableW(L"TALLYPAD_TEST_CHILD_SWITCHES", nullptr);
    ASSERT_TRUE(started);

    // Both threads keep switching until the child is done, so the three
    // writers overlap however slowly the child starts.
    int switched[2] = {0, 0};
    auto writer = [&](int index) {
        const DWORD until = GetTickCount() + 60000;
        while ((switched[index] < 200 || WaitForSingleObject(child.hProcess, 0) == WAIT_TIMEOUT) &&
               GetTickCount() < until) {
            if (SetLed(1, switched[index] % 2))
                ++switched[index];
        }
    };
    std::thread first(writer, 0), second(writer, 1);
    first.join();
    second.join();
    WaitForSingleObject(child.hProcess, 60000);
    DWORD exitCode = 1;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    ASSERT_EQ(0u, exitCode) << "the child writer failed";

    std::vector<std::string> lines = Lines(folder.Read(L"vibrator.log"));
    ASSERT_EQ(static_cast<size_t>(childSwitches + switched[0] + switched[1]), lines.size());
    int childLines = 0;
    unsigned long lastTick = 0;
    for (const std::string &line : lines) {
        Switch got;
        ASSERT_TRUE(ParseSwitch(line, got)) << "malformed line: " << line;
        EXPECT_GE(got.tick, lastTick) << "ticks went back at: " << line;
        lastTick = got.tick;
        childLines += got.led == 0 && got.state == 2;
    }
    EXPECT_EQ(childSwitches, childLines);
}

TEST(Power, StateRoundTripsAndEverySetIsLogged) {
    DeviceFolder folder;
    wchar_t name[64];
    DWORD flags = 0;
    ASSERT_EQ(0u, GetSystemPowerState(name, 64, &flags));
    EXPECT_STREQ(L"on", name);
    EXPECT_EQ(static_cast<DWORD>(POWER_STATE_ON), flags);

    const struct {
        const wchar_t *set;
        DWORD flags;
        const wchar_t *name; // reported afterwards
        const char *logged;  // name and flags in power.log
    } cases[] = {
        {nullptr, POWER_STATE_PASSWORD | POWER_STATE_IDLE, L"idle", "- 0x10100000"},
        {nullptr, POWER_STATE_ON, L"on", "- 0x00010000"},
        {L"d\u00e9j\u00e0 vu", 0x00200000, L"d\u00e9j\u00e0 vu", "d\xc3\xa9j\xc3\xa0 vu 0x00200000"},
        {L"", POWER_STATE_ON, L"on", "- 0x00010000"},
        {nullptr, 0, L"", "- 0x00000000"},
    };
    const std::regex logLine(std::string("^") + kStamp + " SetSystemPowerState (.+)$");
    for (const auto &c : cases) {
        ASSERT_EQ(0u, SetSystemPowerState(c.set, c.flags, 0)) << c.logged;
        ASSERT_EQ(0u, GetSystemPowerState(name, 64, &flags)) << c.logged;
        EXPECT_STREQ(c.name, name) << c.logged;
        EXPECT_EQ(c.flags, flags) << c.logged;
        std::vector<std::string> lines = Lines(folder.Read(L"power.log"));
        std::smatch m;
        ASSERT_FALSE(lines.empty());
        ASSERT_TRUE(std::regex_match(lines.back(), m, logLine)) << "malformed line: " << lines.back();
        EXPECT_EQ(c.logged, m[2].str());
    }
    EXPECT_EQ(std::size(cases), Lines(folder.Read(L"power.log")).size());
}

TEST(Power, BadNamesSmallBuffersAndDamagedStateAreHandled) {
    DeviceFolder folder;
    ASSERT_EQ(0u, SetSystemPowerState(L"backlightoff", POWER_STATE_IDLE, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), SetSystemPowerState(L"on\r\n0x0 x", POWER_STATE_ON, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER),
              SetSystemPowerState(std::wstring(64, L'a').c_str(), POWER_STATE_ON, 0));

    wchar_t name[13];
    DWORD flags = 0;
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetSystemPowerState(name, 12, &flags));
    ASSERT_EQ(0u, GetSystemPowerState(name, 13, &flags));
    EXPECT_STREQ(L"backlightoff", name) << "a refused name replaced the state";
    EXPECT_EQ(static_cast<DWORD>(POWER_STATE_IDLE), flags);

    HANDLE h = CreateFileW(folder.File(L"power.state").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, "garbage", 7, &written, nullptr);
    CloseHandle(h);
    ASSERT_EQ(0u, GetSystemPowerState(name, 13, &flags));
    EXPECT_STREQ(L"on", name) << "a damaged state file reads as on";
}

TEST(Power, IdleTimerResetsAreCounted) {
    const DWORD before = IdleTimerResets();
    for (int i = 0; i < 3; ++i)
        SystemIdleTimerReset();
    EXPECT_EQ(before + 3, IdleTimerResets());
}

TEST(RunTimeLookup, EveryExportIsFoundByName) {
    HMODULE core = LoadLibraryW(L"coredll.dll");
    ASSERT_NE(nullptr, core);
    for (const char *name :
         {"NLedGetDeviceInfo", "NLedSetDevice", "GetSystemPowerState", "SetSystemPowerState", "SystemIdleTimerReset"})
        EXPECT_NE(nullptr, GetProcAddress(core, name)) << name;
    EXPECT_EQ(GetProcAddress(core, "SetSystemPowerState"), GetProcAddress(core, "HandheldSetSystemPowerState"));
    // Through a generic function type, as callers of GetProcAddress do.
    auto getInfo = reinterpret_cast<PFN_NLedGetDeviceInfo>(
        reinterpret_cast<void (*)()>(GetProcAddress(core, "NLedGetDeviceInfo")));
    NLED_COUNT_INFO count = {};
    ASSERT_TRUE(getInfo && getInfo(NLED_COUNT_INFO_ID, &count));
    EXPECT_EQ(2u, count.cLeds);
    FreeLibrary(core);

    HMODULE shell = LoadLibraryW(L"aygshell.dll");
    ASSERT_NE(nullptr, shell);
    for (const char *name :
         {"SHSipPreference", "SipGetInfo", "SHSipInfo", "SHCreateMenuBar", "SHInitDialog", "SHCreateShortcut"})
        EXPECT_NE(nullptr, GetProcAddress(shell, name)) << name;
    FreeLibrary(shell);
}
