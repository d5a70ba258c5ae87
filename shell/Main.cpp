// Program entry of VelmoraTallyPad: the single-instance rule, the main frame
// and the one message loop of the user-interface thread.
#include <windows.h>

#include "shell/BlindWnd.h"
#include "shell/Messages.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
    if (HWND running = FindWindowW(kMainWindowClass, nullptr)) {
        SendMessageW(running, UWM_TOGGLE, 0, 0);
        return 0;
    }
    InitScreenMetrics();
    CBlindWnd *frame = new CBlindWnd();
    bool mini = lstrcmpiW(commandLine, L"-mini") == 0;
    HWND main = frame->CreateMainFrame(mini);
    if (!main) {
        delete frame;
        return 0;
    }
    if (mini)
        PostMessageW(main, UWM_MINIMISE, 0, 0);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    delete frame;
    return static_cast<int>(msg.wParam);
}
