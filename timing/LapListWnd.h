// CLapListWnd: the stopwatch's laps under its display, newest on top, at
// least four rows (empty ones below the laps).
#pragma once
#include <windows.h>

#include "timing/LapArray.h"
#include "ui/SelectList.h"

class CLapListWnd : public CSelectList {
public:
    static constexpr int kRowUnits = 29;
    static constexpr int kLeastRows = 4;

    CLapListWnd();
    ~CLapListWnd() override;

    bool CreateList(HWND parent, const RECT &rect);

    // A lap on top of the others; the list shows it at once.
    void AddLap(const TimeBreakdown &lap);
    // No laps: four empty rows.
    void ClearLaps();
    const LapArray &Laps() const { return laps_; }

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *, int, POINT, int) override {} // laps are only shown
    int GetRowHeight() override;

private:
    void ShowRows();

    LapArray laps_;
};
