#include "alarm/RepeatSetWnd.h"

#include "alarm/AlarmRows.h"
#include "alarm/AlarmTemp.h"
#include "resource.h"

CRepeatSetWnd::CRepeatSetWnd() : repeatDays_(nullptr), days_(0) {}

BYTE CRepeatSetWnd::DayBit(int row) {
    static const BYTE bits[kRowCount] = {kMonday, kTuesday, kWednesday, kThursday, kFriday, kSaturday, kSunday};
    return row >= 0 && row < kRowCount ? bits[row] : 0;
}

bool CRepeatSetWnd::Open(HWND parent, BYTE *repeatDays) {
    if (!repeatDays)
        return false;
    repeatDays_ = repeatDays;
    days_ = *repeatDays;
    if (!ShowOver(parent, L"RepeatSetWnd", IDS_REPEAT, kTitleCommandDone))
        return false;
    SetRows(kRowCount);
    return true;
}

void CRepeatSetWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    if (row < 0 || row >= kRowCount)
        return;
    wchar_t name[64] = L"";
    // LOCALE_SDAYNAME1 is Monday, as the rows.
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDAYNAME1 + row, name, ARRAYSIZE(name));
    CopyStateBackground(dc, pressed ? kRowPressed : kRowNormal, rect);
    DrawFieldRow(dc, rect, Icons(), RowOn(row) ? kTickIcon : kRingIcon, name, nullptr);
}

void CRepeatSetWnd::OnItemClick(CListWnd *list, int row, POINT, int) {
    if (row < 0 || row >= kRowCount)
        return;
    days_ ^= DayBit(row);
    list->RepaintRow(row);
}

void CRepeatSetWnd::OnRightButton() {
    if (repeatDays_)
        *repeatDays_ = days_;
    Hide();
    CAlarmPage::OnRightButton();
}

void CRepeatSetWnd::OnLeftButton() {
    Hide();
    CAlarmPage::OnLeftButton();
}
