#include "world/WorldWnd.h"

#include "BaseLib/Clock.h"
#include "BaseLib/FeedbackPulse.h"
#include "resource.h"
#include "ui/CellPainter.h"
#include "ui/Gdi.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"
#include "world/WorldAdd.h"
#include "world/WorldMessages.h"

namespace {

const UINT kBarChildId = 3;
const DWORD kCommandLockMs = 200;
const int kBarButtonUnits = 40;
const int kBarButtonHeightUnits = 31;
const int kMarginUnits = 5;
const int kTimeUnits = 78;     // the time's column in normal mode
const int kEditTimeUnits = 45; // and in edit mode
const int kDayUnits = 48;      // the am/pm and day label column at the right end
const UINT kTickLateMs = 20;   // the minute tick comes this late after the change
const UINT kMinuteMs = 60000;
const COLORREF kNameColor = RGB(77, 77, 77);
const COLORREF kTimeColor = RGB(15, 34, 108);

Str LoadText(UINT id) {
    Str text;
    text.LoadResourceString(id);
    return text;
}

Str ListKey() { return LoadText(IDS_WORLD_KEY); }

} // namespace

std::unique_ptr<CMyWorldWnd> CMyWorldWnd::Open(const DWORD *feedbackVibro) {
    std::vector<world::City> cities;
    if (!world::ReadCityFile(world::CityFilePath(), &cities)) {
        MessageBoxW(nullptr, LoadText(IDS_WORLD_NO_LIST), LoadText(IDS_WORLD_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
        return nullptr;
    }
    return std::make_unique<CMyWorldWnd>(std::move(cities), feedbackVibro);
}

// Entries that name no city are dropped and the list written back at once,
// so that they are gone even if the program does not end normally.
CMyWorldWnd::CMyWorldWnd(std::vector<world::City> cities, const DWORD *feedbackVibro)
    : cities_(std::move(cities)), editMode_(false), now_(), nowUtc_(), shownMinute_(-1), shown_(false), timerRunning_(false),
      lastCommand_(0), commandBefore_(false), rowButtons_(), feedbackVibro_(feedbackVibro) {
    if (recent_.Load(ListKey(), cities_))
        SaveList();
}

CMyWorldWnd::~CMyWorldWnd() {
    SaveList();
    if (GetHwnd())
        KillTimer(GetHwnd(), kWorldMinuteTimer);
    // The add window and the bar are children: they go before this window.
    add_.reset();
    bar_.reset();
}

void CMyWorldWnd::SaveList() { recent_.Save(ListKey()); }

LRESULT CMyWorldWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case UWM_TITLE_COMMAND:
        OnCommand(wParam);
        return 0;
    case UWM_WORLD_ADD:
        OnAddCity(static_cast<int>(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kWorldMinuteTimer) {
            OnMinuteTimer();
            return 0;
        }
        break;
    case WM_SHOWWINDOW:
        if (lParam == 0) // shown or hidden itself, not with its parent
            OnShow(wParam != 0);
        break;
    case WM_SIZE: {
        // The base lays the list over the whole screen; the bar takes its foot.
        const LRESULT result = CSelectList::WindowProc(hwnd, msg, wParam, lParam);
        PlaceBar();
        return result;
    }
    }
    return CSelectList::WindowProc(hwnd, msg, wParam, lParam);
}

// The frame makes the window; the list screen then puts its row window,
// the bar and the row icons in it.
void CMyWorldWnd::OnCreate() {
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    HWND parent = GetParent(hwnd_);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT *>(&rect), 2);
    if (!Create(parent, &rect, nullptr))
        return;
    LoadIcons(PickBitmap(IDB_WORLD_ROW_ICONS, IDB_WORLD_ROW_ICONS_HI), 3);
    bar_.reset(new CBarBaseEx);
    if (bar_->Create(hwnd_, RECT{0, 0, 0, 0}, L"WorldBar", kBarChildId)) {
        bar_->SetBackground(PickBitmap(IDB_WORLD_BAR, IDB_WORLD_BAR_HI));
        bar_->SetLabelFont(9, kTitleTextColor, false);
        bar_->Show(SW_SHOW);
    }
    SetEditMode(false);
    PlaceBar();
}

void CMyWorldWnd::Layout() {
    LayoutChildren();
    PlaceBar();
}

void CMyWorldWnd::PlaceBar() {
    if (!bar_ || !bar_->GetHwnd() || !List())
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int barHeight = std::min<int>(ScaleY(kBarUnits), client.bottom);
    List()->Move(0, 0, client.right, client.bottom - barHeight, TRUE);
    bar_->Move(0, client.bottom - barHeight, client.right, barHeight, TRUE);
    SetEditMode(editMode_); // the bar's label takes the new width
}

// Commands closer than 200 ms to the last accepted one are bounces.
void CMyWorldWnd::OnCommand(WPARAM command) {
    if (command != kWorldCommandAdd && command != kWorldCommandEdit && command != kWorldCommandDone)
        return;
    const DWORD now = Clock::TickCount();
    if (commandBefore_ && now - lastCommand_ < kCommandLockMs)
        return;
    commandBefore_ = true;
    lastCommand_ = now;
    if (feedbackVibro_ && *feedbackVibro_)
        FeedbackPulse();
    if (command == kWorldCommandAdd) {
        if (!add_)
            add_.reset(new CMyWorldAdd(&cities_));
        add_->ShowOver(hwnd_);
    } else {
        SetEditMode(command == kWorldCommandEdit);
    }
}

// The bar: the mode's title, then Edit or Done, then Add.
void CMyWorldWnd::SetEditMode(bool edit) {
    editMode_ = edit;
    if (bar_ && bar_->GetHwnd()) {
        RECT client;
        GetClientRect(bar_->GetHwnd(), &client);
        const int width = ScaleX(kBarButtonUnits), height = ScaleY(kBarButtonHeightUnits);
        const Str title = LoadText(edit ? IDS_WORLD_TITLE_EDIT : IDS_TITLE_WORLD_CLOCK);
        const UINT mode = edit ? PickBitmap(IDB_WORLD_DONE, IDB_WORLD_DONE_HI) : PickBitmap(IDB_WORLD_EDIT, IDB_WORLD_EDIT_HI);
        const BarEntry entries[] = {
            {std::max(1, static_cast<int>(client.right) - 2 * width), static_cast<int>(client.bottom), 0, 0, title},
            {width, height, mode, edit ? kWorldCommandDone : kWorldCommandEdit, nullptr},
            {width, height, PickBitmap(IDB_WORLD_ADD, IDB_WORLD_ADD_HI), kWorldCommandAdd, nullptr},
            {0, 0, 0, 0, nullptr},
        };
        bar_->SetLayout(entries);
    }
    RefillRows();
    Refresh();
}

void CMyWorldWnd::OnAddCity(int city) {
    if (city < 0 || city >= static_cast<int>(cities_.size()) || !cities_[city].valid || !recent_.Add(city))
        return;
    RefillRows();
    Refresh();
}

void CMyWorldWnd::RefillRows() {
    CListWnd *list = List();
    if (!list || !list->GetHwnd())
        return;
    const int offset = list->Offset();
    list->SetItems(recent_.Count(), nullptr, 2);
    list->SetOffset(offset);
}

// In edit mode every row has three areas: delete at the left, and at the
// right end move up (inner) and move down (outer).
const RECT *CMyWorldWnd::GetItemButtons(int, int *count) {
    *count = 0;
    if (!editMode_ || !List())
        return nullptr;
    // Asked before the row window knows whether it needs a scroll bar.
    RECT client = {};
    GetClientRect(List()->GetHwnd(), &client);
    const int height = CListWnd::DefaultRowHeight();
    int width = client.right;
    if (recent_.Count() * height > client.bottom)
        width -= ScaleX(kScrollBarUnits);
    const int move = ScaleX(kMoveUnits);
    rowButtons_[kDeleteButton] = RECT{0, 0, ScaleX(kDeleteUnits), height};
    rowButtons_[kUpButton] = RECT{width - 2 * move, 0, width - move, height};
    rowButtons_[kDownButton] = RECT{width - move, 0, width, height};
    *count = 3;
    return rowButtons_;
}

void CMyWorldWnd::OnItemClick(CListWnd *, int row, POINT, int button) {
    if (!editMode_ || row < 0 || row >= recent_.Count())
        return;
    switch (button) {
    case kDeleteButton:
        DeleteRow(row);
        return;
    case kUpButton:
        recent_.MoveUp(row);
        break;
    case kDownButton:
        recent_.MoveDown(row);
        break;
    default:
        return;
    }
    List()->Repaint();
}

void CMyWorldWnd::DeleteRow(int row) {
    if (MessageBoxW(hwnd_, LoadText(IDS_WORLD_DELETE_QUESTION), LoadText(IDS_WORLD_QUESTION_CAPTION),
                    MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    recent_.Remove(row);
    RefillRows();
    List()->Repaint();
}

// A hidden world clock does not wake for the minute; shown again, it
// shows the time at once.
void CMyWorldWnd::OnShow(bool shown) {
    shown_ = shown;
    if (shown) {
        Refresh();
    } else if (timerRunning_) {
        KillTimer(hwnd_, kWorldMinuteTimer);
        timerRunning_ = false;
    }
}

void CMyWorldWnd::Refresh() {
    Clock::LocalTime(&now_);
    Clock::UtcTime(&nowUtc_);
    shownMinute_ = now_.wMinute;
    ArmMinuteTimer();
    if (List())
        List()->Repaint();
}

// One tick a little after the next minute change, whatever the period of
// the ticks before: so the screen wakes once a minute and never drifts.
void CMyWorldWnd::ArmMinuteTimer() {
    if (!hwnd_ || !shown_)
        return;
    SYSTEMTIME local;
    Clock::LocalTime(&local);
    const UINT intoMinute = local.wSecond * 1000u + local.wMilliseconds;
    SetTimer(hwnd_, kWorldMinuteTimer, kMinuteMs - intoMinute + kTickLateMs, nullptr);
    timerRunning_ = true;
}

// A tick that comes before the minute has changed only waits on.
void CMyWorldWnd::OnMinuteTimer() {
    SYSTEMTIME local;
    Clock::LocalTime(&local);
    if (local.wMinute == shownMinute_ && local.wHour == now_.wHour && local.wDay == now_.wDay)
        ArmMinuteTimer();
    else
        Refresh();
}

world::CityClock CMyWorldWnd::RowClock(int row) const {
    if (row < 0 || row >= recent_.Count())
        return world::CityClock{};
    return world::CityTimeAt(cities_[recent_.Cities()[row]], now_, nowUtc_);
}

Str CMyWorldWnd::RowTime(int row) const {
    const world::CityClock clock = RowClock(row);
    return editMode_ ? world::Time24(clock) : world::Time12(clock);
}

Str CMyWorldWnd::RowDayText(int row) const {
    if (editMode_)
        return Str();
    const world::CityClock clock = RowClock(row);
    static const UINT labels[] = {IDS_WORLD_TODAY, IDS_WORLD_YESTERDAY, IDS_WORLD_TOMORROW};
    return Str::Concat(LoadText(world::IsMorning(clock) ? IDS_WORLD_AM : IDS_WORLD_PM),
                       LoadText(labels[clock.label]));
}

// Normal mode: the name, the time in large figures and, at the right end,
// am or pm over the day label. Edit mode: the delete sign, the name, the
// 24-hour time and the up and down arrows.
void CMyWorldWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) {
    if (row < 0 || row >= recent_.Count())
        return;
    CopyStateBackground(dc, pressed && pressedButton < 0 ? 1 : 0, rect);
    const world::City &city = cities_[recent_.Cities()[row]];
    const int margin = ScaleX(kMarginUnits);
    const UINT line = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    const Str time = RowTime(row);
    CellBackground none = {};
    if (!editMode_) {
        const int dayLeft = rect.right - ScaleX(kDayUnits);
        const int timeLeft = dayLeft - ScaleX(kTimeUnits);
        const Str day = RowDayText(row);
        // Two lines of the 7-point font (its character height, negative, and
        // a quarter more for the line spacing).
        const int dayHeight = -2 * CellFontHeight(7) * 5 / 4;
        const int dayTop = (rect.top + rect.bottom - dayHeight) / 2;
        const CellItem items[] = {
            CellItem::Text(city.name, 11, FW_BOLD, kNameColor, RECT{rect.left + margin, rect.top, timeLeft, rect.bottom},
                           DT_LEFT | DT_END_ELLIPSIS | line),
            CellItem::Text(time, 17, FW_NORMAL, kTimeColor, RECT{timeLeft, rect.top, dayLeft - margin, rect.bottom},
                           DT_RIGHT | line),
            CellItem::Text(day, 7, FW_NORMAL, kNameColor, RECT{dayLeft, dayTop, rect.right, dayTop + dayHeight},
                           DT_LEFT | DT_NOPREFIX),
        };
        PaintCell(dc, rect, none, items, 3, false);
        return;
    }
    const int move = ScaleX(kMoveUnits);
    const int deleteRight = ScaleX(kDeleteUnits);
    const int timeRight = rect.right - 2 * move - margin;
    const SIZE icon = Icons() ? Icons()->IconSize() : SIZE{0, 0};
    const int iconWidth = icon.cx, iconHeight = icon.cy;
    const int iconTop = (rect.top + rect.bottom - iconHeight) / 2;
    const CellItem items[] = {
        CellItem::Image(Icons(), kDeleteButton, (deleteRight - iconWidth) / 2, iconTop),
        CellItem::Text(city.name, 11, FW_BOLD, kNameColor,
                       RECT{deleteRight, rect.top, timeRight - ScaleX(kEditTimeUnits), rect.bottom},
                       DT_LEFT | DT_END_ELLIPSIS | line),
        CellItem::Text(time, 11, FW_NORMAL, kTimeColor, RECT{timeRight - ScaleX(kEditTimeUnits), rect.top, timeRight, rect.bottom},
                       DT_RIGHT | line),
        CellItem::Image(Icons(), kUpButton, rect.right - 2 * move + (move - iconWidth) / 2, iconTop),
        CellItem::Image(Icons(), kDownButton, rect.right - move + (move - iconWidth) / 2, iconTop),
    };
    PaintCell(dc, rect, none, items, 5, false);
}
