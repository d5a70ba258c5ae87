// CRepeatSetWnd: the days an alarm repeats on. Seven rows, Monday to
// Sunday, captioned with the locale's day names, each ticked when its day
// is in the set; a tap toggles it. OK writes the set to the caller's byte,
// Cancel leaves it; either way the picker hides and re-enables its parent.
#pragma once
#include <windows.h>

#include "alarm/AlarmPage.h"

class CRepeatSetWnd : public CAlarmPage {
public:
    static constexpr int kRowCount = 7;

    CRepeatSetWnd();

    // Shows the picker over the parent on the set in *repeatDays (not owned;
    // it must outlive the picker). False when the window cannot be made.
    bool Open(HWND parent, BYTE *repeatDays);
    // The weekday bit of a row: Monday 2 .. Saturday 64, Sunday 1.
    static BYTE DayBit(int row);
    bool RowOn(int row) const { return (days_ & DayBit(row)) != 0; }

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    void OnRightButton() override;
    void OnLeftButton() override;

private:
    BYTE *repeatDays_; // not owned: the caller's
    BYTE days_;        // the set being edited
};
