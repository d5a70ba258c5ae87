// CRingVolumeWnd: picks a ring volume code and whether the ring vibrates.
// Rows 0..6 are the volume codes in picker order ("None", "Use System",
// "20%" .. "100%"), a tap choosing one at once; row 7, "Vibro", switches
// vibration on and off. OK hides the picker and re-enables its owner, which
// reads Code() and Vibrate(); Cancel puts back what it opened with.
#pragma once
#include <windows.h>

#include "ui/PickerList.h"

class CRingVolumeWnd : public CPickerList {
public:
    static constexpr int kVibrateRow = 7;
    static constexpr int kRowCount = 8;

    CRingVolumeWnd();

    // Shows the picker over the owner on a volume code (one outside the
    // table shows as "Use System") and a vibrate flag (non-zero: on). False
    // when the window cannot be made.
    bool Open(HWND owner, int code, int vibrate);
    // The code of the row chosen.
    int Code() const;
    int Vibrate() const { return vibrate_; }
    int SelectedRow() const { return row_; }

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    void OnRightButton() override;
    void OnLeftButton() override;

private:
    int row_;
    int vibrate_;
    int openedRow_, openedVibrate_; // what Cancel puts back
};
