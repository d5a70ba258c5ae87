// Speed of the date-and-time selector: one full paint (every visible row of
// both columns into the back buffer and out to the window) and one flick
// frame (a tick of the motion timer with its row recycling, then the paint).
#include <windows.h>

#include <cstdio>

#include "BaseLib/Clock.h"
#include "ui/PDateTimeSelectCtrl.h"
#include "ui/Scaling.h"
#include "ui/Wnd.h"
#include "BenchClock.h"

namespace {

void Report(const char *name, long count, double elapsed) {
    std::printf("%-44s %9.1f us  (%ld runs, %.3f s)\n", name, elapsed / count * 1e6, count, elapsed);
}

void Paint(HWND window) {
    HDC dc = GetDC(window);
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(window, dc);
}

// Starts a fast flick of the value column, upward or downward.
void Flick(HWND window, bool upward) {
    const int x = 20, y = 100, dy = upward ? -30 : 30;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    for (int i = 1; i <= 3; ++i) {
        Clock::Advance(10);
        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + i * dy));
    }
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y + 3 * dy));
}

} // namespace

int main() {
    InitScreenMetrics();
    SYSTEMTIME now = {2026, 12, 0, 6, 12, 0, 0, 0};
    Clock::Fake(1000, now);

    Wnd owner;
    const RECT rect = {0, 0, 240, 300};
    owner.Create(L"BenchOwner", WS_POPUP | WS_VISIBLE, rect, nullptr, 0, false);
    double value = 0;
    SystemTimeToVariantTime(&now, &value);
    PDateTimeSelectCtrl selector(value);
    selector.SetMinuteStep(1);
    selector.Create(&owner);
    HWND window = selector.GetHwnd();

    const long paints = 2000;
    double start = Seconds();
    for (long i = 0; i < paints; ++i)
        Paint(window);
    Report("full paint (value and hour columns)", paints, Seconds() - start);

    long frames = 0;
    double elapsed = 0;
    for (int flick = 0; flick < 40; ++flick) {
        // Alternate directions so that the list stays within the day.
        Flick(window, flick % 2 == 0);
        start = Seconds();
        while (selector.FlickRunning() && frames < 100000) {
            SendMessageW(window, WM_TIMER, PListWnd::kFlickTimer, 0);
            Paint(window);
            ++frames;
        }
        elapsed += Seconds() - start;
    }
    Report("flick frame (timer tick, recycling, paint)", frames, elapsed);
    Clock::Real();
    return 0;
}
