#include "ui/PDateTimeSelectCtrl.h"

#include <algorithm>
#include <cmath>

#include "ui/Scaling.h"

namespace {

const wchar_t kSelectorClass[] = L"DateTime_List_Wnd_Class";
const int kHourRows = 24;
const int kMonthRows = 50;
// Hour rows carry a fixed day: in time mode only the time of day counts.
const int kHourYear = 1981, kHourMonth = 8, kHourDay = 20;
const int kGlideStep = 10; // pixels per tick of the month glide

bool RegisterSelectorClass() {
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = Wnd::RoutingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kSelectorClass;
    return RegisterClassW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

PDateCtrlLeftItem *Row(PListWndItem *item) { return static_cast<PDateCtrlLeftItem *>(item); }

double DayOf(double v) { return std::floor(v + 0.5 / 86400.0); }

// Month arithmetic on (year, month).
void AddMonths(int &year, int &month, int count) {
    int index = year * 12 + (month - 1) + count;
    year = index / 12;
    month = index % 12 + 1;
}

} // namespace

PDateTimeSelectCtrl::PDateTimeSelectCtrl(double value)
    : mode_(kTimeMode), minuteStep_(5), value_(value), valueStep_(5.0 / 1440.0), jumpHeight_(0), jumpOffset_(0),
      firstVisible_(nullptr), rowsAbove_(0), firstVisibleJump_(nullptr), jumpRowsAbove_(0), pressColumn_(kValueColumn),
      pressedJumpRow_(nullptr), glideRemaining_(0), glideDirection_(1), width_(0), height_(0), valueWidth_(0),
      jumpWidth_(0), valueRowHeight_(0), jumpRowHeight_(0) {
    ComputeGeometry();
}

PDateTimeSelectCtrl::~PDateTimeSelectCtrl() {
    if (hwnd_)
        KillTimer(hwnd_, kGlideTimer);
    CriticalSectionLock lock(paintLock_);
    jumpItems_.DeleteAll();
    items_.DeleteAll();
}

void PDateTimeSelectCtrl::ComputeGeometry() {
    height_ = GetSystemMetrics(SM_CYSCREEN) * 2 / 3;
    width_ = ScaleX(100);
    valueWidth_ = width_ * 2 / 3;
    jumpWidth_ = width_ - valueWidth_;
    valueRowHeight_ = height_ / 6;
    jumpRowHeight_ = mode_ == kTimeMode ? height_ / 24 : height_ / 20 + 1;
}

HWND PDateTimeSelectCtrl::OwnerWindow() const { return owner_ ? owner_->GetHwnd() : nullptr; }

HFONT PDateTimeSelectCtrl::MakeFont(int points, BYTE quality) {
    LOGFONTW font = {};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    font.lfHeight = -static_cast<LONG>(points * Metrics().dpiY / 72.0 + 0.5);
    font.lfWidth = 0;
    if (quality)
        font.lfQuality = quality;
    return CreateFontIndirectW(&font);
}

int PDateTimeSelectCtrl::Create(Wnd *owner) {
    SetOwner(owner);
    if (minuteStep_ < 1)
        minuteStep_ = 5;
    valueStep_ = mode_ == kTimeMode ? minuteStep_ / 1440.0 : 1.0;
    ComputeGeometry();
    valueFont_.Reset(MakeFont(10, 0));
    jumpFont_.Reset(MakeFont(7, CLEARTYPE_QUALITY));

    RegisterSelectorClass();
    UseClass(kSelectorClass);
    HWND parent = OwnerWindow();
    POINT origin = {(GetSystemMetrics(SM_CXSCREEN) - width_) / 2, 0};
    if (parent)
        ScreenToClient(parent, &origin);
    const RECT rect = {origin.x, ScaleY(2), origin.x + width_, ScaleY(2) + height_};
    if (!Wnd::Create(L"DateTimeListWnd", WS_CHILD | WS_VISIBLE | WS_BORDER, rect, parent, 0, true))
        return 1;
    RebuildBackBuffer(); // the client size: the border takes a part of the rectangle
    // January month rows are twice as high as the others.
    PDateCtrlLeftItem::MakeVeil(veil_, hwnd_, jumpWidth_, 2 * jumpRowHeight_ + 2);
    BuildRows();
    if (GetFocus() != hwnd_)
        SetFocus(hwnd_);
    Invalidate();
    return 1;
}

void PDateTimeSelectCtrl::BuildRows() {
    CriticalSectionLock lock(paintLock_);
    items_.DeleteAll();
    jumpItems_.DeleteAll();
    const DateRowKind valueKind = mode_ == kTimeMode ? kTimeRow : kDayRow;
    for (int i = 0; i < kValueRows; ++i) {
        auto *row = new PDateCtrlLeftItem(this, i, valueKind, valueRowHeight_, valueFont_.get());
        row->SetTextWidth(valueWidth_);
        items_.PushBack(row);
    }
    if (mode_ == kTimeMode) {
        // H / 24 leaves a few pixels over: one more to each of the first rows.
        const int spare = height_ - jumpRowHeight_ * kHourRows;
        for (int h = 0; h < kHourRows; ++h) {
            auto *row = new PDateCtrlLeftItem(this, h, kHourRow, jumpRowHeight_ + (h < spare ? 1 : 0), jumpFont_.get());
            row->SetValue(MakeOleDate(kHourYear, kHourMonth, kHourDay, h * 60));
            row->SetVeil(&veil_);
            jumpItems_.PushBack(row);
        }
        jumpHeight_ = jumpItems_.Layout(0, jumpWidth_);
    } else {
        for (int i = 0; i < kMonthRows; ++i) {
            auto *row = new PDateCtrlLeftItem(this, i, kMonthRow, jumpRowHeight_, jumpFont_.get());
            row->SetVeil(&veil_);
            jumpItems_.PushBack(row);
        }
    }
    FillValues(value_, false);
    if (mode_ == kDateMode)
        FillMonths(value_);
    FindFirstVisibleJump();
}

double PDateTimeSelectCtrl::ClampToDay(double v, double day) const {
    const double first = day;
    const double last = day + 1439.0 / 1440.0;
    return std::min(std::max(v, first), last);
}

void PDateTimeSelectCtrl::FillValues(double v, bool choose) {
    CriticalSectionLock lock(paintLock_);
    int anchor = kAnchorRow;
    const double day = DayOf(v);
    if (mode_ == kTimeMode) {
        const int minute = SplitOleDate(v).wHour * 60 + SplitOleDate(v).wMinute;
        if (minute < kAnchorRow)
            anchor = minute;
        else if (minute + kAnchorRow >= 1440)
            anchor = minute - 1390;
    } else {
        v = day;
    }
    if (choose)
        value_ = v;
    int position = 0;
    for (auto *node = items_.Head(); node; node = node->next, ++position) {
        PDateCtrlLeftItem *row = Row(node->value);
        double rowValue = v + (position - anchor) * valueStep_;
        if (mode_ == kTimeMode)
            rowValue = ClampToDay(rowValue, day);
        row->SetValue(position == anchor ? v : rowValue);
        row->SetBlank(false);
        row->SetHighlight(HoldsValue(*row));
    }
    columnHeight_ = items_.Layout(0, width_);
    // The anchor row fourth from the top.
    const PListWndItem *anchorRow = items_.At(std::max(anchor - 3, 0));
    offset_ = anchorRow ? anchorRow->Rect().top : 0;
    SetOffset(offset_);
    FindFirstVisible();
}

void PDateTimeSelectCtrl::FillMonths(double v) {
    CriticalSectionLock lock(paintLock_);
    const SYSTEMTIME parts = SplitOleDate(v);
    int position = 0;
    for (auto *node = jumpItems_.Head(); node; node = node->next, ++position) {
        int year = parts.wYear, month = parts.wMonth;
        AddMonths(year, month, position - kAnchorRow);
        PDateCtrlLeftItem *row = Row(node->value);
        row->SetValue(MakeOleDate(year, month, 1, 0));
        row->SetHeight(month == 1 ? jumpRowHeight_ * 2 : jumpRowHeight_);
    }
    jumpHeight_ = jumpItems_.Layout(0, jumpWidth_);
    const PListWndItem *anchor = jumpItems_.At(kAnchorRow);
    SetJumpOffset(anchor ? anchor->Rect().top - 9 * jumpRowHeight_ : 0);
    FindFirstVisibleJump();
    if (firstVisibleJump_)
        SetJumpOffset(firstVisibleJump_->Rect().top);
    FindFirstVisibleJump();
}

void PDateTimeSelectCtrl::SetJumpOffset(int offset) {
    const int most = std::max(0, jumpHeight_ - ClientHeight());
    jumpOffset_ = std::min(std::max(offset, 0), most);
}

void PDateTimeSelectCtrl::FindFirstVisible() {
    firstVisible_ = nullptr;
    rowsAbove_ = 0;
    int position = 0;
    for (auto *node = items_.Head(); node; node = node->next, ++position) {
        if (node->value->Rect().bottom > offset_) {
            firstVisible_ = Row(node->value);
            rowsAbove_ = position;
            return;
        }
    }
}

void PDateTimeSelectCtrl::FindFirstVisibleJump() {
    firstVisibleJump_ = nullptr;
    jumpRowsAbove_ = 0;
    int position = 0;
    for (auto *node = jumpItems_.Head(); node; node = node->next, ++position) {
        PDateCtrlLeftItem *row = Row(node->value);
        const bool first = !firstVisibleJump_ && row->Rect().bottom > jumpOffset_;
        row->SetFirstVisible(first);
        if (first) {
            firstVisibleJump_ = row;
            jumpRowsAbove_ = position;
        }
    }
}

PDateCtrlLeftItem *PDateTimeSelectCtrl::VisibleValueRow(int position) const {
    return Row(items_.At(rowsAbove_ + position));
}

bool PDateTimeSelectCtrl::HoldsValue(const PDateCtrlLeftItem &row) const {
    if (row.Blank())
        return false;
    double a = row.Value(), b = value_;
    if (mode_ == kTimeMode) {
        // Hour rows carry a fixed day: compare times of day.
        a -= DayOf(a);
        b -= DayOf(b);
    }
    // Compared in whole milliseconds, so that exactly half a step apart is
    // not taken for "within" by a rounding error.
    const long long apart = std::llabs(std::llround((a - b) * 86400000.0));
    const long long halfStep = std::llround(valueStep_ * 86400000.0);
    return apart * 2 < halfStep;
}

void PDateTimeSelectCtrl::OnPaint(HDC dc) {
    if (!BackDC())
        return;
    RECT clip = {};
    if (GetClipBox(dc, &clip) == ERROR || IsRectEmpty(&clip))
        GetClientRect(hwnd_, &clip);
    paintDC_ = dc;
    {
        CriticalSectionLock lock(paintLock_);
        FillRect(BackDC(), &clip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawColumn(BackDC(), items_, clip, 0, -offset_);
        DrawColumn(BackDC(), jumpItems_, clip, valueWidth_, -jumpOffset_);
    }
    BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, BackDC(), clip.left, clip.top,
           SRCCOPY);
    paintDC_ = nullptr;
}

PDateCtrlLeftItem *PDateTimeSelectCtrl::HitTest(POINT pt, Column column) {
    const bool jump = column == kJumpColumn;
    RECT area = {jump ? valueWidth_ : 0, 0, jump ? ClientWidth() : valueWidth_, ClientHeight()};
    if (!PtInRect(&area, pt))
        return nullptr;
    const int dx = jump ? valueWidth_ : 0;
    const int dy = jump ? -jumpOffset_ : -offset_;
    PListWndItemsInfo &rows = jump ? jumpItems_ : items_;
    for (auto *node = rows.Head(); node; node = node->next) {
        RECT shown = node->value->Rect();
        OffsetRect(&shown, dx, dy);
        RECT cut;
        if (IntersectRect(&cut, &shown, &area) && PtInRect(&cut, pt))
            return Row(node->value);
    }
    return nullptr;
}

void PDateTimeSelectCtrl::OnPress(int x, int y) {
    pressColumn_ = x >= valueWidth_ ? kJumpColumn : kValueColumn;
    PressFirstColumn(x, y);
    pressedJumpRow_ = pressColumn_ == kJumpColumn ? HitTest(POINT{x, y}, kJumpColumn) : nullptr;
    if (pressColumn_ == kJumpColumn)
        pressedRow_ = nullptr;
    else
        pressedRow_ = HitTest(POINT{x, y}, kValueColumn);
}

void PDateTimeSelectCtrl::OnMove(int x, int y) {
    if (!down_)
        return;
    if (pressColumn_ == kValueColumn) {
        MoveFirstColumn(x, y);
        return;
    }
    // Dragging along the jump column scrubs the value column.
    PDateCtrlLeftItem *row = HitTest(POINT{x, y}, kJumpColumn);
    PDateCtrlLeftItem *third = VisibleValueRow(2);
    if (!row || !third)
        return;
    double shown = third->Value(), target = row->Value();
    if (mode_ == kTimeMode) {
        shown -= DayOf(shown);
        target -= DayOf(target);
    }
    if (shown < target - valueStep_ || shown > target + valueStep_) {
        FillValues(row->Value(), false);
        Invalidate();
    }
}

void PDateTimeSelectCtrl::OnRelease(int x, int y) {
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    const bool wasDown = down_;
    down_ = false;
    Invalidate();
    if (!wasDown)
        return;
    if (pressColumn_ == kJumpColumn) {
        if (PDateCtrlLeftItem *row = HitTest(POINT{x, y}, kJumpColumn))
            row->Click();
        return;
    }
    PDateCtrlLeftItem *row = HitTest(POINT{x, y}, kValueColumn);
    if (row && row == pressedRow_ && tap_)
        row->Click();
    else
        StartFlick();
}

void PDateTimeSelectCtrl::OnTimer(UINT_PTR id) {
    if (id == kGlideTimer)
        GlideTick();
    else
        PListWnd::OnTimer(id);
}

void PDateTimeSelectCtrl::OnFlickStopped() {
    if (mode_ == kDateMode) {
        if (PDateCtrlLeftItem *row = VisibleValueRow(3)) {
            FillMonths(row->Value());
            Invalidate();
        }
    }
    if (!settleDone_)
        SettleIfBlankInView();
}

void PDateTimeSelectCtrl::SettleIfBlankInView() {
    // Blank rows beyond either end of the ring that are not in view need no
    // settle: their distance would be negative and move the list the wrong
    // way. The direction follows from the end where the blank rows show.
    const int top = offset_;
    const int bottom = offset_ + ClientHeight();
    const PDateCtrlLeftItem *firstFilled = nullptr;
    const PDateCtrlLeftItem *lastFilled = nullptr;
    for (auto *node = items_.Head(); node; node = node->next) {
        const PDateCtrlLeftItem *row = Row(node->value);
        if (row->Blank())
            continue;
        if (!firstFilled)
            firstFilled = row;
        lastFilled = row;
    }
    if (!firstFilled) {
        // Flicked so far past an end that every row of the ring is blank:
        // there is no row left to settle to, so the column is filled again
        // with the end of the day where it stopped.
        if (firstVisible_ && firstVisible_->Blank()) {
            const double day = DayOf(firstVisible_->Value());
            FillValues(firstVisible_->MinuteOfDay() == 1439 ? day + 1439.0 / 1440.0 : day, false);
            Invalidate();
        }
        return;
    }
    const int gapAbove = firstFilled->Rect().top - top;      // blank rows in view above
    const int gapBelow = bottom - lastFilled->Rect().bottom; // blank rows in view below
    if (gapAbove > 0 && gapBelow <= 0)
        StartSettle(gapAbove, +1);
    else if (gapBelow > 0 && gapAbove <= 0)
        StartSettle(gapBelow, -1);
}

void PDateTimeSelectCtrl::AfterScroll() {
    // The offset moved: find the first visible rows again before recycling.
    FindFirstVisible();
    FindFirstVisibleJump();
    if (pressColumn_ == kValueColumn)
        RecycleValueRows();
    else if (mode_ == kDateMode)
        RecycleMonthRows();
}

void PDateTimeSelectCtrl::RecycleValueRows() {
    if (!firstVisible_)
        return;
    CriticalSectionLock lock(paintLock_);
    bool moved = false;
    while (rowsAbove_ < 20 && items_.Count() > 1) {
        PDateCtrlLeftItem *top = Row(items_.Head()->value);
        PDateCtrlLeftItem *row = Row(items_.Tail()->value);
        items_.MoveTailToHead();
        if (mode_ == kTimeMode && top->MinuteOfDay() < minuteStep_) {
            row->SetValue(DayOf(top->Value()));
            row->SetBlank(true);
        } else {
            row->SetValue(top->Value() - valueStep_);
            row->SetBlank(false);
        }
        ShiftOffset(row->Height());
        ++rowsAbove_;
        moved = true;
        row->SetHighlight(HoldsValue(*row));
    }
    while (rowsAbove_ > 25 && items_.Count() > 1) {
        PDateCtrlLeftItem *bottom = Row(items_.Tail()->value);
        PDateCtrlLeftItem *row = Row(items_.Head()->value);
        items_.MoveHeadToTail();
        if (mode_ == kTimeMode && bottom->MinuteOfDay() + minuteStep_ >= 1440) {
            row->SetValue(DayOf(bottom->Value()) + 1439.0 / 1440.0);
            row->SetBlank(true);
        } else {
            row->SetValue(bottom->Value() + valueStep_);
            row->SetBlank(false);
        }
        ShiftOffset(-row->Height());
        --rowsAbove_;
        moved = true;
        row->SetHighlight(HoldsValue(*row));
    }
    if (moved) {
        columnHeight_ = items_.Layout(0, width_);
        FindFirstVisible();
    }
}

void PDateTimeSelectCtrl::RecycleMonthRows() {
    if (!firstVisibleJump_)
        return;
    CriticalSectionLock lock(paintLock_);
    bool moved = false;
    while (jumpRowsAbove_ < 10 && jumpItems_.Count() > 1) {
        const SYSTEMTIME top = Row(jumpItems_.Head()->value)->Parts();
        PDateCtrlLeftItem *row = Row(jumpItems_.Tail()->value);
        jumpItems_.MoveTailToHead();
        int year = top.wYear, month = top.wMonth;
        AddMonths(year, month, -1);
        row->SetValue(MakeOleDate(year, month, 1, 0));
        row->SetHeight(month == 1 ? jumpRowHeight_ * 2 : jumpRowHeight_);
        jumpOffset_ += row->Height();
        ++jumpRowsAbove_;
        moved = true;
    }
    while (jumpRowsAbove_ > 20 && jumpItems_.Count() > 1) {
        const SYSTEMTIME bottom = Row(jumpItems_.Tail()->value)->Parts();
        PDateCtrlLeftItem *row = Row(jumpItems_.Head()->value);
        jumpOffset_ -= row->Height();
        jumpItems_.MoveHeadToTail();
        int year = bottom.wYear, month = bottom.wMonth;
        AddMonths(year, month, 1);
        row->SetValue(MakeOleDate(year, month, 1, 0));
        row->SetHeight(month == 1 ? jumpRowHeight_ * 2 : jumpRowHeight_);
        --jumpRowsAbove_;
        moved = true;
    }
    if (moved) {
        jumpHeight_ = jumpItems_.Layout(0, jumpWidth_);
        FindFirstVisibleJump();
    }
}

bool PDateTimeSelectCtrl::IsOurRow(const PListWndItem *row) const {
    for (auto *node = items_.Head(); node; node = node->next)
        if (node->value == row)
            return true;
    for (auto *node = jumpItems_.Head(); node; node = node->next)
        if (node->value == row)
            return true;
    return false;
}

void PDateTimeSelectCtrl::OnRowClick(PDateCtrlLeftItem *row) {
    switch (row->Kind()) {
    case kDayRow:
    case kTimeRow:
        value_ = row->Value();
        Confirm(); // may destroy this object: nothing may follow
        return;
    case kMonthRow: {
        FillValues(row->Value(), false);
        // Glide until the month lies nine month rows below the top.
        const int target = row->Rect().top - 9 * jumpRowHeight_;
        glideRemaining_ = std::abs(target - jumpOffset_);
        glideDirection_ = target >= jumpOffset_ ? 1 : -1;
        pressColumn_ = kJumpColumn;
        if (hwnd_)
            SetTimer(hwnd_, kGlideTimer, 0, nullptr);
        Invalidate();
        return;
    }
    case kHourRow:
        FillValues(row->Value(), false);
        Invalidate();
        return;
    }
}

void PDateTimeSelectCtrl::GlideTick() {
    const int move = std::min(kGlideStep, glideRemaining_);
    const int before = jumpOffset_;
    SetJumpOffset(jumpOffset_ + glideDirection_ * move);
    glideRemaining_ -= move;
    // At an end of the column the offset stops moving: the glide is over.
    if (jumpOffset_ == before)
        glideRemaining_ = 0;
    FindFirstVisibleJump();
    AfterScroll();
    if (glideRemaining_ <= 0) {
        if (hwnd_)
            KillTimer(hwnd_, kGlideTimer);
        FindFirstVisibleJump();
        if (firstVisibleJump_)
            SetJumpOffset(firstVisibleJump_->Rect().top);
        FindFirstVisibleJump();
    }
    Invalidate();
}

void PDateTimeSelectCtrl::StepValue(bool backwards) {
    const double v = value_ + (backwards ? -valueStep_ : valueStep_);
    value_ = v;
    FillValues(v, false);
    if (mode_ == kDateMode)
        FillMonths(v);
    Invalidate();
}

void PDateTimeSelectCtrl::Confirm() {
    HWND owner = OwnerWindow();
    if (!owner)
        return;
    SendMessageW(owner, UWM_DATE_CHOSEN, 0, 0);
    SetFocus(owner); // the selector loses the focus and closes
}

void PDateTimeSelectCtrl::OnKey(WPARAM key) {
    switch (key) {
    case VK_RETURN:
        Confirm(); // may destroy this object
        return;
    case VK_UP:
        StepValue(true);
        return;
    case VK_DOWN:
        StepValue(false);
        return;
    }
}

LRESULT PDateTimeSelectCtrl::ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_DATE_ROW_CLICK: {
        auto *row = reinterpret_cast<PListWndItem *>(lParam);
        if (IsOurRow(row))
            OnRowClick(static_cast<PDateCtrlLeftItem *>(row)); // may destroy this object
        return 0;
    }
    case WM_KILLFOCUS:
        if (HWND owner = OwnerWindow())
            SendMessageW(owner, UWM_DATE_CLOSING, 0, 0); // the owner may destroy this object
        return 0;
    }
    return PListWnd::ListProc(hwnd, msg, wParam, lParam);
}
