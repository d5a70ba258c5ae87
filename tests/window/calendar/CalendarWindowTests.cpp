// The calendar screen under a recording stand-in for the main window: month
// steps by the header's buttons and their bounce lock-out, taps on days and
// grey days, the "Today" strip, and the day difference the screen reports.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "BaseLib/Clock.h"
#include "ShellTestSupport.h"
#include "calendar/CalendarCtrl.h"
#include "calendar/CalendarMessages.h"
#include "calendar/CalendarWnd.h"
#include "ui/Messages.h"

using namespace shelltest;

namespace {

// 31 January 2021, a Sunday.
const SYSTEMTIME kToday = {2021, 1, 0, 31, 10, 0, 0, 0};

class CalendarWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::Fake(100000, kToday);
        frame_ = std::make_unique<Recorder>(RECT{0, 0, 240, 268});
        screen_ = std::make_unique<CalendarWnd>();
        ASSERT_NE(
            screen_->Create(L"CalendarWnd", WS_CHILD | WS_VISIBLE, RECT{0, 0, 240, 268}, frame_->hwnd(), 5547, true),
            nullptr);
        Pump();
        frame_->Clear();
    }
    void TearDown() override {
        screen_.reset();
        frame_.reset();
        Clock::Real();
    }

    JCalendarCtrl &Ctrl() { return *screen_->Calendar(); }
    const calendar::MonthGrid &Grid() { return Ctrl().Body().Grid(); }
    // Taps the cell of that kind and day.
    void TapDay(int kind, int day) {
        for (const calendar::GridCell &cell : Grid().Cells()) {
            if (cell.kind == kind && cell.day == day) {
                Tap(Ctrl().GetHwnd(), (cell.left + cell.right) / 2,
                    Ctrl().HeaderHeight() + (cell.top + cell.bottom) / 2);
                Pump();
                return;
            }
        }
        ADD_FAILURE() << "no cell of kind " << kind << " day " << day;
    }
    void PressHeader(WPARAM button) {
        SendMessageW(Ctrl().GetHwnd(), UWM_TITLE_COMMAND, button, 0);
        Pump();
    }
    // The last difference reported to the main window.
    int ReportedDifference() {
        const Received *last = frame_->Last(UWM_GO_TODAY_TEXT);
        return last ? static_cast<int>(last->wParam) : -99999;
    }

    std::unique_ptr<Recorder> frame_;
    std::unique_ptr<CalendarWnd> screen_;
};

} // namespace

TEST_F(CalendarWindowTest, StartsOnTodaysMonthWithTodaySelected) {
    EXPECT_EQ(Grid().Year(), 2021);
    EXPECT_EQ(Grid().Month(), 0);
    EXPECT_EQ(Grid().Day(), 30);
    EXPECT_EQ(Ctrl().Today(), calendar::DayNumber(2021, 1, 31));
    EXPECT_STREQ(Ctrl().TodayText(), L"Today 01/31/21");
    EXPECT_NE(wcsstr(Ctrl().Title(), L"2021"), nullptr) << "title: " << static_cast<const wchar_t *>(Ctrl().Title());
}

TEST_F(CalendarWindowTest, HeaderButtonsStepMonthsAndReportTheDifference) {
    struct Step {
        WPARAM button;
        int year, month, day;
        int difference;
    };
    // From 31 January: February with the 1st, then back to January (the
    // 1st), then December of the year before.
    const Step steps[] = {
        {kCalNextButton, 2021, 1, 0, 1},
        {kCalPreviousButton, 2021, 0, 0, -30},
        {kCalPreviousButton, 2020, 11, 0, -61},
    };
    for (const Step &step : steps) {
        Clock::Advance(300);
        PressHeader(step.button);
        EXPECT_EQ(Grid().Year(), step.year);
        EXPECT_EQ(Grid().Month(), step.month);
        EXPECT_EQ(Grid().Day(), step.day);
        EXPECT_EQ(Ctrl().ShownDate(), calendar::DayNumber(step.year, step.month + 1, 1));
        EXPECT_EQ(ReportedDifference(), step.difference) << step.year << "-" << step.month + 1;
    }
}

TEST_F(CalendarWindowTest, HeaderButtonIgnoresPressesWithin201Milliseconds) {
    PressHeader(kCalNextButton);
    PressHeader(kCalNextButton);
    EXPECT_EQ(Grid().Month(), 1) << "a bounce stepped again";
    Clock::Advance(200);
    PressHeader(kCalNextButton);
    EXPECT_EQ(Grid().Month(), 1) << "200 ms after the press";
    PressHeader(kCalPreviousButton); // the other button has a lock of its own
    EXPECT_EQ(Grid().Month(), 0);
    Clock::Advance(1);
    PressHeader(kCalNextButton);
    EXPECT_EQ(Grid().Month(), 1) << "201 ms after the accepted press";
}

TEST_F(CalendarWindowTest, TapsOnDaysReportDaysFromToday) {
    struct TapCase {
        int kind, day;
        int year, month, difference;
    };
    const TapCase taps[] = {
        {calendar::kShownMonth, 30, 2021, 0, -1},   // yesterday
        {calendar::kShownMonth, 31, 2021, 0, 0},    // today
        {calendar::kNextMonth, 1, 2021, 1, 1},      // tomorrow, a grey day
        {calendar::kPreviousMonth, 31, 2021, 0, 0}, // back by a grey day
    };
    for (const TapCase &tap : taps) {
        Clock::Advance(300);
        TapDay(tap.kind, tap.day);
        EXPECT_EQ(Grid().Year(), tap.year);
        EXPECT_EQ(Grid().Month(), tap.month);
        EXPECT_EQ(Grid().Day(), tap.day - 1);
        EXPECT_EQ(ReportedDifference(), tap.difference) << "day " << tap.day << " of kind " << tap.kind;
        EXPECT_EQ(screen_->Difference(), tap.difference);
    }
}

TEST_F(CalendarWindowTest, TodayStripAndTheBottomBarGoBackToToday) {
    PressHeader(kCalNextButton);
    Clock::Advance(300);
    PressHeader(kCalNextButton);
    ASSERT_EQ(Grid().Month(), 2);
    const RECT strip = Ctrl().StripRect();
    Tap(Ctrl().GetHwnd(), (strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2);
    Pump();
    EXPECT_EQ(Grid().Month(), 0);
    EXPECT_EQ(Grid().Day(), 30);
    EXPECT_EQ(ReportedDifference(), 0);

    Clock::Advance(300);
    PressHeader(kCalPreviousButton);
    SendMessageW(screen_->GetHwnd(), UWM_CAL_TODAY, 0, 0);
    Pump();
    EXPECT_EQ(Grid().Month(), 0);
    EXPECT_EQ(ReportedDifference(), 0);
}

TEST_F(CalendarWindowTest, RefreshReportsTheSelectionAgainstTheCurrentDate) {
    TapDay(calendar::kShownMonth, 20);
    ASSERT_EQ(ReportedDifference(), -11);
    // The next day: the selection is a day further from today.
    Clock::Advance(24 * 60 * 60 * 1000);
    frame_->Clear();
    SendMessageW(screen_->GetHwnd(), UWM_CAL_REFRESH, 0, 0);
    Pump();
    EXPECT_EQ(frame_->Count(UWM_GO_TODAY_TEXT), 1);
    EXPECT_EQ(ReportedDifference(), -12);
}

TEST_F(CalendarWindowTest, MonthChangeSlidesUntilTheTimerHasTicked) {
    PressHeader(kCalNextButton);
    for (int tick = 0; tick < JCalendarCtrl::kSlideSteps; ++tick)
        SendMessageW(Ctrl().GetHwnd(), WM_TIMER, 1, 0);
    EXPECT_FALSE(Ctrl().Sliding());
    EXPECT_EQ(Grid().Slide(), 0);
}

TEST_F(CalendarWindowTest, ControlFitsHeaderGridAndStrip) {
    RECT rect = ChildRect(Ctrl().GetHwnd());
    const int expected = Ctrl().HeaderHeight() + Grid().GridHeight() + Ctrl().StripHeight();
    EXPECT_EQ(rect.bottom - rect.top, expected < 268 ? expected : 268);
    EXPECT_EQ(rect.right - rect.left, 240);
}
