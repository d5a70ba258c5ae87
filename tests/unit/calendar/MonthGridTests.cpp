// The month grid's logic: day numbers and first columns against the
// system's own date conversions, month lengths, month steps, taps on grey
// days and the grid's rows and cell sizes.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleauto.h>

#include "calendar/MonthGrid.h"

using namespace calendar;

namespace {

// The system's day number (OLE date) and weekday (0 Sunday) of a date.
long SystemDayNumber(int year, int month1, int day) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month1);
    time.wDay = static_cast<WORD>(day);
    double ole = 0;
    EXPECT_TRUE(SystemTimeToVariantTime(&time, &ole));
    return static_cast<long>(ole);
}

int SystemWeekday(int year, int month1, int day) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month1);
    time.wDay = static_cast<WORD>(day);
    FILETIME file;
    EXPECT_TRUE(SystemTimeToFileTime(&time, &file));
    SYSTEMTIME back;
    EXPECT_TRUE(FileTimeToSystemTime(&file, &back));
    return back.wDayOfWeek;
}

MonthGrid GridAt(int year, int month, int day, bool mondayFirst = false, int width = 240, int height = 400) {
    MonthGrid grid;
    grid.SetMondayFirst(mondayFirst);
    grid.Layout(width, height, false);
    grid.SetDate(year, month, day);
    return grid;
}

// Centre of the first cell of a kind with that day.
bool FindCell(const MonthGrid &grid, int kind, int day, int *x, int *y) {
    for (const GridCell &cell : grid.Cells()) {
        if (cell.kind == kind && cell.day == day) {
            *x = (cell.left + cell.right) / 2;
            *y = (cell.top + cell.bottom) / 2;
            return true;
        }
    }
    return false;
}

} // namespace

TEST(MonthGrid, DayNumberAndFirstColumnAgreeWithTheSystemForManyMonths) {
    for (int year = 1601; year <= 2500; year += 7) {
        for (int month = 0; month < 12; ++month) {
            const int weekday = SystemWeekday(year, month + 1, 1);
            EXPECT_EQ(DayNumber(year, month + 1, 1), SystemDayNumber(year, month + 1, 1)) << year << "-" << month + 1;
            EXPECT_EQ(FirstColumn(year, month, false), weekday) << year << "-" << month + 1;
            EXPECT_EQ(FirstColumn(year, month, true), (weekday + 6) % 7) << year << "-" << month + 1;
        }
    }
}

TEST(MonthGrid, DateOfDayNumberInvertsDayNumber) {
    for (long number = DayNumber(1601, 1, 1); number < DayNumber(2401, 1, 1); number += 37) {
        int year = 0, month = 0, day = 0;
        DateOfDayNumber(number, &year, &month, &day);
        EXPECT_EQ(DayNumber(year, month, day), number) << year << "-" << month << "-" << day;
        EXPECT_EQ(SystemDayNumber(year, month, day), number);
    }
}

TEST(MonthGrid, MonthLengthsFollowTheLeapYearRule) {
    struct Case {
        int year, month, days;
    };
    const Case cases[] = {
        {1900, 1, 28}, {2000, 1, 29}, {2004, 1, 29},  {2100, 1, 28}, {2023, 1, 28},
        {2023, 0, 31}, {2023, 3, 30}, {2023, 11, 31}, {2023, 12, 0}, {2023, -1, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << " month " << c.month;
}

TEST(MonthGrid, DayDifferencesCountWholeDatesAcrossMonthAndYearEnds) {
    struct Case {
        int y1, m1, d1, y2, m2, d2;
        long difference;
    };
    const Case cases[] = {
        {2021, 1, 31, 2021, 2, 1, 1},   {2021, 3, 1, 2021, 2, 28, -1}, {2020, 12, 31, 2021, 1, 1, 1},
        {2021, 1, 1, 2020, 12, 31, -1}, {2021, 5, 15, 2021, 5, 15, 0}, {2020, 2, 28, 2020, 3, 1, 2},
        {2021, 1, 15, 2021, 2, 15, 31},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DayNumber(c.y2, c.m2, c.d2) - DayNumber(c.y1, c.m1, c.d1), c.difference)
            << c.y1 << "-" << c.m1 << "-" << c.d1 << " to " << c.y2 << "-" << c.m2 << "-" << c.d2;
}

TEST(MonthGrid, MonthStepsWrapTheYearAndHoldTheDayToTheMonth) {
    struct Case {
        int year, month, day, step;
        int newYear, newMonth, newDay, slide;
    };
    const Case cases[] = {
        {2021, 0, 30, 1, 2021, 1, 0, 1},    // 31 January: February with the 1st
        {2021, 11, 14, 1, 2022, 0, 14, 1},  // December to January of the next year
        {2021, 0, 9, -1, 2020, 11, 9, -1},  // January to December of the previous year
        {2020, 2, 30, -1, 2020, 1, 0, -1},  // 31 March to a February of 29 days
        {2020, 2, 28, -1, 2020, 1, 28, -1}, // 29 March to 29 February of a leap year
    };
    for (const Case &c : cases) {
        MonthGrid grid = GridAt(c.year, c.month, c.day);
        ASSERT_TRUE(c.step > 0 ? grid.NextMonth() : grid.PreviousMonth());
        EXPECT_EQ(grid.Year(), c.newYear);
        EXPECT_EQ(grid.Month(), c.newMonth);
        EXPECT_EQ(grid.Day(), c.newDay) << "from " << c.year << "-" << c.month + 1 << "-" << c.day + 1;
        EXPECT_EQ(grid.Slide(), c.slide);
        ASSERT_GE(grid.SelectedCell(), 0);
        EXPECT_EQ(grid.Cells()[grid.SelectedCell()].day, c.newDay + 1);
        EXPECT_EQ(grid.Cells()[grid.SelectedCell()].kind, kShownMonth);
    }
}

TEST(MonthGrid, StepsStopAtTheEndsOfTheCalendar) {
    MonthGrid last = GridAt(kLastYear, 11, 0);
    EXPECT_FALSE(last.NextMonth());
    EXPECT_EQ(last.Year(), kLastYear);
    MonthGrid first = GridAt(kFirstYear, 0, 0);
    EXPECT_FALSE(first.PreviousMonth());
    EXPECT_EQ(first.Month(), 0);
}

TEST(MonthGrid, FirstColumnFollowsTheWeekStart) {
    // 1 August 2021 is a Sunday, 1 February 2021 a Monday.
    struct Case {
        int year, month;
        bool mondayFirst;
        int column;
    };
    const Case cases[] = {
        {2021, 7, true, 6},
        {2021, 7, false, 0},
        {2021, 1, true, 0},
        {2021, 1, false, 1},
    };
    for (const Case &c : cases) {
        MonthGrid grid = GridAt(c.year, c.month, 0, c.mondayFirst);
        EXPECT_EQ(grid.FirstColumnOfMonth(), c.column) << c.year << "-" << c.month + 1 << " monday " << c.mondayFirst;
        EXPECT_EQ(grid.Cells()[c.column].kind, kShownMonth);
        EXPECT_EQ(grid.Cells()[c.column].day, 1);
        if (c.column > 0) { // the grey days end with the previous month's last
            EXPECT_EQ(grid.Cells()[c.column - 1].day, DaysInMonth(c.year, c.month - 1));
        }
    }
}

TEST(MonthGrid, RowsRunFromFourToSix) {
    struct Case {
        int year, month;
        bool mondayFirst;
        int rows;
    };
    const Case cases[] = {
        {2015, 1, false, 4},                      // February starting on Sunday
        {2021, 1, true, 4},                       // February starting on Monday
        {2021, 1, false, 5}, {2020, 7, false, 6}, // August starting on Saturday
        {2021, 7, true, 6},                       // August starting on Sunday, Monday-first
        {2021, 7, false, 5},
    };
    for (const Case &c : cases) {
        MonthGrid grid = GridAt(c.year, c.month, 0, c.mondayFirst);
        EXPECT_EQ(grid.Rows(), c.rows) << c.year << "-" << c.month + 1;
        EXPECT_EQ(static_cast<int>(grid.Cells().size()), c.rows * 7);
    }
}

TEST(MonthGrid, CellSizesFollowOrientationAndTheHeightLeft) {
    struct Case {
        int width, height;
        bool landscape;
        int cellWidth, cellHeight;
    };
    const Case cases[] = {
        {240, 400, false, 34, 29}, // 34 x 0.87
        {320, 400, true, 45, 18},  // 45 x 0.4
        {240, 100, false, 34, 20}, // five rows share 100 pixels
        {480, 800, false, 68, 59},
    };
    for (const Case &c : cases) {
        MonthGrid grid;
        grid.SetDate(2021, 1, 0); // February 2021: five rows
        grid.Layout(c.width, c.height, c.landscape);
        EXPECT_EQ(grid.CellWidth(), c.cellWidth) << c.width << "x" << c.height;
        EXPECT_EQ(grid.CellHeight(), c.cellHeight) << c.width << "x" << c.height;
        EXPECT_LE(grid.GridHeight(), c.height);
    }
}

TEST(MonthGrid, TapsSelectDaysAndGreyDaysChangeTheMonth) {
    struct Case {
        const char *name;
        int kind, day;
        TapResult result;
        int year, month, selectedDay;
    };
    // January 2021 (Sunday-first) shows 27 to 31 December and 1 to 6 February.
    const Case cases[] = {
        {"shown day", kShownMonth, 20, kTapDay, 2021, 0, 19},
        {"grey next-month day", kNextMonth, 3, kTapMonthChanged, 2021, 1, 2},
        {"grey previous-month day", kPreviousMonth, 29, kTapMonthChanged, 2020, 11, 28},
        {"selected day", kShownMonth, 10, kTapNothing, 2021, 0, 9},
    };
    for (const Case &c : cases) {
        MonthGrid grid = GridAt(2021, 0, 9);
        int x = 0, y = 0;
        ASSERT_TRUE(FindCell(grid, c.kind, c.day, &x, &y)) << c.name;
        EXPECT_EQ(grid.Tap(x, y), c.result) << c.name;
        EXPECT_EQ(grid.Year(), c.year) << c.name;
        EXPECT_EQ(grid.Month(), c.month) << c.name;
        EXPECT_EQ(grid.Day(), c.selectedDay) << c.name;
        ASSERT_GE(grid.SelectedCell(), 0) << c.name;
        EXPECT_EQ(grid.Cells()[grid.SelectedCell()].day, c.selectedDay + 1) << c.name;
    }
}

TEST(MonthGrid, TapOutsideTheCellsDoesNothing) {
    MonthGrid grid = GridAt(2021, 0, 9);
    EXPECT_EQ(grid.Tap(5, grid.GridHeight() + 3), kTapNothing);
    EXPECT_EQ(grid.Tap(-1, 5), kTapNothing);
    EXPECT_EQ(grid.Day(), 9);
}
