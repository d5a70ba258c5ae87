// CPickerList: what the file and folder pickers share. Each is a list screen
// laid over its parent with a title bar (Cancel left, OK right), rows of an
// icon and a bold text, and it hides itself and re-enables its parent when it is done.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"
#include "BaseLib/WaitCursor.h"
#include "ui/Messages.h"
#include "ui/SelectList.h"

class CPickerList : public CSelectList {
public:
    static const COLORREF kRowTextColor; // RGB(77, 77, 77)

    CPickerList();
    ~CPickerList() override;

    // Maps the title bar's OK and Cancel to OnRightButton and OnLeftButton.
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    // Row backgrounds: 0 normal, 1 pressed, 2 the chosen row.
    enum RowState { kRowNormal = 0, kRowPressed = 1, kRowChosen = 2, kRowStates = 3 };
    enum RowIcon { kNoIcon = -1, kFolderIcon = 0, kFileIcon = 1 };

    // Makes the picker over the parent's client area on first use (title
    // from the string table), or lays it over the parent again, and shows
    // it on top. False when the window cannot be made.
    bool ShowOver(HWND parent, const wchar_t *caption, UINT titleId);
    // Hides the picker; the parent is re-enabled by the caller through the
    // base class's OnRightButton or OnLeftButton.
    void Hide();
    // Hands the row window count rows (editable rows ended by -1, or null).
    void SetRows(int count, const int *editableRows = nullptr);
    // One row: the state background, an icon at the left (none for
    // kNoIcon), the text, and for rows that open a folder the folder sign at
    // the right end.
    void DrawRow(HDC dc, const RECT &rect, int state, RowIcon icon, const wchar_t *text, bool opensFolder);
    // Tells the program's foreground window whether the input panel is
    // wanted (1) or not (0).
    static void TellInputPanel(WPARAM wanted);
    // A folder as a row shows it: "\" for the root.
    static Str FolderText(const Str &folder);

private:
    IconStrip rowIcons_[2]; // the folder and the file icon
};
