// JCalendarCtrl: the month calendar. A header with the month's name, the
// previous and next buttons and the weekday names, the grid of days and the
// "Today" strip. Each selection is posted to the parent as a day number.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"
#include "calendar/BottomToday.h"
#include "calendar/CalendarBody.h"
#include "ui/Gdi.h"
#include "ui/Wnd.h"

class JCalendarCtrl : public Wnd, public JBottomToday {
public:
    // feedbackVibro: the "Feedback Vibro" option, read at each selection
    // (not owned; null: no pulse).
    explicit JCalendarCtrl(const DWORD *feedbackVibro = nullptr);
    ~JCalendarCtrl() override;

    // Takes today from the clock and the week's order and day names from
    // the user locale, then makes the window over `rect` of the parent.
    HWND CreateCalendar(HWND parent, const RECT &rect, UINT childId);
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    long Today() const { return today_; }
    long ShownDate() const { return shown_; }
    long SelectedDate() const { return selected_; }
    const Str &Title() const { return title_; }
    const Str &DayName(int column) const { return dayNames_[column]; }
    int HeaderHeight() const { return headerHeight_; }
    const JCalendarBody &Body() const { return body_; }
    bool Sliding() const { return slideStep_ >= 0; }
    // The header buttons' rectangles in client coordinates.
    RECT PreviousButtonRect() const;
    RECT NextButtonRect() const;
    RECT StripRect() const;

    // Animation steps of a month change, one per timer tick.
    static const int kSlideSteps = 6;

private:
    void Paint(HDC dc, const RECT &client) override;
    void PaintHeader(HDC dc, const RECT &client) const;
    void LoadLocaleWeek();
    void Layout();
    void OnHeaderButton(WPARAM buttonId);
    void OnTap(int x, int y);
    void OnSelect(long dayNumber);
    void ChangeMonth(int step);
    void AfterMonthChange();
    void GoToday();
    void FitHeight();
    void StartSlide();
    void OnSlideTick();
    void SnapshotGrid();
    void RefreshTitle();

    const DWORD *feedbackVibro_; // not owned
    long today_, shown_, selected_;
    Str title_;
    Str dayNames_[7];
    int headerHeight_;
    JCalendarBody body_;
    DWORD lastPress_[2];
    bool pressedBefore_[2];
    Bitmap oldGrid_; // the month that slides out
    int slideStep_;  // -1: no slide
    Bitmap headerPicture_, previousPicture_, nextPicture_;
    Font titleFont_, namesFont_, stripFont_;
};
