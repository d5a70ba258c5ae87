// The date-and-time selector over a real owner window: rows built around a
// value, the drag threshold, flicks and the settle at the end of the day, the
// hour column, choosing, keys and the row list's block allocation. Timers
// are driven by sending WM_TIMER; the clock is frozen.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <vector>

#include "BaseLib/Clock.h"
#include "ui/PDateTimeSelectCtrl.h"
#include "ui/PListWndItemsInfo.h"
#include "ui/Scaling.h"
#include "ui/Wnd.h"

namespace {

double Time(int hour, int minute, int second = 0) {
    return MakeOleDate(2026, 12, 6, hour * 60 + minute) + second / 86400.0;
}

int MinuteOf(const PDateCtrlLeftItem *row) { return row ? row->MinuteOfDay() : -1; }

// The owner of a selector, as the timer screen and the alarm editor are: it
// records the selector's messages and destroys the selector on 4024.
class OwnerWnd : public Wnd {
public:
    OwnerWnd() {
        RECT rect = {0, 0, 240, 300};
        Create(L"SelectorOwner", WS_POPUP | WS_VISIBLE, rect, nullptr, 0, false);
        SetForegroundWindow(hwnd_);
        SetFocus(hwnd_);
    }
    ~OwnerWnd() override { delete selector; }

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == UWM_DATE_CHOSEN) {
            received.push_back(msg);
            chosen = selector ? selector->Value() : -1;
            return 0;
        }
        if (msg == UWM_DATE_CLOSING) {
            received.push_back(msg);
            delete selector;
            selector = nullptr;
            return 0;
        }
        return Wnd::WindowProc(hwnd, msg, wParam, lParam);
    }

    PDateTimeSelectCtrl *selector = nullptr; // owned
    std::vector<UINT> received;
    double chosen = 0;
};

class Selector : public ::testing::Test {
protected:
    void SetUp() override {
        InitScreenMetrics();
        SYSTEMTIME now = {2026, 12, 0, 6, 9, 0, 0, 0};
        Clock::Fake(100000, now);
    }
    void TearDown() override { Clock::Real(); }

    PDateTimeSelectCtrl *Make(double value, int minuteStep) {
        owner.selector = new PDateTimeSelectCtrl(value);
        owner.selector->SetMinuteStep(minuteStep);
        owner.selector->Create(&owner);
        return owner.selector;
    }
    HWND Window() const { return owner.selector->GetHwnd(); }
    void Send(UINT msg, int x, int y) {
        SendMessageW(Window(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER)
                continue; // timers run only when a test sends them
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // Runs the motion timer until it stops; returns the ticks it took.
    int RunFlick() {
        int ticks = 0;
        sawSettle = false;
        while (owner.selector->FlickRunning() && ticks < 5000) {
            sawSettle = sawSettle || owner.selector->Settling();
            SendMessageW(Window(), WM_TIMER, PListWnd::kFlickTimer, 0);
            ++ticks;
        }
        return ticks;
    }
    // Client y of the middle of a value row.
    int RowY(const PDateCtrlLeftItem *row) const {
        return (row->Rect().top + row->Rect().bottom) / 2 - owner.selector->ScrollOffset();
    }
    // Drags the value column upward by steps of dy pixels, dt ms apart.
    void DragUp(int x, int y, int steps, int dy, DWORD dt) {
        Send(WM_LBUTTONDOWN, x, y);
        for (int i = 1; i <= steps; ++i) {
            Clock::Advance(dt);
            Send(WM_MOUSEMOVE, x, y - i * dy);
        }
        lastY = y - steps * dy;
    }
    int LastFilledBottom() {
        int bottom = -1;
        for (auto *node = owner.selector->Items().Head(); node; node = node->next) {
            auto *row = static_cast<PDateCtrlLeftItem *>(node->value);
            if (!row->Blank())
                bottom = row->Rect().bottom;
        }
        return bottom;
    }
    bool BlankInView() {
        for (int i = 0; i < 8; ++i) {
            PDateCtrlLeftItem *row = owner.selector->VisibleValueRow(i);
            if (row && row->Rect().top - owner.selector->ScrollOffset() < owner.selector->ClientHeight() &&
                row->Blank())
                return true;
        }
        return false;
    }

    OwnerWnd owner;
    int lastY = 0;
    bool sawSettle = false;
};

TEST_F(Selector, GeometryAndWindowFollowTheScreen) {
    PDateTimeSelectCtrl *s = Make(Time(12, 0), 1);
    const int h = GetSystemMetrics(SM_CYSCREEN) * 2 / 3;
    EXPECT_EQ(s->ControlHeight(), h);
    EXPECT_EQ(s->ControlWidth(), ScaleX(100));
    EXPECT_EQ(s->ValueColumnWidth(), s->ControlWidth() * 2 / 3);
    EXPECT_EQ(s->ValueRowHeight(), h / 6);
    int hours = 0, height = 0;
    for (auto *node = s->JumpItems().Head(); node; node = node->next, ++hours)
        height += node->value->Height();
    EXPECT_EQ(hours, 24);
    EXPECT_EQ(height, h) << "the pixels H / 24 leaves over go to the first hour rows";

    wchar_t name[64];
    GetClassNameW(Window(), name, 64);
    EXPECT_STREQ(name, L"DateTime_List_Wnd_Class");
    RECT rc;
    GetWindowRect(Window(), &rc);
    EXPECT_EQ(rc.left, (GetSystemMetrics(SM_CXSCREEN) - s->ControlWidth()) / 2);
    EXPECT_EQ(rc.top, ScaleY(2));
    EXPECT_EQ(GetFocus(), Window()) << "a new selector has the focus";
}

TEST_F(Selector, RowsAreFilledAroundTheValueWithinTheDay) {
    struct Case {
        int minute, step;
        int firstRow, lastRow, valuePosition;
    } cases[] = {
        {10, 1, 0, 49, 10},                // 00:10: 00:00 is the first row, the value the eleventh
        {23 * 60 + 50, 1, 1390, 1439, 40}, // 23:50: 23:59 is the last row
        {12 * 60, 1, 695, 744, 25},
        {12 * 60, 5, 12 * 60 - 25 * 5, 12 * 60 + 24 * 5, 25},
        {7, 0, 0, 7 + 42 * 5, 7}, // a step below 1 becomes 5; rows before 00:00 hold 00:00
    };
    for (const Case &c : cases) {
        PDateTimeSelectCtrl *s = Make(Time(c.minute / 60, c.minute % 60), c.step);
        SCOPED_TRACE(testing::Message() << "value minute " << c.minute << ", step " << c.step);
        auto &rows = s->Items();
        ASSERT_EQ(rows.Count(), 50);
        EXPECT_EQ(MinuteOf(static_cast<PDateCtrlLeftItem *>(rows.Head()->value)), c.firstRow);
        EXPECT_EQ(MinuteOf(static_cast<PDateCtrlLeftItem *>(rows.Tail()->value)), c.lastRow);
        auto *valueRow = static_cast<PDateCtrlLeftItem *>(rows.At(c.valuePosition));
        EXPECT_EQ(MinuteOf(valueRow), c.minute);
        EXPECT_TRUE(valueRow->Highlighted());
        const int expectedFirst = c.valuePosition >= 3 ? c.valuePosition - 3 : 0;
        EXPECT_EQ(s->RowsAboveFirstVisible(), expectedFirst) << "the value row is fourth from the top";
        delete owner.selector;
        owner.selector = nullptr;
    }
}

TEST_F(Selector, StrokeBelowTenUnitsDoesNotScrollThenMovesByAll) {
    PDateTimeSelectCtrl *s = Make(Time(12, 0), 1);
    const int start = s->ScrollOffset();
    Send(WM_LBUTTONDOWN, 20, 100);
    Send(WM_MOUSEMOVE, 20, 100 - ScaleY(9));
    EXPECT_EQ(s->ScrollOffset(), start) << "9 units";
    Send(WM_MOUSEMOVE, 20, 100 - ScaleY(10));
    EXPECT_EQ(s->ScrollOffset(), start + ScaleY(10)) << "10 units move the list by all 10";
    Send(WM_LBUTTONUP, 20, 100 - ScaleY(10));
}

TEST_F(Selector, ReleaseFlicksOnlyAfterARecentMove) {
    struct Case {
        DWORD rest;
        bool flicks;
    } cases[] = {{0, true}, {50, true}, {150, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "rest " << c.rest << " ms");
        PDateTimeSelectCtrl *s = Make(Time(12, 0), 1);
        DragUp(20, 150, 3, 20, 20); // 1000 pixels per second
        Clock::Advance(c.rest);
        Send(WM_MOUSEMOVE, 20, lastY); // the stylus rests: a sample of 0
        Send(WM_LBUTTONUP, 20, lastY);
        EXPECT_EQ(s->FlickStep() > 0, c.flicks) << "step " << s->FlickStep();
        if (c.flicks) {
            EXPECT_EQ(s->FlickDirection(), 1) << "an upward stroke moves toward later times";
        }
        const int before = s->ScrollOffset();
        RunFlick();
        EXPECT_EQ(s->ScrollOffset() > before, c.flicks);
        delete owner.selector;
        owner.selector = nullptr;
    }
}

TEST_F(Selector, PastTheLastTimeBlankRowsShowAndTheListSettlesBack) {
    struct Case {
        const char *name;
        DWORD dt;    // time between moves
        DWORD rest;  // the stylus rests this long before the release
        bool settle; // the list glides back (else it is filled again at once)
    } cases[] = {
        {"flick far past the end", 10, 0, false},
        {"short flick", 400, 0, true},
        {"slow drag", 1000, 0, true},
        {"rest before the release", 400, 300, true}, // no flick, and no direction to reverse
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PDateTimeSelectCtrl *s = Make(Time(23, 50), 1);
        DragUp(20, 200, 12, 30, c.dt);
        EXPECT_TRUE(BlankInView()) << "blank rows after 23:59";
        if (c.rest) {
            Clock::Advance(c.rest);
            Send(WM_MOUSEMOVE, 20, lastY);
        } else {
            Clock::Advance(c.dt);
        }
        Send(WM_LBUTTONUP, 20, lastY);
        RunFlick();
        EXPECT_FALSE(s->FlickRunning());
        EXPECT_EQ(sawSettle, c.settle);
        EXPECT_EQ(LastFilledBottom() - s->ScrollOffset(), s->ClientHeight()) << "the last time row ends at the bottom";
        PDateCtrlLeftItem *last = nullptr;
        for (auto *node = s->Items().Head(); node; node = node->next)
            if (!static_cast<PDateCtrlLeftItem *>(node->value)->Blank())
                last = static_cast<PDateCtrlLeftItem *>(node->value);
        EXPECT_EQ(MinuteOf(last), 1439);
        delete owner.selector;
        owner.selector = nullptr;
    }
}

TEST_F(Selector, BeforeTheFirstTimeTheListSettlesBackToMidnight) {
    struct Case {
        DWORD dt;
        bool settle;
    } cases[] = {{10, false}, {400, true}, {1000, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "moves " << c.dt << " ms apart");
        PDateTimeSelectCtrl *s = Make(Time(0, 10), 1);
        DragUp(20, 40, 12, -30, c.dt); // downward: toward earlier times
        EXPECT_TRUE(BlankInView()) << "blank rows before 00:00";
        Clock::Advance(c.dt);
        Send(WM_LBUTTONUP, 20, lastY);
        RunFlick();
        EXPECT_EQ(sawSettle, c.settle);
        PDateCtrlLeftItem *top = s->VisibleValueRow(0);
        EXPECT_FALSE(top->Blank());
        EXPECT_EQ(MinuteOf(top), 0);
        EXPECT_EQ(top->Rect().top, s->ScrollOffset()) << "00:00 at the top";
        delete owner.selector;
        owner.selector = nullptr;
    }
}

TEST_F(Selector, BlankRowsOutOfViewDoNotMoveTheList) {
    PDateTimeSelectCtrl *s = Make(Time(23, 50), 1);
    // One small drag recycles rows: blank 23:59 rows join the bottom of the
    // ring, out of view.
    DragUp(20, 100, 1, 20, 500);
    ASSERT_FALSE(BlankInView());
    ASSERT_LT(LastFilledBottom(), s->ColumnHeight()) << "blank rows exist below the view";
    Clock::Advance(500);
    Send(WM_LBUTTONUP, 20, lastY);
    const int before = s->ScrollOffset();
    RunFlick();
    EXPECT_EQ(s->ScrollOffset(), before);
    EXPECT_FALSE(s->Settling());
}

TEST_F(Selector, HourColumnScrubsWithoutChoosing) {
    PDateTimeSelectCtrl *s = Make(Time(12, 0), 1);
    const int x = s->ValueColumnWidth() + 5;
    auto hourY = [&](int hour) {
        const RECT &r = s->JumpItems().At(hour)->Rect();
        return (r.top + r.bottom) / 2 - s->JumpOffset();
    };
    // Dragging along the hours refills the value column on the way.
    Send(WM_LBUTTONDOWN, x, hourY(3));
    Send(WM_MOUSEMOVE, x, hourY(9));
    EXPECT_EQ(MinuteOf(s->VisibleValueRow(3)), 9 * 60);
    Send(WM_LBUTTONUP, x, hourY(7));
    Pump();
    EXPECT_EQ(MinuteOf(s->VisibleValueRow(3)), 7 * 60) << "07:00 three rows below the first visible row";
    EXPECT_TRUE(owner.received.empty()) << "nothing was chosen";
    EXPECT_DOUBLE_EQ(s->Value(), Time(12, 0));
    EXPECT_EQ(GetFocus(), Window());
}

TEST_F(Selector, TappingAValueRowChoosesItAndCloses) {
    PDateTimeSelectCtrl *s = Make(Time(12, 0), 1);
    PDateCtrlLeftItem *row = s->VisibleValueRow(1);
    ASSERT_EQ(MinuteOf(row), 11 * 60 + 58);
    Send(WM_LBUTTONDOWN, 20, RowY(row));
    Clock::Advance(80);
    Send(WM_LBUTTONUP, 20, RowY(row) + 3);
    Pump();
    ASSERT_EQ(owner.received, (std::vector<UINT>{UWM_DATE_CHOSEN, UWM_DATE_CLOSING}));
    EXPECT_EQ(SplitOleDate(owner.chosen).wMinute, 58);
    EXPECT_EQ(owner.selector, nullptr) << "the owner destroyed the selector on 4024";
    EXPECT_EQ(GetFocus(), owner.GetHwnd());
}

TEST_F(Selector, ExactlyHalfAStepAwayIsNotHighlighted) {
    struct Case {
        int second;
        int highlightedMinute; // -1: none
    } cases[] = {{30, -1}, {29, 7 * 60}, {31, 7 * 60 + 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "value 07:00:" << c.second);
        PDateTimeSelectCtrl *s = Make(Time(7, 0, c.second), 1);
        const RECT &r = s->JumpItems().At(7)->Rect();
        Send(WM_LBUTTONDOWN, s->ValueColumnWidth() + 5, r.top + 2);
        Send(WM_LBUTTONUP, s->ValueColumnWidth() + 5, r.top + 2);
        Pump();
        int highlighted = -1, count = 0;
        for (auto *node = s->Items().Head(); node; node = node->next) {
            if (node->value->Highlighted()) {
                highlighted = MinuteOf(static_cast<PDateCtrlLeftItem *>(node->value));
                ++count;
            }
        }
        EXPECT_LE(count, 1);
        EXPECT_EQ(highlighted, c.highlightedMinute);
        delete owner.selector;
        owner.selector = nullptr;
    }
}

TEST_F(Selector, KeysStepTheValueAndEnterChooses) {
    PDateTimeSelectCtrl *s = Make(Time(12, 0), 1);
    SendMessageW(Window(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(SplitOleDate(s->Value()).wMinute, 1);
    EXPECT_EQ(MinuteOf(s->VisibleValueRow(3)), 12 * 60 + 1);
    EXPECT_TRUE(s->VisibleValueRow(3)->Highlighted());
    SendMessageW(Window(), WM_KEYDOWN, VK_UP, 0);
    SendMessageW(Window(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(MinuteOf(s->VisibleValueRow(3)), 11 * 60 + 59);
    SendMessageW(Window(), WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(owner.received.empty()) << "other keys are ignored";
    SendMessageW(Window(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(owner.received, (std::vector<UINT>{UWM_DATE_CHOSEN, UWM_DATE_CLOSING}));
    EXPECT_EQ(SplitOleDate(owner.chosen).wHour * 60 + SplitOleDate(owner.chosen).wMinute, 11 * 60 + 59);
}

TEST_F(Selector, PaintVeilsTheHourColumnOverTheValueRows) {
    PDateTimeSelectCtrl *s = Make(Time(12, 0), 1);
    HDC screen = GetDC(Window());
    s->OnPaint(screen);
    ReleaseDC(Window(), screen);
    HDC back = s->BackBuffer().Dc();
    PDateCtrlLeftItem *valueRow = s->VisibleValueRow(3);
    const int y = RowY(valueRow) - 8; // clear of the text
    EXPECT_EQ(GetPixel(back, 2, y), RGB(180, 180, 180)) << "the value row is highlighted";
    EXPECT_EQ(GetPixel(back, 2, RowY(s->VisibleValueRow(2)) - 8), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(back, 2, valueRow->Rect().top - s->ScrollOffset()), RGB(184, 188, 197)) << "row line";
    // 220 at 200/255 over white.
    const COLORREF veil = GetPixel(back, s->ValueColumnWidth() + 1, RowY(s->VisibleValueRow(2)) - 8);
    EXPECT_NEAR(GetRValue(veil), 228, 2);
    EXPECT_EQ(GetRValue(veil), GetBValue(veil));
}

TEST_F(Selector, DateModeShowsDaysAndMonthTapsGlide) {
    owner.selector = new PDateTimeSelectCtrl(MakeOleDate(2026, 12, 6, 9 * 60));
    PDateTimeSelectCtrl *s = owner.selector;
    s->SetMode(PDateTimeSelectCtrl::kDateMode);
    s->Create(&owner);
    EXPECT_DOUBLE_EQ(s->ValueStep(), 1.0);
    auto *anchor = static_cast<PDateCtrlLeftItem *>(s->Items().At(25));
    EXPECT_DOUBLE_EQ(anchor->Value(), MakeOleDate(2026, 12, 6, 0));
    EXPECT_DOUBLE_EQ(static_cast<PDateCtrlLeftItem *>(s->Items().At(26))->Value(), MakeOleDate(2026, 12, 7, 0));
    auto *month = static_cast<PDateCtrlLeftItem *>(s->JumpItems().At(25));
    EXPECT_DOUBLE_EQ(month->Value(), MakeOleDate(2026, 12, 1, 0));
    auto *january = static_cast<PDateCtrlLeftItem *>(s->JumpItems().At(26));
    EXPECT_EQ(january->Height(), 2 * s->JumpRowHeight()) << "January rows are twice as high";

    // Tap the month shown at the top of the jump column.
    auto *target = static_cast<PDateCtrlLeftItem *>(s->JumpItems().At(20));
    const int x = s->ValueColumnWidth() + 5;
    const int y = (target->Rect().top + target->Rect().bottom) / 2 - s->JumpOffset();
    ASSERT_GT(y, 0);
    Send(WM_LBUTTONDOWN, x, y);
    Send(WM_LBUTTONUP, x, y);
    Pump();
    EXPECT_DOUBLE_EQ(s->VisibleValueRow(3)->Value(), target->Value()) << "days around the month's first day";
    for (int i = 0; i < 500; ++i)
        SendMessageW(Window(), WM_TIMER, PDateTimeSelectCtrl::kGlideTimer, 0);
    EXPECT_EQ(target->Rect().top - s->JumpOffset(), 9 * s->JumpRowHeight());
    EXPECT_TRUE(owner.received.empty());
}

TEST(PListWndItemsInfo, NodesComeInBlocksOfTenAndMovesAllocateNothing) {
    Memory::List<int> list;
    for (int i = 0; i < 11; ++i)
        list.PushBack(i);
    EXPECT_EQ(list.Capacity(), 20);
    for (int i = 0; i < 100; ++i) {
        list.MoveTailToHead();
        list.MoveHeadToTail();
        list.MoveHeadToTail();
    }
    EXPECT_EQ(list.Capacity(), 20);
    EXPECT_EQ(list.Count(), 11);
    list.Remove(list.Head());
    list.PushFront(99); // reuses the freed node
    EXPECT_EQ(list.Capacity(), 20);
    std::vector<int> forward, backward;
    for (auto *n = list.Head(); n; n = n->next)
        forward.push_back(n->value);
    for (auto *n = list.Tail(); n; n = n->prev)
        backward.insert(backward.begin(), n->value);
    EXPECT_EQ(forward, backward) << "links agree in both directions";
    EXPECT_EQ(forward.front(), 99);
}

} // namespace
