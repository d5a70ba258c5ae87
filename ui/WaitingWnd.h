// CMyWaitingWnd: the small "Initializing..." box shown in the middle of the
// main window while the key balloons are built, with two progress bars: the
// first for the balloons of the calculator, the second for those of the
// converter's pad.
#pragma once
#include <windows.h>

#include "ui/Gdi.h"
#include "ui/Wnd.h"

class CMyWaitingWnd : public Wnd {
public:
    static constexpr UINT kChildId = 5535;
    // Steps of the two bars: the first fills over 0..6, the second over 6..9.
    static constexpr int kFirstSteps = 6;
    static constexpr int kLastStep = 9;

    CMyWaitingWnd();

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the box, centred in the main window's client area, on top of its
    // siblings, and shows it.
    HWND CreateCentred(HWND mainWindow);

    // The step value of bar 0 or 1.
    int Progress(int bar) const { return progress_[bar ? 1 : 0]; }
    // The box's size in pixels.
    static SIZE BoxSize();
    // Where bar 0 or 1 lies in the box's client area.
    static RECT BarRect(int bar);

private:
    void OnProgress(int bar, int step);
    void Paint(HDC dc, const RECT &client) override;

    Font font_;
    int progress_[2];
};
