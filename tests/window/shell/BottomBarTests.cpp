// The bottom bar: which buttons each screen shows and where, their taps as
// bottom-bar actions, the drag threshold and bounds of the bar's own drags,
// the menu button's hold on them, and the calendar's tap to today.
#include <gtest/gtest.h>

#include <string>

#include "ShellTestSupport.h"
#include "shell/BottomBar.h"
#include "shell/Messages.h"
#include "ui/ScreenDescriptor.h"
#include "ui/Scaling.h"
#include "ui/Desktop.h"

using namespace shelltest;

namespace {

ScreenDescriptor Screen(int id, int menu, int copy, int paste, int newNote, int nextRecent, int minimise) {
    ScreenDescriptor d = {};
    d.screenId = id, d.menu = menu, d.copy = copy, d.paste = paste;
    d.newNote = newNote, d.nextRecent = nextRecent, d.minimise = minimise;
    return d;
}

const ScreenDescriptor kDesk = Screen(kScreenDesk, 1, 0, 0, 0, 0, 1);
const ScreenDescriptor kNote = Screen(kScreenNote, 1, 1, 1, 1, 1, 0);
const ScreenDescriptor kCalculator = Screen(kScreenCalculator, 1, 1, 1, 0, 0, 1);
const ScreenDescriptor kCalendar = Screen(kScreenCalendar, 1, 0, 0, 0, 0, 1);

struct BarFixture {
    int width;
    Recorder main;
    CMyBottomBar bar;
    HWND barWindow = nullptr;

    explicit BarFixture(const ScreenDescriptor &screen, int mainWidth = 240)
        : width(mainWidth - 2 * ScaleX(1)), main(RECT{0, 0, mainWidth, 300}) {
        CurrentScreen() = screen;
        barWindow = bar.CreateBar(main.hwnd(), RECT{ScaleX(1), 200, ScaleX(1) + width, 200 + ScaleY(29)});
        bar.Show(SW_SHOW);
        bar.LayoutBottomBar(screen);
    }
    ~BarFixture() {
        CurrentScreen().Clear();
        SetDragBounds(nullptr, RECT{});
        CMyBottomBar::SetMenuButtonUsed(false);
    }
    HWND Button(int action) const { return bar.Button(action)->GetHwnd(); }
};

TEST(BottomBar, EachScreenShowsItsButtonsSideBySide) {
    struct Case {
        const char *name;
        ScreenDescriptor screen;
        const char *shown; // one letter per action: menu copy paste new next minimise
    } cases[] = {
        {"desk", kDesk, "M....m"},
        {"note", kNote, "MCPNR."},
        {"calculator", kCalculator, "MCP..m"},
        {"calendar", kCalendar, "M....m"},
    };
    for (const Resolution &r : kResolutions) {
        ScopedMetrics screen(r.width, r.height, r.dpi);
        for (const Case &c : cases) {
            BarFixture f(c.screen, r.width);
            const std::string where = std::string(c.name) + " at " + r.name;
            int x = 0;
            for (int action = 0; action < CMyBottomBar::kMinimise; ++action) {
                const bool expected = c.shown[action] != '.';
                ASSERT_EQ(IsShown(f.Button(action)), expected) << where << ", button " << action;
                if (!expected)
                    continue;
                const RECT rc = ChildRect(f.Button(action));
                EXPECT_EQ(rc.left, x) << where << ", button " << action << " follows the one before";
                EXPECT_EQ(rc.top, 0) << where;
                EXPECT_EQ(rc.right - rc.left, ScaleX(36)) << where << ", button " << action;
                EXPECT_EQ(rc.bottom - rc.top, ScaleY(29)) << where;
                x = rc.right;
            }
            const bool minimise = c.shown[CMyBottomBar::kMinimise] != '.';
            ASSERT_EQ(IsShown(f.Button(CMyBottomBar::kMinimise)), minimise) << where;
            if (minimise) {
                const RECT rc = ChildRect(f.Button(CMyBottomBar::kMinimise));
                EXPECT_EQ(rc.right, f.width) << where << ": at the right end";
                EXPECT_EQ(rc.top, (ScaleY(29) - (rc.bottom - rc.top)) / 2) << where << ": vertically centred";
            }
        }
    }
}

TEST(BottomBar, LayoutWhileMinimisedChangesNothing) {
    BarFixture f(kDesk);
    CurrentScreen().screenId = kScreenMinimised;
    f.bar.LayoutBottomBar(kNote);
    EXPECT_FALSE(IsShown(f.Button(CMyBottomBar::kCopy)));
    EXPECT_TRUE(IsShown(f.Button(CMyBottomBar::kMinimise)));
}

TEST(BottomBar, ButtonTapsBecomeActions) {
    for (int action = 0; action < CMyBottomBar::kActionCount; ++action) {
        BarFixture f(Screen(kScreenCalculator, 1, 1, 1, 1, 1, 1));
        Tap(f.Button(action), 3, 3);
        ASSERT_EQ(f.main.Count(UWM_BOTTOM_ACTION), 1) << "button " << action;
        EXPECT_EQ(f.main.Last(UWM_BOTTOM_ACTION)->lParam, action);
        EXPECT_EQ(CMyBottomBar::MenuButtonUsed(), action == CMyBottomBar::kMenu) << "button " << action;
    }
}

TEST(BottomBar, MenuOpensOverTheFirstShownButton) {
    const ScreenDescriptor withoutMenu = Screen(kScreenNote, 0, 1, 1, 1, 1, 0);
    BarFixture f(withoutMenu);
    RECT copy;
    GetWindowRect(f.Button(CMyBottomBar::kCopy), &copy);
    const POINT anchor = f.bar.MenuAnchor(withoutMenu);
    EXPECT_EQ(anchor.x, (copy.left + copy.right) / 2);
    EXPECT_EQ(anchor.y, (copy.top + copy.bottom) / 2);
}

TEST(BottomBar, StylusStepsAboveTwoUnitsDragTheWindow) {
    struct Case {
        const char *name;
        int dpi, dx, dy;
        bool drags;
    } cases[] = {
        {"2 units across", 96, 2, 0, false},      {"3 units across", 96, 3, 0, true},
        {"2 units up", 96, 0, -2, false},         {"3 units up", 96, 0, -3, true},
        {"2 units at 192 dpi", 192, 4, 0, false}, {"3 pixels more at 192 dpi", 192, 5, 0, true},
    };
    for (const Case &c : cases) {
        ScopedMetrics screen(c.dpi == 96 ? 240 : 480, c.dpi == 96 ? 320 : 640, c.dpi);
        BarFixture f(kDesk);
        Press(f.barWindow, 120, 10);
        MoveTo(f.barWindow, 120 + c.dx, 10 + c.dy);
        EXPECT_EQ(f.bar.IsDragging(), c.drags) << c.name;
        ASSERT_EQ(f.main.Count(UWM_DRAG_MOVE), c.drags ? 1 : 0) << c.name;
        if (c.drags) {
            EXPECT_EQ(static_cast<int>(f.main.Last(UWM_DRAG_MOVE)->wParam), c.dx) << c.name;
            EXPECT_EQ(f.main.Last(UWM_DRAG_MOVE)->lParam, c.dy) << c.name;
        }
        // Many small steps never add up to a drag.
        Release(f.barWindow, 120 + c.dx, 10 + c.dy);
        EXPECT_EQ(f.main.Count(UWM_DRAG_END), c.drags ? 1 : 0) << c.name;
    }

    BarFixture f(kDesk);
    Press(f.barWindow, 100, 10);
    for (int x = 102; x <= 120; x += 2)
        MoveTo(f.barWindow, x, 10);
    EXPECT_FALSE(f.bar.IsDragging()) << "ten steps of 2 units";
    EXPECT_EQ(f.main.Count(UWM_DRAG_MOVE), 0);
}

TEST(BottomBar, DraggedWindowStaysInsideTheInsetWorkArea) {
    BarFixture f(kDesk);
    // The main window is at (0, 0, 240, 300): 10 pixels of room on each side.
    SetDragBounds(f.main.hwnd(), RECT{-10, -10, 250, 310});
    Press(f.barWindow, 100, 10);
    MoveTo(f.barWindow, 106, 10);
    ASSERT_EQ(f.main.Count(UWM_DRAG_MOVE), 1);
    EXPECT_EQ(static_cast<int>(f.main.Last(UWM_DRAG_MOVE)->wParam), 6) << "inside: the full step";

    // The frame moves the window; the next step would take it 24 pixels
    // further right and 70 up.
    MoveWindow(f.main.hwnd(), 6, 0, 240, 300, FALSE);
    MoveTo(f.barWindow, 124, -60);
    ASSERT_EQ(f.main.Count(UWM_DRAG_MOVE), 2);
    EXPECT_EQ(static_cast<int>(f.main.Last(UWM_DRAG_MOVE)->wParam), 4) << "shortened to the right edge";
    EXPECT_EQ(f.main.Last(UWM_DRAG_MOVE)->lParam, -10) << "shortened to the top edge";
    Release(f.barWindow, 124, -60);
    EXPECT_EQ(f.main.Count(UWM_DRAG_END), 1);
}

TEST(BottomBar, MenuButtonHoldsOffTheBarsDrag) {
    BarFixture f(kDesk);
    Press(f.barWindow, 100, 10);
    EXPECT_FALSE(CMyBottomBar::MenuButtonUsed()) << "a press on the bar clears it";
    SendMessageW(f.barWindow, UWM_BAR_COMMAND, 0, CMyBottomBar::kFirstCommand + CMyBottomBar::kMenu);
    EXPECT_TRUE(CMyBottomBar::MenuButtonUsed());
    MoveTo(f.barWindow, 140, 10);
    Release(f.barWindow, 140, 10);
    EXPECT_EQ(f.main.Count(UWM_DRAG_MOVE), 0);
    EXPECT_EQ(f.main.Count(UWM_DRAG_END), 0);
    EXPECT_EQ(f.main.Count(UWM_BOTTOM_ACTION), 1) << "the menu itself still opens";
}

TEST(BottomBar, CalendarTapGoesToTodayAndNeverDrags) {
    BarFixture f(kCalendar);
    Recorder calendar(RECT{0, 40, 240, 190}, f.main.hwnd(), CMyBottomBar::kCalendarChildId);
    Press(f.barWindow, 120, 10);
    MoveTo(f.barWindow, 160, 10);
    Release(f.barWindow, 160, 10);
    Pump(); // posted
    EXPECT_EQ(calendar.Count(UWM_CAL_TODAY), 1);
    EXPECT_EQ(f.main.Count(UWM_DRAG_MOVE), 0);
    EXPECT_EQ(f.main.Count(UWM_DRAG_END), 0);
    EXPECT_NE(GetCapture(), f.barWindow);

    // Another screen: the same tap neither goes to today nor drags.
    f.bar.LayoutBottomBar(kDesk);
    Tap(f.barWindow, 120, 10);
    Pump();
    EXPECT_EQ(calendar.Count(UWM_CAL_TODAY), 1);
}

TEST(BottomBar, CaptureLostMidDragEndsTheDrag) {
    BarFixture f(kDesk);
    Press(f.barWindow, 100, 10);
    MoveTo(f.barWindow, 110, 10);
    ASSERT_TRUE(f.bar.IsDragging());
    SetCapture(f.main.hwnd()); // a menu or dialog takes the stylus
    ReleaseCapture();
    EXPECT_EQ(f.main.Count(UWM_DRAG_END), 1) << "the frame must get the bars' buttons back";
    EXPECT_FALSE(f.bar.IsDragging());
    Release(f.barWindow, 110, 10);
    EXPECT_EQ(f.main.Count(UWM_DRAG_END), 1) << "only once";
}

TEST(BottomBar, DragStateHidesTheLeftButtonsOnly) {
    BarFixture f(kCalculator);
    SendMessageW(f.barWindow, UWM_DRAG_STATE, 0, 0);
    for (int action = 0; action < CMyBottomBar::kMinimise; ++action)
        EXPECT_FALSE(IsShown(f.Button(action))) << "dragging: button " << action;
    EXPECT_TRUE(IsShown(f.Button(CMyBottomBar::kMinimise)));
    SendMessageW(f.barWindow, UWM_DRAG_STATE, 0, 1);
    const bool expected[] = {true, true, true, false, false};
    for (int action = 0; action < CMyBottomBar::kMinimise; ++action)
        EXPECT_EQ(IsShown(f.Button(action)), expected[action]) << "drag ended: button " << action;
}

TEST(BottomBar, GoTodayTextCarriesTheDays) {
    BarFixture f(kCalendar);
    f.bar.SetGoTodayText(-40);
    EXPECT_STREQ(f.bar.GoTodayText(), L"Go Today | -40 Days");
}

} // namespace
