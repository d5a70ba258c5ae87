#include "calendar/CalendarWnd.h"

#include "BaseLib/Clock.h"
#include "calendar/CalendarCtrl.h"
#include "calendar/CalendarMessages.h"
#include "calendar/MonthGrid.h"
#include "ui/Gdi.h"
#include "ui/Messages.h"

CalendarWnd::CalendarWnd(const DWORD *feedbackVibro) : feedbackVibro_(feedbackVibro), difference_(0) {}

CalendarWnd::~CalendarWnd() {
    // The control's window goes before this one's.
    calendar_.reset();
}

LRESULT CalendarWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case UWM_CAL_SELECTED:
        OnDaySelected(static_cast<long>(static_cast<LONG>(wParam)));
        return 0;
    case UWM_CAL_TODAY:
        if (calendar_)
            SendMessageW(calendar_->GetHwnd(), UWM_CAL_TODAY, 0, 0);
        return 0;
    case UWM_CAL_REFRESH:
        if (calendar_)
            PostMessageW(calendar_->GetHwnd(), UWM_CAL_SELECT, 0, calendar_->Body().Grid().SelectedDayNumber());
        return 0;
    case WM_SIZE:
        Layout(); // the base then redraws the background
        break;
    }
    return CNormalWnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CalendarWnd::OnCreate() {
    RECT client;
    GetClientRect(hwnd_, &client);
    calendar_.reset(new JCalendarCtrl(feedbackVibro_));
    calendar_->CreateCalendar(hwnd_, client, kCalendarCtrlId);
}

void CalendarWnd::Layout() {
    if (!calendar_ || !calendar_->GetHwnd())
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    calendar_->Move(0, 0, client.right, client.bottom, true);
    PostMessageW(calendar_->GetHwnd(), UWM_CAL_FIT, 0, 0);
}

// Whole dates are compared, against today's date at the moment of the
// selection, so the count stays right across month ends and midnight.
void CalendarWnd::OnDaySelected(long dayNumber) {
    SYSTEMTIME now;
    Clock::LocalTime(&now);
    difference_ = static_cast<int>(dayNumber - calendar::DayNumber(now.wYear, now.wMonth, now.wDay));
    SendMessageW(GetParent(hwnd_), UWM_GO_TODAY_TEXT, static_cast<WPARAM>(difference_), 0);
}

void CalendarWnd::Paint(HDC dc, const RECT &client) { FillSolid(dc, client, kScreenColor); }
