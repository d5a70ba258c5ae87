// The notification service: how late a notification's program starts after
// its start time, what a registration costs, and how much CPU the service
// spends while it waits.
//   NotifyBench [--rounds N] [--idle SECONDS]
// Runs in a device folder of its own and stops its service at the end. The
// program started by the notifications is this one, with "--probe": it
// appends the moment it began to probe.log.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "DeviceState.h"
#include "NotifyStore.h"
#include "notify.h"
#include "BenchClock.h"

namespace {

ULONGLONG Ticks(const SYSTEMTIME &t) {
    FILETIME f = {};
    SystemTimeToFileTime(&t, &f);
    return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
}

SYSTEMTIME LocalIn(LONGLONG ms) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    ULONGLONG ticks = Ticks(now) + ms * 10000;
    FILETIME f = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME t;
    FileTimeToSystemTime(&f, &t);
    t.wMilliseconds = 0;
    return t;
}

std::wstring SelfPath() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, n);
}

int Probe(const wchar_t *round) {
    std::string stamp = device::Stamp();
    device::StateLock lock;
    return device::AppendText(L"probe.log", stamp + " " + device::ToUtf8(round) + "\r\n") ? 0 : 1;
}

// Start of every probe run, by round number.
std::vector<ULONGLONG> ProbeStarts(size_t rounds) {
    std::vector<ULONGLONG> starts(rounds, 0);
    std::string text;
    {
        device::StateLock lock;
        device::ReadText(L"probe.log", text);
    }
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 2;
        SYSTEMTIME t = {};
        unsigned long tick = 0;
        int round = -1;
        if (sscanf(line.c_str(), "%hu-%hu-%hu %hu:%hu:%hu.%hu %lu --round=%d", &t.wYear, &t.wMonth, &t.wDay, &t.wHour,
                   &t.wMinute, &t.wSecond, &t.wMilliseconds, &tick, &round) == 9 &&
            round >= 0 && static_cast<size_t>(round) < rounds)
            starts[round] = Ticks(t);
    }
    return starts;
}

HWND ServiceWindow() {
    return FindWindowW(notify::kServiceWindowClass, notify::DeviceObjectName(notify::kServiceRole).c_str());
}

void StopService() {
    HWND wnd = ServiceWindow();
    if (!wnd)
        return;
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageW(wnd, WM_CLOSE, 0, 0);
    if (process) {
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }
}

double CpuMs(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1;
    auto ms = [](const FILETIME &f) {
        return double((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

void RemoveFolder(const std::wstring &folder) {
    for (const wchar_t *name : {L"notify.db", L"notify.log", L"probe.log"})
        DeleteFileW((folder + L"\\" + name).c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace

int Main(int argc, wchar_t **argv);

// A window program, so that the service starts it (as --probe) the way it
// starts the alarm runner, without a console; its figures still go to the
// standard output it inherited.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return Main(__argc, __wargv); }

int Main(int argc, wchar_t **argv) {
    if (argc == 2 && wcsncmp(argv[1], L"--round=", 8) == 0)
        return Probe(argv[1]);
    int rounds = 8, idleSeconds = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (wcscmp(argv[i], L"--rounds") == 0)
            rounds = _wtoi(argv[i + 1]);
        else if (wcscmp(argv[i], L"--idle") == 0)
            idleSeconds = _wtoi(argv[i + 1]);
    }

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"TallyPadNotifyBench-" + std::to_wstring(GetCurrentProcessId());
    SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", folder.c_str());
    std::wstring self = SelfPath();

    // The first registration starts the service and waits for it.
    std::wstring args = L"--round=999";
    SYSTEMTIME tomorrow = LocalIn(24LL * 3600 * 1000);
    CE_NOTIFICATION_TRIGGER keeper = {sizeof keeper, CNT_TIME, 0, &self[0], &args[0], tomorrow, tomorrow};
    double t0 = Seconds();
    HANDLE kept = CeSetUserNotificationEx(nullptr, &keeper, nullptr);
    double firstMs = (Seconds() - t0) * 1000;
    if (!kept) {
        std::printf("registration failed: error %lu\n", GetLastError());
        return 1;
    }
    std::printf("first registration, service started on demand: %8.1f ms\n", firstMs);

    const int ops = 200;
    t0 = Seconds();
    for (int i = 0; i < ops; ++i) {
        HANDLE h = CeSetUserNotificationEx(nullptr, &keeper, nullptr);
        CeClearUserNotification(h);
    }
    std::printf("register + clear, service running:            %8.2f ms per pair (%d pairs)\n",
                (Seconds() - t0) * 1000 / ops, ops);

    // One notification per second, so each program starts alone.
    std::vector<ULONGLONG> due(rounds);
    std::vector<std::wstring> roundArgs(rounds);
    for (int r = 0; r < rounds; ++r) {
        roundArgs[r] = L"--round=" + std::to_wstring(r);
        SYSTEMTIME start = LocalIn(2000 + 1000LL * r);
        CE_NOTIFICATION_TRIGGER t = {sizeof t, CNT_TIME, 0, &self[0], &roundArgs[r][0], start, {}};
        CeSetUserNotificationEx(nullptr, &t, nullptr);
        due[r] = Ticks(start);
    }
    Sleep(2000 + 1000 * rounds + 2000);
    std::vector<ULONGLONG> began = ProbeStarts(rounds);
    double sum = 0, worst = 0;
    int seen = 0;
    for (int r = 0; r < rounds; ++r) {
        if (!began[r]) {
            std::printf("round %d: the program did not start\n", r);
            continue;
        }
        double lateMs = (double(began[r]) - double(due[r])) / 10000.0;
        std::printf("round %d: program began %7.1f ms after its start time\n", r, lateMs);
        sum += lateMs;
        worst = lateMs > worst ? lateMs : worst;
        ++seen;
    }
    if (seen)
        std::printf("start time to program start: mean %.1f ms, worst %.1f ms (%d of %d)\n", sum / seen, worst, seen,
                    rounds);

    HWND wnd = ServiceWindow();
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE service = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (service) {
        double before = CpuMs(service);
        std::printf("service CPU so far (start-up, %d rounds): %.2f ms\n", rounds, before);
        Sleep(idleSeconds * 1000);
        double after = CpuMs(service);
        std::printf("service CPU while waiting %d s with one pending notification: %.2f ms (%.4f %%)\n", idleSeconds,
                    after - before, (after - before) / (idleSeconds * 10.0));
        CloseHandle(service);
    } else {
        std::printf("service not found for the idle measurement\n");
    }

    StopService();
    RemoveFolder(folder);
    return 0;
}
