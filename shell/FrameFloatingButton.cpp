// The minimised mode, in which the frame is a small floating button that
// stays on top of other applications, and the dragging of the whole window.
#include "shell/BlindWnd.h"

#include "BaseLib/Clock.h"
#include "shell/BottomBar.h"
#include "shell/DeskWnd.h"
#include "shell/FramePaths.h"
#include "shell/TabBar.h"
#include "shell/Tools.h"
#include "ui/Messages.h"
#include "ui/ScreenDescriptor.h"
#include "ui/Scaling.h"

void CBlindWnd::EnterMinimised() {
    settings_.Save(SettingsKey());
    // Minimising again keeps the screen to come back to.
    if (!IsMinimised())
        saved_ = CurrentScreen();
    CurrentScreen().Clear();
    CurrentScreen().screenId = kScreenMinimised;
    ShowWindow(hwnd_, SW_HIDE);

    int x0 = GetSystemMetrics(SM_CXDLGFRAME) + 1;
    int y0 = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME) + 1;
    int maxX = GetSystemMetrics(SM_CXSCREEN) - x0 - floatSize_.cx;
    int maxY = GetSystemMetrics(SM_CYSCREEN) - y0 - floatSize_.cy;
    int x = static_cast<int>(settings_.minimizedPosX), y = static_cast<int>(settings_.minimizedPosY);
    x = x < x0 ? x0 : (x > maxX ? maxX : x);
    y = y < y0 ? y0 : (y > maxY ? maxY : y);
    settings_.minimizedPosX = x;
    settings_.minimizedPosY = y;
    MoveWindow(hwnd_, x, y, floatSize_.cx, floatSize_.cy, TRUE);

    tabbar_->Show(SW_HIDE);
    bottomBar_->Show(SW_HIDE);
    if (current_)
        current_->Show(SW_HIDE);
    UpdateWorkArea();
    if (settings_.showIcon)
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    else
        HandOffForeground();
}

void CBlindWnd::RestoreFromMinimised() {
    ShowWindow(hwnd_, SW_SHOW);
    // Without a screen to come back to, the desk is shown: a full-size
    // window must never stay in the floating button's state.
    int id = saved_.screenId;
    if (id == kScreenMinimised || !FindTool(id)) {
        id = kScreenDesk;
        saved_ = desk_->Descriptor();
    }
    // The frame leaves the minimised state first so that the resize back to
    // full size lays it out again.
    CurrentScreen() = saved_;
    SIZE size = FullSize();
    MoveWindow(hwnd_, settings_.maxPosX, settings_.maxPosY, size.cx, size.cy, TRUE);
    ShowScreen(id);
}

void CBlindWnd::OnButtonDown(int x, int y) {
    int insetX = ScaleX(2), insetY = ScaleY(2);
    if (x < insetX || y < insetY || x >= floatSize_.cx - insetX || y >= floatSize_.cy - insetY)
        return;
    POINT screen = {x, y};
    ClientToScreen(hwnd_, &screen);
    pressPoint_ = screen;
    lastPoint_ = screen;
    moved_ = false;
    SetCapture(hwnd_);
    pressTime_ = Clock::TickCount();
}

void CBlindWnd::OnButtonMove(int x, int y) {
    POINT point = {x, y};
    ClientToScreen(hwnd_, &point);
    int dx = point.x - lastPoint_.x, dy = point.y - lastPoint_.y;
    lastPoint_ = point;
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    if (!moved_ && PtInRect(&rc, point))
        return;
    moved_ = true;
    int caption = GetSystemMetrics(SM_CYCAPTION);
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    int limitedX = dx, limitedY = dy;
    if (rc.left + limitedX < 0)
        limitedX = -rc.left;
    if (rc.right + limitedX > screenW)
        limitedX = screenW - rc.right;
    if (rc.top + limitedY < caption)
        limitedY = caption - rc.top;
    if (rc.bottom + limitedY > screenH - caption)
        limitedY = screenH - caption - rc.bottom;
    SendMessageW(hwnd_, UWM_DRAG_MOVE, static_cast<WPARAM>(limitedX), static_cast<LPARAM>(limitedY));
    if (limitedX != dx || limitedY != dy) {
        // Against an edge the drag ends there.
        ReleaseCapture();
        SendMessageW(hwnd_, UWM_DRAG_END, 0, 0);
        HandOffForeground();
    }
}

void CBlindWnd::OnButtonUp() {
    ReleaseCapture();
    if (!moved_ && Clock::TickCount() - pressTime_ < 500) {
        RestoreFromMinimised();
        return;
    }
    if (moved_)
        SendMessageW(hwnd_, UWM_DRAG_END, 0, 0);
    HandOffForeground();
}

void CBlindWnd::OnMinimisedSettingChange() {
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    int screenW = GetSystemMetrics(SM_CXSCREEN);
    int bottomLimit = GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION);
    if (rc.right < screenW && rc.bottom < bottomLimit)
        return;
    int x = rc.left, y = rc.top;
    if (rc.right >= screenW)
        x = screenW - (rc.right - rc.left);
    if (rc.bottom >= bottomLimit)
        y = bottomLimit - (rc.bottom - rc.top);
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWorkArea();
    if (settings_.showIcon)
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
}

void CBlindWnd::SendDragState(int state) {
    SendMessageW(tabbar_->GetHwnd(), UWM_DRAG_STATE, 0, state);
    SendMessageW(bottomBar_->GetHwnd(), UWM_DRAG_STATE, 0, state);
    if (!IsMinimised() && current_)
        SendMessageW(current_->GetHwnd(), UWM_DRAG_STATE, 0, state);
}

void CBlindWnd::OnDragMove(int dx, int dy) {
    if (!IsMinimised() && settings_.isFull)
        return;
    SendDragState(0);
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    SetWindowPos(hwnd_, nullptr, rc.left + dx, rc.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBlindWnd::OnDragEnd() {
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    if (IsMinimised()) {
        DWORD topLimit = Settings::MinimizedTopLimit(Metrics().dpiY);
        settings_.minimizedPosX = rc.left < 1 ? 1 : rc.left;
        settings_.minimizedPosY = rc.top < static_cast<int>(topLimit) ? topLimit : rc.top;
    } else if (!settings_.isFull) {
        settings_.maxPosX = rc.left;
        settings_.maxPosY = rc.top;
    } else {
        return;
    }
    SendDragState(1);
}

void CBlindWnd::PaintMinimised() {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    back_.Make(hwnd_, rc.right, rc.bottom);
    if (!floatButton_)
        return;
    MemoryDC picture(back_.Dc());
    SelectedObject selected(picture, floatButton_.get());
    BitBlt(back_.Dc(), 0, 0, floatSize_.cx, floatSize_.cy, picture, 0, 0, SRCCOPY);
    InvalidateRect(hwnd_, nullptr, FALSE);
}
