#include "calendar/CalendarCtrl.h"

#include "BaseLib/Clock.h"
#include "BaseLib/FeedbackPulse.h"
#include "calendar/CalendarMessages.h"
#include "resource.h"
#include "ui/Drawing.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

const UINT_PTR kSlideTimer = 1;
// A press of a header button within this time of the last accepted press of
// the same button is a bounce of the stylus, not a second step.
const DWORD kButtonLockMs = 201;
const COLORREF kTitleColor = RGB(255, 255, 255);
const COLORREF kNamesColor = RGB(48, 48, 48);

int Width(const RECT &r) { return r.right - r.left; }
int Height(const RECT &r) { return r.bottom - r.top; }

SYSTEMTIME SystemTimeOf(long dayNumber) {
    int year = 0, month = 0, day = 0;
    calendar::DateOfDayNumber(dayNumber, &year, &month, &day);
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    return time;
}

} // namespace

JCalendarCtrl::JCalendarCtrl(const DWORD *feedbackVibro)
    : feedbackVibro_(feedbackVibro), today_(0), shown_(0), selected_(0), headerHeight_(0), lastPress_(),
      pressedBefore_(), slideStep_(-1) {}

JCalendarCtrl::~JCalendarCtrl() {
    if (hwnd_)
        KillTimer(hwnd_, kSlideTimer);
}

HWND JCalendarCtrl::CreateCalendar(HWND parent, const RECT &rect, UINT childId) {
    LoadLocaleWeek();
    SYSTEMTIME now;
    Clock::LocalTime(&now);
    today_ = calendar::DayNumber(now.wYear, now.wMonth, now.wDay);
    selected_ = today_;
    SetTodayText(now);
    body_.Grid().SetDate(now.wYear, now.wMonth - 1, now.wDay - 1);
    RefreshTitle();
    body_.LoadPictures();
    headerPicture_.Reset(LoadProgramBitmap(PickBitmap(IDB_CAL_HEADER, IDB_CAL_HEADER_HI)));
    previousPicture_.Reset(LoadProgramBitmap(PickBitmap(IDB_CAL_PREVIOUS, IDB_CAL_PREVIOUS_HI)));
    nextPicture_.Reset(LoadProgramBitmap(PickBitmap(IDB_CAL_NEXT, IDB_CAL_NEXT_HI)));
    titleFont_.Reset(ui::CreatePointFont(L"Tahoma", 10, FW_BOLD));
    namesFont_.Reset(ui::CreatePointFont(L"Tahoma", 7, FW_NORMAL));
    stripFont_.Reset(ui::CreatePointFont(L"Tahoma", 9, FW_BOLD));
    headerHeight_ = ScaleY(26 + 15);
    HWND window = Create(L"JCalWnd", WS_CHILD | WS_VISIBLE, rect, parent, childId, true);
    if (!window)
        return nullptr;
    Layout();
    Redraw();
    return window;
}

LRESULT JCalendarCtrl::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_TITLE_COMMAND:
        OnHeaderButton(wParam);
        return 0;
    case UWM_CAL_SELECT:
        OnSelect(static_cast<long>(static_cast<LONG>(lParam)));
        return 0;
    case UWM_CAL_SLIDE:
        StartSlide();
        return 0;
    case WM_TIMER:
        if (wParam == kSlideTimer)
            OnSlideTick();
        return 0;
    case UWM_CAL_FIT:
        FitHeight();
        return 0;
    case UWM_CAL_TODAY:
        GoToday();
        return 0;
    case WM_LBUTTONDOWN:
        OnTap(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_SIZE:
        Layout(); // the base then redraws at the new size
        break;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

// Weeks start on Sunday when the locale says so or cannot be read, else on
// Monday; the names come Monday to Sunday and are reordered to match.
void JCalendarCtrl::LoadLocaleWeek() {
    wchar_t value[8] = L"";
    const bool read = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, value, ARRAYSIZE(value)) != 0;
    const bool mondayFirst = read && value[0] != L'6';
    body_.Grid().SetMondayFirst(mondayFirst);
    for (int column = 0; column < 7; ++column) {
        const int mondayBased = mondayFirst ? column : (column + 6) % 7;
        wchar_t name[32] = L"";
        if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SABBREVDAYNAME1 + mondayBased, name, ARRAYSIZE(name)))
            name[0] = 0;
        dayNames_[column] = name;
    }
}

// The grid gets the width, and the height the parent leaves below the
// header and above the strip; the parent's shape decides the orientation.
void JCalendarCtrl::Layout() {
    if (!hwnd_)
        return;
    RECT client, parent;
    GetClientRect(hwnd_, &client);
    HWND parentWindow = GetParent(hwnd_);
    if (!parentWindow || !GetClientRect(parentWindow, &parent))
        parent = client;
    const bool landscape = Width(parent) >= Height(parent);
    body_.Grid().Layout(Width(client), Height(parent) - headerHeight_ - StripHeight(), landscape);
}

RECT JCalendarCtrl::PreviousButtonRect() const {
    const int size = ScaleY(24);
    const int top = (ScaleY(26) - size) / 2;
    return RECT{ScaleX(4), top, ScaleX(4) + size, top + size};
}

RECT JCalendarCtrl::NextButtonRect() const {
    RECT client = {};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    const int size = ScaleY(24);
    const int top = (ScaleY(26) - size) / 2;
    return RECT{client.right - ScaleX(4) - size, top, client.right - ScaleX(4), top + size};
}

// The strip follows the grid directly.
RECT JCalendarCtrl::StripRect() const {
    RECT client = {};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    const int top = headerHeight_ + body_.Grid().GridHeight();
    return RECT{0, top, client.right, top + StripHeight()};
}

void JCalendarCtrl::OnHeaderButton(WPARAM buttonId) {
    if (buttonId != kCalPreviousButton && buttonId != kCalNextButton)
        return;
    const int index = buttonId == kCalNextButton ? 1 : 0;
    const DWORD now = Clock::TickCount();
    if (pressedBefore_[index] && now - lastPress_[index] < kButtonLockMs)
        return;
    pressedBefore_[index] = true;
    lastPress_[index] = now;
    ChangeMonth(index == 1 ? 1 : -1);
}

void JCalendarCtrl::OnTap(int x, int y) {
    const RECT strip = StripRect();
    const POINT point = {x, y};
    if (StripShown() && PtInRect(&strip, point)) {
        FeedbackPulse();
        PostMessageW(hwnd_, UWM_CAL_TODAY, 0, 0);
        return;
    }
    if (y < headerHeight_) {
        const RECT previous = PreviousButtonRect(), next = NextButtonRect();
        if (PtInRect(&previous, point))
            PostMessageW(hwnd_, UWM_TITLE_COMMAND, kCalPreviousButton, 0);
        else if (PtInRect(&next, point))
            PostMessageW(hwnd_, UWM_TITLE_COMMAND, kCalNextButton, 0);
        return;
    }
    SnapshotGrid();
    switch (body_.Grid().Tap(x, y - headerHeight_)) {
    case calendar::kTapMonthChanged:
        AfterMonthChange();
        break;
    case calendar::kTapDay:
        oldGrid_.Reset();
        PostMessageW(hwnd_, UWM_CAL_SELECT, 0, body_.Grid().SelectedDayNumber());
        break;
    case calendar::kTapNothing:
        oldGrid_.Reset();
        break;
    }
}

void JCalendarCtrl::ChangeMonth(int step) {
    SnapshotGrid();
    const bool moved = step < 0 ? body_.Grid().PreviousMonth() : body_.Grid().NextMonth();
    if (!moved) {
        oldGrid_.Reset();
        return;
    }
    AfterMonthChange();
}

void JCalendarCtrl::AfterMonthChange() {
    RefreshTitle();
    PostMessageW(hwnd_, UWM_CAL_SLIDE, 0, 0);
    PostMessageW(hwnd_, UWM_CAL_SELECT, 0, body_.Grid().SelectedDayNumber());
}

void JCalendarCtrl::OnSelect(long dayNumber) {
    if (feedbackVibro_ && *feedbackVibro_)
        FeedbackPulse();
    int year = 0, month = 0, day = 0;
    calendar::DateOfDayNumber(dayNumber, &year, &month, &day);
    if (year < calendar::kFirstYear || year > calendar::kLastYear)
        return;
    selected_ = dayNumber;
    body_.Grid().SetDate(year, month - 1, day - 1);
    RefreshTitle();
    PostMessageW(hwnd_, UWM_CAL_FIT, 0, 0);
    Redraw();
    PostMessageW(GetParent(hwnd_), UWM_CAL_SELECTED, static_cast<WPARAM>(dayNumber), 0);
}

void JCalendarCtrl::GoToday() {
    SYSTEMTIME now;
    Clock::LocalTime(&now);
    today_ = calendar::DayNumber(now.wYear, now.wMonth, now.wDay);
    SetTodayText(now);
    body_.Grid().SetDate(now.wYear, now.wMonth - 1, now.wDay - 1);
    RefreshTitle();
    PostMessageW(hwnd_, UWM_CAL_SELECT, 0, today_);
    Redraw();
}

// Header, grid and strip, never taller than the parent; what the control
// leaves uncovered the parent fills with the screen colour.
void JCalendarCtrl::FitHeight() {
    RECT client, parent;
    GetClientRect(hwnd_, &client);
    if (!GetClientRect(GetParent(hwnd_), &parent))
        return;
    int height = headerHeight_ + body_.Grid().GridHeight() + StripHeight();
    if (height > Height(parent))
        height = Height(parent);
    if (height != Height(client))
        SetWindowPos(hwnd_, nullptr, 0, 0, Width(client), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Timer 1 with period 0 ticks as fast as the system allows; each tick moves
// the grids one step.
void JCalendarCtrl::StartSlide() {
    if (!body_.Grid().Slide())
        return;
    slideStep_ = 0;
    SetTimer(hwnd_, kSlideTimer, 0, nullptr);
    Redraw();
}

void JCalendarCtrl::OnSlideTick() {
    if (slideStep_ < 0) {
        KillTimer(hwnd_, kSlideTimer);
        return;
    }
    if (++slideStep_ >= kSlideSteps) {
        KillTimer(hwnd_, kSlideTimer);
        slideStep_ = -1;
        body_.Grid().EndSlide();
        oldGrid_.Reset();
    }
    Redraw();
}

// Keeps the grid as it is now on screen, to slide it out after a month change.
void JCalendarCtrl::SnapshotGrid() {
    oldGrid_.Reset();
    if (!HasBackBuffer())
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int height = body_.Grid().GridHeight();
    if (Width(client) <= 0 || height <= 0)
        return;
    oldGrid_.Reset(CreateCompatibleBitmap(BackDC(), Width(client), height));
    MemoryDC copy(BackDC());
    SelectedObject selected(copy, oldGrid_.get());
    BitBlt(copy, 0, 0, Width(client), height, BackDC(), 0, headerHeight_, SRCCOPY);
}

void JCalendarCtrl::RefreshTitle() {
    const calendar::MonthGrid &grid = body_.Grid();
    shown_ = calendar::DayNumber(grid.Year(), grid.Month() + 1, 1);
    const SYSTEMTIME first = SystemTimeOf(shown_);
    wchar_t month[64] = L"";
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, 0, &first, L"MMMM ", month, ARRAYSIZE(month)))
        month[0] = 0;
    Str year;
    year.Format(L"%d", grid.Year());
    title_ = Str::Concat(month, year);
}

void JCalendarCtrl::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, kScreenColor);
    PaintHeader(dc, client);
    const calendar::MonthGrid &grid = body_.Grid();
    const RECT gridRect = {0, headerHeight_, client.right, headerHeight_ + grid.GridHeight()};
    if (slideStep_ >= 0 && grid.Slide()) {
        // The new month comes in from the side of the slide, the old one
        // leaves on the other.
        const int width = Width(client);
        const int offset = grid.Slide() * width * (kSlideSteps - slideStep_) / kSlideSteps;
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, gridRect.left, gridRect.top, gridRect.right, gridRect.bottom);
        if (oldGrid_) {
            MemoryDC source(dc);
            SelectedObject selected(source, oldGrid_.get());
            const SIZE size = BitmapSize(oldGrid_.get());
            BitBlt(dc, offset - grid.Slide() * width, headerHeight_, size.cx, size.cy, source, 0, 0, SRCCOPY);
        }
        body_.Paint(dc, offset, headerHeight_, today_);
        RestoreDC(dc, saved);
    } else {
        body_.Paint(dc, 0, headerHeight_, today_);
    }
    PaintStrip(dc, StripRect(), stripFont_.get());
}

void JCalendarCtrl::PaintHeader(HDC dc, const RECT &client) const {
    const RECT header = {0, 0, client.right, headerHeight_};
    ui::DrawBitmap(dc, headerPicture_.get(), header);
    DrawCalendarPicture(dc, previousPicture_.get(), PreviousButtonRect(), true);
    DrawCalendarPicture(dc, nextPicture_.get(), NextButtonRect(), true);
    SetBkMode(dc, TRANSPARENT);
    {
        SelectedObject font(dc, titleFont_.get());
        SetTextColor(dc, kTitleColor);
        RECT title = {0, 0, client.right, ScaleY(26)};
        DrawTextW(dc, title_, -1, &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectedObject font(dc, namesFont_.get());
    SetTextColor(dc, kNamesColor);
    const calendar::MonthGrid &grid = body_.Grid();
    const int left = (Width(client) - grid.CellWidth() * calendar::MonthGrid::kColumns) / 2;
    for (int column = 0; column < calendar::MonthGrid::kColumns; ++column) {
        RECT name = {left + column * grid.CellWidth(), ScaleY(26), left + (column + 1) * grid.CellWidth(),
                     headerHeight_};
        DrawTextW(dc, dayNames_[column], -1, &name, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}
