// Presenting a screen, with the desk sliding out or back in.
//
// A slide draws its steps on the frame from pictures of the desk (with its
// icons) and of the tool screen, made from their back buffers before it
// starts: every step is one copy to the screen, where moving the desk would
// move and repaint its icon windows and repaint the tool screen's windows
// at each step. The real windows stay in place under the pictures and are
// shown, hidden and painted once at the end, as after a slide of the
// windows themselves. A tool screen with a window that paints only on the
// screen is slid out the old way, the desk moved step by step.
#include "shell/BlindWnd.h"

#include <algorithm>

#include "shell/BottomBar.h"
#include "shell/DeskWnd.h"
#include "shell/TabBar.h"
#include "ui/Messages.h"
#include "ui/ScreenDescriptor.h"
#include "ui/WindowPicture.h"

namespace {

const int kSlideStep = 50; // pixels per step
const DWORD kSlidePause = 2; // ms after each step

// The desk's place in the frame's client area.
RECT HomeOf(HWND desk, HWND frame) {
    RECT home;
    GetWindowRect(desk, &home);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT *>(&home), 2);
    return home;
}

// The band of the frame a slide draws on: the desk's rows, from its left
// edge to the frame's right edge (a desk moved right covers the border).
class SlideBand {
public:
    SlideBand(HWND frame, const RECT &home) : frame_(frame), home_(home) {
        RECT client;
        GetClientRect(frame, &client);
        width_ = client.right - home.left;
        height_ = home.bottom - home.top;
    }

    // The desk's picture and the frame's own picture beneath (its border);
    // with a tool, the tool's picture too. False when one cannot be made.
    bool Make(HWND desk, HWND tool, HDC frameBack) {
        const int deskWidth = home_.right - home_.left;
        if (tool) {
            if (!band_.Make(frame_, width_, height_) || !under_.Make(frame_, width_, height_) ||
                !tool_.Make(frame_, deskWidth, height_) || !DrawWindowPicture(tool, tool_.Dc(), 0, 0))
                return false;
            BitBlt(under_.Dc(), 0, 0, width_, height_, frameBack, home_.left, home_.top, SRCCOPY);
        }
        return desk_.Make(frame_, deskWidth, height_) && DrawWindowPicture(desk, desk_.Dc(), 0, 0);
    }

    // The desk with its left edge at x (frame coordinates) over the tool
    // (when there is one) and the frame; without a tool only the desk's
    // part is drawn, over what the screen shows.
    void DrawStep(int x) {
        const int offset = x - home_.left;
        const int deskWidth = home_.right - home_.left;
        HDC screen = GetDCEx(frame_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        if (!screen)
            return;
        if (tool_.Dc()) {
            BitBlt(band_.Dc(), 0, 0, width_, height_, under_.Dc(), 0, 0, SRCCOPY);
            BitBlt(band_.Dc(), 0, 0, deskWidth, height_, tool_.Dc(), 0, 0, SRCCOPY);
            if (offset < width_)
                BitBlt(band_.Dc(), offset, 0, std::min(deskWidth, width_ - offset), height_, desk_.Dc(), 0, 0,
                       SRCCOPY);
            BitBlt(screen, home_.left, home_.top, width_, height_, band_.Dc(), 0, 0, SRCCOPY);
        } else if (offset < width_) {
            BitBlt(screen, x, home_.top, std::min(deskWidth, width_ - offset), height_, desk_.Dc(), 0, 0, SRCCOPY);
        }
        ReleaseDC(frame_, screen);
        // Wine keeps a window's pixels in memory until it is idle: show
        // every step as it is drawn.
        GdiFlush();
    }

private:
    HWND frame_;
    RECT home_;
    int width_, height_;
    PBufferDC band_, desk_, tool_, under_;
};

} // namespace

void CBlindWnd::PresentScreen(int id) {
    tabbar_->Show(SW_SHOW);
    bottomBar_->LayoutBottomBar(CurrentScreen());
    bottomBar_->Show(SW_SHOW);
    HWND shown = current_->GetHwnd();
    if (id == kScreenDesk && lastPresented_ && lastPresented_ != shown)
        SlideDeskIn(lastPresented_);
    if (id == kScreenDesk)
        desk_->Show(SW_SHOW);
    for (auto &tool : tools_)
        tool.second->Show(tool.first == id ? SW_SHOW : SW_HIDE);
    UpdateWindow(hwnd_);
    SendMessageW(bottomBar_->GetHwnd(), UWM_MINIMISE, 0, 0);
    Str title;
    title.LoadResourceString(CurrentScreen().titleId);
    tabbar_->SetTitle(title.Prefix(1023));
    if (id != kScreenDesk && lastPresented_ == desk_->GetHwnd()) {
        SlideDeskOut(shown);
        desk_->Show(SW_HIDE);
        InvalidateRect(shown, nullptr, FALSE);
    } else if (id != kScreenDesk) {
        desk_->Show(SW_HIDE);
    }
    lastPresented_ = shown;
}

void CBlindWnd::SlideStepDone(int x) {
    if (slideStepObserver_)
        slideStepObserver_(x);
    Sleep(kSlidePause);
}

void CBlindWnd::SlideDeskOut(HWND to) {
    HWND desk = desk_->GetHwnd();
    const RECT home = HomeOf(desk, hwnd_);
    RECT client;
    GetClientRect(desk, &client);
    SendMessageW(to, UWM_SLIDE, 0, 0);
    ShowWindow(to, SW_SHOW);
    SlideBand band(hwnd_, home);
    if (band.Make(desk, to, back_.Dc())) {
        // The desk stays above the screens, as a moved desk would.
        SetWindowPos(desk, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        for (int step = kSlideStep;; step += kSlideStep) {
            band.DrawStep(home.left + step);
            SlideStepDone(home.left + step);
            if (step >= client.right)
                break;
        }
    } else {
        // Steps of 50 pixels until the desk's whole width has moved out.
        for (int step = kSlideStep;; step += kSlideStep) {
            SetWindowPos(desk, HWND_TOP, home.left + step, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
            UpdateWindow(to);
            UpdateWindow(desk);
            SlideStepDone(home.left + step);
            if (step >= client.right)
                break;
        }
    }
    SendMessageW(to, UWM_SLIDE, 1, 0);
    SetWindowPos(desk, nullptr, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBlindWnd::SlideDeskIn(HWND from) {
    HWND desk = desk_->GetHwnd();
    const RECT home = HomeOf(desk, hwnd_);
    SendMessageW(from, UWM_SLIDE, 0, 0);
    // First only a 50-pixel strip shows at the right; every step moves it
    // 50 pixels further left.
    int x = home.right - kSlideStep;
    SlideBand band(hwnd_, home);
    if (band.Make(desk, nullptr, back_.Dc())) {
        for (x -= kSlideStep; x > home.left; x -= kSlideStep) {
            band.DrawStep(x);
            SlideStepDone(x);
        }
        SetWindowPos(desk, HWND_TOP, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        // The steps covered the frame's border right of the desk's place.
        RECT client;
        GetClientRect(hwnd_, &client);
        const RECT border = {home.right, home.top, client.right, home.bottom};
        InvalidateRect(hwnd_, &border, FALSE);
    } else {
        SetWindowPos(desk, HWND_TOP, x, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        for (x -= kSlideStep; x > home.left; x -= kSlideStep) {
            SetWindowPos(desk, HWND_TOP, x, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
            UpdateWindow(desk);
            SlideStepDone(x);
        }
        SetWindowPos(desk, HWND_TOP, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    }
    InvalidateRect(desk, nullptr, FALSE);
    SendMessageW(from, UWM_SLIDE, 1, 0);
}
