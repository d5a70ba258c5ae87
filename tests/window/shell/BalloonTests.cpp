// The key balloons: which are built for each layout set, their sizes and
// shapes, the second group made only once, and the waiting window shown
// while they are built.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "shell/Messages.h"
#include "ui/PopupBtt.h"
#include "ui/WaitingWnd.h"
#include "ui/Scaling.h"

using namespace shelltest;

namespace {

struct Expected {
    UINT id;
    int width, height; // units
    bool picture;
};

void ExpectBalloons(HWND main, const std::vector<Expected> &expected, const std::string &where) {
    for (const Expected &e : expected) {
        const HWND window = GetDlgItem(main, e.id);
        ASSERT_NE(window, nullptr) << where << ": balloon " << e.id;
        const CPopupBtt *balloon = FindBalloon(e.id);
        ASSERT_NE(balloon, nullptr) << where << ": balloon " << e.id;
        EXPECT_EQ(balloon->GetHwnd(), window);
        EXPECT_FALSE(IsShown(window)) << where << ": balloon " << e.id << " stays hidden";
        const RECT rc = ChildRect(window);
        EXPECT_EQ(rc.right - rc.left, ScaleX(e.width)) << where << ": balloon " << e.id;
        EXPECT_EQ(rc.bottom - rc.top, ScaleY(e.height)) << where << ": balloon " << e.id;
        EXPECT_EQ(balloon->HasPicture(), e.picture) << where << ": balloon " << e.id;

        // Shaped: the top-left corner is cut off, the middle belongs to it.
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(window, shape), ERROR) << where << ": balloon " << e.id << " has a shape";
        EXPECT_FALSE(PtInRegion(shape, 0, 0)) << where << ": balloon " << e.id;
        EXPECT_TRUE(PtInRegion(shape, ScaleX(e.width) / 2, ScaleY(e.height) / 2)) << where << ": balloon " << e.id;
        DeleteObject(shape);
    }
}

TEST(Balloons, EachLayoutSetBuildsItsBalloons) {
    const std::vector<Expected> second = {
        {kBalloonPadPlain, 40, 78, true}, {kBalloonPadBackspace, 40, 78, true}, {kBalloonPadWide, 83, 78, true}};
    struct Case {
        const char *name;
        BalloonSet set;
        std::vector<Expected> first;
        std::vector<UINT> absent;
    } cases[] = {
        {"portrait",
         BalloonSet::kPortrait,
         {{kBalloonPlain, 40, 78, true},
          {kBalloonWide, 83, 78, true},
          {kBalloonPlusMinus, 40, 78, true},
          {kBalloonRoot, 40, 78, true},
          {kBalloonBackspace, 40, 78, true}},
         {kBalloonText, kBalloonTextAlt}},
        {"landscape",
         BalloonSet::kLandscape,
         {{kBalloonPlain, 46, 66, true},
          {kBalloonPlusMinus, 46, 66, true},
          {kBalloonRoot, 46, 66, true},
          {kBalloonBackspace, 46, 66, true}},
         {kBalloonText, kBalloonTextAlt, kBalloonWide}},
        {"window not fixed",
         BalloonSet::kNone,
         {{kBalloonText, 40, 40, false},
          {kBalloonPlain, 40, 40, false},
          {kBalloonTextAlt, 40, 40, false},
          {kBalloonPlusMinus, 40, 40, false},
          {kBalloonRoot, 40, 40, false},
          {kBalloonBackspace, 40, 40, false}},
         {kBalloonWide}},
    };
    for (const Resolution &r : kResolutions) {
        ScopedMetrics screen(r.width, r.height, r.dpi);
        for (const Case &c : cases) {
            const std::string where = std::string(c.name) + " at " + r.name;
            Recorder main(RECT{0, 0, r.width, r.height});
            BuildBalloons(main.hwnd(), c.set);
            ExpectBalloons(main.hwnd(), c.first, where);
            std::vector<Expected> pad = second;
            if (c.set == BalloonSet::kNone) {
                for (Expected &e : pad)
                    e.picture = false;
            }
            ExpectBalloons(main.hwnd(), pad, where);
            for (UINT id : c.absent) {
                EXPECT_EQ(GetDlgItem(main.hwnd(), id), nullptr) << where << ": balloon " << id;
                EXPECT_EQ(FindBalloon(id), nullptr) << where << ": balloon " << id;
            }
            EXPECT_EQ(GetDlgItem(main.hwnd(), CMyWaitingWnd::kChildId), nullptr)
                << where << ": the waiting window is gone";
            DestroyBalloons();
            EXPECT_EQ(FindBalloon(kBalloonPlain), nullptr);
            EXPECT_EQ(GetDlgItem(main.hwnd(), kBalloonPlain), nullptr) << "destroyed with the objects";
        }
    }
}

TEST(Balloons, RebuildRemakesTheFirstGroupOnly) {
    Recorder main(RECT{0, 0, 240, 300});
    BuildBalloons(main.hwnd(), BalloonSet::kPortrait);
    const HWND plain = GetDlgItem(main.hwnd(), kBalloonPlain);
    const HWND pad = GetDlgItem(main.hwnd(), kBalloonPadPlain);

    BuildBalloons(main.hwnd(), BalloonSet::kLandscape); // the window turned
    EXPECT_FALSE(IsWindow(plain)) << "first group made again";
    EXPECT_EQ(GetDlgItem(main.hwnd(), kBalloonWide), nullptr) << "no wide key in landscape";
    EXPECT_EQ(GetDlgItem(main.hwnd(), kBalloonPadPlain), pad) << "second group kept";

    DestroyBalloons();

    // Balloons of a main window that is gone went with it: the next main
    // window gets a second group of its own.
    Recorder next(RECT{0, 0, 240, 300});
    {
        Recorder gone(RECT{0, 0, 240, 300});
        BuildBalloons(gone.hwnd(), BalloonSet::kPortrait);
    }
    BuildBalloons(next.hwnd(), BalloonSet::kPortrait);
    EXPECT_NE(GetDlgItem(next.hwnd(), kBalloonPadPlain), nullptr);
    DestroyBalloons();
}

TEST(Balloons, SetFollowsTheWindowModeAndTheWorkArea) {
    const RECT portrait = {0, 26, 240, 320};
    const RECT landscape = {0, 26, 320, 240};
    const RECT square = {0, 0, 320, 320};
    EXPECT_EQ(ChooseBalloonSet(true, portrait), BalloonSet::kPortrait);
    EXPECT_EQ(ChooseBalloonSet(true, landscape), BalloonSet::kLandscape);
    EXPECT_EQ(ChooseBalloonSet(true, square), BalloonSet::kPortrait) << "only wider than high is landscape";
    EXPECT_EQ(ChooseBalloonSet(false, landscape), BalloonSet::kNone);
}

TEST(Balloons, ShownAtAPlaceAboveTheOtherChildren) {
    Recorder main(RECT{0, 0, 240, 300});
    BuildBalloons(main.hwnd(), BalloonSet::kPortrait);
    Recorder screen(RECT{0, 40, 240, 260}, main.hwnd(), 5507);
    SetWindowPos(screen.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CPopupBtt *balloon = FindBalloon(kBalloonPlain);
    ASSERT_NE(balloon, nullptr);
    balloon->ShowAt(50, 120);
    EXPECT_TRUE(IsShown(balloon->GetHwnd()));
    EXPECT_EQ(ChildRect(balloon->GetHwnd()).left, 50);
    EXPECT_EQ(GetWindow(main.hwnd(), GW_CHILD), balloon->GetHwnd());
    DestroyBalloons();
}

TEST(WaitingWindow, ProgressFillsItsBar) {
    Recorder main(RECT{0, 0, 240, 300});
    CMyWaitingWnd waiting;
    const HWND window = waiting.CreateCentred(main.hwnd());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsShown(window));
    const RECT rc = ChildRect(window);
    const SIZE size = CMyWaitingWnd::BoxSize();
    EXPECT_EQ(rc.left, (240 - size.cx) / 2) << "centred";
    EXPECT_EQ(rc.top, (300 - size.cy) / 2);

    // The last inner pixel of a bar is filled only when it is complete.
    auto barEndFilled = [&](int bar) {
        const RECT r = CMyWaitingWnd::BarRect(bar);
        return GetPixel(waiting.BackDC(), r.right - 2, (r.top + r.bottom) / 2) == RGB(45, 66, 138);
    };
    struct Step {
        WPARAM bar;
        LPARAM value;
        bool firstFull, secondFull;
    } steps[] = {{0, 3, false, false}, {0, 6, true, false}, {1, 8, true, false}, {1, 9, true, true}};
    for (const Step &s : steps) {
        SendMessageW(window, UWM_WAIT_PROGRESS, s.bar, s.value);
        EXPECT_EQ(waiting.Progress(static_cast<int>(s.bar)), s.value);
        EXPECT_EQ(barEndFilled(0), s.firstFull) << "after step " << s.value;
        EXPECT_EQ(barEndFilled(1), s.secondFull) << "after step " << s.value;
    }
}

} // namespace
