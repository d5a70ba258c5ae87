#include "ui/BrowserFolderWnd.h"

#include "resource.h"

bool CBrowserFolderWnd::Open(HWND parent, const wchar_t *folder) {
    if (!ShowOver(parent, L"BrowserFolderWnd", IDS_SELECT_FOLDER))
        return false;
    WaitCursor wait;
    if (!folders_.SetFolder(folder))
        folders_.SetFolder(Str());
    ShowFolder();
    return true;
}

void CBrowserFolderWnd::ShowFolder() { SetRows(static_cast<int>(Names().size()) + 1); }

void CBrowserFolderWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    if (row < 0 || row > static_cast<int>(Names().size()))
        return;
    const Str text = row == 0 ? FolderText(Folder()) : Names()[row - 1];
    DrawRow(dc, rect, pressed ? kRowPressed : kRowNormal, kFolderIcon, text, row > 0);
}

void CBrowserFolderWnd::OnItemClick(CListWnd *, int row, POINT, int) {
    if (row < 1)
        return;
    WaitCursor wait;
    if (folders_.Open(row - 1))
        ShowFolder();
}

void CBrowserFolderWnd::OnRightButton() {
    if (ParentWindow())
        SendMessageW(ParentWindow(), UWM_FOLDER_PICKED, 0, 0);
    Hide();
    CPickerList::OnRightButton();
}

void CBrowserFolderWnd::OnLeftButton() {
    Hide();
    CPickerList::OnLeftButton();
}
