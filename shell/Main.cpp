// Program entry of VelmoraTallyPad: the single-instance rule and the main
// window at its place and size. The frame with its screens grows from here.
#include <windows.h>

#include "resource.h"

namespace {

const wchar_t kFrameClass[] = L"VelmoraTallyPad";
const UINT UWM_TOGGLE = 5711;

const COLORREF kFrameBorder = RGB(45, 66, 138);
const COLORREF kScreenBackground = RGB(194, 196, 200);

int ScaleX(int units, int dpiX) { return (units * dpiX + 48) / 96; }
int ScaleY(int units, int dpiY) { return (units * dpiY + 48) / 96; }

HBITMAP gFloatButton; // owned; loaded once for the process

void Paint(HWND wnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT rc;
    GetClientRect(wnd, &rc);
    HBRUSH border = CreateSolidBrush(kFrameBorder);
    FillRect(dc, &rc, border);
    DeleteObject(border);
    InflateRect(&rc, -1, -1);
    HBRUSH back = CreateSolidBrush(kScreenBackground);
    FillRect(dc, &rc, back);
    DeleteObject(back);
    BITMAP bm;
    if (gFloatButton && GetObjectW(gFloatButton, sizeof bm, &bm)) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, gFloatButton);
        TransparentBlt(dc, (rc.left + rc.right - bm.bmWidth) / 2, (rc.top + rc.bottom - bm.bmHeight) / 2,
                       bm.bmWidth, bm.bmHeight, mem, 0, 0, bm.bmWidth, bm.bmHeight, RGB(255, 0, 255));
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    EndPaint(wnd, &ps);
}

LRESULT CALLBACK FrameProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint(wnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

HWND CreateMainFrame(HINSTANCE inst) {
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = inst;
    wc.hIcon = LoadIconW(inst, MAKEINTRESOURCEW(IDI_TALLYPAD));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kFrameClass;
    if (!RegisterClassW(&wc))
        return nullptr;

    HDC screen = GetDC(nullptr);
    int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    bool highRes = dpiX > 131 || dpiY > 131;
    gFloatButton = static_cast<HBITMAP>(
        LoadImageW(inst, MAKEINTRESOURCEW(highRes ? IDB_FLOATBUTTON_HI : IDB_FLOATBUTTON), IMAGE_BITMAP, 0, 0, 0));

    int width = ScaleX(2, dpiX) + ScaleX(38, dpiX) + 3 * ScaleX(54, dpiX);
    int height = ScaleY(2, dpiY) + ScaleY(21, dpiY) + ScaleY(38, dpiY) + 5 * ScaleY(29, dpiY) +
                 2 * ScaleY(26, dpiY) + 3;
    HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, kFrameClass, L"TallyPad", WS_POPUP, ScaleX(20, dpiX),
                               ScaleY(65, dpiY), width, height, nullptr, nullptr, inst, nullptr);
    if (wnd)
        SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return wnd;
}

} // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, LPWSTR, int) {
    if (HWND running = FindWindowW(kFrameClass, nullptr)) {
        SendMessageW(running, UWM_TOGGLE, 0, 0);
        return 0;
    }
    HWND frame = CreateMainFrame(inst);
    if (!frame)
        return 0;
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (gFloatButton)
        DeleteObject(gFloatButton);
    return static_cast<int>(msg.wParam);
}
