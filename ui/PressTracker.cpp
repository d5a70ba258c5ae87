#include "ui/PressTracker.h"

#include <windowsx.h>

#include "ui/Wnd.h"

namespace {

bool Inside(HWND window, LPARAM lParam) {
    RECT client;
    GetClientRect(window, &client);
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, pt) != FALSE;
}

} // namespace

PressTracker::Result PressTracker::OnMessage(Wnd &window, UINT msg, LPARAM lParam) {
    HWND hwnd = window.GetHwnd();
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetCapture(hwnd);
        tracking_ = true;
        pressed_ = true;
        window.Redraw();
        return Result::kHandled;
    case WM_MOUSEMOVE:
        if (!tracking_)
            return Result::kHandled;
        if (slideOff_ == SlideOff::kGiveUp) {
            if (!Inside(hwnd, lParam))
                End(window);
        } else if (Inside(hwnd, lParam) != pressed_) {
            pressed_ = !pressed_;
            window.Redraw();
        }
        return Result::kHandled;
    case WM_LBUTTONUP:
        if (!tracking_)
            return Result::kHandled;
        End(window);
        return Inside(hwnd, lParam) ? Result::kTapped : Result::kHandled;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd && tracking_) {
            tracking_ = false;
            pressed_ = false;
            window.Redraw();
        }
        return Result::kHandled;
    }
    return Result::kNotStylus;
}

void PressTracker::End(Wnd &window) {
    // Flags first: letting the stylus go sends WM_CAPTURECHANGED.
    tracking_ = false;
    pressed_ = false;
    ReleaseCapture();
    window.Redraw();
}

void PressTracker::Cancel(HWND window) {
    tracking_ = false;
    if (window && GetCapture() == window)
        ReleaseCapture();
}
