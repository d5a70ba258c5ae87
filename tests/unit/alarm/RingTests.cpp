// The vibration pulse and the ring players against the simulated device:
// its vibrator log and power log in a throwaway device folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "alarm/RingPlayer.h"
#include "alarm/VibrationPulse.h"
#include "pm.h"
#include "support/Files.h"

namespace {

struct Switch {
    DWORD tick;
    int led;
    int state;
};

// This process's device folder, a throwaway one while the object lives.
class DeviceFolder {
public:
    DeviceFolder() {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"RingDevice" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        DeleteFileW(File(L"vibrator.log").c_str());
        DeleteFileW(File(L"power.log").c_str());
        DeleteFileW(File(L"power.state").c_str());
        SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", folder_.c_str());
    }
    ~DeviceFolder() {
        SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", nullptr);
        for (const wchar_t *name : {L"vibrator.log", L"power.log", L"power.state"})
            DeleteFileW(File(name).c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring File(const wchar_t *name) const { return folder_ + L"\\" + name; }

    // "<date> <time> <tick> <led> <state>" lines of the vibrator log.
    std::vector<Switch> Switches() const {
        std::istringstream lines(testsupport::ReadFileBytes(File(L"vibrator.log")));
        std::vector<Switch> switches;
        std::string date, time;
        Switch s;
        while (lines >> date >> time >> s.tick >> s.led >> s.state)
            switches.push_back(s);
        return switches;
    }
    std::string PowerLog() const { return testsupport::ReadFileBytes(File(L"power.log")); }

private:
    std::wstring folder_;
};

struct Event {
    Event() : handle(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() { CloseHandle(handle); }
    HANDLE handle;
};

TEST(VibrationPulse, SwitchesTheVibratorOnForTheTimeThenOff) {
    DeviceFolder device;
    ASSERT_EQ(VibrationPulse(200), 1);
    ASSERT_EQ(VibrationPulse(0), 1);
    const std::vector<Switch> s = device.Switches();
    ASSERT_EQ(s.size(), 3u) << "on, off, and the zero-length pulse's off only";
    EXPECT_EQ(s[0].led, 1) << "LED 1 is the vibrator of the simulated device";
    EXPECT_EQ(s[0].state, 1);
    EXPECT_EQ(s[1].state, 0);
    EXPECT_EQ(s[2].state, 0);
    EXPECT_GE(s[1].tick - s[0].tick, 195u);
    EXPECT_LT(s[1].tick - s[0].tick, 400u);
}

TEST(VibrationPulse, StopEventCutsThePulseAndLeavesTheVibratorOff) {
    DeviceFolder device;
    Event stop;
    HANDLE thread = CreateThread(
        nullptr, 0, [](void *event) -> DWORD { return VibrationPulse(3000, static_cast<HANDLE>(event)); }, stop.handle,
        0, nullptr);
    Sleep(150);
    SetEvent(stop.handle);
    ASSERT_EQ(WaitForSingleObject(thread, 1000), WAIT_OBJECT_0) << "the pulse did not end when stopped";
    CloseHandle(thread);
    const std::vector<Switch> s = device.Switches();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].state, 0);
    EXPECT_LT(s[1].tick - s[0].tick, 1000u);
}

// The LED driver of the device has no "NLedGetDeviceInfo": the probe beside
// such a coredll.dll vibrates LED 1.
TEST(VibrationPulse, DeviceWithoutDeviceInfoVibratesLedOne) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    folder.resize(folder.rfind(L'\\') + 1);
    const std::wstring probe = folder + L"nledonly\\PulseProbe.exe";
    const std::wstring log = folder + L"nledonly\\switches.txt";
    DeleteFileW(log.c_str());
    SetEnvironmentVariableW(L"NLED_ONLY_LOG", log.c_str());
    std::wstring command = L"\"" + probe + L"\"";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi;
    ASSERT_TRUE(CreateProcessW(probe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    EXPECT_EQ(code, 0u) << "the pulse reported no vibrator";
    EXPECT_EQ(testsupport::ReadFileBytes(log), "1 1\n1 0\n");
    DeleteFileW(log.c_str());
}

// Code 0 is silent but the main program's ring still vibrates; stopping
// leaves the vibrator off at once and releases the power it switched on.
TEST(RingPlayer, SilentCodeStillVibratesAndStopEndsItAtOnce) {
    DeviceFolder device;
    SetSystemPowerState(nullptr, POWER_STATE_IDLE, 0);
    RingPlayer player(L"", 0, 1);
    player.Start();
    Sleep(300);
    const DWORD before = GetTickCount();
    player.Stop();
    EXPECT_LT(GetTickCount() - before, 300u) << "stopping waited for the pulse to end";
    const std::vector<Switch> s = device.Switches();
    ASSERT_GE(s.size(), 3u);
    EXPECT_EQ(s[0].state, 1);
    EXPECT_EQ(s.back().state, 0) << "the vibrator was left on";
    EXPECT_EQ(s[s.size() - 2].state, 0) << "the final zero-length pulse is only an off";
    const std::string power = device.PowerLog();
    const size_t on = power.find("0x00010000"), off = power.find("0x10100000");
    EXPECT_NE(on, std::string::npos) << power;
    EXPECT_NE(off, std::string::npos) << power;
    EXPECT_LT(on, off);
}

TEST(RingCyclePlayer, SilentCodeNeitherPlaysNorVibrates) {
    DeviceFolder device;
    RingCyclePlayer player(L"\\Windows\\Alarm1.wav", 0, 1, 10);
    player.Start();
    for (int i = 0; i < 100 && !player.Finished(); ++i)
        Sleep(10);
    EXPECT_TRUE(player.Finished()) << "a silent ring has nothing to do";
    player.Stop();
    const std::vector<Switch> s = device.Switches();
    ASSERT_EQ(s.size(), 1u) << "only the stop's off";
    EXPECT_EQ(s[0].state, 0);
}

// A stop in the middle of a cycle's pulse ends the ring thread at once.
TEST(RingCyclePlayer, StopCutsTheCycle) {
    DeviceFolder device;
    RingCyclePlayer player(L"\\Windows\\Alarm1.wav", -1, 1, 10);
    player.Start();
    Sleep(300);
    const DWORD before = GetTickCount();
    player.Stop();
    EXPECT_LT(GetTickCount() - before, 300u);
    EXPECT_TRUE(player.Finished());
    const std::vector<Switch> s = device.Switches();
    ASSERT_GE(s.size(), 2u);
    EXPECT_EQ(s.back().state, 0);
}

TEST(RingPlayer, WaveFilesAreTheOnesEndingInWav) {
    EXPECT_TRUE(IsWaveFile(L"\\Windows\\Alarm1.WAV"));
    EXPECT_TRUE(IsWaveFile(L"a.b.wav"));
    EXPECT_FALSE(IsWaveFile(L"\\Windows\\Alarm4.wma"));
    EXPECT_FALSE(IsWaveFile(L"tone.mp3"));
    EXPECT_FALSE(IsWaveFile(L"wav"));
    EXPECT_FALSE(IsWaveFile(L"tone.wave"));
}

} // namespace
