// CSelectNoteDirWnd: edits the default note name and the note folder. Row 0
// shows the default name and edits it in place; row 1 shows the folder and
// opens the folder browser there. OK writes the folder into the caller's
// buffer and posts UWM_NOTE_DIR_PICKED to the parent. While it is up it asks
// the program's foreground window for the input panel (UWM_INPUT_PANEL).
#pragma once
#include <windows.h>

#include <memory>

#include "ui/BrowserFolderWnd.h"
#include "ui/PickerList.h"

class CSelectNoteDirWnd : public CPickerList {
public:
    static constexpr int kMaxNameChars = 49;
    static constexpr int kNameEditUnits = 90; // the editor leaves the row's label free

    CSelectNoteDirWnd();

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Shows the picker over the parent for the caller's buffers (not owned;
    // they must outlive the picker), each with its size in characters. The
    // name is edited in place, at most kMaxNameChars characters; the folder
    // is written on OK. False when the window cannot be made or a buffer is
    // missing.
    bool Open(HWND parent, wchar_t *defaultName, int nameSize, wchar_t *noteDir, int dirSize);
    // The folder being edited; empty for the root.
    const Str &EditedFolder() const { return folder_; }
    CBrowserFolderWnd *Browser() const { return browser_.get(); }
    // The shell's input-panel control, or null where the platform has none.
    HWND InputPanelWindow() const { return sipPref_; }

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    void GetEditText(int row, Str *text, RECT *editRect) override;
    void SetEditText(int row, const Str &text) override;
    void OnRightButton() override;
    void OnLeftButton() override;

private:
    enum Row { kNameRow = 0, kFolderRow = 1, kRowCount = 2 };

    wchar_t *name_; // not owned: the caller's
    int nameSize_;
    wchar_t *noteDir_; // not owned: the caller's
    int dirSize_;
    Str folder_;
    std::unique_ptr<CBrowserFolderWnd> browser_;
    HWND sipPref_; // child of the row window, destroyed with it
};
