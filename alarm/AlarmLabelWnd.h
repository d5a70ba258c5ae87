// CAlarmLabelWnd: edits an alarm's label in place on its one row. An empty
// label shows the caption "Label" in light grey. The label may not hold
// "/", the separator of the stored record: the key does nothing and a
// pasted "/" becomes "-". OK stores the text as the record's label, Cancel
// drops it; either way the picker hides, re-enables its parent and lets the
// input panel go down.
#pragma once
#include <windows.h>

#include "alarm/AlarmPage.h"
#include "alarm/AlarmTemp.h"

class CAlarmLabelWnd : public CAlarmPage {
public:
    enum { kLabelRow = 0 };

    CAlarmLabelWnd();

    // Shows the picker over the parent on the record's label (the record is
    // not owned and must outlive the picker). False when the window cannot
    // be made.
    bool Open(HWND parent, AlarmTemp *record);
    // The text being edited.
    const Str &Text() const { return text_; }
    // The shell's input-panel control, or null where the platform has none.
    HWND InputPanelWindow() const { return sipPref_; }

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    void GetEditText(int row, Str *text, RECT *editRect) override;
    void SetEditText(int row, const Str &text) override;
    void OnRightButton() override;
    void OnLeftButton() override;

private:
    AlarmTemp *record_; // not owned
    Str text_;
    HWND sipPref_; // child of the row window, destroyed with it
    bool editorFiltered_;
};
