// PDateCtrlLeftItem: a row of the date-and-time selector, in either column:
// a day or a time of the value column, or a month or an hour of the jump
// column.
#pragma once
#include <windows.h>

#include "ui/PBufferDC.h"
#include "ui/PListWndItem.h"

// Row kinds.
enum DateRowKind {
    kDayRow = 0,   // value column, date mode
    kTimeRow = 1,  // value column, time mode
    kMonthRow = 2, // jump column, date mode
    kHourRow = 3,  // jump column, time mode
};

// Posted by a clicked row to its list: wParam the row's index, lParam the row.
const UINT UWM_DATE_ROW_CLICK = 3005;

class PDateCtrlLeftItem : public PListWndItem {
public:
    // font: shared by the rows of a column (not owned).
    PDateCtrlLeftItem(PListWnd *list, int index, DateRowKind kind, int height, HFONT font);

    void Draw(HDC dc, const RECT &rect) override;
    void Click() override;
    void DrawBackground(HDC dc, const RECT &rect) override;
    HBRUSH ControlColour(HDC dc) override;

    DateRowKind Kind() const { return kind_; }
    bool IsValueRow() const { return kind_ == kDayRow || kind_ == kTimeRow; }
    double Value() const { return value_; }
    // Sets the value (an OLE date) and its parts.
    void SetValue(double value);
    const SYSTEMTIME &Parts() const { return parts_; }
    // Minute of the day, 0..1439.
    int MinuteOfDay() const { return parts_.wHour * 60 + parts_.wMinute; }
    bool Blank() const { return blank_; }
    void SetBlank(bool blank) { blank_ = blank; }
    bool FirstVisible() const { return firstVisible_; }
    void SetFirstVisible(bool first) { firstVisible_ = first; }
    // Text of a value row is centred within this width from the row's left.
    void SetTextWidth(int width) { textWidth_ = width; }
    // Jump rows blend this block of the veil colour over themselves (not
    // owned; shared by the column).
    void SetVeil(const PBufferDC *veil) { veil_ = veil; }
    // Makes the veil block of a column.
    static bool MakeVeil(PBufferDC &veil, HWND window, int width, int height);

    // The text the row shows (empty for a blank row).
    void Text(wchar_t *buffer, int count) const;

private:
    DateRowKind kind_;
    double value_;
    SYSTEMTIME parts_;
    bool blank_;
    bool firstVisible_;
    COLORREF highlightColour_;
    COLORREF normalColour_;
    COLORREF lineColour_;
    HFONT font_; // not owned
    int textWidth_;
    const PBufferDC *veil_; // not owned
};

// Splits an OLE date into its parts, to the minute (seconds are rounded).
SYSTEMTIME SplitOleDate(double value);
// The OLE date of a day and a minute of that day.
double MakeOleDate(int year, int month, int day, int minuteOfDay);
