// CPU use of a running stopwatch: its display ticking every 30 ms for a
// minute on screen (repainting ten times a second) and a minute hidden
// (ticking without painting). Needs a display. An argument gives another
// length in seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "BenchClock.h"
#include "BenchScreen.h"
#include "timing/StopWWnd.h"
#include "timing/TimerDisplayCtrl.h"
#include "timing/TimingMessages.h"
#include "ui/Messages.h"

namespace {

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME &t) {
        return double((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// Runs the message loop for the time; counts the display's repaints.
void Measure(const char *name, CMyTimerDisplayCtrl &display, double seconds) {
    int repaints = 0;
    Str last = display.LastText();
    const double cpuStart = ProcessCpuSeconds();
    const double start = Seconds();
    while (Seconds() - start < seconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        Pump();
        if (!(display.LastText() == last.Text())) {
            last = display.LastText();
            ++repaints;
        }
    }
    const double wall = Seconds() - start;
    const double cpu = ProcessCpuSeconds() - cpuStart;
    std::printf("%-28s cpu %7.1f ms over %5.1f s = %5.2f %%   repaints %5d (%.1f/s)   shown %ls\n", name, cpu * 1000,
                wall, 100 * cpu / wall, repaints, repaints / wall, display.LastText().Text());
}

} // namespace

int main(int argc, char **argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    BenchScreen bench(5, 268);
    auto *stopwatch = static_cast<CMyStopWWnd *>(bench.Screen());
    if (!stopwatch) {
        std::printf("the stopwatch screen could not be made\n");
        return 1;
    }
    SendMessageW(stopwatch->GetHwnd(), UWM_BAR_COMMAND, 0, kStopWStart);
    Measure("stopwatch running, on screen", *stopwatch->Display(), seconds);
    stopwatch->Show(SW_HIDE);
    Measure("stopwatch running, hidden", *stopwatch->Display(), seconds);
    return 0;
}
