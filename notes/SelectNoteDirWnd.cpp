#include "notes/SelectNoteDirWnd.h"

#include <algorithm>

#include "resource.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

CSelectNoteDirWnd::CSelectNoteDirWnd()
    : name_(nullptr), nameSize_(0), noteDir_(nullptr), dirSize_(0), sipPref_(nullptr) {}

bool CSelectNoteDirWnd::Open(HWND parent, wchar_t *defaultName, int nameSize, wchar_t *noteDir, int dirSize) {
    if (!defaultName || nameSize <= 0 || !noteDir || dirSize <= 0)
        return false;
    name_ = defaultName;
    nameSize_ = nameSize;
    noteDir_ = noteDir;
    dirSize_ = dirSize;
    folder_ = noteDir;
    if (!ShowOver(parent, L"SelectNoteDirWnd", IDS_SELECT_NOTE_DIR))
        return false;
    // The platform's control that raises the input panel while a text field
    // of its parent is edited; the desktop has no such class, and the row
    // window raises the panel itself anyway.
    if (!sipPref_ && List())
        sipPref_ = CreateWindowExW(0, L"SIPPREF", L"", WS_CHILD, -10, -10, 5, 5, List()->GetHwnd(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    const int editable[] = {kNameRow, -1};
    SetRows(kRowCount, editable);
    TellInputPanel(1);
    return true;
}

void CSelectNoteDirWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    const int state = pressed ? kRowPressed : kRowNormal;
    if (row == kNameRow) {
        Str text;
        text.LoadResourceString(IDS_DEFAULT_NAME);
        text.Append(L"  ");
        text.Append(name_);
        DrawRow(dc, rect, state, kFileIcon, text, false);
    } else if (row == kFolderRow) {
        DrawRow(dc, rect, state, kFolderIcon, FolderText(folder_), true);
    }
}

void CSelectNoteDirWnd::OnItemClick(CListWnd *, int row, POINT, int) {
    if (row != kFolderRow)
        return;
    if (!browser_)
        browser_.reset(new CBrowserFolderWnd);
    browser_->Open(GetHwnd(), folder_);
}

void CSelectNoteDirWnd::GetEditText(int row, Str *text, RECT *editRect) {
    if (row != kNameRow)
        return;
    *text = name_;
    editRect->left = std::min<LONG>(editRect->left + ScaleX(kNameEditUnits), editRect->right);
    if (List() && List()->Editor())
        SendMessageW(List()->Editor(), EM_LIMITTEXT, std::min(kMaxNameChars, nameSize_ - 1), 0);
}

void CSelectNoteDirWnd::SetEditText(int row, const Str &text) {
    if (row == kNameRow && name_)
        lstrcpynW(name_, text, std::min(kMaxNameChars + 1, nameSize_));
}

// A folder that does not fit the caller's buffer is not written: a cut path
// would name another folder.
void CSelectNoteDirWnd::OnRightButton() {
    if (noteDir_ && folder_.Length() < dirSize_)
        lstrcpynW(noteDir_, folder_, dirSize_);
    Hide();
    CPickerList::OnRightButton();
    if (ParentWindow())
        PostMessageW(ParentWindow(), UWM_NOTE_DIR_PICKED, 0, 0);
    TellInputPanel(0);
}

void CSelectNoteDirWnd::OnLeftButton() {
    Hide();
    CPickerList::OnLeftButton();
    TellInputPanel(0);
}

LRESULT CSelectNoteDirWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_FOLDER_PICKED:
        if (browser_)
            folder_ = browser_->Folder();
        if (List())
            List()->Repaint();
        return 0;
    case WM_ENABLE:
        // Back from the folder browser: the name may be edited again.
        if (wParam)
            TellInputPanel(1);
        break;
    }
    return CPickerList::WindowProc(hwnd, msg, wParam, lParam);
}
