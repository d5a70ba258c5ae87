#include "ui/Desktop.h"

#include <aygshell.h>

#include <algorithm>

namespace {

SipInfoQuery gSipQuery = nullptr;

HWND gMainWindow = nullptr;
RECT gDragBounds = {};

BOOL ShellSipQuery(void *sipInfo) { return SHSipInfo(SPI_GETSIPINFO, 0, sipInfo, 0); }

} // namespace

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

bool AsksToRefit(UINT msg, WPARAM wParam) {
    return (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) ||
           (msg == WM_SETTINGCHANGE && wParam == SPI_SETSIPINFO);
}
