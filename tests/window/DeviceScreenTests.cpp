// Windows made in-process on the test device: the screen, fonts and folders
// that every screen of the program relies on, and painting that reaches the
// screen.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

namespace {

TEST(DeviceScreen, HasTheHandheldSizeAndDensity) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
}

TEST(DeviceScreen, OffersTahomaAndAnArialStandIn) {
    HDC screen = GetDC(nullptr);
    for (const wchar_t *face : {L"Tahoma", L"Arial"}) {
        HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
        HGDIOBJ old = SelectObject(screen, font);
        TEXTMETRICW tm = {};
        GetTextMetricsW(screen, &tm);
        SIZE size = {};
        GetTextExtentPoint32W(screen, L"Hamburg 12:45", 13, &size);
        SelectObject(screen, old);
        DeleteObject(font);
        // A missing face falls back to a bitmap font of another size.
        EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE) << face << " is not a TrueType face";
        EXPECT_GT(size.cx, 60) << face;
        EXPECT_LT(size.cx, 110) << face;
    }
    ReleaseDC(nullptr, screen);
}

TEST(DeviceScreen, SpecialFoldersStayInsideTheDevice) {
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_PERSONAL, FALSE));
    EXPECT_STREQ(path, L"C:\\My Documents");
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, path, CSIDL_STARTUP, FALSE));
    EXPECT_STREQ(path, L"C:\\Windows\\StartUp");
}

LRESULT CALLBACK PaintRed(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        HBRUSH red = CreateSolidBrush(RGB(200, 30, 40));
        FillRect(dc, &ps.rcPaint, red);
        DeleteObject(red);
        EndPaint(wnd, &ps);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

TEST(DeviceScreen, APaintedWindowReachesTheScreen) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PaintRed;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DeviceScreenProbe";
    ASSERT_TRUE(RegisterClassW(&wc));
    HWND wnd = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 20, 30, 100, 80, nullptr,
                               nullptr, wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    UpdateWindow(wnd);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    HDC screen = GetDC(nullptr);
    COLORREF pixel = GetPixel(screen, 70, 70);
    ReleaseDC(nullptr, screen);
    DestroyWindow(wnd);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
    EXPECT_EQ(pixel, RGB(200, 30, 40));
}

} // namespace
