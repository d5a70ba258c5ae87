// The runner's start: from the moment a ring's program is started (as the
// notification service starts it) to its box painted on the screen and to
// the ring begun (the vibrator switched on).
//   RunnerBench [--rounds N]
// Runs in a device (WINEPREFIX, a display): it stores an alarm, starts the
// device's TallyPadAlarm for it, waits for the box and the vibration, and
// closes the box; the alarm is removed at the end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "Harness.h"
#include "support/Files.h"

namespace {

const wchar_t kStoreKey[] = L"Software\\Velmora\\TallyPad\\Alarm\\Sack";
const wchar_t kId[] = L"{BENCH-RUNNER}";

std::wstring VibratorLogPath() {
    wchar_t path[MAX_PATH];
    ExpandEnvironmentStringsW(L"%LOCALAPPDATA%\\TallyPadDevice\\vibrator.log", path, MAX_PATH);
    return path;
}

void Report(const char *what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) {
        std::printf("%-34s no result\n", what);
        return;
    }
    std::printf("%-34s median %7.1f ms   min %7.1f   max %7.1f   (%zu rounds)\n", what, ms[ms.size() / 2], ms.front(),
                ms.back(), ms.size());
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    int rounds = 5;
    for (int i = 1; i + 1 < argc; ++i)
        if (wcscmp(argv[i], L"--rounds") == 0)
            rounds = _wtoi(argv[i + 1]);
    // A one-shot alarm with the default tone at full volume that vibrates.
    const std::wstring text = L"/T0.5/LBench/R0/SD\\Windows\\Alarm4.wma/SZ1/E1/CT1.0/V5/VIB1";
    const std::wstring args = std::wstring(L"sort=2 adx=\"") + kId + L"\"";
    std::vector<double> painted, ringing;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    auto since = [&](const LARGE_INTEGER &start) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    };
    for (int round = 0; round < rounds; ++round) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kStoreKey, kId, REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        const size_t vibrations = testsupport::ReadFileBytes(VibratorLogPath()).size();
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        e2e::Process runner = e2e::Start(L"TallyPadAlarm.exe", args.c_str());
        if (!runner.Started()) {
            std::printf("the device's TallyPadAlarm.exe could not be started\n");
            return 1;
        }
        double box = -1, ring = -1;
        HWND window = nullptr;
        while (since(start) < 10000 && (box < 0 || ring < 0)) {
            if (box < 0 && (window = FindWindowW(L"#32770", L"Bench")) && IsWindowVisible(window)) {
                // Painted once the paint it was given has been handled.
                DWORD_PTR result = 0;
                SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &result);
                box = since(start);
            }
            if (ring < 0 && testsupport::ReadFileBytes(VibratorLogPath()).find(" 1 1\r\n", vibrations) !=
                                std::string::npos)
                ring = since(start);
            Sleep(2);
        }
        if (box >= 0)
            painted.push_back(box);
        if (ring >= 0)
            ringing.push_back(ring);
        if (window) {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, 5689, 0, 30070, SMTO_ABORTIFHUNG, 5000, &result); // Cancel
        }
        runner.WaitExit(5000);
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kStoreKey, kId);
    Report("start to box painted", painted);
    Report("start to ringing (vibrator on)", ringing);
    return 0;
}
