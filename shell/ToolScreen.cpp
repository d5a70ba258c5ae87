#include "shell/ToolScreen.h"

LRESULT CToolScreen::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        PaintFromBackBuffer();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    }
    return CNormalWnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CToolScreen::Layout() {
    if (!HasBackBuffer())
        return;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    HBRUSH back = CreateSolidBrush(RGB(194, 196, 200));
    FillRect(BackDC(), &rc, back);
    DeleteObject(back);
    InvalidateRect(hwnd_, nullptr, FALSE);
}
