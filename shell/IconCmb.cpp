#include "shell/IconCmb.h"

#include <windowsx.h>

#include "ui/Drawing.h"
#include "shell/Messages.h"
#include "ui/Scaling.h"

CMyIconCmb::CMyIconCmb(int screenId, UINT bitmapId)
    : screenId_(screenId), bitmapId_(bitmapId), picture_(LoadProgramBitmap(bitmapId)),
      pictureSize_(BitmapSize(picture_.get())), tracking_(false), pressed_(false) {}

CMyIconCmb::~CMyIconCmb() {
    if (GetHwnd() && GetCapture() == GetHwnd()) {
        tracking_ = false;
        ReleaseCapture();
    }
}

SIZE CMyIconCmb::IconSize() { return Metrics().highRes ? SIZE{121, 123} : SIZE{60, 61}; }

HWND CMyIconCmb::CreateIcon(HWND desk, const RECT &rect, int slot) {
    if (!Create(L"IconCmbWnd", WS_CHILD, rect, desk, kFirstChildId + slot, true))
        return nullptr;
    Redraw();
    return GetHwnd();
}

LRESULT CMyIconCmb::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        OnPress();
        return 0;
    case WM_MOUSEMOVE:
        OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnRelease(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd && tracking_) {
            tracking_ = false;
            pressed_ = false;
            Redraw();
        }
        return 0;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

bool CMyIconCmb::Inside(int x, int y) const {
    RECT client;
    GetClientRect(GetHwnd(), &client);
    POINT pt = {x, y};
    return PtInRect(&client, pt) != FALSE;
}

void CMyIconCmb::OnPress() {
    SetCapture(GetHwnd());
    tracking_ = true;
    pressed_ = true;
    Redraw();
}

void CMyIconCmb::OnMove(int x, int y) {
    if (!tracking_ || Inside(x, y) == pressed_)
        return;
    pressed_ = !pressed_;
    Redraw();
}

void CMyIconCmb::OnRelease(int x, int y) {
    if (!tracking_)
        return;
    tracking_ = false;
    pressed_ = false;
    ReleaseCapture();
    Redraw();
    if (Inside(x, y))
        SendMessageW(GetParent(GetHwnd()), UWM_OPEN_SCREEN, static_cast<WPARAM>(screenId_), 0);
}

void CMyIconCmb::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, kControlColor);
    ui::DrawBitmap(dc, picture_.get(), client); // copied at its size, else stretched
    if (pressed_) {
        // Held down: the whole tile a shade darker.
        MemoryDC shadeDC(dc);
        Bitmap shade(CreateCompatibleBitmap(dc, 1, 1));
        SelectedObject sel(shadeDC, shade.get());
        SetPixel(shadeDC, 0, 0, kTextColor);
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 70, 0};
        AlphaBlend(dc, 0, 0, client.right, client.bottom, shadeDC, 0, 0, 1, 1, blend);
    }
}
