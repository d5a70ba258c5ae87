// Requests to the frame: the back button, toggling, opening screens, the
// bottom bar's actions and the main menu's commands, each dropped when it
// follows the last accepted one of its kind too closely.
#include "shell/BlindWnd.h"

#include "BaseLib/Clock.h"
#include "BaseLib/FeedbackPulse.h"
#include "aygshell.h"
#include "resource.h"
#include "shell/BottomBar.h"
#include "shell/FramePaths.h"
#include "ui/AboutDlg.h"
#include "ui/Messages.h"
#include "ui/PopupBtt.h"
#include "ui/ScreenDescriptor.h"

// Accepts a request unless the previous accepted one was less than
// minimumGap milliseconds ago.
bool CBlindWnd::Accept(Debounce &last, DWORD minimumGap) {
    DWORD now = Clock::TickCount();
    if (last.any && now - last.stamp < minimumGap)
        return false;
    last.stamp = now;
    last.any = true;
    return true;
}

void CBlindWnd::Pulse() {
    if (settings_.feedbackVibro)
        FeedbackPulse();
}

void CBlindWnd::OnBack(int screenId) {
    if (current_ && current_->CloseOverlay())
        return;
    if (CurrentScreen().screenId == kScreenDesk) {
        SetFocus(hwnd_);
        EnterMinimised();
        return;
    }
    if (!Accept(backStamp_, 201))
        return;
    Pulse();
    SetInputPanelState(0, false);
    SwitchScreen(screenId);
}

void CBlindWnd::OnToggle() {
    if (IsMinimised()) {
        ShowWindow(hwnd_, SW_SHOW);
        RestoreFromMinimised();
        return;
    }
    SetInputPanelState(0, false);
    SetFocus(hwnd_);
    EnterMinimised();
}

void CBlindWnd::OnOpenScreen(int screenId) {
    if (!Accept(openStamp_, 200))
        return;
    Pulse();
    SwitchScreen(screenId);
}

void CBlindWnd::OnBottomAction(int action) {
    if (!Accept(bottomStamp_, 200))
        return;
    Pulse();
    switch (action) {
    case 0:
        PopupMainMenu();
        break;
    case 1:
        if (current_ && !IsMinimised())
            current_->Copy();
        break;
    case 2:
        if (current_ && !IsMinimised())
            current_->Paste();
        break;
    case 5:
        SendMessageW(hwnd_, UWM_MINIMISE, 0, settings_.isFull);
        break;
    default:
        // New note and next recent act on the note screen, which brings
        // these actions with it.
        break;
    }
}

void CBlindWnd::PopupMainMenu() {
    POINT anchor = bottomBar_->MenuAnchor(CurrentScreen());
    CMainMenu::State state = {false, false, loadOnStartup_, &settings_};
    menu_.Popup(hwnd_, anchor.x, anchor.y, state);
}

void CBlindWnd::OnCommand(UINT id) {
    if (!Accept(menuStamp_, 200))
        return;
    Pulse();
    switch (id) {
    case IDM_ABOUT:
        CMyAboutDlg().DoModal(hwnd_);
        break;
    case IDM_EXIT:
        SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        break;
    case IDM_LOAD_ON_STARTUP:
        ToggleStartupShortcut();
        break;
    case IDM_ANIMATION_BUTTON:
        settings_.popupBtt = !settings_.popupBtt;
        if (settings_.popupBtt)
            BuildBalloons(hwnd_, settings_.isFull != 0);
        else
            DestroyBalloons();
        break;
    case IDM_SHOW_ICON:
        settings_.showIcon = !settings_.showIcon;
        break;
    case IDM_FEEDBACK_VIBRO:
        settings_.feedbackVibro = !settings_.feedbackVibro;
        Pulse();
        break;
    case IDM_USE_DRAWING:
        settings_.useDrawing = !settings_.useDrawing;
        if (CNormalWnd *note = Screen(kScreenNote))
            SendMessageW(note->GetHwnd(), UWM_DRAWING_CHANGED, 0, 0);
        break;
    default:
        if (id >= IDM_RECENT_FIRST && id < IDM_RECENT_FIRST + 4) {
            MoveRecentToTop(id - IDM_RECENT_FIRST);
            SwitchScreen(kScreenNote);
        }
        // The note commands act on the note window, which brings them.
        break;
    }
}

void CBlindWnd::ToggleStartupShortcut() {
    loadOnStartup_ = !loadOnStartup_;
    Str shortcut = StartupShortcutPath();
    DeleteFileW(shortcut);
    if (!loadOnStartup_)
        return;
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    Str target;
    target.Format(L"\"%s\" -mini", program);
    SHCreateShortcut(const_cast<wchar_t *>(shortcut.Text()), const_cast<wchar_t *>(target.Text()));
}

void CBlindWnd::MoveRecentToTop(int index) {
    if (index < 0 || index >= 4)
        return;
    wchar_t chosen[MAX_PATH];
    lstrcpynW(chosen, settings_.recent[index], MAX_PATH);
    for (int i = index; i > 0; --i)
        lstrcpynW(settings_.recent[i], settings_.recent[i - 1], MAX_PATH);
    lstrcpynW(settings_.recent[0], chosen, MAX_PATH);
    menu_.RebuildRecent(settings_, afterStartup_);
}
