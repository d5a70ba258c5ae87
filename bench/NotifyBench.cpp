// The notification service: how late a notification's program starts after
// its start time, what a registration costs, and how much CPU the service
// spends while it waits (from the host's /proc).
//   NotifyBench [--rounds N] [--idle SECONDS]
// Runs in a device folder of its own and stops its service at the end. The
// program started by the notifications is this one, with "--probe": it
// appends the moment it began to probe.log.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// Wine's GetProcessTimes on another process reports the caller's own times,
// so the service's CPU and wake-ups come from the host's /proc, which Wine
// shows as Z:\proc: on-CPU time of every thread (task/*/schedstat, in ns)
// and its voluntary context switches (task/*/status).
std::string ReadHostFile(const std::wstring &path) {
    std::string text;
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

// The host's processes of this device (the same WINEPREFIX as this one's)
// whose command line names exe, as their Z:\\proc folders. Wine does not
// pass variables set at run time on to a started program's host
// environment, so the service this benchmark starts is told apart from the
// device's own as the one that was not there before.
std::vector<std::wstring> HostProcesses(const char *exe) {
    std::vector<std::wstring> found;
    std::string self = ReadHostFile(L"Z:\\proc\\self\\environ");
    size_t at = self.find("WINEPREFIX=");
    std::string prefix = at == std::string::npos ? "" : self.substr(at, self.find('\0', at) - at);
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE)
        return found;
    do {
        if (entry.cFileName[0] < L'1' || entry.cFileName[0] > L'9')
            continue;
        std::wstring dir = std::wstring(L"Z:\\proc\\") + entry.cFileName;
        if (ReadHostFile(dir + L"\\cmdline").find(exe) == std::string::npos)
            continue;
        std::string env = ReadHostFile(dir + L"\\environ");
        if (env.find(prefix + '\0') != std::string::npos)
            found.push_back(dir);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return found;
}

struct HostUse {
    double cpuMs = 0;
    unsigned long long wakeups = 0;
};

HostUse ReadHostUse(const std::wstring &process) {
    HostUse use;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((process + L"\\task\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return use;
    do {
        if (entry.cFileName[0] == L'.')
            continue;
        std::wstring task = process + L"\\task\\" + entry.cFileName;
        use.cpuMs += strtod(ReadHostFile(task + L"\\schedstat").c_str(), nullptr) / 1e6;
        std::string status = ReadHostFile(task + L"\\status");
        size_t at = status.find("\nvoluntary_ctxt_switches:");
        if (at != std::string::npos)
            use.wakeups += strtoull(status.c_str() + at + 26, nullptr, 10);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return use;
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

    const std::vector<std::wstring> servicesBefore = HostProcesses("NotificationService.exe");
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

    std::wstring service;
    for (const std::wstring &dir : HostProcesses("NotificationService.exe")) {
        if (std::find(servicesBefore.begin(), servicesBefore.end(), dir) == servicesBefore.end())
            service = dir;
    }
    if (!service.empty()) {
        HostUse before = ReadHostUse(service);
        std::printf("service CPU so far (start-up, %d rounds): %.2f ms, %llu wake-ups\n", rounds, before.cpuMs,
                    before.wakeups);
        Sleep(idleSeconds * 1000);
        HostUse after = ReadHostUse(service);
        std::printf("service while waiting %d s with one pending notification: CPU %.2f ms (%.4f %%), %llu wake-ups\n",
                    idleSeconds, after.cpuMs - before.cpuMs, (after.cpuMs - before.cpuMs) / (idleSeconds * 10.0),
                    after.wakeups - before.wakeups);
    } else {
        std::printf("service process not found in the host's /proc for the idle measurement\n");
    }

    StopService();
    RemoveFolder(folder);
    return 0;
}
