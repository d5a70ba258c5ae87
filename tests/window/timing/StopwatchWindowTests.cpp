// The stopwatch screen: Start, Stop and Start again adding up, laps taken
// while running (the display restarting from zero at each), Reset, the
// 100 ms guard against repeated presses, and counting on while hidden.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "BaseLib/Clock.h"
#include "ShellTestSupport.h"
#include "timing/LapListWnd.h"
#include "timing/StopWWnd.h"
#include "timing/TimerDisplayCtrl.h"
#include "timing/TimingMessages.h"
#include "ui/CustomBtt.h"
#include "ui/Messages.h"

using namespace shelltest;

namespace {

const SYSTEMTIME kNow = {2040, 5, 0, 1, 10, 0, 0, 0};

class StopwatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        Clock::Fake(100000, kNow);
        frame_ = std::make_unique<Recorder>(RECT{0, 0, 240, 268});
        screen_ = std::make_unique<CMyStopWWnd>();
        ASSERT_NE(screen_->Create(L"StopWWnd", WS_CHILD | WS_VISIBLE, RECT{0, 0, 240, 268}, frame_->hwnd(), 5555, true),
                  nullptr);
        Pump();
    }
    void TearDown() override {
        screen_.reset();
        frame_.reset();
        Clock::Real();
    }

    // A press of a button now, and one a little after the last press.
    void PressNow(UINT commandId) { SendMessageW(screen_->GetHwnd(), UWM_BAR_COMMAND, 0, commandId); }
    void Press(UINT commandId) {
        Clock::Advance(150);
        PressNow(commandId);
    }
    // Time passes by ms, then the display ticks.
    void Pass(DWORD ms) {
        Clock::Advance(ms);
        SendMessageW(Display().GetHwnd(), WM_TIMER, CMyTimerDisplayCtrl::kTickTimer, 0);
    }
    CMyTimerDisplayCtrl &Display() { return *screen_->Display(); }
    const wchar_t *Shown() { return Display().LastText(); }
    bool Visible(UINT commandId) { return IsShown(screen_->Button(commandId)->GetHwnd()); }

    std::unique_ptr<Recorder> frame_;
    std::unique_ptr<CMyStopWWnd> screen_;
};

} // namespace

TEST_F(StopwatchTest, StopKeepsTheTimeAndStartGoesOnFromIt) {
    EXPECT_STREQ(L"00:00.0", Shown());
    EXPECT_TRUE(Visible(kStopWStart) && Visible(kStopWReset));
    EXPECT_FALSE(Visible(kStopWStop) || Visible(kStopWLap));

    Press(kStopWStart);
    EXPECT_TRUE(Visible(kStopWStop) && Visible(kStopWLap));
    EXPECT_FALSE(Visible(kStopWStart) || Visible(kStopWReset));
    Pass(5040);
    PressNow(kStopWStop);
    EXPECT_STREQ(L"00:05.0", Shown());
    Clock::Advance(60000); // stopped: no time counts
    Press(kStopWStart);
    Pass(2000);
    PressNow(kStopWStop);
    EXPECT_STREQ(L"00:07.0", Shown());
}

TEST_F(StopwatchTest, LapsListNewestOnTopEachWithItsOwnTime) {
    Press(kStopWStart);
    Pass(1000);
    PressNow(kStopWLap); // a lap takes the time last shown
    Pass(62000);
    PressNow(kStopWLap);
    Pass(3600000);
    PressNow(kStopWLap);
    EXPECT_STREQ(L"00:00.0", Shown()) << "the display restarts at each lap";
    Pass(2500);
    EXPECT_STREQ(L"00:02.5", Shown()) << "the display shows the time since the last lap";

    const LapArray &laps = screen_->LapList()->Laps();
    ASSERT_EQ(3, laps.Count());
    EXPECT_STREQ(L"01:00:00.0", LapTimeText(laps.At(0)).Text()); // lap3, on top
    EXPECT_STREQ(L"01:02.0", LapTimeText(laps.At(1)).Text());
    EXPECT_STREQ(L"00:01.0", LapTimeText(laps.At(2)).Text()); // lap1, at the bottom
}

TEST_F(StopwatchTest, ResetWhenStoppedClearsTimeAndLaps) {
    Press(kStopWStart);
    Pass(3000);
    Press(kStopWLap);
    Press(kStopWReset);
    EXPECT_EQ(1, screen_->LapList()->Laps().Count()) << "Reset does nothing while running";
    Pass(1000);
    Press(kStopWStop);
    Press(kStopWReset);
    EXPECT_STREQ(L"00:00.0", Shown());
    EXPECT_EQ(0, screen_->LapList()->Laps().Count());
    EXPECT_EQ(CLapListWnd::kLeastRows, screen_->LapList()->List()->RowCount());
}

TEST_F(StopwatchTest, PressesWithin100MsActOnce) {
    Press(kStopWStart);
    Clock::Advance(100);
    SendMessageW(screen_->GetHwnd(), UWM_BAR_COMMAND, 0, kStopWStop);
    EXPECT_TRUE(screen_->Running());
    Clock::Advance(1);
    SendMessageW(screen_->GetHwnd(), UWM_BAR_COMMAND, 0, kStopWStop);
    EXPECT_FALSE(screen_->Running());
}

TEST_F(StopwatchTest, HiddenItCountsWithoutPaintingAndShownItCatchesUp) {
    Press(kStopWStart);
    Pass(1000);
    ShowWindow(screen_->GetHwnd(), SW_HIDE);
    Pass(4000);
    EXPECT_STREQ(L"00:01.0", Shown()) << "no painting while hidden";
    ShowWindow(screen_->GetHwnd(), SW_SHOW);
    EXPECT_STREQ(L"00:05.0", Shown());
    // The frame's slide animation stops painting too.
    SendMessageW(screen_->GetHwnd(), UWM_SLIDE, 0, 0);
    Pass(1000);
    EXPECT_STREQ(L"00:05.0", Shown());
    SendMessageW(screen_->GetHwnd(), UWM_SLIDE, 1, 0);
    Pass(100);
    EXPECT_STREQ(L"00:06.1", Shown());
}
