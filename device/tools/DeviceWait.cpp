// DeviceWait <window class> [seconds]: waits until a visible window of the
// class exists and has painted; exit code 0 then, 1 on time-out. The device
// scripts use it before taking a picture of the screen.
#include <windows.h>

#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2)
        return 2;
    DWORD seconds = argc > 2 ? wcstoul(argv[2], nullptr, 10) : 60;
    for (DWORD waited = 0; waited < seconds * 1000; waited += 100) {
        HWND wnd = FindWindowW(argv[1], nullptr);
        if (wnd && IsWindowVisible(wnd)) {
            DWORD_PTR result;
            // Once the window's thread answers, its pending paint is forced
            // through before we report.
            if (SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) {
                RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                GdiFlush();
                return 0;
            }
        }
        Sleep(100);
    }
    return 1;
}
