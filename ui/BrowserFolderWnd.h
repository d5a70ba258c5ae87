// CBrowserFolderWnd: walks the folder tree to pick a folder. Row 0 shows the
// folder, the rows below its subfolders (".." first to go up). OK sends
// UWM_FOLDER_PICKED to the parent, which then reads Folder(); Cancel only
// hides the browser. Either way the parent is re-enabled.
#pragma once
#include <windows.h>

#include "ui/FolderListing.h"
#include "ui/PickerList.h"

class CBrowserFolderWnd : public CPickerList {
public:
    // Shows the browser over the parent at a folder (empty or "\" for the
    // root; a path too long to list gives the root). False when the window
    // cannot be made.
    bool Open(HWND parent, const wchar_t *folder);
    // The folder shown; empty for the root.
    const Str &Folder() const { return folders_.Folder(); }
    const std::vector<Str> &Names() const { return folders_.Names(); }

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    // Row 1 and below: go up or down into that folder. Row 0 does nothing.
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    void OnRightButton() override;
    void OnLeftButton() override;

private:
    // Rows for the folder now listed, scrolled to the top.
    void ShowFolder();

    FolderList folders_;
};
