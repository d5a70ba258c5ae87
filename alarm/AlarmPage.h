// CAlarmPage: what the alarm editor and its repeat and label pickers share.
// Each is a list screen laid over its parent with a title bar (Back or
// Cancel at the left, Save or OK at the right) and rows drawn with the
// list icons; it hides itself and re-enables its parent when it is done.
#pragma once
#include <windows.h>

#include "ui/SelectList.h"

class CAlarmPage : public CSelectList {
public:
    CAlarmPage();

    // Maps the title bar's left command and this page's right command to
    // OnLeftButton and OnRightButton.
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    enum RowState { kRowNormal = 0, kRowPressed = 1, kRowStates = 2 };

    // Makes the page over the parent's client area on first use, or lays it
    // over the parent again; sets the title (string table) and the buttons,
    // the right one posting rightCommand; shows it on top. False when the
    // window cannot be made.
    bool ShowOver(HWND parent, const wchar_t *caption, UINT titleId, UINT rightCommand);
    // Ends an edit in place and hides the page; the parent is re-enabled by
    // the caller through OnRightButton or OnLeftButton of the base class.
    void Hide();
    // Hands the row window count rows (editable rows ended by -1, or null).
    void SetRows(int count, const int *editableRows = nullptr);
    // Tells the program's foreground window whether the input panel is
    // wanted (1) or not (0).
    static void TellInputPanel(WPARAM wanted);

private:
    UINT rightCommand_;
};
