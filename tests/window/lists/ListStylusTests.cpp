// The row window under the stylus: press highlight, drag threshold, rubber
// band and bounce, flicks, in-row buttons and clicks.
#include <gtest/gtest.h>

#include "BaseLib/Clock.h"
#include "ListTestSupport.h"

namespace listtest {
namespace {

// Rows are 43 pixels high at 96 dpi: row r spans 43r .. 43r + 42.
const int kRow = 43;

class ListStylus : public ListFixture {};

void Tick(HWND list, int times) {
    for (int i = 0; i < times; ++i)
        SendMessageW(list, WM_TIMER, CListWnd::kHighlightTimer, 0);
}

TEST_F(ListStylus, QuickTapShowsTheHighlightBeforeTheClick) {
    MakeList(10);
    Stylus(WM_LBUTTONDOWN, 50, 20);
    // At once the row is pressed but not yet shown pressed.
    EXPECT_TRUE(Rows().RowPressed(0));
    EXPECT_EQ(screen.IndexOf("draw", 0, 1), -1) << "highlight shown before 100 ms";
    Clock::Advance(30);
    Tick(ListHwnd(), 3);
    Stylus(WM_LBUTTONUP, 50, 20);
    const int shown = screen.IndexOf("draw", 0, 1);
    const int click = screen.IndexOf("click", 0);
    ASSERT_GE(shown, 0) << "a quick tap never showed its highlight";
    ASSERT_GE(click, 0);
    EXPECT_LT(shown, click);
    ASSERT_EQ(waits.size(), 1u);
    EXPECT_EQ(waits[0], 100u) << "the highlight is held 100 ms";
    EXPECT_FALSE(screen.events.back().kind == "draw" && screen.events.back().pressed);
    EXPECT_FALSE(Rows().RowPressed(0));
    EXPECT_EQ(Rows().PressedRow(), -1);
}

TEST_F(ListStylus, HeldPressShowsTheHighlightAfterTenTicksAndNeedsNoHold) {
    MakeList(10);
    Stylus(WM_LBUTTONDOWN, 50, 60);
    Tick(ListHwnd(), 9);
    EXPECT_EQ(screen.IndexOf("draw", 1, 1), -1);
    Tick(ListHwnd(), 1);
    EXPECT_GE(screen.IndexOf("draw", 1, 1), 0);
    Stylus(WM_LBUTTONUP, 50, 60);
    EXPECT_TRUE(waits.empty());
    ASSERT_NE(screen.LastOf("click"), nullptr);
    EXPECT_EQ(screen.LastOf("click")->row, 1);
}

TEST_F(ListStylus, MoreThanTenUnitsStartsADrag) {
    struct Case {
        int dx, dy;
        bool drags;
    } cases[] = {{0, 10, false}, {0, -10, false}, {0, 11, true}, {0, -11, true}, {10, 0, false}, {11, 0, true}};
    for (const Case &c : cases) {
        MakeList(20);
        Stylus(WM_LBUTTONDOWN, 100, 150);
        Stylus(WM_MOUSEMOVE, 100 + c.dx, 150 + c.dy);
        EXPECT_EQ(Rows().Dragging(), c.drags) << "move " << c.dx << "," << c.dy;
        EXPECT_EQ(Rows().PressedRow() == -1, c.drags) << "move " << c.dx << "," << c.dy;
        Stylus(WM_LBUTTONUP, 100 + c.dx, 150 + c.dy);
        Pump();
        EXPECT_EQ(screen.Clicks(), c.drags ? 0 : 1) << "move " << c.dx << "," << c.dy;
        screen.events.clear();
        Rows().SetOffset(0);
    }
}

TEST_F(ListStylus, ReleaseOnAnotherRowCallsNothing) {
    MakeList(10);
    // Within the drag threshold, but across the border between rows 0 and 1.
    Stylus(WM_LBUTTONDOWN, 50, kRow - 4);
    Stylus(WM_MOUSEMOVE, 50, kRow + 4);
    Stylus(WM_LBUTTONUP, 50, kRow + 4);
    Pump();
    EXPECT_EQ(screen.Clicks(), 0);
    EXPECT_FALSE(Rows().RowPressed(0));
    // Released below the last row.
    MakeList(3);
    Stylus(WM_LBUTTONDOWN, 50, 3 * kRow - 3);
    Stylus(WM_LBUTTONUP, 50, 3 * kRow + 3);
    EXPECT_EQ(screen.Clicks(), 0);
}

TEST_F(ListStylus, PullingDownFortyPixelsMovesHalfAndBouncesBack) {
    MakeList(20);
    Stylus(WM_LBUTTONDOWN, 100, 100);
    Stylus(WM_MOUSEMOVE, 100, 120);
    Stylus(WM_MOUSEMOVE, 100, 140);
    EXPECT_NEAR(Rows().Offset(), -20, 1);
    Stylus(WM_LBUTTONUP, 100, 140);
    EXPECT_TRUE(Queued(ListHwnd(), UWM_LIST_BOUNCE_TOP));
    Pump();
    EXPECT_EQ(Rows().Offset(), 0);
    EXPECT_EQ(screen.Clicks(), 0);
}

TEST_F(ListStylus, PushingPastTheEndBouncesBackToTheEnd) {
    MakeList(10); // 430 pixels in 300: the end is at 130
    Rows().SetOffset(Rows().MaxOffset());
    Stylus(WM_LBUTTONDOWN, 100, 200);
    Stylus(WM_MOUSEMOVE, 100, 140);
    EXPECT_NEAR(Rows().Offset(), Rows().MaxOffset() + 30, 1);
    Stylus(WM_LBUTTONUP, 100, 140);
    Pump();
    EXPECT_EQ(Rows().Offset(), Rows().MaxOffset());
}

// Drags the list up so that the last 100 ms before the release moved it by
// `change` pixels.
void DragWithFinalChange(HWND list, int change) {
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, Point(100, 250));
    Clock::Advance(50);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, Point(100, 200));
    Clock::Advance(50);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, Point(100, 200)); // sample
    Clock::Advance(1000);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, Point(100, 200 - change));
    SendMessageW(list, WM_LBUTTONUP, 0, Point(100, 200 - change));
}

TEST_F(ListStylus, FlickStartsFromFiftyPixelsPerSecond) {
    struct Case {
        int pixelsPerSecond;
        bool flicks;
    } cases[] = {{49, false}, {50, true}, {300, true}};
    for (const Case &c : cases) {
        MakeList(50);
        DragWithFinalChange(ListHwnd(), c.pixelsPerSecond);
        const int released = Rows().Offset();
        EXPECT_EQ(Rows().Speed(), c.pixelsPerSecond);
        EXPECT_EQ(Queued(ListHwnd(), UWM_LIST_FLICK), c.flicks) << c.pixelsPerSecond << " px/s";
        Pump();
        // The flick scrolls by the speed, at most 250 units.
        const int expected = c.flicks ? std::min(c.pixelsPerSecond, 250) : 0;
        EXPECT_EQ(Rows().Offset() - released, expected) << c.pixelsPerSecond << " px/s";
    }
}

TEST_F(ListStylus, FlickFramesEaseAndLastFiftyMilliseconds) {
    MakeList(50);
    std::vector<int> offsets;
    onWait = [&](DWORD) { offsets.push_back(Rows().Offset()); };
    DragWithFinalChange(ListHwnd(), 200);
    const int start = Rows().Offset();
    waits.clear();
    offsets.clear();
    Pump();
    ASSERT_GE(offsets.size(), 3u);
    // First frame: (10453 + 200 x 2364) / 10000 = 48 pixels.
    EXPECT_EQ(offsets[0] - start, 48);
    for (size_t i = 1; i < offsets.size(); ++i)
        EXPECT_LE(offsets[i] - offsets[i - 1], offsets[i - 1] - (i > 1 ? offsets[i - 2] : start));
    for (DWORD w : waits)
        EXPECT_EQ(w, 50u);
    EXPECT_EQ(Rows().Offset(), start + 200);
}

TEST_F(ListStylus, APressDuringAFlickStopsTheList) {
    MakeList(50);
    int frames = 0;
    int stoppedAt = -1;
    onWait = [&](DWORD) {
        if (++frames == 2) {
            stoppedAt = Rows().Offset();
            PostMessageW(ListHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(100, 100));
        }
    };
    DragWithFinalChange(ListHwnd(), 250);
    const int start = Rows().Offset();
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, ListHwnd(), UWM_LIST_FLICK, UWM_LIST_FLICK, PM_REMOVE));
    DispatchMessageW(&msg);
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(Rows().Offset(), stoppedAt);
    EXPECT_LT(Rows().Offset(), start + 250);
    Pump(); // the press itself
    Stylus(WM_LBUTTONUP, 100, 100);
}

TEST_F(ListStylus, FlickPastTheTopStopsAtTwoThirdsOfTheWindowAndBounces) {
    MakeList(50);
    Rows().SetOffset(100);
    Stylus(WM_LBUTTONDOWN, 100, 100);
    Clock::Advance(100);
    Stylus(WM_MOUSEMOVE, 100, 115); // a drag, offset 85
    Clock::Advance(100);
    Stylus(WM_MOUSEMOVE, 100, 160); // offset 40: 450 pixels per second upwards
    Stylus(WM_LBUTTONUP, 100, 160);
    ASSERT_EQ(Rows().Speed(), -450);
    int lowest = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
        lowest = std::min(lowest, Rows().Offset());
        if (msg.message == UWM_LIST_FLICK) {
            EXPECT_EQ(Rows().Offset(), -200) << "250 units, cut at two thirds of the 300-pixel window";
        }
    }
    EXPECT_EQ(lowest, -200);
    EXPECT_EQ(Rows().Offset(), 0) << "bounced back to the top";
    EXPECT_TRUE(waits.empty()) << "frames upwards are not paced";
}

TEST_F(ListStylus, InRowButtonsArePressedAndReported) {
    screen.buttons = {RECT{180, 5, 220, 35}};
    MakeList(10);
    struct Case {
        int pressX, releaseX;
        int shownButton, clickedButton;
    } cases[] = {{200, 200, 0, 0}, {50, 50, -1, -1}, {200, 50, 0, -1}};
    for (const Case &c : cases) {
        screen.events.clear();
        Stylus(WM_LBUTTONDOWN, c.pressX, kRow + 20);
        Tick(ListHwnd(), 10);
        const int drawn = screen.IndexOf("draw", 1, 1);
        ASSERT_GE(drawn, 0);
        EXPECT_EQ(screen.events[drawn].button, c.shownButton) << "press at " << c.pressX;
        Stylus(WM_LBUTTONUP, c.releaseX, kRow + 20);
        ASSERT_NE(screen.LastOf("click"), nullptr);
        EXPECT_EQ(screen.LastOf("click")->button, c.clickedButton) << "press " << c.pressX << " release " << c.releaseX;
        EXPECT_EQ(Rows().PressedButton(1), -1);
    }
}

TEST_F(ListStylus, StylusMessagesQueuedDuringAClickAreDropped) {
    MakeList(10);
    Stylus(WM_LBUTTONDOWN, 50, 20);
    // A bouncing stylus: a second tap queued while the first one is handled.
    PostMessageW(ListHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 20));
    PostMessageW(ListHwnd(), WM_LBUTTONUP, 0, Point(50, 20));
    Stylus(WM_LBUTTONUP, 50, 20);
    Pump();
    EXPECT_EQ(screen.Clicks(), 1);
}

TEST_F(ListStylus, CancelModeReleasesThePressedRow) {
    MakeList(10);
    Stylus(WM_LBUTTONDOWN, 50, 20);
    SendMessageW(ListHwnd(), WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(Rows().RowPressed(0));
    Stylus(WM_LBUTTONUP, 50, 20);
    EXPECT_EQ(screen.Clicks(), 0);
}

} // namespace
} // namespace listtest
