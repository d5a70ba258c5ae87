#include "notes/OpenFileWnd.h"

#include "resource.h"
#include "ui/Messages.h"

namespace {

FileFilter NoteFileFilter() {
    FileFilter filter;
    filter.description.LoadResourceString(IDS_NOTE_FILES);
    filter.extensions.push_back(Str(L"pwi"));
    return filter;
}

} // namespace

COpenFileWnd::COpenFileWnd() : files_(NoteFileFilter()), selected_(-1), result_(nullptr) {}

bool COpenFileWnd::Open(HWND parent, const wchar_t *folder, Str *result) {
    result_ = result;
    if (!ShowOver(parent, L"OpenFileWnd", IDS_OPEN_FILE))
        return false;
    ShowFolder(Str(folder));
    return true;
}

// A folder too long to list leaves the one shown before.
void COpenFileWnd::ShowFolder(const Str &folder) {
    WaitCursor wait;
    if (files_.List(folder))
        folder_ = folder;
    else
        files_.List(folder_);
    selected_ = -1;
    SetRows(static_cast<int>(Names().size()) + 1);
}

void COpenFileWnd::OnFolderPicked() {
    if (browser_)
        ShowFolder(browser_->Folder());
}

void COpenFileWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    if (row < 0 || row > static_cast<int>(Names().size()))
        return;
    int state = pressed ? kRowPressed : kRowNormal;
    if (row == 0) {
        DrawRow(dc, rect, state, kFolderIcon, FolderText(folder_), true);
        return;
    }
    if (row - 1 == selected_ && !pressed)
        state = kRowChosen;
    DrawRow(dc, rect, state, kFileIcon, Names()[row - 1], false);
}

void COpenFileWnd::OnItemClick(CListWnd *list, int row, POINT, int) {
    if (row == 0) {
        if (!browser_)
            browser_.reset(new CBrowserFolderWnd);
        browser_->Open(GetHwnd(), folder_);
        return;
    }
    if (row < 1 || row > static_cast<int>(Names().size()))
        return;
    selected_ = row - 1;
    if (list)
        list->Repaint();
}

void COpenFileWnd::OnRightButton() {
    Str path;
    if (!files_.PathOf(selected_, &path)) {
        if (result_)
            *result_ = Str();
        Str text, caption;
        text.LoadResourceString(IDS_SELECT_NOTE_FILE);
        caption.LoadResourceString(IDS_PICKER_CAPTION);
        MessageBoxW(GetHwnd(), text, caption, MB_OK);
        return;
    }
    if (result_)
        *result_ = path;
    Hide();
    CPickerList::OnRightButton();
    if (ParentWindow())
        PostMessageW(ParentWindow(), UWM_OPEN_RECENT, 0, 0);
}

void COpenFileWnd::OnLeftButton() {
    Hide();
    CPickerList::OnLeftButton();
    if (ParentWindow())
        PostMessageW(ParentWindow(), UWM_CLOSE_PICKER, 0, 0);
}

LRESULT COpenFileWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == UWM_FOLDER_PICKED) {
        OnFolderPicked();
        return 0;
    }
    return CPickerList::WindowProc(hwnd, msg, wParam, lParam);
}
