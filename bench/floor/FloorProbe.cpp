// Times a program of the device from outside, the same way for the bare
// program and the main program, for measure.sh. One figure per line,
// "<name> <milliseconds>":
//   FloorProbe start <exe> <class>     start -> window visible -> every visible
//                                      window of it painted; leaves it running
//   FloorProbe second <exe>            start -> exit of a second start
//   FloorProbe switch bare|tallypad N  N times desk -> tool -> desk, each to painted;
//                                      with the cost of the probe's own polls of
//                                      the painted windows, and the switch less it
//   FloorProbe open <class> <msg> <wParam> <lParam>   one sent request to painted
//   FloorProbe close <class>           WM_CLOSE, then wait for the process
//   FloorProbe hold                    keeps the device's desktop open until
//                                      killed, as a booted device's shell does
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "FloorMessages.h"

namespace {

const UINT kOpenScreen = 6457, kBack = 5692; // the main program's requests
const wchar_t kMainClass[] = L"VelmoraTallyPad";

double Ms() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1e3 * double(now.QuadPart) / double(frequency.QuadPart);
}

bool Shown(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// The window (shown) and every shown window under it have nothing left to
// paint. A hidden window's subtree is skipped: every call here is a round
// trip to the window server, and a program with many hidden windows would
// otherwise pay for them at every poll.
bool TreePainted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE))
        return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (Shown(child) && !TreePainted(child))
            return false;
    return true;
}

// Shown, and no visible window of it waits for WM_PAINT.
bool Painted(HWND top) { return Shown(top) && TreePainted(top); }

// Polls every millisecond; false after 20 s.
template <class Done>
bool WaitFor(Done done) {
    for (double end = Ms() + 20000; Ms() < end; Sleep(1))
        if (done())
            return true;
    return false;
}

HANDLE Launch(const wchar_t *exe) {
    wchar_t line[MAX_PATH + 3];
    _snwprintf(line, MAX_PATH + 3, L"\"%s\"", exe);
    line[MAX_PATH + 2] = 0;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

int Start(const wchar_t *exe, const wchar_t *cls) {
    double t0 = Ms();
    HANDLE process = Launch(exe);
    if (!process)
        return std::printf("error cannot start\n"), 1;
    HWND top = nullptr;
    bool shown = WaitFor([&] {
        top = FindWindowW(cls, nullptr);
        return top && IsWindowVisible(top);
    });
    double visible = Ms() - t0;
    bool painted = shown && WaitFor([&] { return Painted(top); });
    double done = Ms() - t0;
    CloseHandle(process);
    if (!painted)
        return std::printf("error not painted\n"), 1;
    std::printf("visible %.1f\npainted %.1f\n", visible, done);
    return 0;
}

int Second(const wchar_t *exe) {
    double t0 = Ms();
    HANDLE process = Launch(exe);
    if (!process)
        return std::printf("error cannot start\n"), 1;
    WaitForSingleObject(process, 20000);
    std::printf("second %.1f\n", Ms() - t0);
    CloseHandle(process);
    return 0;
}

// Sends a request and waits until the window shows its result.
double Request(HWND top, UINT msg, WPARAM wParam, LPARAM lParam) {
    double t0 = Ms();
    SendMessageW(top, msg, wParam, lParam);
    WaitFor([&] { return Painted(top); });
    return Ms() - t0;
}

// What one poll of Painted costs, the window being painted: the part of a
// request's time that is the probe's own walk of the windows.
double CheckCost(HWND top) {
    double t0 = Ms();
    Painted(top);
    return Ms() - t0;
}

int Switch(bool bare, int rounds) {
    HWND top = FindWindowW(bare ? kFloorClass : kMainClass, nullptr);
    if (!top)
        return std::printf("error no window\n"), 1;
    for (int i = 0; i < rounds; ++i) {
        // Apart by more than the main program's 200 ms repeat lock-out.
        Sleep(300);
        double to = bare ? Request(top, kFloorOpenTool, 0, 0) : Request(top, kOpenScreen, 1, 0);
        const double checkTo = CheckCost(top);
        Sleep(300);
        double back = bare ? Request(top, kFloorBack, 0, 0) : Request(top, kBack, 0, 0);
        const double checks = checkTo + CheckCost(top);
        std::printf("to %.1f\nback %.1f\nswitch %.1f\ncheck %.1f\nnet %.1f\n", to, back, to + back, checks,
                    to + back - checks);
    }
    return 0;
}

int Close(const wchar_t *cls) {
    HWND top = FindWindowW(cls, nullptr);
    if (!top)
        return 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(top, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageW(top, WM_CLOSE, 0, 0);
    if (process) {
        WaitForSingleObject(process, 20000);
        CloseHandle(process);
    }
    return 0;
}

// Wine closes a virtual desktop a moment after the last process using it
// ends, and the next start then waits some 200 ms for a new one; a booted
// device always has its desktop, so the measured starts must find it too.
int Hold() {
    if (!CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr))
        return 1;
    Sleep(INFINITE);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc == 4 && wcscmp(argv[1], L"start") == 0)
        return Start(argv[2], argv[3]);
    if (argc == 3 && wcscmp(argv[1], L"second") == 0)
        return Second(argv[2]);
    if (argc == 4 && wcscmp(argv[1], L"switch") == 0)
        return Switch(wcscmp(argv[2], L"bare") == 0, _wtoi(argv[3]));
    if (argc == 6 && wcscmp(argv[1], L"open") == 0) {
        HWND top = FindWindowW(argv[2], nullptr);
        if (!top)
            return std::printf("error no window\n"), 1;
        std::printf("open %.1f\n", Request(top, _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5])));
        return 0;
    }
    if (argc == 3 && wcscmp(argv[1], L"close") == 0)
        return Close(argv[2]);
    if (argc == 2 && wcscmp(argv[1], L"hold") == 0)
        return Hold();
    std::fprintf(stderr, "usage: FloorProbe start|second|switch|open|close|hold ...\n");
    return 2;
}
