#include "ui/BarBase.h"

#include <windowsx.h>

#include <algorithm>

CBarBase::CBarBase() : backgroundSize_{0, 0}, client_(), vertical_(false), ownerWindow_(nullptr) {}

HWND CBarBase::Create(HWND parent, const RECT &rect, const wchar_t *caption, UINT childId) {
    HWND window = Wnd::Create(caption, WS_CHILD, rect, parent, childId, true);
    if (window) {
        ownerWindow_ = parent;
        GetClientRect(window, &client_);
    }
    return window;
}

bool CBarBase::SetBackground(UINT bitmapId) {
    background_.Reset(LoadProgramBitmap(bitmapId));
    backgroundSize_ = BitmapSize(background_.get());
    return static_cast<bool>(background_);
}

LRESULT CBarBase::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam), static_cast<UINT>(wParam));
        break; // the base class makes the back buffer anew and redraws
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CBarBase::OnLButtonDown(WPARAM, int, int) {}
void CBarBase::OnLButtonUp(WPARAM, int, int) {}
void CBarBase::OnMouseMove(WPARAM, int, int) {}
void CBarBase::OnSize(int, int, UINT) {}

void CBarBase::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, kControlColor);
    TileBackground(dc);
}

void CBarBase::TileBackground(HDC dc) {
    const int tw = backgroundSize_.cx, th = backgroundSize_.cy;
    if (!background_ || tw <= 0 || th <= 0)
        return;
    MemoryDC src(dc);
    SelectedObject sel(src, background_.get());
    const int w = client_.right - client_.left, h = client_.bottom - client_.top;
    if (vertical_) {
        for (int y = 0; y < h; y += th)
            StretchBlt(dc, client_.left, client_.top + y, w, std::min(th, h - y), src, 0, 0, tw, std::min(th, h - y),
                       SRCCOPY);
    } else {
        for (int x = 0; x < w; x += tw)
            StretchBlt(dc, client_.left + x, client_.top, std::min(tw, w - x), h, src, 0, 0, std::min(tw, w - x), th,
                       SRCCOPY);
    }
}
