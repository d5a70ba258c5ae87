// The window base: message routing through the window's user data, back
// buffers, attaching to foreign windows, fitting to the visible desktop, and
// the screen metrics with the layout-unit rule.
#include <gtest/gtest.h>
#include <windows.h>

#include <aygshell.h>

#include <memory>
#include <vector>

#include "UiTestSupport.h"
#include "ui/NormalWnd.h"
#include "ui/Scaling.h"
#include "ui/Desktop.h"
#include "ui/Wnd.h"

namespace {

// Records every message that reaches the object.
class ProbeWnd : public Wnd {
public:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(msg);
        handleSeen = hwnd_;
        if (msg == WM_PAINT && HasBackBuffer()) {
            PaintFromBackBuffer();
            return 0;
        }
        return Wnd::WindowProc(hwnd, msg, wParam, lParam);
    }
    void FitToVisibleDesktop() override {
        ++fits;
        Wnd::FitToVisibleDesktop();
    }
    int Count(UINT msg) const {
        int n = 0;
        for (UINT m : seen)
            n += m == msg;
        return n;
    }

    std::vector<UINT> seen;
    HWND handleSeen = nullptr;
    int fits = 0;
};

RECT Rect(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm = {};
    GetObjectW(bitmap, sizeof bm, &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

TEST(WndRouting, NothingReachesTheObjectBeforeCreate) {
    ProbeWnd probe;
    HWND hwnd = probe.Create(L"Probe", WS_POPUP, Rect(10, 10, 50, 40), nullptr, 0, false);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_FALSE(probe.seen.empty());
    EXPECT_EQ(probe.seen.front(), static_cast<UINT>(WM_CREATE)) << "first message routed to the object";
    EXPECT_EQ(probe.Count(WM_NCCREATE), 0);
    EXPECT_EQ(probe.Count(WM_GETMINMAXINFO), 0);
    EXPECT_EQ(probe.handleSeen, hwnd) << "the handle is set before WM_CREATE reaches the object";
    EXPECT_EQ(probe.GetHwnd(), hwnd);
    EXPECT_EQ(Wnd::FromHandle(hwnd), &probe);

    wchar_t cls[32];
    GetClassNameW(hwnd, cls, 32);
    EXPECT_STREQ(cls, L"VelWndCls");
    EXPECT_EQ(probe.Create(L"Again", WS_POPUP, Rect(0, 0, 5, 5), nullptr, 0, false), hwnd)
        << "a second Create returns the first window";
}

TEST(WndRouting, AfterDestroyTheObjectHasNoWindow) {
    ProbeWnd probe;
    HWND hwnd = probe.Create(L"Probe", WS_POPUP, Rect(10, 10, 50, 40), nullptr, 0, true);
    ASSERT_NE(hwnd, nullptr);
    DestroyWindow(hwnd);
    EXPECT_EQ(probe.Count(WM_DESTROY), 1);
    EXPECT_EQ(probe.Count(WM_NCDESTROY), 0) << "messages after WM_DESTROY do not reach the object";
    EXPECT_EQ(probe.GetHwnd(), nullptr);
    EXPECT_FALSE(probe.Move(0, 0, 20, 20, true));
    probe.Show(SW_SHOW); // must not touch a stale handle
    probe.RebuildBackBuffer();
    probe.FitToVisibleDesktop();
    EXPECT_EQ(probe.GetHwnd(), nullptr);
}

TEST(WndRouting, ChildWindowsGetTheirIdAndPopupsIgnoreIt) {
    ProbeWnd parent, child, popup;
    ASSERT_NE(parent.Create(L"Parent", WS_POPUP, Rect(0, 0, 100, 100), nullptr, 0, false), nullptr);
    ASSERT_NE(child.Create(L"Child", WS_CHILD, Rect(1, 1, 10, 10), parent.GetHwnd(), 5483, false), nullptr);
    EXPECT_EQ(GetDlgCtrlID(child.GetHwnd()), 5483);
    EXPECT_NE(popup.Create(L"Popup", WS_POPUP, Rect(1, 1, 10, 10), parent.GetHwnd(), 5483, false), nullptr)
        << "an id given to a pop-up is not taken for a menu";
}

TEST(WndRouting, ActivationAndInputPanelChangesFitFirst) {
    struct Case {
        const char *name;
        UINT msg;
        WPARAM wParam;
        int fits;
    } cases[] = {
        {"activated", WM_ACTIVATE, WA_ACTIVE, 1},
        {"activated by a tap", WM_ACTIVATE, WA_CLICKACTIVE, 1},
        {"deactivated", WM_ACTIVATE, WA_INACTIVE, 0},
        {"input panel changed", WM_SETTINGCHANGE, SPI_SETSIPINFO, 1},
        {"other setting", WM_SETTINGCHANGE, SPI_SETWORKAREA, 0},
    };
    for (const Case &c : cases) {
        ProbeWnd probe;
        ASSERT_NE(probe.Create(L"Probe", WS_POPUP, Rect(0, 0, 30, 30), nullptr, 0, false), nullptr);
        probe.seen.clear();
        SendMessageW(probe.GetHwnd(), c.msg, c.wParam, 0);
        // Default activation may activate the window once more for real.
        const int arrived = probe.Count(c.msg);
        EXPECT_GE(arrived, 1) << c.name << ": the message still reaches WindowProc";
        EXPECT_EQ(probe.fits, c.fits ? arrived : 0) << c.name;
    }
}

// An input panel that leaves the top 200 pixels free.
BOOL PanelUp(void *sipInfo) {
    SIPINFO *info = static_cast<SIPINFO *>(sipInfo);
    if (info->cbSize != sizeof(SIPINFO))
        return FALSE;
    SetRect(&info->rcVisibleDesktop, 0, 26, 240, 200);
    info->fdwFlags = SIPF_ON;
    return TRUE;
}

TEST(WndFit, FitFlaggedWindowMovesOntoTheVisibleDesktop) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        const char *name;
        bool fit;
        SipInfoQuery query;
        RECT expected; // empty: stays where it was
    } cases[] = {
        {"panel up", true, PanelUp, {0, 26, 240, 200}},
        {"no input panel: work area", true, nullptr, work},
        {"not fit-flagged", false, PanelUp, {5, 50, 65, 90}},
    };
    for (const Case &c : cases) {
        SetSipInfoQuery(c.query);
        ProbeWnd probe;
        probe.SetFit(c.fit);
        ASSERT_NE(probe.Create(L"Probe", WS_POPUP, Rect(5, 50, 60, 40), nullptr, 0, false), nullptr);
        SendMessageW(probe.GetHwnd(), WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
        RECT rc;
        GetWindowRect(probe.GetHwnd(), &rc);
        EXPECT_TRUE(EqualRect(&rc, &c.expected))
            << c.name << ": at " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
    SetSipInfoQuery(nullptr);
}

TEST(WndFit, ChildWindowFitsInItsParentsCoordinates) {
    SetSipInfoQuery(PanelUp);
    ProbeWnd parent, child;
    ASSERT_NE(parent.Create(L"Parent", WS_POPUP, Rect(0, 20, 240, 300), nullptr, 0, false), nullptr);
    child.SetFit(true);
    ASSERT_NE(child.Create(L"Child", WS_CHILD, Rect(0, 0, 10, 10), parent.GetHwnd(), 1, false), nullptr);
    SendMessageW(child.GetHwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    RECT rc;
    GetWindowRect(child.GetHwnd(), &rc);
    RECT expected = {0, 26, 240, 200};
    EXPECT_TRUE(EqualRect(&rc, &expected)) << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    SetSipInfoQuery(nullptr);
}

TEST(WndBackBuffer, FollowsTheClientSizeOnlyWhenDoubleBuffered) {
    ProbeWnd buffered, plain;
    ASSERT_NE(buffered.Create(L"B", WS_POPUP, Rect(0, 0, 40, 30), nullptr, 0, true), nullptr);
    ASSERT_NE(plain.Create(L"P", WS_POPUP, Rect(0, 0, 40, 30), nullptr, 0, false), nullptr);
    ASSERT_TRUE(buffered.HasBackBuffer());
    EXPECT_EQ(BitmapSize(buffered.BackBitmap()).cx, 40);
    EXPECT_EQ(BitmapSize(buffered.BackBitmap()).cy, 30);

    EXPECT_TRUE(buffered.Move(0, 0, 70, 55, true));
    EXPECT_TRUE(plain.Move(0, 0, 70, 55, true));
    EXPECT_EQ(BitmapSize(buffered.BackBitmap()).cx, 70);
    EXPECT_EQ(BitmapSize(buffered.BackBitmap()).cy, 55);
    EXPECT_FALSE(plain.HasBackBuffer()) << "WM_SIZE makes no buffer for a plain window";
    plain.RebuildBackBuffer();
    EXPECT_FALSE(plain.HasBackBuffer());

    // A window made with no size still gets a buffer in the screen's colours.
    ProbeWnd empty;
    ASSERT_NE(empty.Create(L"E", WS_POPUP, Rect(0, 0, 0, 0), nullptr, 0, true), nullptr);
    BITMAP bm = {};
    GetObjectW(empty.BackBitmap(), sizeof bm, &bm);
    EXPECT_GT(bm.bmBitsPixel, 1);
}

TEST(WndBackBuffer, PaintCopiesTheBufferToTheScreen) {
    ProbeWnd probe;
    ASSERT_NE(probe.Create(L"Probe", WS_POPUP, Rect(20, 40, 60, 50), nullptr, 0, true), nullptr);
    RECT all = {0, 0, 60, 50};
    HBRUSH red = CreateSolidBrush(RGB(200, 30, 40));
    FillRect(probe.BackDC(), &all, red);
    DeleteObject(red);
    SetWindowPos(probe.GetHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(probe.GetHwnd());
    uitest::Pump();
    HDC screen = GetDC(nullptr);
    COLORREF pixel = GetPixel(screen, 50, 60);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(pixel, RGB(200, 30, 40));
}

LRESULT CALLBACK CountingEditProc(HWND, UINT, WPARAM, LPARAM);
WNDPROC gEditProc;
int gEditProcCalls;

LRESULT CALLBACK CountingEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++gEditProcCalls;
    return CallWindowProcW(gEditProc, hwnd, msg, wParam, lParam);
}

TEST(WndAttach, DeletingTheObjectLeavesTheControlWithItsOwnProcedure) {
    // A control as a dialog template makes it: someone else's window with its
    // own procedure and user data.
    HWND edit =
        CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    gEditProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingEditProc)));
    SetWindowLongPtrW(edit, GWLP_USERDATA, 1234);

    auto probe = std::make_unique<ProbeWnd>();
    ASSERT_TRUE(probe->Attach(edit));
    EXPECT_EQ(probe->GetHwnd(), edit);
    EXPECT_TRUE(probe->IsAttached());
    ProbeWnd other;
    EXPECT_FALSE(other.Attach(edit)) << "a window serves one object";

    gEditProcCalls = 0;
    SetWindowTextW(edit, L"kept");
    EXPECT_EQ(probe->Count(WM_SETTEXT), 1) << "the object sees the control's messages";
    EXPECT_GT(gEditProcCalls, 0) << "and the control still handles them";

    probe.reset();
    ASSERT_TRUE(IsWindow(edit)) << "the creator owns the control";
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_WNDPROC)), CountingEditProc);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_USERDATA), 1234);
    wchar_t text[16] = {};
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"kept");
    DestroyWindow(edit);
}

TEST(WndAttach, ControlDestroyedFirstIsHandedBackAtOnce) {
    HWND edit =
        CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    ProbeWnd probe;
    ASSERT_TRUE(probe.Attach(edit));
    DestroyWindow(edit);
    EXPECT_EQ(probe.GetHwnd(), nullptr);
    EXPECT_FALSE(probe.IsAttached());
    EXPECT_EQ(probe.Count(WM_DESTROY), 1);
}

TEST(ScreenMetrics, LayoutUnitsScaleWithTheirOwnAxis) {
    struct Case {
        int units, dpi, expected;
    } cases[] = {
        {38, 96, 38},   {38, 192, 76}, {29, 192, 58},
        {1, 192, 2},    {0, 192, 0},   {10, 131, 14}, // (1310 + 48) / 96, rounded to nearest
        {3, 120, 4},                                  // 3.75 -> 4
        {2, 120, 3},                                  // 2.5 -> 3: halves round up
        {202, 96, 202},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ScaleUnits(c.units, c.dpi), c.expected) << c.units << " units at " << c.dpi;

    const ScreenMetrics saved = Metrics();
    SetMetrics(ComputeScreenMetrics(480, 640, 192, 96));
    EXPECT_EQ(ScaleX(29), 58) << "widths follow the horizontal resolution";
    EXPECT_EQ(ScaleY(29), 29) << "heights follow the vertical resolution";
    SetMetrics(saved);
}

TEST(ScreenMetrics, FlagsFollowSizeAndResolution) {
    struct Case {
        int w, h, dpiX, dpiY;
        int big, square, highRes;
    } cases[] = {
        {240, 320, 96, 96, 0, 0, 0},  {480, 640, 192, 192, 0, 0, 1}, {640, 480, 192, 192, 0, 0, 1},
        {240, 400, 96, 96, 1, 0, 0},  {480, 800, 192, 192, 1, 0, 1}, {800, 480, 192, 192, 1, 0, 1},
        {320, 320, 96, 96, 0, 1, 0},  {240, 320, 131, 131, 0, 0, 0}, {240, 320, 132, 96, 0, 0, 1},
        {240, 320, 96, 132, 0, 0, 1},
    };
    for (const Case &c : cases) {
        ScreenMetrics m = ComputeScreenMetrics(c.w, c.h, c.dpiX, c.dpiY);
        EXPECT_EQ(m.bigScreen, c.big) << c.w << "x" << c.h;
        EXPECT_EQ(m.squareScreen, c.square) << c.w << "x" << c.h;
        EXPECT_EQ(m.highRes, c.highRes) << c.w << "x" << c.h << " at " << c.dpiX << "/" << c.dpiY;
    }
}

TEST(ScreenMetrics, ResolutionIsReadOnce) {
    const ScreenMetrics saved = Metrics();
    InitScreenMetrics();
    EXPECT_EQ(Metrics().dpiX, 96) << "the test device's screen";
    SetMetrics(ComputeScreenMetrics(800, 800, 192, 192));
    InitScreenMetrics();
    EXPECT_EQ(Metrics().dpiY, 192) << "a second initialisation keeps the resolution";
    EXPECT_EQ(Metrics().bigScreen, 0) << "but renews the size flags";
    SetMetrics(saved);
}

TEST(ScreenState, DragMovementStopsAtTheBounds) {
    ProbeWnd main;
    ASSERT_NE(main.Create(L"Main", WS_POPUP, Rect(20, 65, 100, 100), nullptr, 0, false), nullptr);
    SetDragBounds(main.GetHwnd(), RECT{10, 10, 230, 310});
    struct Case {
        int dx, dy, ex, ey;
    } cases[] = {
        {5, 5, 5, 5}, {-15, 0, -10, 0}, {200, 0, 110, 0}, {0, -80, 0, -55}, {0, 300, 0, 145}, {-3, 400, -3, 145},
    };
    for (const Case &c : cases) {
        POINT p = LimitDragMovement(c.dx, c.dy);
        EXPECT_EQ(p.x, c.ex) << c.dx << "," << c.dy;
        EXPECT_EQ(p.y, c.ey) << c.dx << "," << c.dy;
    }
    // A window already past an edge is not pushed further out, but may come back.
    main.Move(0, 65, 100, 100, false);
    EXPECT_EQ(LimitDragMovement(-5, 0).x, 0);
    EXPECT_EQ(LimitDragMovement(4, 0).x, 4);
    SetDragBounds(nullptr, RECT{});
    EXPECT_EQ(LimitDragMovement(-500, 0).x, -500) << "no main window, no limit";
}

} // namespace
