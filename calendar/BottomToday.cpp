#include "calendar/BottomToday.h"

#include "resource.h"
#include "ui/Gdi.h"
#include "ui/Scaling.h"

namespace {

const COLORREF kStripText = RGB(48, 48, 48);
const COLORREF kStripLine = RGB(150, 150, 150);

} // namespace

JBottomToday::JBottomToday() : stripShown_(true) {}

void JBottomToday::SetTodayText(const SYSTEMTIME &today) {
    Str prefix;
    if (!prefix.LoadResourceString(IDS_CAL_TODAY))
        prefix = L"Today ";
    wchar_t dayYear[32] = L"";
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, 0, &today, L"dd/yy", dayYear, ARRAYSIZE(dayYear)))
        dayYear[0] = 0;
    Str month;
    month.Format(L"%02d/", today.wMonth);
    todayText_ = Str::Concat(Str::Concat(prefix, month), dayYear);
}

int JBottomToday::StripHeight() const { return stripShown_ ? ScaleY(45) : 0; }

void JBottomToday::PaintStrip(HDC dc, const RECT &strip, HFONT font) const {
    if (!stripShown_)
        return;
    FillSolid(dc, strip, kScreenColor);
    FillSolid(dc, RECT{strip.left, strip.top, strip.right, strip.top + 1}, kStripLine);
    SelectedObject selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kStripText);
    RECT text = strip;
    DrawTextW(dc, todayText_, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
