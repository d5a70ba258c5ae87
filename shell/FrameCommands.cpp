// Requests to the frame: the back button, toggling, opening screens, the
// bottom bar's actions and the main menu's commands, each dropped when it
// follows the last accepted one of its kind too closely.
#include "shell/BlindWnd.h"

#include "BaseLib/Clock.h"
#include "BaseLib/FeedbackPulse.h"
#include "aygshell.h"
#include "resource.h"
#include "shell/BottomBar.h"
#include "notes/NoteFiles.h"
#include "shell/FramePaths.h"
#include "shell/Tools.h"
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
    case 3:
        ToNote(IDM_NEW);
        break;
    case 4:
        OpenNextRecent();
        break;
    }
}

// A note command: the note screen shows and carries it out.
void CBlindWnd::ToNote(UINT command) {
    if (CurrentScreen().screenId != kScreenNote)
        SwitchScreen(kScreenNote);
    if (CNormalWnd *note = Screen(kScreenNote))
        SendMessageW(note->GetHwnd(), WM_COMMAND, command, 0);
}

// With two or more recent notes the last one moves to the front and opens,
// so that repeated presses cycle through the list.
void CBlindWnd::OpenNextRecent() {
    const int count = RecentList(settings_.recent).Count();
    if (count < 2)
        return;
    MoveRecentToTop(count - 1);
    ToNote(IDM_RECENT_FIRST);
}

void CBlindWnd::PopupMainMenu() {
    POINT anchor = bottomBar_->MenuAnchor(CurrentScreen());
    CNormalWnd *note = Screen(kScreenNote);
    const bool modified = note && SendMessageW(note->GetHwnd(), EM_GETMODIFY, 0, 0) != 0;
    const bool hasFile = note && SendMessageW(note->GetHwnd(), UWM_NOTE_HAS_FILE, 0, 0) != 0;
    CMainMenu::State state = {modified, hasFile, loadOnStartup_, &settings_};
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
    case IDM_NEW:
    case IDM_OPEN_FILES:
    case IDM_DELETE:
    case IDM_NOTE_COPY:
    case IDM_NOTE_PASTE:
        ToNote(id);
        break;
    case IDM_NOTE_FOLDER:
        OpenNoteFolderChooser(noteFolderChooser_, hwnd_, settings_);
        break;
    case IDM_SAVE:
        if (CNormalWnd *note = Screen(kScreenNote))
            SendMessageW(note->GetHwnd(), UWM_NOTE_SAVE, 0, 0);
        break;
    default:
        if (id >= IDM_RECENT_FIRST && id < IDM_RECENT_FIRST + 4) {
            MoveRecentToTop(id - IDM_RECENT_FIRST);
            ToNote(IDM_RECENT_FIRST);
        }
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
    if (index < 0 || index >= RecentList::kSize)
        return;
    RecentList(settings_.recent).MoveToFront(index);
    menu_.RebuildRecent(settings_, afterStartup_);
    settings_.Save(SettingsKey()); // kept even if the program is killed later
}
