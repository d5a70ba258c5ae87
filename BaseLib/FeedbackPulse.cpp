#include "BaseLib/FeedbackPulse.h"

#include "BaseLib/Vibrator.h"

namespace {

HANDLE g_worker = nullptr; // owned; lives until StopFeedbackWorker
DWORD g_workerId = 0;

void RunPulses(Vibrator &vibrator, WPARAM wParam, LPARAM lParam) {
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

DWORD WINAPI WorkerMain(void *queueReady) {
    // Posting to a thread fails until it has a message queue: make it first,
    // then let the starter go on.
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetEvent(static_cast<HANDLE>(queueReady));

    Vibrator vibrator; // touched only by the worker thread
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == kFeedbackQuitMessage)
            break;
        if (msg.message == kFeedbackPulseMessage)
            RunPulses(vibrator, msg.wParam, msg.lParam);
    }
    return 0;
}

void StartWorker() {
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

void FeedbackPulse() {
    if (!g_worker)
        StartWorker();
    if (g_workerId != 0)
        PostThreadMessageW(g_workerId, kFeedbackPulseMessage, 50, 0);
}

void StopFeedbackWorker() {
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
