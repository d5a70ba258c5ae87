#include "BaseLib/FeedbackPulse.h"

#include "BaseLib/Clock.h"
#include "nled.h"

namespace {

HANDLE g_worker = nullptr; // owned; lives until StopFeedbackWorker
DWORD g_workerId = 0;

// The worker's own handle on the vibrator, touched only by the worker thread.
class Vibrator {
public:
    // Switches the vibrator on for the given time (0: only off). Returns 1
    // when a vibrator was driven, 0 when none is available.
    int Pulse(DWORD milliseconds)
    {
        if (ledIndex_ == -1 || !Load())
            return 0;
        if (milliseconds > 0) {
            Switch(1);
            // Busy-wait: the pulse should be as long as asked, not as long as
            // the scheduler's sleep granularity makes it. Elapsed time is
            // compared so a tick count wrapping around cannot stretch it.
            const DWORD start = Clock::TickCount();
            while (Clock::TickCount() - start <= milliseconds)
                YieldProcessor();
        }
        Switch(0);
        return 1;
    }

private:
    bool Load()
    {
        if (setDevice_)
            return true;
        const HMODULE coredll = LoadLibraryW(L"coredll.dll");
        if (coredll)
            setDevice_ = reinterpret_cast<PFN_NLedSetDevice>(
                reinterpret_cast<void*>(GetProcAddress(coredll, "NLedSetDevice")));
        if (!setDevice_) {
            ledIndex_ = -1;
            return false;
        }
        const auto getInfo = reinterpret_cast<PFN_NLedGetDeviceInfo>(
            reinterpret_cast<void*>(GetProcAddress(coredll, "NLedGetDeviceInfo")));
        NLED_COUNT_INFO count = {};
        if (getInfo && getInfo(NLED_COUNT_INFO_ID, &count)) {
            // The vibrator is the LED whose cycle cannot be adjusted (-1);
            // without one the first guess, LED 1, stays.
            for (UINT led = count.cLeds; led-- > 0;) {
                NLED_SUPPORTS_INFO supports = {};
                supports.LedNum = led;
                if (getInfo(NLED_SUPPORTS_INFO_ID, &supports) && supports.lCycleAdjust == -1) {
                    ledIndex_ = static_cast<int>(led);
                    break;
                }
            }
        }
        return true;
    }

    void Switch(INT offOnBlink)
    {
        NLED_SETTINGS_INFO settings = {};
        settings.LedNum = static_cast<UINT>(ledIndex_);
        settings.OffOnBlink = offOnBlink;
        setDevice_(NLED_SETTINGS_INFO_ID, &settings);
    }

    int ledIndex_ = 1; // -1 once the driver could not be found
    PFN_NLedSetDevice setDevice_ = nullptr;
};

void RunPulses(Vibrator& vibrator, WPARAM wParam, LPARAM lParam)
{
    const DWORD pulse = LOWORD(wParam);
    const DWORD pause = HIWORD(wParam);
    const DWORD repeats = LOWORD(lParam);
    if (pulse > 50000 || repeats > 100) {
        vibrator.Pulse(50);
        return;
    }
    vibrator.Pulse(pulse);
    for (DWORD done = 1; done < repeats; ++done) {
        Sleep(pause);
        vibrator.Pulse(pulse);
    }
}

DWORD WINAPI WorkerMain(void* queueReady)
{
    // Posting to a thread fails until it has a message queue: make it first,
    // then let the starter go on.
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetEvent(static_cast<HANDLE>(queueReady));

    Vibrator vibrator;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == kFeedbackQuitMessage)
            break;
        if (msg.message == kFeedbackPulseMessage)
            RunPulses(vibrator, msg.wParam, msg.lParam);
    }
    return 0;
}

void StartWorker()
{
    const HANDLE queueReady = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!queueReady)
        return;
    g_worker = CreateThread(nullptr, 0, WorkerMain, queueReady, 0, &g_workerId);
    if (g_worker) {
        const HANDLE waitFor[2] = {queueReady, g_worker};
        WaitForMultipleObjects(2, waitFor, FALSE, INFINITE);
    } else {
        g_workerId = 0;
    }
    CloseHandle(queueReady);
}

} // namespace

void FeedbackPulse()
{
    if (!g_worker)
        StartWorker();
    if (g_workerId != 0)
        PostThreadMessageW(g_workerId, kFeedbackPulseMessage, 50, 0);
}

void StopFeedbackWorker()
{
    if (!g_worker)
        return;
    PostThreadMessageW(g_workerId, kFeedbackQuitMessage, 0, 0);
    // A pulse waits on the tick count; a frozen test clock would hold it
    // forever, so do not wait without bound.
    WaitForSingleObject(g_worker, 5000);
    CloseHandle(g_worker);
    g_worker = nullptr;
    g_workerId = 0;
}
