// COpenFileWnd: picks a note file to open. Row 0 shows the folder (a tap
// opens the folder browser there), the rows below the folder's note files
// (a tap chooses one). OK writes the chosen file's path into the caller's
// result and posts UWM_OPEN_RECENT to the parent; without a chosen file it
// says so and stays open. Cancel posts UWM_CLOSE_PICKER.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/BrowserFolderWnd.h"
#include "ui/FolderListing.h"
#include "ui/PickerList.h"

class COpenFileWnd : public CPickerList {
public:
    COpenFileWnd();

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Shows the picker over the parent at a folder (empty for the root). The
    // chosen path goes to result, which must outlive the picker (not owned).
    // False when the window cannot be made.
    bool Open(HWND parent, const wchar_t *folder, Str *result);
    const Str &Folder() const { return folder_; }
    const std::vector<Str> &Names() const { return files_.Names(); }
    // The chosen file (index into Names()), -1 for none.
    int Selected() const { return selected_; }
    CBrowserFolderWnd *Browser() const { return browser_.get(); }

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    void OnRightButton() override;
    void OnLeftButton() override;

private:
    // Lists the folder (or keeps an unchanged listing), makes it the one
    // shown and clears the choice.
    void ShowFolder(const Str &folder);
    void OnFolderPicked();

    Str folder_;
    FileList files_;
    int selected_;
    Str *result_; // not owned: the caller's
    std::unique_ptr<CBrowserFolderWnd> browser_;
};
