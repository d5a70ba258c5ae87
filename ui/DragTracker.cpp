#include "ui/DragTracker.h"

#include <windowsx.h>

#include <cstdlib>

#include "ui/Messages.h"
#include "ui/Scaling.h"
#include "ui/Desktop.h"

namespace {

// A press may wobble this far (layout units) and still be a tap.
const int kDragThreshold = 2;

POINT ToScreen(HWND window, int x, int y) {
    POINT pt = {x, y};
    ClientToScreen(window, &pt);
    return pt;
}

} // namespace

void DragTracker::OnPress(HWND window, int x, int y) {
    start_ = ToScreen(window, x, y);
    SetCapture(window);
    dragging_ = false;
}

void DragTracker::OnMove(HWND window, int x, int y) {
    if (GetCapture() != window)
        return;
    const POINT pt = ToScreen(window, x, y);
    // The main window stays inside the inset work area: the movement that
    // counts is what it may still move.
    const POINT step = LimitDragMovement(pt.x - start_.x, pt.y - start_.y);
    start_.x += step.x;
    start_.y += step.y;
    if (!dragging_ && std::abs(step.x) <= ScaleX(kDragThreshold) && std::abs(step.y) <= ScaleY(kDragThreshold))
        return;
    dragging_ = true;
    SendMessageW(GetParent(window), UWM_DRAG_MOVE, static_cast<WPARAM>(step.x), step.y);
}

void DragTracker::OnRelease(HWND window) {
    const bool captured = GetCapture() == window;
    if (captured)
        ReleaseCapture();
    if (captured && dragging_)
        SendMessageW(GetParent(window), UWM_DRAG_END, 0, 0);
    dragging_ = false;
}

bool DragTracker::OnMessage(HWND window, UINT msg, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        OnPress(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_MOUSEMOVE:
        OnMove(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return true;
    case WM_LBUTTONUP:
        OnRelease(window);
        return true;
    }
    return false;
}
