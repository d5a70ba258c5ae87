// JBottomToday: the "Today" strip under the calendar grid. A tap on it goes
// back to today; its text names today's date.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"

class JBottomToday {
public:
    JBottomToday();

    // "Today " and the date as month/day/year in two digits each.
    void SetTodayText(const SYSTEMTIME &today);
    const Str &TodayText() const { return todayText_; }
    // Height in pixels; 0 while the strip is hidden.
    int StripHeight() const;
    bool StripShown() const { return stripShown_; }
    void ShowStrip(bool shown) { stripShown_ = shown; }
    void PaintStrip(HDC dc, const RECT &strip, HFONT font) const;

private:
    Str todayText_;
    bool stripShown_;
};
