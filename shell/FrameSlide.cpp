// Presenting a screen, with the desk sliding out or back in.
//
// A slide draws its steps on the frame from pictures of the desk (with its
// icons) and of the tool screen, made from their back buffers before it
// starts: every step is one copy to the screen, where moving the desk would
// move and repaint its icon windows and repaint the tool screen's windows
// at each step. The real windows stay in place under the pictures; at the
// end they are shown and hidden as after a slide of the windows themselves,
// without painting again what the last step shows already. A tool screen
// with a window that paints only on the screen is slid out the old way, the
// desk's window moved step by step.
#include "shell/BlindWnd.h"

#include <algorithm>

#include "shell/BottomBar.h"
#include "shell/DeskWnd.h"
#include "shell/TabBar.h"
#include "ui/Drawing.h"
#include "ui/Messages.h"
#include "ui/ScreenDescriptor.h"
#include "ui/WindowPicture.h"

namespace {

const int kSlideStep = 50; // pixels per step
const DWORD kSlidePause = 2; // ms after each step

// The screen already shows what window and its children would paint (a
// slide's step drew their pictures): none of them waits for WM_PAINT.
void MarkTreePainted(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_VALIDATE | RDW_NOFRAME | RDW_NOERASE | RDW_ALLCHILDREN);
}

// Hides a window where the screen already shows what lies beneath it (a
// slide's last step drew it): nothing is invalidated, in it or in what it
// covered.
void HideUnderPicture(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window lies inside a rectangle of the frame's client area.
bool Within(HWND window, const RECT &rect) {
    RECT place;
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT *>(&place), 2);
    RECT both;
    return IntersectRect(&both, &place, &rect) && EqualRect(&both, &place);
}

// The desk's place in the frame's client area.
RECT HomeOf(HWND desk, HWND frame) {
    RECT home;
    GetWindowRect(desk, &home);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT *>(&home), 2);
    return home;
}

} // namespace

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

    // The desk's picture; with a tool, the tool's picture too, over the
    // frame's back buffer (its border beside the desk). False when one
    // cannot be made.
    bool Make(HWND desk, HWND tool, HDC frameBack) {
        const int deskWidth = home_.right - home_.left;
        frameBack_ = frameBack;
        if (tool && !(band_.Make(frame_, width_, height_) && tool_.Make(frame_, deskWidth, height_) &&
                      DrawWindowPicture(tool, tool_.Dc(), 0, 0)))
            return false;
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
            BitBlt(band_.Dc(), deskWidth, 0, width_ - deskWidth, height_, frameBack_, home_.right, home_.top, SRCCOPY);
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
    HDC frameBack_ = nullptr; // the frame's back buffer, not owned
    PBufferDC band_, desk_, tool_;
};

void CBlindWnd::PresentScreen(int id) {
    tabbar_->Show(SW_SHOW);
    bottomBar_->LayoutBottomBar(CurrentScreen());
    bottomBar_->Show(SW_SHOW);
    HWND shown = current_->GetHwnd();
    HWND desk = desk_->GetHwnd();
    const RECT home = HomeOf(desk, hwnd_);
    bool deskDrawn = false;
    if (id == kScreenDesk && lastPresented_ && lastPresented_ != shown)
        deskDrawn = SlideDeskIn(lastPresented_, home);
    if (id == kScreenDesk)
        desk_->Show(SW_SHOW);
    else
        Wnd::RestoreTreeBuffers(shown);
    for (auto &tool : tools_) {
        if (deskDrawn && tool.first != id && ui::IsShown(tool.second->GetHwnd()) &&
            Within(tool.second->GetHwnd(), home))
            HideUnderPicture(tool.second->GetHwnd());
        else
            tool.second->Show(tool.first == id ? SW_SHOW : SW_HIDE);
    }
    const bool slideOut = id != kScreenDesk && lastPresented_ == desk;
    SlideBand band(hwnd_, home);
    const bool toolDrawn = slideOut && band.Make(desk, shown, back_.Dc());
    if (toolDrawn) {
        // Under the desk until the steps draw it.
        MarkTreePainted(shown);
    }
    UpdateWindow(hwnd_);
    SendMessageW(bottomBar_->GetHwnd(), UWM_MINIMISE, 0, 0);
    Str title;
    title.LoadResourceString(CurrentScreen().titleId);
    tabbar_->SetTitle(title.Prefix(1023));
    if (slideOut) {
        SlideDeskOut(shown, home, toolDrawn ? &band : nullptr);
        desk_->Show(SW_HIDE);
        if (!toolDrawn)
            InvalidateRect(shown, nullptr, FALSE);
    } else if (id != kScreenDesk) {
        desk_->Show(SW_HIDE);
    }
    // Only the screen shown and the one shown before keep their windows'
    // buffers: going back and forth between a tool and the desk repaints
    // nothing, and a tool not used lately gives its memory back.
    for (auto &tool : tools_)
        if (tool.first != id && tool.second->GetHwnd() != lastPresented_)
            Wnd::ReleaseTreeBuffers(tool.second->GetHwnd());
    lastPresented_ = shown;
}

void CBlindWnd::SlideStepDone(int x) {
    if (slideStepObserver_)
        slideStepObserver_(x);
    Sleep(kSlidePause);
}

// With the band, the steps are drawn from its pictures and the last one
// shows the tool screen whole; without, the desk's window is moved.
void CBlindWnd::SlideDeskOut(HWND to, const RECT &home, SlideBand *band) {
    HWND desk = desk_->GetHwnd();
    const int width = home.right - home.left;
    SendMessageW(to, UWM_SLIDE, 0, 0);
    ShowWindow(to, SW_SHOW);
    if (band) {
        // The desk stays above the screens, as a moved desk would.
        SetWindowPos(desk, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        for (int step = kSlideStep;; step += kSlideStep) {
            band->DrawStep(home.left + step);
            SlideStepDone(home.left + step);
            if (step >= width)
                break;
        }
        HideUnderPicture(desk);
        SendMessageW(to, UWM_SLIDE, 1, 0);
        return;
    }
    // Steps of 50 pixels until the desk's whole width has moved out.
    for (int step = kSlideStep;; step += kSlideStep) {
        SetWindowPos(desk, HWND_TOP, home.left + step, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        UpdateWindow(to);
        UpdateWindow(desk);
        SlideStepDone(home.left + step);
        if (step >= width)
            break;
    }
    SendMessageW(to, UWM_SLIDE, 1, 0);
    SetWindowPos(desk, nullptr, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// True when the steps were drawn from the desk's picture, the last one with
// the desk at home.
bool CBlindWnd::SlideDeskIn(HWND from, const RECT &home) {
    HWND desk = desk_->GetHwnd();
    SendMessageW(from, UWM_SLIDE, 0, 0);
    // First only a 50-pixel strip shows at the right; every step moves it
    // 50 pixels further left.
    int x = home.right - kSlideStep;
    SlideBand band(hwnd_, home);
    const bool drawn = band.Make(desk, nullptr, back_.Dc());
    if (drawn) {
        for (x -= kSlideStep; x > home.left; x -= kSlideStep) {
            band.DrawStep(x);
            SlideStepDone(x);
        }
        band.DrawStep(home.left);
        SetWindowPos(desk, HWND_TOP, home.left, home.top, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOREDRAW);
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
        InvalidateRect(desk, nullptr, FALSE);
    }
    SendMessageW(from, UWM_SLIDE, 1, 0);
    return drawn;
}
