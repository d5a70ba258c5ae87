#include "calendar/MonthGrid.h"

#include <cmath>

namespace calendar {

namespace {

const int kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
// Julian day number of 30 December 1899, day number 0.
const long kDayNumberEpoch = 2415019;

} // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    if (month < 0 || month > 11)
        return 0;
    return month == 1 && IsLeapYear(year) ? 29 : kMonthLengths[month];
}

long JulianDayOfMonthStart(int year, int month1) {
    int y = year, m = month1 + 1;
    if (month1 < 3) {
        y = year - 1;
        m = month1 + 13;
    }
    long julian = static_cast<long>(std::floor(365.25 * y)) + static_cast<long>(std::floor(30.6001 * m)) + 1720996;
    // The Gregorian reform: 15 October 1582 and later.
    if ((month1 + 12L * year) * 31 + 1 >= 588829) {
        const int a = static_cast<int>(0.01 * y);
        julian += 2 - a + static_cast<int>(0.25 * a);
    }
    return julian;
}

long DayNumber(int year, int month1, int day) {
    return JulianDayOfMonthStart(year, month1) + (day - 1) - kDayNumberEpoch;
}

// Gregorian date of a day count (days from 1 March of year 0 by eras of
// 400 years), so the inverse does not lean on the forward formula.
void DateOfDayNumber(long dayNumber, int *year, int *month1, int *day) {
    const long z = dayNumber + 693899; // days since 1 March of year 0
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long dayOfEra = z - era * 146097;
    const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long mp = (5 * dayOfYear + 2) / 153;
    *day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    *month1 = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *year = static_cast<int>(yearOfEra + era * 400 + (*month1 <= 2 ? 1 : 0));
}

int FirstColumn(int year, int month, bool mondayFirst) {
    const int sundayBased = static_cast<int>((JulianDayOfMonthStart(year, month + 1) + 1) % 7);
    if (!mondayFirst)
        return sundayBased;
    return sundayBased == 0 ? 6 : sundayBased - 1;
}

int GridRows(int firstColumn, int daysInMonth) { return (firstColumn + daysInMonth + 6) / 7; }

MonthGrid::MonthGrid()
    : year_(2000), month_(0), day_(0), firstColumn_(0), previousFirstColumn_(0), mondayFirst_(false), rows_(5),
      width_(0), height_(0), cellWidth_(0), cellHeight_(0), landscape_(false), selectedCell_(-1), previousCell_(-1),
      slide_(0) {
    Rebuild();
}

void MonthGrid::SetDate(int year, int month, int day) {
    if (year < kFirstYear || year > kLastYear || month < 0 || month > 11)
        return;
    if (year != year_ || month != month_)
        previousFirstColumn_ = firstColumn_;
    if (day < 0)
        day = 0;
    if (day >= DaysInMonth(year, month))
        day = DaysInMonth(year, month) - 1;
    year_ = year;
    month_ = month;
    day_ = day;
    Rebuild();
}

void MonthGrid::SetMondayFirst(bool mondayFirst) {
    if (mondayFirst_ == mondayFirst)
        return;
    mondayFirst_ = mondayFirst;
    Rebuild();
}

void MonthGrid::Layout(int width, int height, bool landscape) {
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    landscape_ = landscape;
    Rebuild();
}

bool MonthGrid::PreviousMonth() { return StepMonth(-1); }
bool MonthGrid::NextMonth() { return StepMonth(1); }

bool MonthGrid::StepMonth(int step) {
    int year = year_, month = month_ + step;
    if (month < 0) {
        month = 11;
        --year;
    } else if (month > 11) {
        month = 0;
        ++year;
    }
    if (year < kFirstYear || year > kLastYear)
        return false;
    previousFirstColumn_ = firstColumn_;
    year_ = year;
    month_ = month;
    if (day_ >= DaysInMonth(year, month))
        day_ = 0;
    slide_ = step;
    Rebuild();
    return true;
}

TapResult MonthGrid::Tap(int x, int y) {
    const int index = CellAt(x, y);
    if (index < 0 || index == selectedCell_)
        return kTapNothing;
    const GridCell cell = cells_[index];
    day_ = cell.day - 1;
    if (cell.kind == kPreviousMonth)
        return PreviousMonth() ? kTapMonthChanged : kTapNothing;
    if (cell.kind == kNextMonth)
        return NextMonth() ? kTapMonthChanged : kTapNothing;
    previousCell_ = selectedCell_;
    selectedCell_ = index;
    return kTapDay;
}

int MonthGrid::CellAt(int x, int y) const {
    for (size_t i = 0; i < cells_.size(); ++i) {
        const GridCell &c = cells_[i];
        if (x >= c.left && x < c.right && y >= c.top && y < c.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

void MonthGrid::Rebuild() {
    firstColumn_ = FirstColumn(year_, month_, mondayFirst_);
    const int length = DaysInMonth(year_, month_);
    rows_ = GridRows(firstColumn_, length);
    cellWidth_ = width_ / kColumns;
    cellHeight_ = static_cast<int>(cellWidth_ * (landscape_ ? 0.4 : 0.87));
    if (rows_ * cellHeight_ > height_)
        cellHeight_ = height_ / rows_;
    // The grid is centred across the width the sevenths leave over.
    const int left = (width_ - cellWidth_ * kColumns) / 2;
    const int previousLength = DaysInMonth(month_ == 0 ? year_ - 1 : year_, month_ == 0 ? 11 : month_ - 1);

    previousCell_ = selectedCell_;
    selectedCell_ = -1;
    cells_.clear();
    for (int index = 0; index < rows_ * kColumns; ++index) {
        GridCell cell;
        const int row = index / kColumns, column = index % kColumns;
        cell.left = left + column * cellWidth_;
        cell.top = row * cellHeight_;
        cell.right = cell.left + cellWidth_;
        cell.bottom = cell.top + cellHeight_;
        const int day = index - firstColumn_ + 1;
        if (day < 1) {
            cell.kind = kPreviousMonth;
            cell.day = previousLength + day;
        } else if (day > length) {
            cell.kind = kNextMonth;
            cell.day = day - length;
        } else {
            cell.kind = kShownMonth;
            cell.day = day;
            if (day - 1 == day_)
                selectedCell_ = index;
        }
        cells_.push_back(cell);
    }
}

} // namespace calendar
