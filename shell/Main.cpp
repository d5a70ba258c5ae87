// Program entry of VelmoraTallyPad: the single-instance rule, the main frame
// and the one message loop of the user-interface thread.
#include <windows.h>

#include <memory>

#include "shell/BlindWnd.h"
#include "shell/Messages.h"
#include "ui/Scaling.h"

namespace {

// Named for the whole device. Longest a start waits for another one to
// finish making its frame; a start that hung past it is not waited for.
const wchar_t kStartMutex[] = L"VelmoraTallyPad.Start";
const DWORD kStartWaitMs = 30000;

// Held from before the look for a running frame until this program's frame
// exists, so that starts at the same moment take turns: the first makes the
// frame, each later one finds it.
class StartLock {
public:
    StartLock() : mutex_(CreateMutexW(nullptr, FALSE, kStartMutex)) {
        if (mutex_) {
            DWORD wait = WaitForSingleObject(mutex_, kStartWaitMs);
            owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        }
    }
    ~StartLock() { Release(); }
    StartLock(const StartLock &) = delete;
    StartLock &operator=(const StartLock &) = delete;

    void Release() {
        if (owned_)
            ReleaseMutex(mutex_);
        owned_ = false;
        if (mutex_)
            CloseHandle(mutex_);
        mutex_ = nullptr;
    }

private:
    HANDLE mutex_; // owned
    bool owned_ = false;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
    StartLock lock;
    if (HWND running = FindWindowW(kMainWindowClass, nullptr)) {
        lock.Release();
        SendMessageW(running, UWM_TOGGLE, 0, 0);
        return 0;
    }
    InitScreenMetrics();
    auto frame = std::make_unique<CBlindWnd>();
    bool mini = lstrcmpiW(commandLine, L"-mini") == 0;
    HWND main = frame->CreateMainFrame(mini);
    if (!main)
        return 0;
    if (mini)
        PostMessageW(main, UWM_MINIMISE, 0, 0);
    lock.Release();

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    frame.reset(); // the frame writes the settings and stops its worker
    return static_cast<int>(msg.wParam);
}
