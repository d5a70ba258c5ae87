// The desk: its descriptor, the icon grid in landscape and portrait, the
// limit of fifteen icons, the tool icons and their pictures, and the tap on
// an icon that opens its screen.
#include <gtest/gtest.h>

#include <set>

#include "ShellTestSupport.h"
#include "resource.h"
#include "shell/DeskWnd.h"
#include "shell/Messages.h"
#include "ui/ScreenDescriptor.h"

using namespace shelltest;

namespace {

struct DeskFixture {
    Recorder main{RECT{0, 0, 240, 300}};
    CMyDeskWnd desk;
    HWND deskWindow = nullptr;

    explicit DeskFixture(int width = 238, int height = 225) {
        deskWindow = desk.CreateDesk(main.hwnd(), RECT{1, 39, 1 + width, 39 + height});
        desk.Show(SW_SHOW);
    }
};

TEST(Desk, ToolIconsInTheirOrderWithTheirPictures) {
    const struct {
        int screen;
        UINT bitmap, bitmapHi;
    } expected[] = {
        {1, 142, 446}, {2, 153, 372}, {4, 145, 445}, {3, 169, 435},
        {5, 179, 342}, {6, 263, 336}, {7, 257, 332}, {8, 286, 333},
    };
    for (const Resolution &r : kResolutions) {
        ScopedMetrics screen(r.width, r.height, r.dpi);
        DeskFixture f;
        f.desk.AddToolIcons();
        ASSERT_EQ(f.desk.IconCount(), 8) << r.name;
        for (int i = 0; i < 8; ++i) {
            const CMyIconCmb *icon = f.desk.Icon(i);
            EXPECT_EQ(icon->ScreenId(), expected[i].screen) << r.name << ", icon " << i;
            EXPECT_EQ(icon->BitmapId(), r.dpi > 131 ? expected[i].bitmapHi : expected[i].bitmap) << r.name;
            EXPECT_EQ(icon->PictureSize().cx, r.dpi > 131 ? 120 : 60) << r.name << ": picture " << i << " loads";
            EXPECT_EQ(GetDlgCtrlID(icon->GetHwnd()), static_cast<int>(CMyIconCmb::kFirstChildId) + i);
        }
    }
}

// Hand-worked from the layout rule: margin m = int((h x 0.00375 + 0.09875) x
// 10), cells of (w - 20) / columns by (h - 2m) / rows, 10 pixels at the left.
TEST(Desk, IconGridIsFourByTwoInLandscapeAndThreeByThreeInPortrait) {
    struct Case {
        const char *name;
        bool landscape;
        int width, height;
        int columns, rows;
        POINT first, last; // centres of icons 0 and 7
    } cases[] = {
        // m = 9, cells 72 x 69
        {"portrait 240 x 320", false, 238, 225, 3, 3, {46, 43}, {118, 181}},
        // m = 6, cells 74 x 66
        {"landscape 320 x 240", true, 318, 145, 4, 2, {47, 39}, {269, 105}},
    };
    for (const Case &c : cases) {
        DeskFixture f(c.width, c.height);
        f.desk.AddToolIcons();
        f.desk.LayoutGrid(c.landscape);
        std::set<LONG> columns, rows;
        for (int i = 0; i < f.desk.IconCount(); ++i) {
            const RECT rc = ChildRect(f.desk.Icon(i)->GetHwnd());
            EXPECT_EQ(rc.right - rc.left, 60) << c.name;
            EXPECT_EQ(rc.bottom - rc.top, 61) << c.name;
            columns.insert(rc.left);
            rows.insert(rc.top);
        }
        EXPECT_EQ(static_cast<int>(columns.size()), c.columns) << c.name;
        EXPECT_EQ(static_cast<int>(rows.size()), c.rows) << c.name;
        const RECT first = ChildRect(f.desk.Icon(0)->GetHwnd());
        const RECT last = ChildRect(f.desk.Icon(7)->GetHwnd());
        EXPECT_EQ(first.left, c.first.x - 30) << c.name;
        EXPECT_EQ(first.top, c.first.y - 30) << c.name;
        EXPECT_EQ(last.left, c.last.x - 30) << c.name;
        EXPECT_EQ(last.top, c.last.y - 30) << c.name;
    }
    // The portrait grid's ninth cell stays empty: icon 7 is in the middle of
    // the last row, nothing to its right.
    EXPECT_EQ(CMyDeskWnd::IconCentre(7, 238, 225, false).x, CMyDeskWnd::IconCentre(1, 238, 225, false).x);
}

TEST(Desk, SixteenthIconIsRefused) {
    CMyDeskWnd windowless;
    EXPECT_FALSE(windowless.AddDeskIcon(1, IDB_ICON_CALCULATOR)) << "no desk window yet";

    DeskFixture f;
    for (int i = 0; i < CMyDeskWnd::kMaxIcons; ++i)
        ASSERT_TRUE(f.desk.AddDeskIcon(1 + i % 8, IDB_ICON_CALCULATOR)) << "icon " << i;
    EXPECT_FALSE(f.desk.AddDeskIcon(2, IDB_ICON_NOTE));
    EXPECT_EQ(f.desk.IconCount(), CMyDeskWnd::kMaxIcons);
    EXPECT_EQ(GetDlgItem(f.deskWindow, CMyIconCmb::kFirstChildId + CMyDeskWnd::kMaxIcons), nullptr);

    // An icon whose picture is missing is still made.
    DeskFixture other;
    EXPECT_TRUE(other.desk.AddDeskIcon(5, 9999));
    EXPECT_EQ(other.desk.Icon(0)->PictureSize().cx, 0);
}

TEST(Desk, IconTapOpensItsScreen) {
    struct Case {
        const char *name;
        bool press;
        int releaseX, releaseY;
        int opens;
    } cases[] = {
        {"released on the icon", true, 30, 30, 1},      {"released at the icon's last pixel", true, 59, 60, 1},
        {"released beside the icon", true, 70, 30, 0},  {"released above the icon", true, 30, -5, 0},
        {"released without a press", false, 30, 30, 0},
    };
    for (const Case &c : cases) {
        DeskFixture f;
        f.desk.AddToolIcons();
        const HWND icon = f.desk.Icon(3)->GetHwnd(); // the converter
        if (c.press)
            Press(icon, 30, 30);
        MoveTo(icon, c.releaseX, c.releaseY);
        Release(icon, c.releaseX, c.releaseY);
        ASSERT_EQ(f.main.Count(UWM_OPEN_SCREEN), c.opens) << c.name;
        if (c.opens) {
            EXPECT_EQ(f.main.Last(UWM_OPEN_SCREEN)->wParam, static_cast<WPARAM>(kScreenConverter)) << c.name;
        }
        EXPECT_FALSE(f.desk.Icon(3)->IsPressed()) << c.name;
    }
}

TEST(Desk, CloseDestroysTheIconsOnly) {
    DeskFixture f;
    f.desk.AddToolIcons();
    const HWND icon = f.desk.Icon(0)->GetHwnd();
    SendMessageW(f.deskWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(icon));
    EXPECT_EQ(f.desk.IconCount(), 0);
    EXPECT_TRUE(IsWindow(f.deskWindow));
}

} // namespace
