#include "calendar/CalendarBody.h"

#include <cwchar>

#include "resource.h"
#include "ui/Drawing.h"
#include "ui/Scaling.h"

namespace {

const COLORREF kShownDayColor = RGB(48, 48, 48);
const COLORREF kOtherDayColor = RGB(150, 150, 150);
const COLORREF kSelectedDayColor = RGB(255, 255, 255);

} // namespace

void DrawCalendarPicture(HDC dc, HBITMAP picture, const RECT &rect, bool transparent) {
    const SIZE size = BitmapSize(picture);
    if (size.cx <= 0 || rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    MemoryDC source(dc);
    SelectedObject selected(source, picture);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (transparent) {
        TransparentBlt(dc, rect.left, rect.top, width, height, source, 0, 0, size.cx, size.cy, kTransparentKey);
    } else {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, rect.left, rect.top, width, height, source, 0, 0, size.cx, size.cy, SRCCOPY);
    }
}

JCalendarBody::JCalendarBody() {}

void JCalendarBody::LoadPictures() {
    cellPicture_.Reset(LoadProgramBitmap(PickBitmap(IDB_CAL_CELL, IDB_CAL_CELL_HI)));
    selectedPicture_.Reset(LoadProgramBitmap(PickBitmap(IDB_CAL_SELECTED, IDB_CAL_SELECTED_HI)));
    todayPicture_.Reset(LoadProgramBitmap(PickBitmap(IDB_CAL_TODAY, IDB_CAL_TODAY_HI)));
    font_.Reset(ui::CreatePointFont(L"Tahoma", 9, FW_BOLD));
}

void JCalendarBody::Paint(HDC dc, int x, int y, long today) const {
    int todayYear = 0, todayMonth = 0, todayDay = 0;
    calendar::DateOfDayNumber(today, &todayYear, &todayMonth, &todayDay);
    const bool todayShown = todayYear == grid_.Year() && todayMonth - 1 == grid_.Month();
    SelectedObject selectedFont(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    const std::vector<calendar::GridCell> &cells = grid_.Cells();
    for (size_t i = 0; i < cells.size(); ++i) {
        const calendar::GridCell &cell = cells[i];
        RECT rect = {x + cell.left, y + cell.top, x + cell.right, y + cell.bottom};
        const bool selected = static_cast<int>(i) == grid_.SelectedCell();
        DrawCalendarPicture(dc, cellPicture_.get(), rect, false);
        if (selected)
            DrawCalendarPicture(dc, selectedPicture_.get(), rect, true);
        if (todayShown && cell.kind == calendar::kShownMonth && cell.day == todayDay)
            DrawCalendarPicture(dc, todayPicture_.get(), rect, true);
        wchar_t number[4];
        _snwprintf(number, ARRAYSIZE(number), L"%d", cell.day);
        number[ARRAYSIZE(number) - 1] = 0;
        SetTextColor(dc, selected                             ? kSelectedDayColor
                         : cell.kind == calendar::kShownMonth ? kShownDayColor
                                                              : kOtherDayColor);
        DrawTextW(dc, number, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}
