// Presenting a screen, with the desk sliding out or back in.
#include "shell/BlindWnd.h"

#include "shell/BottomBar.h"
#include "shell/DeskWnd.h"
#include "shell/TabBar.h"
#include "ui/Messages.h"
#include "ui/ScreenDescriptor.h"

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

void CBlindWnd::SlideDeskOut(HWND to) {
    HWND desk = desk_->GetHwnd();
    RECT home;
    GetWindowRect(desk, &home);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT *>(&home), 2);
    RECT client;
    GetClientRect(desk, &client);
    SendMessageW(to, UWM_SLIDE, 0, 0);
    ShowWindow(to, SW_SHOW);
    // Steps of 50 pixels until the desk's whole width has moved out.
    for (int step = 50;; step += 50) {
        SetWindowPos(desk, HWND_TOP, home.left + step, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        UpdateWindow(to);
        UpdateWindow(desk);
        Sleep(2);
        if (step >= client.right)
            break;
    }
    SendMessageW(to, UWM_SLIDE, 1, 0);
    SetWindowPos(desk, nullptr, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBlindWnd::SlideDeskIn(HWND from) {
    HWND desk = desk_->GetHwnd();
    RECT home;
    GetWindowRect(desk, &home);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT *>(&home), 2);
    SendMessageW(from, UWM_SLIDE, 0, 0);
    // First only a 50-pixel strip shows at the right; every step moves it
    // 50 pixels further left.
    int x = home.right - 50;
    SetWindowPos(desk, HWND_TOP, x, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    for (x -= 50; x > home.left; x -= 50) {
        SetWindowPos(desk, HWND_TOP, x, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        UpdateWindow(desk);
        Sleep(2);
    }
    SetWindowPos(desk, HWND_TOP, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    InvalidateRect(desk, nullptr, FALSE);
    SendMessageW(from, UWM_SLIDE, 1, 0);
}
