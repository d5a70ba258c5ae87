// JCalendarBody: the grid of days as it is drawn. The month's logic is the
// MonthGrid; this adds the pictures and fonts and paints the cells.
#pragma once
#include <windows.h>

#include "calendar/MonthGrid.h"
#include "ui/Gdi.h"

// Draws a picture stretched over rect; with `transparent`, its magenta
// parts are left out.
void DrawCalendarPicture(HDC dc, HBITMAP picture, const RECT &rect, bool transparent);

class JCalendarBody {
public:
    JCalendarBody();

    void LoadPictures();
    calendar::MonthGrid &Grid() { return grid_; }
    const calendar::MonthGrid &Grid() const { return grid_; }
    // Draws the cells with the grid's origin at (x, y); `today` is the day
    // number that gets the today picture.
    void Paint(HDC dc, int x, int y, long today) const;

private:
    calendar::MonthGrid grid_;
    Bitmap cellPicture_;
    Bitmap selectedPicture_;
    Bitmap todayPicture_;
    Font font_;
};
