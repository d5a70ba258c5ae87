// The tab bar: the back button and its drags, the tap on the bar that
// minimises wherever the stylus is lifted, hiding the button during a drag,
// and the title.
#include <gtest/gtest.h>

#include "ShellTestSupport.h"
#include "resource.h"
#include "shell/Messages.h"
#include "shell/TabBar.h"
#include "ui/Scaling.h"

using namespace shelltest;

namespace {

struct TabbarFixture {
    Recorder main{RECT{0, 0, 240, 300}};
    CMyTabbar bar;
    HWND barWindow = nullptr;
    HWND back = nullptr;

    TabbarFixture() {
        const RECT rect = {ScaleX(1), ScaleY(1), 240 - ScaleX(1), ScaleY(1 + CMyTabbar::kHeightUnits)};
        barWindow = bar.CreateBar(main.hwnd(), rect);
        bar.Show(SW_SHOW);
        back = bar.BackButtonWindow();
    }
};

TEST(TabBar, BackButtonAsksForBackAndDragsTheWindow) {
    TabbarFixture f;
    ASSERT_NE(f.back, nullptr);
    Tap(f.back, 5, 5);
    ASSERT_EQ(f.main.Count(UWM_BACK), 1) << "a tap on the back button";
    EXPECT_EQ(f.main.Last(UWM_BACK)->lParam, 0) << "back always names screen 0";
    EXPECT_EQ(f.main.Count(UWM_MINIMISE_NOW), 0) << "the button's tap is not a tap on the bar";

    // Sliding far off the button turns the press into a drag of the window.
    f.main.Clear();
    Press(f.back, 5, 5);
    MoveTo(f.back, -40, 5);
    Release(f.back, -40, 5);
    EXPECT_EQ(f.main.Count(UWM_DRAG_MOVE), 1);
    EXPECT_EQ(f.main.Count(UWM_DRAG_END), 1);
    EXPECT_EQ(f.main.Count(UWM_BACK), 0) << "a drag is no tap";
}

TEST(TabBar, TapOnTheBarMinimisesWhereverTheStylusIsLifted) {
    struct Case {
        const char *name;
        int releaseX, releaseY;
    } cases[] = {
        {"lifted on the bar", 20, 10},
        {"lifted below the bar, on the screen", 20, 200},
        {"lifted outside the window", -30, -10},
    };
    for (const Case &c : cases) {
        TabbarFixture f;
        Press(f.barWindow, 20, 10);
        EXPECT_EQ(GetCapture(), f.barWindow) << c.name << ": the bar holds the stylus";
        MoveTo(f.barWindow, c.releaseX, c.releaseY);
        Release(f.barWindow, c.releaseX, c.releaseY);
        EXPECT_EQ(f.main.Count(UWM_MINIMISE_NOW), 1) << c.name;
        EXPECT_EQ(f.main.Count(UWM_BACK), 0) << c.name;
        EXPECT_NE(GetCapture(), f.barWindow) << c.name << ": the stylus is free again";
    }
}

TEST(TabBar, ReleaseWithoutItsPressDoesNotMinimise) {
    TabbarFixture f;
    Release(f.barWindow, 20, 10);
    EXPECT_EQ(f.main.Count(UWM_MINIMISE_NOW), 0) << "no press on the bar before";

    // Another window takes the stylus in the middle of the press.
    Press(f.barWindow, 20, 10);
    SetCapture(f.main.hwnd());
    ReleaseCapture();
    Release(f.barWindow, 20, 10);
    EXPECT_EQ(f.main.Count(UWM_MINIMISE_NOW), 0) << "the press ended when the capture was lost";
}

TEST(TabBar, BackButtonStepsAsideWhileTheWindowIsDragged) {
    TabbarFixture f;
    ASSERT_TRUE(IsShown(f.back));
    SendMessageW(f.barWindow, UWM_DRAG_STATE, 0, 0);
    EXPECT_FALSE(IsShown(f.back)) << "dragging";
    SendMessageW(f.barWindow, UWM_DRAG_STATE, 0, 1);
    EXPECT_TRUE(IsShown(f.back)) << "drag ended";
}

TEST(TabBar, BackButtonSitsAtTheRightEndAsWideAsItsPicture) {
    for (const Resolution &r : kResolutions) {
        ScopedMetrics screen(r.width, r.height, r.dpi);
        Recorder main{RECT{0, 0, r.width, 300}};
        CMyTabbar bar;
        const int barWidth = r.width - 2 * ScaleX(1);
        ASSERT_NE(bar.CreateBar(main.hwnd(), RECT{1, 1, 1 + barWidth, 1 + ScaleY(38)}), nullptr) << r.name;
        const RECT rc = ChildRect(bar.BackButtonWindow());
        EXPECT_EQ(rc.right, barWidth) << r.name;
        EXPECT_EQ(rc.right - rc.left, ScaleX(34)) << r.name << ": the picture of this resolution";
        EXPECT_EQ(rc.bottom - rc.top, ScaleY(38)) << r.name;

        // Still at the end after the frame resizes the bar.
        MoveWindow(bar.GetHwnd(), 1, 1, barWidth - 50, ScaleY(38), TRUE);
        EXPECT_EQ(ChildRect(bar.BackButtonWindow()).right, barWidth - 50) << r.name;
    }
}

TEST(TabBar, TitleFromTheStringTable) {
    TabbarFixture f;
    f.bar.LoadTitle(IDS_TITLE_WORLD_CLOCK);
    EXPECT_STREQ(f.bar.Title(), L"World Clock");
}

} // namespace
