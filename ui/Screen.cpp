#include "ui/Screen.h"

#include <aygshell.h>

#include <algorithm>

namespace {

ScreenDescriptor gCurrentScreen;
ScreenMetrics gMetrics = {0, 0, 0, 96, 96};
bool gResolutionRead = false;

SipInfoQuery gSipQuery = nullptr;

HWND gMainWindow = nullptr;
RECT gDragBounds = {};

BOOL ShellSipQuery(void *sipInfo) { return SHSipInfo(SPI_GETSIPINFO, 0, sipInfo, 0); }

} // namespace

ScreenDescriptor &CurrentScreen() { return gCurrentScreen; }

ScreenMetrics ComputeScreenMetrics(int width, int height, int dpiX, int dpiY) {
    ScreenMetrics m = {};
    m.squareScreen = width == 320 && height == 320;
    m.bigScreen = !m.squareScreen && (width == 400 || height == 400 || width == 800 || height == 800);
    m.highRes = dpiX > 131 || dpiY > 131;
    m.dpiX = dpiX;
    m.dpiY = dpiY;
    return m;
}

void InitScreenMetrics() {
    int dpiX = gMetrics.dpiX;
    int dpiY = gMetrics.dpiY;
    if (!gResolutionRead) {
        HDC screen = GetDC(nullptr);
        dpiX = GetDeviceCaps(screen, LOGPIXELSX);
        dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        gResolutionRead = true;
    }
    gMetrics = ComputeScreenMetrics(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), dpiX, dpiY);
}

const ScreenMetrics &Metrics() { return gMetrics; }

void SetMetrics(const ScreenMetrics &metrics) {
    gMetrics = metrics;
    gResolutionRead = true;
}

int ScaleX(int units) { return ScaleUnits(units, gMetrics.dpiX); }
int ScaleY(int units) { return ScaleUnits(units, gMetrics.dpiY); }

void SetSipInfoQuery(SipInfoQuery query) { gSipQuery = query; }

RECT VisibleDesktop() {
    SIPINFO info = {};
    // The handheld's record is 48 bytes with 32-bit pointers; ours is sized
    // for this build.
    info.cbSize = sizeof info;
    SipInfoQuery query = gSipQuery ? gSipQuery : ShellSipQuery;
    if (query(&info))
        return info.rcVisibleDesktop;
    RECT area;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return area;
}

void FitWindowToVisibleDesktop(HWND window) {
    if (!window || !IsWindow(window))
        return;
    RECT area = VisibleDesktop();
    if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT *>(&area), 2);
    MoveWindow(window, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

void SetDragBounds(HWND mainWindow, const RECT &bounds) {
    gMainWindow = mainWindow;
    gDragBounds = bounds;
}

namespace {

// Shortens one component so that [low, high] moved by delta stays within
// [min, max]; an edge that is already outside is not pushed further out.
int LimitAxis(int delta, int low, int high, int min, int max) {
    if (delta > 0)
        return std::min(delta, std::max(0, max - high));
    if (delta < 0)
        return std::max(delta, std::min(0, min - low));
    return 0;
}

} // namespace

POINT LimitDragMovement(int dx, int dy) {
    POINT move = {dx, dy};
    RECT rc;
    if (!gMainWindow || !GetWindowRect(gMainWindow, &rc))
        return move;
    move.x = LimitAxis(dx, rc.left, rc.right, gDragBounds.left, gDragBounds.right);
    move.y = LimitAxis(dy, rc.top, rc.bottom, gDragBounds.top, gDragBounds.bottom);
    return move;
}
