// The world clock at rest: how often the user-interface thread wakes while
// the screen is shown and nobody touches it, and how late after each minute
// change the rows are painted anew. Runs on the real clock.
//   WorldBench [--seconds N]   (default 185: three minute changes)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "world/WorldMessages.h"
#include "world/WorldWnd.h"

namespace {

const wchar_t kCities[] = L"Tokyo,9,0#Asia/Tokyo\r\nParis,1,0#Europe/Paris\r\nNew York,-5,0#America/New_York\r\n"
                          L"Kolkata,5,30#Asia/Kolkata\r\nSydney,10,0#Australia/Sydney\r\n";

std::vector<world::City> Cities() {
    std::vector<unsigned char> bytes;
    for (const wchar_t *c = kCities; *c; ++c) {
        bytes.push_back(static_cast<unsigned char>(*c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(*c >> 8));
    }
    return world::ParseCityFile(bytes.data(), bytes.size());
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    int seconds = 185;
    for (int i = 1; i + 1 < argc; ++i)
        if (wcscmp(argv[i], L"--seconds") == 0)
            seconds = _wtoi(argv[i + 1]);
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Velmora\\TallyPad\\WorldTime", L"RecentList", REG_SZ,
                    L"0,1,2,3,4,", 22);
    Wnd frame;
    frame.Create(L"WorldBench", WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 268}, nullptr, 0, false);
    CMyWorldWnd world(Cities(), nullptr);
    if (!world.Wnd::Create(L"WorldWnd", WS_CHILD | WS_VISIBLE, RECT{0, 0, 240, 268}, frame.GetHwnd(), 0, true)) {
        wprintf(L"no world clock window\n");
        return 1;
    }
    // Settle: whatever making the screen queued.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);

    const ULONGLONG start = GetTickCount64(), end = start + static_cast<ULONGLONG>(seconds) * 1000;
    int wakes = 0, ticks = 0;
    std::vector<int> lateness;
    SetTimer(nullptr, 0, static_cast<UINT>(end - start), nullptr); // ends the wait; not counted
    while (GetTickCount64() < end && GetMessageW(&msg, nullptr, 0, 0)) {
        if (msg.hwnd == nullptr && msg.message == WM_TIMER)
            break;
        ++wakes;
        if (msg.message == WM_TIMER && msg.hwnd == world.GetHwnd() && msg.wParam == kWorldMinuteTimer) {
            ++ticks;
            SYSTEMTIME now;
            GetLocalTime(&now);
            lateness.push_back(now.wSecond < 30 ? now.wSecond * 1000 + now.wMilliseconds
                                                : (now.wSecond - 60) * 1000 + now.wMilliseconds);
        }
        DispatchMessageW(&msg);
    }
    const double minutes = seconds / 60.0;
    wprintf(L"world clock shown for %d s: %d wakes of the user-interface thread (%.2f per minute), "
            L"%d minute ticks\n",
            seconds, wakes, wakes / minutes, ticks);
    for (size_t i = 0; i < lateness.size(); ++i)
        wprintf(L"  minute tick %u: %d ms after the minute change\n", static_cast<unsigned>(i + 1), lateness[i]);
    return 0;
}
