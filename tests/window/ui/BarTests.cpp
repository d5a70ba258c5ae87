// Bars of image-button groups and text labels, and the cell painter.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "UiTestSupport.h"
#include "resource.h"
#include "ui/BarBaseEx.h"
#include "ui/CellPainter.h"
#include "ui/Gdi.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

using uitest::Point;
using uitest::Recorder;

// Two buttons sharing a picture, a label, and a button of its own.
const BarEntry kLayout[] = {
    {30, 26, IDB_MESSAGE_OK, 101, nullptr},
    {30, 26, IDB_MESSAGE_OK, 102, nullptr},
    {60, 20, 0, 0, L"Label"},
    {40, 26, IDB_ABOUT_OK, 103, nullptr},
    {0, 0, 0, 0, nullptr},
};

struct BarFixture : ::testing::Test {
    void SetUp() override {
        ASSERT_NE(bar.Create(owner.hwnd(), RECT{0, 0, 240, 30}, L"BarWnd"), nullptr);
        bar.SetLayout(kLayout);
        bar.Show(SW_SHOW);
    }
    void Stylus(UINT msg, int x, int y) { SendMessageW(bar.GetHwnd(), msg, MK_LBUTTON, Point(x, y)); }
    int Commands(UINT id) {
        uitest::Pump(); // commands are posted
        int n = 0;
        for (const auto &m : owner.messages())
            n += m.msg == UWM_TITLE_COMMAND && m.wParam == id;
        return n;
    }

    Recorder owner;
    CBarBaseEx bar;
};

TEST_F(BarFixture, ConsecutiveEntriesWithOnePictureFormAGroup) {
    ASSERT_EQ(bar.GroupCount(), 2);
    ASSERT_EQ(bar.Group(0).Count(), 2);
    ASSERT_EQ(bar.Group(1).Count(), 1);
    EXPECT_EQ(bar.GroupCommand(0, 1), 102u);
    EXPECT_EQ(bar.GroupCommand(1, 0), 103u);
    ASSERT_EQ(bar.LabelCount(), 1);
    // Left to right, centred vertically in the 30-pixel bar.
    struct Expect {
        RECT actual, expected;
    } rects[] = {
        {bar.Group(0).ButtonRect(0), {0, 2, 30, 28}},
        {bar.Group(0).ButtonRect(1), {30, 2, 60, 28}},
        {bar.LabelRect(0), {60, 5, 120, 25}},
        {bar.Group(1).ButtonRect(0), {120, 2, 160, 28}},
    };
    for (const Expect &r : rects)
        EXPECT_TRUE(EqualRect(&r.actual, &r.expected))
            << r.actual.left << "," << r.actual.top << "," << r.actual.right << "," << r.actual.bottom;
}

TEST(BarLayout, GroupsHoldThreeButtonsAndABarSevenGroups) {
    Recorder owner;
    CBarBaseEx bar;
    ASSERT_NE(bar.Create(owner.hwnd(), RECT{0, 0, 480, 30}, L"BarWnd"), nullptr);
    BarEntry entries[20] = {};
    for (int i = 0; i < 4; ++i) // four with one picture: a group of three and one of one
        entries[i] = BarEntry{20, 20, IDB_MESSAGE_OK, 200u + i, nullptr};
    for (int i = 4; i < 12; ++i) // alternating pictures: a group each
        entries[i] = BarEntry{20, 20, i % 2 == 0 ? UINT{IDB_ABOUT_OK} : UINT{IDB_MESSAGE_OK}, 200u + i, nullptr};
    bar.SetLayout(entries);
    EXPECT_EQ(bar.GroupCount(), CBarBaseEx::kMaxGroups);
    EXPECT_EQ(bar.Group(0).Count(), 3);
    EXPECT_EQ(bar.Group(1).Count(), 1);
    EXPECT_EQ(bar.GroupCommand(1, 0), 203u);
}

TEST_F(BarFixture, TapOnAButtonPostsItsCommand) {
    Stylus(WM_LBUTTONDOWN, 45, 10);
    EXPECT_EQ(bar.Group(0).State(1), 1);
    EXPECT_EQ(bar.Group(0).State(0), 0);
    EXPECT_EQ(GetCapture(), bar.GetHwnd());
    Stylus(WM_LBUTTONUP, 45, 12);
    EXPECT_EQ(bar.Group(0).State(1), 0);
    EXPECT_EQ(Commands(102), 1);
    EXPECT_EQ(owner.messages().size(), 1u);
    EXPECT_NE(GetCapture(), bar.GetHwnd());
}

TEST_F(BarFixture, ALostPressComesBackWhenTheStylusReturns) {
    Stylus(WM_LBUTTONDOWN, 10, 10);
    Stylus(WM_MOUSEMOVE, 80, 10); // onto the label
    EXPECT_EQ(bar.Group(0).State(0), 0);
    Stylus(WM_MOUSEMOVE, 40, 10); // onto the neighbour: it is not pressed
    EXPECT_EQ(bar.Group(0).State(1), 0);
    Stylus(WM_MOUSEMOVE, 12, 10);
    EXPECT_EQ(bar.Group(0).State(0), 1) << "back on the lost button";
    Stylus(WM_LBUTTONUP, 12, 10);
    EXPECT_EQ(Commands(101), 1);

    Stylus(WM_LBUTTONDOWN, 10, 10);
    Stylus(WM_MOUSEMOVE, 140, 10);
    Stylus(WM_LBUTTONUP, 140, 10); // released on another button
    EXPECT_EQ(Commands(101), 1);
    EXPECT_EQ(Commands(103), 0);
    EXPECT_EQ(bar.Group(1).State(0), 0);
}

TEST_F(BarFixture, PressesOnALabelOrTheFreeBarDoNothing) {
    for (int x : {90, 200}) {
        Stylus(WM_LBUTTONDOWN, x, 15);
        EXPECT_EQ(bar.PressedGroup(), -1) << x;
        EXPECT_NE(GetCapture(), bar.GetHwnd()) << x;
        Stylus(WM_LBUTTONUP, x, 15);
    }
    uitest::Pump();
    EXPECT_TRUE(owner.messages().empty());
}

TEST_F(BarFixture, ResizingLaysOutAgainAndTheBackgroundTiles) {
    ASSERT_TRUE(bar.SetBackground(IDB_MESSAGE_HEADER_MIDDLE)); // an 8-pixel tile
    bar.Move(0, 0, 300, 40, true);
    const RECT &r = bar.Group(0).ButtonRect(0);
    EXPECT_EQ(r.top, 7) << "centred in the new height";
    bar.Redraw();
    // Free area at x 200 and 207: the same column of two tiles.
    EXPECT_EQ(GetPixel(bar.BackDC(), 200, 20), GetPixel(bar.BackDC(), 208, 20));
    EXPECT_NE(GetPixel(bar.BackDC(), 200, 20), kControlColor) << "the tile was drawn";
}

// A strip of three solid 4 x 4 icons: red, green, blue.
void SolidImages(IconStrip &icons) {
    ScreenDC screen;
    Bitmap strip(CreateCompatibleBitmap(screen, 12, 4));
    {
        MemoryDC dc(screen);
        SelectedObject sel(dc, strip.get());
        FillSolid(dc, RECT{0, 0, 4, 4}, RGB(255, 0, 0));
        FillSolid(dc, RECT{4, 0, 8, 4}, RGB(0, 255, 0));
        FillSolid(dc, RECT{8, 0, 12, 4}, RGB(0, 0, 255));
    }
    icons.LoadFrom(strip.get(), 4, 4);
}

struct Canvas {
    Canvas(int w, int h) : dc(screen), bitmap(CreateCompatibleBitmap(screen, w, h)), sel(dc, bitmap.get()) {
        FillSolid(dc, RECT{0, 0, w, h}, RGB(255, 255, 255));
    }
    ScreenDC screen;
    MemoryDC dc;
    Bitmap bitmap;
    SelectedObject sel;
};

// Icon strips draw the program's pictures exactly as a masked image list
// (the common controls' way, which they replace) does: each icon where its
// pixels are not magenta, the background elsewhere.
TEST(IconStrip, DrawsLikeAMaskedImageList) {
    const struct {
        UINT id;
        int count;
        bool transparent; // has magenta pixels (the bar buttons have none)
    } pictures[] = {{IDB_LIST_ICONS, 4, true},         {IDB_LIST_ICONS_HI, 4, true}, {IDB_WORLD_ROW_ICONS, 3, true},
                    {IDB_WORLD_ROW_ICONS_HI, 3, true}, {IDB_BTN_MENU, 2, false},     {IDB_BTN_MENU_HI, 2, false},
                    {IDB_BTN_COPY, 2, false},          {IDB_BTN_MINIMISE, 2, false}, {IDB_TAB_BACK_HI, 2, false}};
    for (const auto &picture : pictures) {
        SCOPED_TRACE(testing::Message() << "bitmap " << picture.id);
        Bitmap bitmap(LoadProgramBitmap(picture.id));
        const SIZE size = BitmapSize(bitmap.get());
        ASSERT_GT(size.cx, 0);
        const int width = size.cx / picture.count;
        IconStrip strip;
        ASSERT_TRUE(strip.Load(picture.id, picture.count));
        EXPECT_EQ(strip.Count(), picture.count);
        EXPECT_EQ(strip.IconSize().cx, width);
        EXPECT_EQ(strip.IconSize().cy, size.cy);
        HIMAGELIST list = ImageList_Create(width, size.cy, ILC_COLOR24 | ILC_MASK, picture.count, 0);
        ASSERT_GE(ImageList_AddMasked(list, bitmap.get(), kTransparentKey), 0);
        Canvas byList(size.cx, size.cy), byStrip(size.cx, size.cy);
        for (Canvas *canvas : {&byList, &byStrip})
            FillSolid(canvas->dc, RECT{0, 0, size.cx, size.cy}, RGB(10, 200, 30));
        for (int i = 0; i < picture.count; ++i) {
            ImageList_Draw(list, i, byList.dc, i * width, 0, ILD_TRANSPARENT);
            strip.Draw(byStrip.dc, i, i * width, 0);
        }
        strip.Draw(byStrip.dc, picture.count, 0, 0); // outside the strip: nothing
        ImageList_Destroy(list);
        int differ = 0, background = 0;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < width * picture.count; ++x) {
                differ += GetPixel(byList.dc, x, y) != GetPixel(byStrip.dc, x, y);
                background += GetPixel(byStrip.dc, x, y) == RGB(10, 200, 30);
            }
        EXPECT_EQ(differ, 0);
        EXPECT_EQ(background > 0, picture.transparent) << "pixels left out";
        EXPECT_LT(background, width * picture.count * size.cy) << "pixels drawn";
    }
}

TEST(CellPainter, ThreePartBackgroundKeepsItsCapsAndClipsTheMiddle) {
    IconStrip images;
    SolidImages(images);
    Canvas canvas(30, 10);
    CellBackground bg = {kCellThreePart, 0, &images, 0, 1, 2, nullptr};
    PaintCell(canvas.dc, RECT{0, 0, 22, 4}, bg, nullptr, 0, false);
    struct Case {
        int x;
        COLORREF expected;
    } cases[] = {{0, RGB(255, 0, 0)},  {3, RGB(255, 0, 0)},  {4, RGB(0, 255, 0)},     {17, RGB(0, 255, 0)},
                 {18, RGB(0, 0, 255)}, {21, RGB(0, 0, 255)}, {22, RGB(255, 255, 255)}};
    for (const Case &c : cases)
        EXPECT_EQ(GetPixel(canvas.dc, c.x, 1), c.expected) << "x " << c.x;
}

TEST(CellPainter, SolidBackgroundItemsAndSeparator) {
    IconStrip images;
    SolidImages(images);
    Canvas canvas(40, 30);
    CellBackground bg = {kCellSolid, RGB(151, 167, 227), nullptr, 0, 0, 0, nullptr};
    CellItem items[] = {
        CellItem::Image(&images, 2, 30, 2),
        CellItem::Text(L"Hamburg", 9, FW_BOLD, RGB(0, 0, 0), RECT{0, 0, 28, 20}, DT_SINGLELINE | DT_LEFT),
    };
    PaintCell(canvas.dc, RECT{0, 0, 40, 24}, bg, items, 2, true);
    EXPECT_EQ(GetPixel(canvas.dc, 35, 20), RGB(151, 167, 227));
    EXPECT_EQ(GetPixel(canvas.dc, 31, 3), RGB(0, 0, 255)) << "the image item";
    for (int y : {21, 22, 23})
        EXPECT_EQ(GetPixel(canvas.dc, 5, y), kCellSeparatorColor) << "separator row " << y;
    EXPECT_EQ(GetPixel(canvas.dc, 5, 24), RGB(255, 255, 255)) << "nothing below the cell";
    int dark = 0, past = 0;
    for (int x = 0; x < 40; ++x)
        for (int y = 0; y < 20; ++y) {
            bool black = GetPixel(canvas.dc, x, y) == RGB(0, 0, 0);
            dark += black && x < 28;
            past += black && x >= 28;
        }
    EXPECT_GT(dark, 10) << "the text was drawn";
    EXPECT_EQ(past, 0) << "a text too wide is cut at its rectangle";
}

TEST(CellPainter, FontHeightFollowsTheVerticalResolution) {
    const ScreenMetrics saved = Metrics();
    struct Case {
        int dpi, points, height;
    } cases[] = {{96, 9, -12}, {96, 11, -15}, {192, 9, -24}, {192, 11, -29}, {131, 9, -16}};
    for (const Case &c : cases) {
        SetMetrics(ComputeScreenMetrics(240, 320, 96, c.dpi));
        EXPECT_EQ(CellFontHeight(c.points), c.height) << c.points << " pt at " << c.dpi;
    }
    SetMetrics(saved);
}

} // namespace
