#include "ui/PDateCtrlLeftItem.h"

#include <oleauto.h>

#include <cmath>

#include "BaseLib/Str.h"
#include "ui/Gdi.h"
#include "ui/PListWnd.h"

namespace {

const COLORREF kVeilColour = RGB(220, 220, 220);
const BYTE kVeilOpacity = 200;

// Lays a translucent grey over a rectangle. The veil is a block of the
// colour at least as large as the rectangle, so nothing is stretched.
void DrawVeil(HDC dc, const RECT &rect, const PBufferDC *veil) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (!veil || !veil->Dc() || veil->Width() < width || veil->Height() < height)
        return;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, kVeilOpacity, 0};
    AlphaBlend(dc, rect.left, rect.top, width, height, veil->Dc(), 0, 0, width, height, blend);
}

void MonthName(const SYSTEMTIME &parts, wchar_t *buffer, int count) {
    if (GetDateFormatW(LOCALE_USER_DEFAULT, 0, &parts, L"MMM", buffer, count) == 0 && count > 0)
        buffer[0] = 0;
}

} // namespace

SYSTEMTIME SplitOleDate(double value) {
    // Counting in whole minutes keeps 10:00 from turning into 09:59:59.999.
    const long long minutes = std::llround(value * 1440.0);
    long long days = minutes / 1440;
    long long minute = minutes % 1440;
    if (minute < 0) {
        minute += 1440;
        --days;
    }
    SYSTEMTIME parts = {};
    VariantTimeToSystemTime(static_cast<double>(days), &parts);
    parts.wHour = static_cast<WORD>(minute / 60);
    parts.wMinute = static_cast<WORD>(minute % 60);
    parts.wSecond = 0;
    parts.wMilliseconds = 0;
    return parts;
}

double MakeOleDate(int year, int month, int day, int minuteOfDay) {
    SYSTEMTIME parts = {};
    parts.wYear = static_cast<WORD>(year);
    parts.wMonth = static_cast<WORD>(month);
    parts.wDay = static_cast<WORD>(day);
    double date = 0;
    SystemTimeToVariantTime(&parts, &date);
    return date + minuteOfDay / 1440.0;
}

PDateCtrlLeftItem::PDateCtrlLeftItem(PListWnd *list, int index, DateRowKind kind, int height, HFONT font)
    : PListWndItem(list, index), kind_(kind), value_(0), parts_(), blank_(false), firstVisible_(false),
      highlightColour_(RGB(180, 180, 180)), normalColour_(RGB(255, 255, 255)), lineColour_(RGB(184, 188, 197)),
      font_(font), textWidth_(0), veil_(nullptr) {
    height_ = height;
    SetPosition(0, 0, 0);
    SetValue(0);
}

void PDateCtrlLeftItem::SetValue(double value) {
    value_ = value;
    parts_ = SplitOleDate(value);
}

void PDateCtrlLeftItem::Text(wchar_t *buffer, int count) const {
    if (count <= 0)
        return;
    buffer[0] = 0;
    if (blank_)
        return;
    Str text;
    wchar_t month[32];
    switch (kind_) {
    case kTimeRow:
        if (!GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT, &parts_,
                            nullptr, buffer, count))
            buffer[0] = 0;
        return;
    case kDayRow:
        if (!GetDateFormatW(LOCALE_USER_DEFAULT, 0, &parts_, L"ddd MMM dd yyyy", buffer, count))
            buffer[0] = 0;
        return;
    case kHourRow:
        text.Format(parts_.wHour < 10 ? L"0%d" : L"%d", parts_.wHour);
        break;
    case kMonthRow:
        MonthName(parts_, month, 32);
        if (parts_.wMonth == 1)
            text.Format(L"%d\r\n%s", parts_.wYear, month);
        else if (firstVisible_)
            text.Format(L"%d", parts_.wYear);
        else
            text = month;
        break;
    }
    lstrcpynW(buffer, text, count);
}

void PDateCtrlLeftItem::Draw(HDC dc, const RECT &rect) {
    wchar_t text[64];
    Text(text, 64);
    RECT textRect = rect;
    if (IsValueRow()) {
        DrawBackground(dc, rect);
        if (textWidth_ > 0)
            textRect.right = rect.left + textWidth_;
    } else {
        DrawVeil(dc, rect, veil_);
    }
    if (!text[0])
        return;
    SelectedObject font(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    if (kind_ == kMonthRow && parts_.wMonth == 1) {
        // Two lines, centred as a block.
        RECT measure = textRect;
        DrawTextW(dc, text, -1, &measure, DT_CENTER | DT_CALCRECT | DT_NOPREFIX);
        const int height = measure.bottom - measure.top;
        textRect.top += (textRect.bottom - textRect.top - height) / 2;
        DrawTextW(dc, text, -1, &textRect, DT_CENTER | DT_NOPREFIX);
    } else {
        DrawTextW(dc, text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void PDateCtrlLeftItem::DrawBackground(HDC dc, const RECT &rect) {
    FillSolid(dc, rect, highlighted_ ? highlightColour_ : normalColour_);
    RECT line = {rect.left, rect.top, rect.right, rect.top + 1};
    FillSolid(dc, line, lineColour_);
    line.top = rect.bottom - 1;
    line.bottom = rect.bottom;
    FillSolid(dc, line, lineColour_);
}

void PDateCtrlLeftItem::Click() {
    if (list_ && list_->GetHwnd())
        PostMessageW(list_->GetHwnd(), UWM_DATE_ROW_CLICK, static_cast<WPARAM>(index_), reinterpret_cast<LPARAM>(this));
}

bool PDateCtrlLeftItem::MakeVeil(PBufferDC &veil, HWND window, int width, int height) {
    if (!veil.Make(window, width, height))
        return false;
    const RECT all = {0, 0, veil.Width(), veil.Height()};
    FillSolid(veil.Dc(), all, kVeilColour);
    return true;
}

HBRUSH PDateCtrlLeftItem::ControlColour(HDC dc) {
    const COLORREF back = highlighted_ ? highlightColour_ : normalColour_;
    SetBkColor(dc, back);
    SetTextColor(dc, RGB(0, 0, 0));
    SetDCBrushColor(dc, back);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}
