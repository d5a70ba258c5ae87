#include "notes/NoteWnd.h"

#include <richedit.h>

#include <string>

#include "BaseLib/FeedbackPulse.h"
#include "BaseLib/Registry.h"
#include "aygshell.h"
#include "notes/NoteFiles.h"
#include "notes/NoteMessages.h"
#include "notes/Notebar.h"
#include "notes/OpenFileWnd.h"
#include "resource.h"
#include "richink.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"
#include "ui/Subclass.h"

namespace {

const int kZoomLevels[] = {75, 100, 150, 200, 300};
const int kZoomCount = 5;
const int kTitleSourceChars = 200;
const wchar_t kSettingsKey[] = L"Software\\Velmora\\TallyPad";
const wchar_t kDefaultLastPath[] = L"\\My Documents";

bool ZoomInRange(DWORD zoom) { return zoom >= 75 && zoom <= 300; }

DWORD CALLBACK WriteToFile(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG *done) {
    DWORD written = 0;
    BOOL ok = WriteFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(count), &written, nullptr);
    *done = static_cast<LONG>(written);
    return ok && written == static_cast<DWORD>(count) ? 0 : 1;
}

DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG *done) {
    DWORD read = 0;
    BOOL ok = ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(count), &read, nullptr);
    *done = static_cast<LONG>(read);
    return ok ? 0 : 1;
}

Str LoadText(UINT id) {
    Str text;
    text.LoadResourceString(id);
    return text;
}

void AppendItem(HMENU menu, UINT id, UINT textId, bool enabled = true) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, LoadText(textId));
}

} // namespace

CMyNoteWnd::CMyNoteWnd(const NoteSettings &settings)
    : settings_(settings), ink_(nullptr), zoomMenu_(nullptr), keyboardShown_(false) {}

CMyNoteWnd::~CMyNoteWnd() {
    picker_.reset(); // child windows first
    notebar_.reset();
    if (zoomMenu_)
        DestroyMenu(zoomMenu_);
}

// The ink above the notebar; an open picker covers the ink's place.
void CMyNoteWnd::Layout() {
    if (!GetHwnd())
        return;
    RECT client;
    GetClientRect(GetHwnd(), &client);
    const int bar = ScaleY(CMyNotebar::kHeightUnits);
    if (ink_)
        MoveWindow(ink_, 0, 0, client.right, client.bottom - bar, TRUE);
    if (notebar_)
        notebar_->Move(0, client.bottom - bar, client.right, bar, true);
    if (picker_ && picker_->GetHwnd() && IsWindowVisible(picker_->GetHwnd()))
        picker_->Move(0, 0, client.right, client.bottom - bar, true);
}

void CMyNoteWnd::OnCreate() {
    if (!ZoomInRange(*settings_.noteScale1))
        *settings_.noteScale1 = 75;
    if (!ZoomInRange(*settings_.noteScale2))
        *settings_.noteScale2 = 75;
    if (!DrawingAllowed())
        *settings_.penMode = 1;
    InitRichInkDLL();
    ink_ = CreateWindowExW(0, WC_RICHINKW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_NOHIDESEL, 0, 0,
                           0, 0, GetHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kInkId)),
                           GetModuleHandleW(nullptr), nullptr);
    if (ink_)
        SubclassWindow(ink_, InkProc, this);
    notebar_ = std::make_unique<CMyNotebar>();
    notebar_->CreateBar(GetHwnd(), RECT{0, 0, 0, 0}, static_cast<int>(ModeZoom()));
    notebar_->ShowModeButton(DrawingAllowed());
    zoomMenu_ = CreatePopupMenu();
    for (int i = 0; i < kZoomCount; ++i)
        AppendItem(zoomMenu_, IDM_ZOOM_FIRST + i, IDS_ZOOM_75 + i);
    CheckZoomItem(100);
    NewNote();
    Layout();
}

LRESULT CMyNoteWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_NOTIFY: {
        const auto *menu = reinterpret_cast<const NMRICHINKMENU *>(lParam);
        if (menu && menu->hdr.hwndFrom == ink_ && menu->hdr.code == RIN_EDITMENU)
            ShowEditMenu(menu->pt);
        return 0;
    }
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kAutosaveTimer)
            SaveIfModified();
        return 0;
    case UWM_NOTE_SAVE:
        SaveIfModified();
        return 0;
    case EM_GETMODIFY:
        return IsModified();
    case UWM_NOTE_HAS_FILE:
        return !notePath_.IsEmpty();
    case WM_CLOSE:
        SaveIfModified();
        if (ink_)
            DestroyWindow(ink_);
        ink_ = nullptr;
        return 0;
    case UWM_NOTEBAR_BUTTON:
        if (*settings_.feedbackVibro)
            FeedbackPulse();
        OnNotebarButton(static_cast<int>(lParam));
        return 0;
    case UWM_DRAWING_CHANGED:
        notebar_->ShowModeButton(DrawingAllowed());
        SwitchMode();
        return 0;
    case UWM_NOTEBAR_REFRESH:
        if (lParam == 3)
            notebar_->SetKeyboardShown(keyboardShown_);
        return 0;
    case UWM_OPEN_RECENT: // the picker chose a file
        OnPickerChosen();
        return 0;
    case UWM_CLOSE_PICKER:
        if (picker_)
            picker_->Show(SW_HIDE);
        return 0;
    case UWM_QUERY_DRAWING:
        return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETSIPINFO)
            OnInputPanelChange();
        return 0;
    case WM_WINDOWPOSCHANGED:
        // The screen moved or was hidden: the input panel it raised is gone.
        if (keyboardShown_) {
            keyboardShown_ = false;
            notebar_->SetKeyboardShown(false);
        }
        break;
    case WM_SIZE:
        Layout();
        break;
    case UWM_DRAG_MOVE: // from the notebar
    case UWM_DRAG_END:
        return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
    }
    if (drag_.OnMessage(hwnd, msg, lParam))
        return 0;
    return CNormalWnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyNoteWnd::OnCommand(UINT id) {
    if (id >= IDM_ZOOM_FIRST && id < IDM_ZOOM_FIRST + kZoomCount) {
        SetZoom(kZoomLevels[id - IDM_ZOOM_FIRST]);
        return;
    }
    switch (id) {
    case IDM_CUT:
        SendMessageW(ink_, WM_CUT, 0, 0);
        break;
    case IDM_COPY:
        SendMessageW(ink_, WM_COPY, 0, 0);
        break;
    case IDM_PASTE:
        SendMessageW(ink_, WM_PASTE, 0, 0);
        break;
    case IDM_CLEAR:
        SendMessageW(ink_, WM_CLEAR, 0, 0);
        break;
    case IDM_SELECT_ALL:
        SendMessageW(ink_, RIM_SELECTALL, 0, 0);
        SendMessageW(ink_, RIM_SHOWSELECTION, 0, 0);
        break;
    case IDM_CLEAR_ALL:
        SendMessageW(ink_, RIM_SELECTALL, 0, 0);
        SendMessageW(ink_, RIM_SHOWSELECTION, 0, 0);
        SendMessageW(ink_, WM_CLEAR, 0, 0);
        break;
    case IDM_RECOGNIZE:
        SendMessageW(ink_, RIM_RECOGNIZE, 0, 0);
        SendMessageW(ink_, RIM_SETINPUTMODE, *settings_.penMode, 0);
        break;
    case IDM_UNDO:
        SendMessageW(ink_, RIM_UNDO, 0, 0);
        break;
    case IDM_REDO:
        SendMessageW(ink_, RIM_REDO, 0, 0);
        break;
    case IDM_INSERT_DATE:
        InsertDate();
        break;
    case IDM_NOTE_COPY:
        Copy();
        break;
    case IDM_NOTE_PASTE:
        Paste();
        break;
    case IDM_NEW:
        SaveIfModified();
        NewNote();
        break;
    case IDM_SAVE:
        SaveIfModified();
        break;
    case IDM_DELETE:
        DeleteNote();
        break;
    case IDM_OPEN_FILES:
        OpenPicker();
        break;
    case IDM_RECENT_FIRST: // the frame moved the chosen entry to the front
        LoadNote(settings_.recent[0]);
        break;
    }
}

bool CMyNoteWnd::Copy() {
    if (!ink_)
        return false;
    if (SendMessageW(ink_, RIM_HASSELECTION, 0, 0) != 0) {
        SendMessageW(ink_, WM_COPY, 0, 0);
        return true;
    }
    // Nothing selected: the whole note is copied, the selection kept.
    DWORD start = 0, end = 0;
    SendMessageW(ink_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SendMessageW(ink_, EM_SETSEL, 0, -1);
    SendMessageW(ink_, WM_COPY, 0, 0);
    SendMessageW(ink_, EM_SETSEL, start, end);
    return true;
}

bool CMyNoteWnd::Paste() {
    if (ink_)
        SendMessageW(ink_, WM_PASTE, 0, 0);
    return ink_ != nullptr;
}

bool CMyNoteWnd::IsModified() const { return ink_ && SendMessageW(ink_, EM_GETMODIFY, 0, 0) != 0; }

bool CMyNoteWnd::Save() {
    if (!ink_)
        return false;
    Str path = notePath_;
    if (path.IsEmpty()) {
        wchar_t text[kTitleSourceChars] = L"";
        GetWindowTextW(ink_, text, kTitleSourceChars);
        path = NotePathFor(settings_.noteDir, MakeNoteTitle(text), settings_.noteName, nullptr);
    }
    const bool written = WriteNoteFile(path, [this](HANDLE file) {
        EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(file), 0, WriteToFile};
        SendMessageW(ink_, EM_STREAMOUT, SF_RICHINK, reinterpret_cast<LPARAM>(&stream));
        return stream.dwError == 0;
    });
    if (!written)
        return false;
    if (notePath_.IsEmpty()) {
        RecentList(settings_.recent).AddToFront(path);
        PostMessageW(GetParent(GetHwnd()), UWM_RECENT_CHANGED, 0, 0);
    }
    notePath_ = path;
    return true;
}

void CMyNoteWnd::SaveIfModified() {
    if (IsModified() && Save())
        SendMessageW(ink_, EM_SETMODIFY, 0, 0);
}

void CMyNoteWnd::RestartAutosave() { SetTimer(GetHwnd(), kAutosaveTimer, kAutosaveMs, nullptr); }

void CMyNoteWnd::NewNote() {
    notePath_ = Str();
    if (!ink_)
        return;
    SendMessageW(ink_, RIM_CLEARALL, 0, 0);
    SendMessageW(ink_, RIM_SETVIEW, 2, 0);
    SendMessageW(ink_, RIM_SETWRAP, 1, 0);
    SendMessageW(ink_, RIM_SETPENTIP, 1, 0);
    SendMessageW(ink_, RIM_SETPARAM, RI_PARAM_PAGEEXTRA, 200);
    SendMessageW(ink_, RIM_SETPARAM, RI_PARAM_PENWIDTH, 100);
    if (!DrawingAllowed())
        *settings_.penMode = 1;
    SendMessageW(ink_, RIM_SETPAGESTYLE, TypingMode() ? RI_PAGE_LINED : RI_PAGE_BLANK, 0);
    SendMessageW(ink_, RIM_SETINPUTMODE, TypingMode() ? RI_INPUT_TYPING : RI_INPUT_DRAWING, 0);
    SendMessageW(ink_, RIM_SETZOOM, 0, ModeZoom());
    SendMessageW(ink_, EM_SETMODIFY, 0, 0);
    notebar_->SetZoom(static_cast<int>(ModeZoom()));
    notebar_->SetDrawingMode(!TypingMode());
    InvalidateRect(ink_, nullptr, FALSE);
    RestartAutosave();
}

bool CMyNoteWnd::LoadNote(const wchar_t *path) {
    if (!ink_ || !path || !path[0])
        return false;
    const LRESULT zoom = SendMessageW(ink_, RIM_GETZOOM, 0, 0);
    const LRESULT pageStyle = SendMessageW(ink_, RIM_GETPAGESTYLE, 0, 0);
    const LRESULT inputMode = SendMessageW(ink_, RIM_GETINPUTMODE, 0, 0);
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    SaveIfModified();
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(file), 0, ReadFromFile};
    SendMessageW(ink_, EM_STREAMIN, SF_RICHINK, reinterpret_cast<LPARAM>(&stream));
    CloseHandle(file);
    // A file the control refused (damaged, or not a note) leaves the note
    // as it was, still bound to its own file, so that no later save writes
    // it over the refused one.
    if (stream.dwError != 0)
        return false;
    SendMessageW(ink_, RIM_SETPAGESTYLE, pageStyle, 0);
    SendMessageW(ink_, RIM_SETINPUTMODE, inputMode, 0);
    SendMessageW(ink_, RIM_SETZOOM, 0, zoom);
    SendMessageW(ink_, EM_SETMODIFY, 0, 0);
    notePath_ = path;
    RestartAutosave();
    return true;
}

void CMyNoteWnd::DeleteNote() {
    Str format = LoadText(IDS_DELETE_NOTE);
    Str question, title;
    question.Format(format, notePath_.Text());
    title.Format(L"TallyPad (%s)", LoadText(IDS_VERSION).Text());
    if (MessageBoxW(GetHwnd(), question, title, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    // A note without a file removes no file and no other note's entry.
    if (!notePath_.IsEmpty()) {
        DeleteFileW(notePath_);
        RecentList(settings_.recent).Remove(notePath_);
        PostMessageW(GetParent(GetHwnd()), UWM_RECENT_CHANGED, 0, 0);
    }
    NewNote();
}

void CMyNoteWnd::CheckZoomItem(int zoom) {
    for (int i = 0; i < kZoomCount; ++i) {
        if (kZoomLevels[i] == zoom)
            CheckMenuRadioItem(zoomMenu_, IDM_ZOOM_FIRST, IDM_ZOOM_FIRST + kZoomCount - 1, IDM_ZOOM_FIRST + i,
                               MF_BYCOMMAND);
    }
}

void CMyNoteWnd::SetZoom(int zoom) {
    notebar_->SetZoom(zoom);
    SendMessageW(ink_, RIM_SETZOOM, 0, zoom);
    ModeZoom() = static_cast<DWORD>(zoom);
    CheckZoomItem(zoom);
}

void CMyNoteWnd::OnNotebarButton(int button) {
    switch (button) {
    case kNoteZoom:
        ShowZoomMenu();
        break;
    case kNoteMode:
        SwitchMode();
        break;
    case kNoteMinimise:
        SendMessageW(GetParent(GetHwnd()), UWM_MINIMISE, 0, 0);
        break;
    case kNoteKeyboard:
        ToggleKeyboard();
        break;
    }
}

bool CMyNoteWnd::DrawingAllowed() const {
    return GetHwnd() && SendMessageW(GetParent(GetHwnd()), UWM_QUERY_DRAWING, 0, 0) != 0;
}

// Typing mode <-> drawing mode; typing mode whenever drawing is not allowed.
// Going to drawing mode takes the input panel down.
void CMyNoteWnd::SwitchMode() {
    if (DrawingAllowed()) {
        *settings_.penMode = TypingMode() ? 0 : 1;
        if (!TypingMode())
            SHSipPreference(GetHwnd(), SIP_FORCEDOWN);
    } else {
        *settings_.penMode = 1;
    }
    ApplyMode();
}

void CMyNoteWnd::ApplyMode() {
    SendMessageW(ink_, RIM_SETZOOM, 0, 0);
    SendMessageW(ink_, RIM_SETINKCOLOR, 1, 0);
    SendMessageW(ink_, RIM_SETPARAM, RI_PARAM_PAGEEXTRA, 0);
    SendMessageW(ink_, RIM_SETPAGESTYLE, TypingMode() ? RI_PAGE_LINED : RI_PAGE_BLANK, 0);
    SendMessageW(ink_, RIM_SETINPUTMODE, TypingMode() ? RI_INPUT_TYPING : RI_INPUT_DRAWING, 0);
    SendMessageW(ink_, RIM_RELAYOUT, 1, 0);
    SendMessageW(ink_, RIM_SETZOOM, 0, ModeZoom());
    Layout();
    TellFrameInputPanel(TypingMode() && GetFocus() == ink_);
    notebar_->SetZoom(static_cast<int>(ModeZoom()));
    notebar_->SetDrawingMode(!TypingMode());
}

void CMyNoteWnd::TellFrameInputPanel(bool up) {
    SendMessageW(GetParent(GetHwnd()), UWM_NOTE_INPUT_PANEL, up ? 1 : 0, 0);
}

void CMyNoteWnd::ToggleKeyboard() {
    keyboardShown_ = !keyboardShown_;
    if (keyboardShown_ && !TypingMode()) {
        *settings_.penMode = 1;
        SendMessageW(ink_, RIM_SETPAGESTYLE, RI_PAGE_LINED, 0);
        SendMessageW(ink_, RIM_SETINPUTMODE, RI_INPUT_TYPING, 0);
        InvalidateRect(ink_, nullptr, FALSE);
        notebar_->SetDrawingMode(false);
    }
    SetFocus(ink_);
    Layout();
    TellFrameInputPanel(keyboardShown_);
    SendMessageW(notebar_->GetHwnd(), WM_SETTINGCHANGE, keyboardShown_, 0);
}

// The input panel came up or went down: the screen ends where the panel
// begins, and the frame's bottom bar follows it.
void CMyNoteWnd::OnInputPanelChange() {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    const bool known = SHSipInfo(SPI_GETSIPINFO, 0, &info, 0) != FALSE;
    keyboardShown_ = known && (info.fdwFlags & SIPF_ON) != 0;
    if (known) {
        const RECT &visible = info.rcVisibleDesktop;
        const int dpi = Metrics().dpiY;
        const int top = ScaleY(38) + 1;
        const int bottom = visible.bottom - 2 * ScaleY(CMyNotebar::kHeightUnits) + (2 * (dpi + 24)) / 96;
        MoveWindow(GetHwnd(), visible.left, top, visible.right - visible.left, bottom - top, TRUE);
        Layout();
        TellFrameInputPanel(keyboardShown_);
        SendMessageW(notebar_->GetHwnd(), WM_SETTINGCHANGE, keyboardShown_, 0);
        SendMessageW(GetParent(GetHwnd()), UWM_MOVE_BOTTOM_BAR, visible.left, bottom);
        return;
    }
    notebar_->SetKeyboardShown(keyboardShown_);
}

HMENU CMyNoteWnd::MakeEditMenu() const {
    HMENU menu = CreatePopupMenu();
    AppendItem(menu, IDM_RECOGNIZE, IDS_EDIT_RECOGNIZE);
    AppendItem(menu, IDM_UNDO, IDS_EDIT_UNDO, IsModified() && SendMessageW(ink_, EM_CANUNDO, 0, 0) != 0);
    AppendItem(menu, IDM_REDO, IDS_EDIT_REDO, SendMessageW(ink_, RIM_CANREDO, 0, 0) != 0);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const bool canPaste = SendMessageW(ink_, EM_CANPASTE, 0, 0) != 0;
    if (SendMessageW(ink_, RIM_HASSELECTION, 0, 0) == 0) {
        AppendItem(menu, IDM_INSERT_DATE, IDS_EDIT_INSERT_DATE);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendItem(menu, IDM_PASTE, IDS_EDIT_PASTE, canPaste);
    } else {
        AppendItem(menu, IDM_CUT, IDS_EDIT_CUT);
        AppendItem(menu, IDM_COPY, IDS_EDIT_COPY);
        AppendItem(menu, IDM_PASTE, IDS_EDIT_PASTE, canPaste);
        AppendItem(menu, IDM_CLEAR, IDS_EDIT_CLEAR);
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendItem(menu, IDM_SELECT_ALL, IDS_EDIT_SELECT_ALL);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendItem(menu, IDM_CLEAR_ALL, IDS_EDIT_CLEAR_ALL);
    return menu;
}

void CMyNoteWnd::ShowEditMenu(POINT inkPoint) {
    HMENU menu = MakeEditMenu();
    ClientToScreen(ink_, &inkPoint);
    const UINT chosen = TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, inkPoint.x, inkPoint.y,
                                         GetHwnd(), nullptr);
    DestroyMenu(menu);
    if (chosen)
        OnCommand(chosen);
}

void CMyNoteWnd::ShowZoomMenu() {
    const int zoom = static_cast<int>(SendMessageW(ink_, RIM_GETZOOM, 0, 0));
    CheckZoomItem(zoom);
    const RECT button = notebar_->ZoomButtonRect();
    TrackPopupMenuEx(zoomMenu_, TPM_BOTTOMALIGN | TPM_LEFTALIGN, button.left - ScaleX(50), button.bottom, GetHwnd(),
                     nullptr);
}

void CMyNoteWnd::InsertDate() {
    wchar_t date[256] = L"";
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 256) > 0)
        SendMessageW(ink_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(date));
}

// The ink's focus decides the input panel: up for typing, down for drawing
// and when the ink loses the focus.
LRESULT CMyNoteWnd::InkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, void *self, WNDPROC next) {
    auto *note = static_cast<CMyNoteWnd *>(self);
    switch (msg) {
    case WM_SETFOCUS:
        if (note->TypingMode()) {
            SHSipPreference(hwnd, SIP_UP);
            MSG pending;
            while (PeekMessageW(&pending, hwnd, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
                ;
        } else {
            SHSipPreference(hwnd, SIP_FORCEDOWN);
        }
        break;
    case WM_KILLFOCUS:
        SHSipPreference(hwnd, SIP_FORCEDOWN);
        break;
    }
    return CallWindowProcW(next, hwnd, msg, wParam, lParam);
}

void CMyNoteWnd::OpenPicker() {
    wchar_t folder[MAX_PATH];
    ReadRegString(kSettingsKey, L"LastPath", folder, MAX_PATH, kDefaultLastPath);
    if (!picker_)
        picker_ = std::make_unique<COpenFileWnd>();
    if (picker_->Open(GetHwnd(), folder, &pickedPath_))
        Layout();
}

// The chosen file opens and goes to the front of the recent list (the frame
// moves it there and rebuilds its menu); its folder is where the picker
// opens next time.
void CMyNoteWnd::OnPickerChosen() {
    if (picker_)
        picker_->Show(SW_HIDE);
    if (pickedPath_.IsEmpty())
        return;
    if (!LoadNote(pickedPath_))
        return;
    RecentList recent(settings_.recent);
    int index = recent.Find(pickedPath_);
    if (index < 0) {
        recent.AddToFront(pickedPath_);
        index = 0;
    }
    const wchar_t *slash = wcsrchr(pickedPath_.Text(), L'\\');
    const std::wstring folder(pickedPath_.Text(), slash ? slash - pickedPath_.Text() : 0);
    WriteRegString(kSettingsKey, L"LastPath", folder.c_str());
    PostMessageW(GetParent(GetHwnd()), UWM_OPEN_RECENT, index, 0);
}
