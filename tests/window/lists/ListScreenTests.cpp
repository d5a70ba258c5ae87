// List screens: scroll bar and row width, state backgrounds, keys, the
// in-place editor, title-bar commands and nested resizing.
#include <gtest/gtest.h>

#include "ListTestSupport.h"
#include "resource.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"
#include "ui/SimpleUIList.h"

namespace listtest {
namespace {

class ListScreen : public ListFixture {};

TEST_F(ListScreen, ScrollBarOnlyWhenRowsOverflowAndItNarrowsTheRows) {
    struct Case {
        int rows;
        bool bar;
        int width;
    } cases[] = {{0, false, 240}, {6, false, 240}, {7, true, 227}, {40, true, 227}}; // 6 x 43 = 258 fits in 300
    for (const Case &c : cases) {
        MakeList(c.rows);
        Rows().Repaint();
        EXPECT_EQ(Rows().BarShown(), c.bar) << c.rows << " rows";
        EXPECT_EQ(Rows().RowWidth(), c.width) << c.rows << " rows";
        ASSERT_EQ(screen.StateBackgroundCount(), 2);
        EXPECT_EQ(screen.StateBackgroundSize(0).cx, c.width) << "state background of " << c.rows << " rows";
        EXPECT_EQ(screen.StateBackgroundSize(1).cy, 43);
        const Event *drawn = screen.LastOf("draw");
        if (c.rows) {
            ASSERT_NE(drawn, nullptr);
            EXPECT_EQ(drawn->width, c.width);
        }
    }
}

TEST_F(ListScreen, StateBackgroundsHaveTheirColoursAndSeparator) {
    MakeList(3);
    struct Case {
        int state, y;
        COLORREF color;
    } cases[] = {
        {0, 10, RGB(238, 232, 255)}, {1, 10, RGB(142, 122, 191)}, {0, 41, RGB(76, 45, 103)}, {1, 40, RGB(76, 45, 103)}};
    for (const Case &c : cases)
        EXPECT_EQ(GetPixel(screen.StateBackground(c.state), 20, c.y), c.color) << "state " << c.state << " y " << c.y;
}

TEST_F(ListScreen, ScrollBarPressesScrollByLineAndPage) {
    MakeList(20); // 860 pixels in 300
    const int x = 235;
    struct Case {
        int y;
        int offset;
    } cases[] = {{5, 0}, {295, 43}, {295, 86}, {250, 386}, {5, 343}};
    for (const Case &c : cases) {
        SendMessageW(ListHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(x, c.y));
        SendMessageW(ListHwnd(), WM_LBUTTONUP, 0, Point(x, c.y));
        EXPECT_EQ(Rows().Offset(), c.offset) << "press at y " << c.y;
    }
    EXPECT_EQ(screen.Clicks(), 0);
    // The thumb (90 of a 260-pixel track) dragged to the bottom of the track.
    Rows().SetOffset(0);
    SendMessageW(ListHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(x, 60));
    SendMessageW(ListHwnd(), WM_MOUSEMOVE, MK_LBUTTON, Point(x, 145));
    EXPECT_EQ(Rows().Offset(), 280);
    SendMessageW(ListHwnd(), WM_MOUSEMOVE, MK_LBUTTON, Point(x, 290));
    EXPECT_EQ(Rows().Offset(), Rows().MaxOffset());
    SendMessageW(ListHwnd(), WM_LBUTTONUP, 0, Point(x, 290));
    EXPECT_EQ(screen.Clicks(), 0);
}

TEST_F(ListScreen, DefaultRowHeightFollowsTheResolution) {
    struct Case {
        int dpi, height;
    } cases[] = {{96, 43}, {120, 54}, {131, 59}, {192, 74}};
    for (const Case &c : cases) {
        SetMetrics(ComputeScreenMetrics(240, 320, c.dpi, c.dpi));
        EXPECT_EQ(CListWnd::DefaultRowHeight(), c.height) << c.dpi << " dpi";
    }
}

TEST_F(ListScreen, KeysScrollSwallowOrGoToTheParent) {
    MakeList(20);
    SendMessageW(ListHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(ListHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(ListHwnd(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Rows().Offset(), 43);
    for (WPARAM key : {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_PRIOR, VK_NEXT, VK_RETURN})
        SendMessageW(ListHwnd(), WM_KEYDOWN, key, 0);
    EXPECT_EQ(Rows().Offset(), 43);
    EXPECT_EQ(screen.IndexOf("key", 0), -1) << "a swallowed key reached the screen";
    SendMessageW(ListHwnd(), WM_KEYDOWN, 'A', 0);
    EXPECT_GE(screen.IndexOf("key", 'A'), 0) << "other keys go to the screen";
    MakeList(3);
    SendMessageW(ListHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Rows().Offset(), 0) << "rows that fit do not scroll";
}

TEST_F(ListScreen, InPlaceEditorRoundTrip) {
    const int editable[] = {1, -1};
    MakeList(10, 240, 300, editable);
    EXPECT_TRUE(Rows().RowEditable(1));
    EXPECT_FALSE(Rows().RowEditable(0));
    // A press on the editable row opens the editor over it with its text.
    SendMessageW(ListHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 60));
    ASSERT_EQ(Rows().EditRow(), 1);
    HWND editor = Rows().Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(IsWindowVisible(editor));
    wchar_t text[64] = {};
    GetWindowTextW(editor, text, 64);
    EXPECT_STREQ(text, L"Row 1");
    DWORD start = 1, end = 0;
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    RECT rc;
    GetWindowRect(editor, &rc);
    MapWindowPoints(HWND_DESKTOP, ListHwnd(), reinterpret_cast<POINT *>(&rc), 2);
    EXPECT_EQ(rc.left, 5);
    EXPECT_EQ(rc.top, 43);
    SendMessageW(ListHwnd(), WM_LBUTTONUP, 0, Point(50, 60));
    // Every change goes to the screen.
    screen.events.clear();
    SetWindowTextW(editor, L"Renamed");
    ASSERT_NE(screen.LastOf("set"), nullptr);
    EXPECT_EQ(screen.LastOf("set")->text, L"Renamed");
    // A press elsewhere ends editing with the final text.
    screen.events.clear();
    SendMessageW(ListHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 150));
    SendMessageW(ListHwnd(), WM_LBUTTONUP, 0, Point(50, 150));
    EXPECT_EQ(Rows().EditRow(), -1);
    ASSERT_NE(screen.LastOf("set"), nullptr);
    EXPECT_EQ(screen.LastOf("set")->row, 1);
    EXPECT_EQ(screen.LastOf("set")->text, L"Renamed");
    EXPECT_FALSE(IsWindowVisible(editor));
    // Scrolling ends editing too; at most 255 characters go back.
    SendMessageW(ListHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(50, 60));
    SendMessageW(ListHwnd(), WM_LBUTTONUP, 0, Point(50, 60));
    ASSERT_EQ(Rows().EditRow(), 1);
    SendMessageW(editor, EM_LIMITTEXT, 1000, 0);
    SetWindowTextW(editor, std::wstring(300, L'x').c_str());
    screen.events.clear();
    SendMessageW(ListHwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Rows().EditRow(), -1);
    ASSERT_NE(screen.LastOf("set"), nullptr);
    EXPECT_EQ(screen.LastOf("set")->text.size(), 255u);
}

TEST_F(ListScreen, TitleBarCommandsReachLeftAndRightButtons) {
    screen.SetHasTitleBar(true);
    screen.mapPickerCommands = true;
    MakeList(5);
    ASSERT_NE(screen.TitleBar(), nullptr);
    RECT list;
    GetWindowRect(ListHwnd(), &list);
    MapWindowPoints(HWND_DESKTOP, screen.GetHwnd(), reinterpret_cast<POINT *>(&list), 2);
    EXPECT_EQ(list.top, 39) << "rows start below the 39-unit title bar";
    screen.SetTitle(IDB_LIST_TITLE, 4, L"Pick");
    screen.AddTitleButton(IDB_LIST_BACK, 40, 31, kTitleCommandCancel);
    screen.AddTitleButton(IDB_LIST_DONE, 40, 31, kTitleCommandDone);
    CBarBaseEx &bar = *screen.TitleBar();
    ASSERT_EQ(bar.GroupCount(), 2);
    ASSERT_EQ(bar.LabelCount(), 1);
    EXPECT_EQ(bar.LabelRect(0).left, 40);
    EXPECT_EQ(bar.LabelRect(0).right, 200);
    for (int group = 0; group < 2; ++group) {
        parent.received.clear();
        const RECT &b = bar.Group(group).ButtonRect(0);
        const LPARAM at = Point((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        SendMessageW(bar.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(bar.GetHwnd(), WM_LBUTTONUP, 0, at);
        Pump();
        ASSERT_EQ(parent.Count(WM_ENABLE), 1) << "button " << group;
        EXPECT_EQ(parent.received.back().wParam, 1u);
    }
}

TEST_F(ListScreen, EnableGivesTheRowsTheFocusAndMakesTheListActive) {
    MakeList(5);
    TestList other;
    RECT rc = {0, 0, 240, 300};
    ASSERT_TRUE(other.Create(parent.GetHwnd(), &rc, L"Other"));
    EXPECT_EQ(CUIList::ActiveList(), &other);
    SendMessageW(screen.GetHwnd(), WM_ENABLE, 1, 0);
    EXPECT_EQ(CUIList::ActiveList(), &screen);
    EXPECT_EQ(GetFocus(), ListHwnd());
}

TEST_F(ListScreen, NestedListsTakeTheSizeOfTheResizedScreen) {
    MakeList(5);
    TestList middle, inner;
    ASSERT_TRUE(middle.Create(screen.GetHwnd(), nullptr, L"Middle"));
    ASSERT_TRUE(inner.Create(middle.GetHwnd(), nullptr, L"Inner"));
    BringWindowToTop(middle.GetHwnd());
    BringWindowToTop(inner.GetHwnd());
    Pump();
    MoveWindow(screen.GetHwnd(), 0, 0, 200, 250, TRUE);
    Pump();
    for (TestList *list : {&middle, &inner}) {
        RECT rc;
        GetClientRect(list->GetHwnd(), &rc);
        EXPECT_EQ(rc.right, 200);
        EXPECT_EQ(rc.bottom, 250);
    }
    EXPECT_EQ(CUIList::ActiveList(), &inner);
    // The travel is over: a later resize of the inner list alone stays its own.
    MoveWindow(inner.GetHwnd(), 0, 0, 100, 100, TRUE);
    Pump();
    RECT rc;
    GetClientRect(middle.GetHwnd(), &rc);
    EXPECT_EQ(rc.right, 200);
}

TEST_F(ListScreen, AWindowBetweenNestedListsDoesNotBlockLaterResizes) {
    MakeList(5);
    Wnd plain;
    RECT all = {0, 0, 240, 300};
    ASSERT_NE(plain.Create(L"Plain", WS_CHILD | WS_VISIBLE, all, screen.GetHwnd(), 7, false), nullptr);
    BringWindowToTop(plain.GetHwnd());
    TestList inner;
    ASSERT_TRUE(inner.Create(plain.GetHwnd(), nullptr, L"Inner"));
    for (int width : {200, 180}) {
        MoveWindow(screen.GetHwnd(), 0, 0, width, 250, TRUE);
        Pump();
        RECT rc;
        GetClientRect(inner.GetHwnd(), &rc);
        EXPECT_EQ(rc.right, width) << "resize to " << width;
    }
}

TEST_F(ListScreen, BouncesOnlyFromBeyondTheirEnd) {
    MakeList(10); // the end is at 130
    Rows().SetOffset(60);
    SendMessageW(ListHwnd(), UWM_LIST_BOUNCE_END, 0, 0);
    SendMessageW(ListHwnd(), UWM_LIST_BOUNCE_TOP, 0, 0);
    EXPECT_EQ(Rows().Offset(), 60) << "a stale bounce moved a list that lies within its range";
}

class Names : public CSimpleUIList {};

TEST_F(ListScreen, SimpleRowsShowTextAndIcon) {
    Names names;
    RECT rc = {0, 0, 240, 300};
    ASSERT_TRUE(names.Create(parent.GetHwnd(), &rc, L"Names"));
    ASSERT_TRUE(names.LoadIcons(IDB_LIST_ICONS, 4));
    ASSERT_NE(names.Icons(), nullptr);
    EXPECT_EQ(names.Icons()->IconSize().cx, 20);
    EXPECT_EQ(names.Icons()->IconSize().cy, 20);
    EXPECT_EQ(names.Icons()->Count(), 4);
    names.AddRow(L"First", 1);
    names.AddRow(L"Second", -1);
    names.ShowRows();
    names.List()->Repaint();
    HDC dc = names.List()->BackDC();
    // Row 0 on the normal background, the tick icon in the right-hand area,
    // dark text somewhere at the left.
    EXPECT_EQ(GetPixel(dc, 150, 8), RGB(238, 232, 255));
    bool text = false;
    for (int x = 5; x < 60 && !text; ++x)
        for (int y = 10; y < 33 && !text; ++y)
            text = GetPixel(dc, x, y) != RGB(238, 232, 255);
    EXPECT_TRUE(text);
    bool icon = false;
    for (int x = 205; x < 235 && !icon; ++x)
        icon = GetPixel(dc, x, 21) != RGB(238, 232, 255) && GetPixel(dc, x, 21) != RGB(255, 0, 255);
    EXPECT_TRUE(icon);
}

} // namespace
} // namespace listtest
