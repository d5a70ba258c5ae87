// The bitmap button: clicks, modes, sliding off and back, dragging the main
// window, auto-repeat, and its three-slice picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "UiTestSupport.h"
#include "resource.h"
#include "ui/CustomBtt.h"
#include "ui/Messages.h"
#include "ui/Desktop.h"

namespace {

using uitest::Point;
using uitest::Recorder;

const UINT kId = 30055;

// A 64 x 26 button on a recording parent.
struct ButtonFixture : ::testing::Test {
    void SetUp() override {
        button.reset(new CCustomBtt(parent.hwnd(), 12, 600, RGB(15, 34, 108)));
        ASSERT_TRUE(button->SetImage(IDB_MESSAGE_OK));
        ASSERT_NE(button->CreateButton(RECT{20, 20, 84, 46}, kId), nullptr);
        button->Show(SW_SHOW);
        parent.Clear();
    }
    LRESULT Send(UINT msg, int x, int y) { return SendMessageW(button->GetHwnd(), msg, MK_LBUTTON, Point(x, y)); }
    void Press(int x, int y) { Send(WM_LBUTTONDOWN, x, y); }
    void MoveTo(int x, int y) { Send(WM_MOUSEMOVE, x, y); }
    void Release(int x, int y) { Send(WM_LBUTTONUP, x, y); }
    void Tap() {
        Press(10, 10);
        Release(10, 10);
    }
    int Clicks() const { return parent.Count(UWM_BAR_COMMAND, kId); }

    Recorder parent{0, 0, 240, 300};
    std::unique_ptr<CCustomBtt> button;
};

TEST_F(ButtonFixture, TapSendsOneClickBetweenPressedAndReleasedLooks) {
    Tap();
    ASSERT_EQ(parent.messages().size(), 4u);
    EXPECT_EQ(parent.messages()[0].msg, UWM_BUTTON_LOOK);
    EXPECT_EQ(parent.messages()[0].wParam, kId);
    EXPECT_EQ(parent.messages()[0].lParam, kButtonLookPressed);
    EXPECT_EQ(parent.messages()[1].msg, UWM_BUTTON_LOOK);
    EXPECT_EQ(parent.messages()[1].lParam, kButtonLookNormal);
    EXPECT_EQ(parent.messages()[2].msg, UWM_BAR_COMMAND);
    EXPECT_EQ(parent.messages()[2].lParam, static_cast<LPARAM>(kId));
    EXPECT_EQ(parent.messages()[3].msg, UWM_BUTTON_UP);
    EXPECT_EQ(parent.messages()[3].lParam, static_cast<LPARAM>(kId));
    EXPECT_EQ(button->GetState(), CCustomBtt::kNormal);
    EXPECT_NE(GetCapture(), button->GetHwnd()) << "the stylus is let go";
}

TEST_F(ButtonFixture, ModesDecideTheStateAfterEachClick) {
    struct Case {
        const char *name;
        CCustomBtt::Mode mode;
        int afterFirst, afterSecond;
    } cases[] = {
        {"push", CCustomBtt::kPush, 0, 0},
        {"toggle", CCustomBtt::kToggle, 1, 0},
        {"sticky", CCustomBtt::kSticky, 1, 1},
    };
    for (const Case &c : cases) {
        button->SetState(0);
        button->SetMode(c.mode);
        Tap();
        EXPECT_EQ(button->GetState(), c.afterFirst) << c.name;
        Tap();
        EXPECT_EQ(button->GetState(), c.afterSecond) << c.name;
    }
    EXPECT_EQ(Clicks(), 6);
}

TEST_F(ButtonFixture, SlidingOffAndBackWithinTheMarginStillClicks) {
    Press(10, 10);
    MoveTo(64 + 5, 10); // 5 pixels past the right edge
    EXPECT_EQ(button->GetState(), CCustomBtt::kNormal);
    EXPECT_EQ(parent.Count(UWM_BUTTON_LOOK, kButtonLookNormal), 1);
    EXPECT_FALSE(button->IsDragging());
    MoveTo(10, 10);
    EXPECT_EQ(button->GetState(), CCustomBtt::kPressed);
    EXPECT_EQ(parent.Count(UWM_BUTTON_LOOK, kButtonLookPressed), 2);
    Release(10, 10);
    EXPECT_EQ(Clicks(), 1);
    EXPECT_EQ(parent.Count(UWM_DRAG_MOVE), 0);
}

TEST_F(ButtonFixture, ReleaseInsideTheMarginButOffTheButtonDoesNotClick) {
    struct Case {
        int x, y;
    } cases[] = {{-10, 10}, {73, 10}, {10, -1}, {10, 35}};
    for (const Case &c : cases) {
        parent.Clear();
        Press(10, 10);
        MoveTo(c.x, c.y);
        EXPECT_FALSE(button->IsDragging()) << c.x << "," << c.y << " lies in the margin";
        Release(c.x, c.y);
        EXPECT_EQ(Clicks(), 0) << c.x << "," << c.y;
        EXPECT_EQ(parent.Count(UWM_BUTTON_UP, kId), 1);
        EXPECT_EQ(button->GetState(), CCustomBtt::kNormal);
    }
}

TEST_F(ButtonFixture, LeavingTheMarginDragsTheWindowInsteadOfClicking) {
    struct Case {
        const char *name;
        int x, y;
    } cases[] = {
        {"11 pixels right", 64 + 11, 10},
        {"11 pixels left", -11, 10},
        {"2 pixels above", 10, -2},
        {"11 pixels below", 10, 26 + 11},
    };
    for (const Case &c : cases) {
        parent.Clear();
        Press(10, 10);
        MoveTo(c.x, c.y);
        EXPECT_TRUE(button->IsDragging()) << c.name;
        ASSERT_EQ(parent.Count(UWM_DRAG_MOVE), 1) << c.name;
        const uitest::Received &move = parent.messages().back();
        EXPECT_EQ(static_cast<int>(move.wParam), c.x - 10) << c.name;
        EXPECT_EQ(static_cast<int>(move.lParam), c.y - 10) << c.name;
        EXPECT_EQ(button->GetState(), CCustomBtt::kNormal) << c.name << ": the look before the press";
        MoveTo(10, 10); // back over the button: still a drag
        EXPECT_TRUE(button->IsDragging());
        Release(10, 10);
        EXPECT_EQ(parent.Count(UWM_DRAG_END), 1) << c.name;
        EXPECT_EQ(Clicks(), 0) << c.name;
        EXPECT_EQ(parent.Count(UWM_BUTTON_UP, kId), 1) << c.name;
    }
}

TEST_F(ButtonFixture, DragStopsWhereTheMainWindowMeetsTheInsetWorkArea) {
    // The parent stands for the main window: 240 x 300 at (0, 0), to be kept
    // inside (0, 0)-(250, 305); it follows the drags it is sent. The button's
    // client x plus 20 is the screen x until the window moves.
    parent.FollowDrags(true);
    SetDragBounds(parent.hwnd(), RECT{0, 0, 250, 305});
    Press(10, 10);  // screen x 30
    MoveTo(90, 10); // screen x 110: 80 right, cut to 10 at the bound
    ASSERT_EQ(parent.Count(UWM_DRAG_MOVE), 1);
    EXPECT_EQ(static_cast<int>(parent.messages().back().wParam), 10);
    EXPECT_EQ(static_cast<int>(parent.messages().back().lParam), 0);
    // The window moved 10, so client x = screen x - 30 from now on.
    MoveTo(76, 10); // screen 106: still right of where the window stopped
    EXPECT_EQ(parent.Count(UWM_DRAG_MOVE), 1) << "nothing moves while the stylus is past the edge";
    MoveTo(5, 10); // screen 35: 5 left of the stop point
    ASSERT_EQ(parent.Count(UWM_DRAG_MOVE), 2);
    EXPECT_EQ(static_cast<int>(parent.messages().back().wParam), -5);
    Release(5, 10);
    SetDragBounds(nullptr, RECT{});
    EXPECT_EQ(parent.Count(UWM_DRAG_END), 1);
}

TEST_F(ButtonFixture, HeldRepeatingButtonFiresOnTheTimersOnly) {
    button->SetAutoRepeat(true);
    Press(10, 10);
    EXPECT_EQ(Clicks(), 0);
    SendMessageW(button->GetHwnd(), WM_TIMER, CCustomBtt::kRepeatDelayTimer, 0); // 450 ms
    EXPECT_EQ(Clicks(), 1);
    for (int i = 0; i < 5; ++i) // 100 ms each: held for one second
        SendMessageW(button->GetHwnd(), WM_TIMER, CCustomBtt::kRepeatTimer, 0);
    EXPECT_EQ(Clicks(), 6);
    Release(10, 10);
    EXPECT_EQ(Clicks(), 6) << "no extra click at release";
    SendMessageW(button->GetHwnd(), WM_TIMER, CCustomBtt::kRepeatTimer, 0);
    EXPECT_EQ(Clicks(), 6) << "a late tick after the release";

    parent.Clear();
    Tap(); // a short tap on a repeating button is an ordinary click
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(ButtonFixture, StrayReleaseAndLostStylusClickNothing) {
    Release(10, 10);
    EXPECT_TRUE(parent.messages().empty()) << "a release without a press";
    button->SetMode(CCustomBtt::kSticky);
    Press(10, 10);
    SetCapture(parent.hwnd()); // a menu or dialog takes the stylus
    EXPECT_EQ(button->GetState(), CCustomBtt::kNormal);
    Release(10, 10);
    ReleaseCapture();
    EXPECT_EQ(Clicks(), 0);
    EXPECT_EQ(parent.Count(UWM_BUTTON_UP, kId), 1);
}

// A parent that deletes the button when it is clicked, as a dialog closing on
// its OK button may.
class DeletingParent : public Wnd {
public:
    std::unique_ptr<CCustomBtt> button;
    int afterClick = 0;
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == UWM_BAR_COMMAND)
            button.reset();
        else if (msg == UWM_BUTTON_UP)
            ++afterClick;
        return Wnd::WindowProc(hwnd, msg, wParam, lParam);
    }
};

TEST(ButtonLifetime, ParentMayDeleteTheButtonInItsClick) {
    DeletingParent parent;
    ASSERT_NE(parent.Create(L"Parent", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0, false), nullptr);
    parent.button.reset(new CCustomBtt(parent.GetHwnd(), 12, 600, 0));
    HWND hwnd = parent.button->CreateButton(RECT{0, 0, 50, 20}, 7);
    ASSERT_NE(hwnd, nullptr);
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(5, 5));
    EXPECT_EQ(parent.button, nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(parent.afterClick, 0) << "nothing is sent for a button that is gone";
}

// Pixels of the button's picture at the given size.
struct Look {
    COLORREF leftEdge, rightEdge, corner;
    bool magenta;
};

Look PictureAt(HWND parent, int width, int state) {
    CCustomBtt button(parent, 12, 600, 0);
    button.SetImage(IDB_MESSAGE_OK);
    button.CreateButton(RECT{0, 0, width, 26}, 1);
    button.SetBackColor(RGB(194, 196, 200));
    button.SetState(state);
    HDC dc = button.BackDC();
    Look look = {GetPixel(dc, 1, 13), GetPixel(dc, width - 2, 13), GetPixel(dc, 0, 0), false};
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < 26; ++y)
            look.magenta |= GetPixel(dc, x, y) == RGB(255, 0, 255);
    return look;
}

TEST(ButtonPicture, BothEdgesSurviveAnyWidthAndTheKeyIsTransparent) {
    Recorder parent;
    const Look natural = PictureAt(parent.hwnd(), 64, 0);
    EXPECT_EQ(natural.corner, RGB(194, 196, 200)) << "the rounded corner shows the background";
    for (int width : {30, 64, 65, 200}) {
        for (int state : {0, 1}) {
            Look look = PictureAt(parent.hwnd(), width, state);
            EXPECT_EQ(look.leftEdge, natural.leftEdge) << "width " << width << " state " << state;
            EXPECT_EQ(look.rightEdge, natural.rightEdge) << "width " << width << " state " << state;
            EXPECT_FALSE(look.magenta) << "width " << width << " state " << state;
        }
    }
}

TEST(ButtonPicture, PressedLookDiffersAndMissingPictureLeavesAPlainButton) {
    Recorder parent;
    CCustomBtt button(parent.hwnd(), 12, 600, 0);
    EXPECT_FALSE(button.SetImage(9999));
    ASSERT_NE(button.CreateButton(RECT{0, 0, 64, 26}, 1), nullptr);
    button.SetBackColor(RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(button.BackDC(), 32, 13), RGB(1, 2, 3));
    ASSERT_TRUE(button.SetImage(IDB_MESSAGE_OK));
    EXPECT_EQ(button.ImageSize().cx, 64);
    EXPECT_EQ(button.ImageSize().cy, 26);
    const COLORREF normal = GetPixel(button.BackDC(), 32, 20);
    button.SetState(1);
    EXPECT_NE(GetPixel(button.BackDC(), 32, 20), normal);
}

} // namespace
