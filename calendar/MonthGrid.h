// The month grid of the calendar, without windows: day numbers of dates,
// month lengths, the column of a month's first day, the grid's rows and cell
// sizes, the cells of a shown month and the stylus taps and month steps on
// them. The calendar control draws what this computes.
#pragma once

#include <vector>

namespace calendar {

// Day numbers count days since 30 December 1899 (the integer part of an
// OLE date). Months given as "month1" run 1 to 12, all others 0 to 11.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Julian day number of the 1st of a month; Julian calendar before
// 15 October 1582, Gregorian from then on.
long JulianDayOfMonthStart(int year, int month1);
long DayNumber(int year, int month1, int day);
void DateOfDayNumber(long dayNumber, int *year, int *month1, int *day);
// Column (0 to 6) of the month's 1st in a week starting on Monday or Sunday.
int FirstColumn(int year, int month, bool mondayFirst);
// Rows a month needs (4 to 6).
int GridRows(int firstColumn, int daysInMonth);

// The years the calendar steps through: the Gregorian calendar throughout,
// so that the weekdays and the month lengths agree.
const int kFirstYear = 1601;
const int kLastYear = 9999;

enum CellKind { kPreviousMonth = -1, kShownMonth = 0, kNextMonth = 1 };

struct GridCell {
    int left, top, right, bottom;
    int kind; // a CellKind
    int day;  // 1-based
};

// What a tap did to the grid.
enum TapResult { kTapNothing, kTapDay, kTapMonthChanged };

class MonthGrid {
public:
    MonthGrid();

    // Sets the shown month and the selected day (0-based, held to the
    // month); the cells are rebuilt when the year or month differs.
    void SetDate(int year, int month, int day);
    void SetMondayFirst(bool mondayFirst);
    // Sizes the cells for a grid of this width above at most `height`
    // pixels and rebuilds them.
    void Layout(int width, int height, bool landscape);

    // One month earlier or later, the selected day held to the new month's
    // length (past it, the 1st); false at the ends of the calendar.
    bool PreviousMonth();
    bool NextMonth();
    // A tap at a point of the grid.
    TapResult Tap(int x, int y);
    // The cell containing a point, or -1.
    int CellAt(int x, int y) const;

    int Year() const { return year_; }
    int Month() const { return month_; }
    int Day() const { return day_; }
    int FirstColumnOfMonth() const { return firstColumn_; }
    int PreviousFirstColumn() const { return previousFirstColumn_; }
    bool MondayFirst() const { return mondayFirst_; }
    int Rows() const { return rows_; }
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    bool Landscape() const { return landscape_; }
    int GridHeight() const { return rows_ * cellHeight_; }
    const std::vector<GridCell> &Cells() const { return cells_; }
    int SelectedCell() const { return selectedCell_; }
    int PreviousCell() const { return previousCell_; }
    int Slide() const { return slide_; }
    void EndSlide() { slide_ = 0; }
    long SelectedDayNumber() const { return DayNumber(year_, month_ + 1, day_ + 1); }

    static const int kColumns = 7;

private:
    bool StepMonth(int step);
    void Rebuild();

    int year_, month_, day_;
    int firstColumn_, previousFirstColumn_;
    bool mondayFirst_;
    int rows_;
    int width_, height_;
    int cellWidth_, cellHeight_;
    bool landscape_;
    std::vector<GridCell> cells_;
    int selectedCell_, previousCell_;
    int slide_;
};

} // namespace calendar
