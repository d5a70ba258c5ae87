// CalendarWnd: the month calendar screen. It holds the calendar control
// over its whole client area and tells the main window how many days the
// selected date lies from today, for the bottom bar's "Go Today" text.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/NormalWnd.h"

class JCalendarCtrl;

class CalendarWnd : public CNormalWnd {
public:
    enum : UINT { kCalendarCtrlId = 34770 };

    // feedbackVibro: the frame's "Feedback Vibro" option (not owned; null:
    // no pulse).
    explicit CalendarWnd(const DWORD *feedbackVibro = nullptr);
    ~CalendarWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The control takes the whole client area.
    void Layout() override;

    JCalendarCtrl *Calendar() const { return calendar_.get(); }
    // Days from today to the date last selected.
    int Difference() const { return difference_; }

private:
    void Paint(HDC dc, const RECT &client) override;
    void OnCreate();
    void OnDaySelected(long dayNumber);

    std::unique_ptr<JCalendarCtrl> calendar_; // owned
    const DWORD *feedbackVibro_;              // not owned
    int difference_;
};
