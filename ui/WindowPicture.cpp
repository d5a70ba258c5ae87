#include "ui/WindowPicture.h"

#include "ui/Wnd.h"

namespace {

// The client area fills the whole window: no border or caption to draw.
bool HasNoFrame(HWND window) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return outer.right - outer.left == client.right && outer.bottom - outer.top == client.bottom;
}

bool DrawTree(HWND window, HDC dc, int x, int y) {
    const Wnd *object = Wnd::FromHandle(window);
    if (!object || !object->HasBackBuffer() || !HasNoFrame(window))
        return false;
    RECT client;
    GetClientRect(window, &client);
    BitBlt(dc, x, y, client.right, client.bottom, object->BackDC(), 0, 0, SRCCOPY);
    // The children from the bottom of the z-order up. A hidden parent's
    // children keep their own visible style, which says whether they show
    // with it.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, x, y, x + client.right, y + client.bottom);
    bool whole = true;
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child && whole;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        POINT origin = {0, 0};
        MapWindowPoints(child, window, &origin, 1);
        whole = DrawTree(child, dc, x + origin.x, y + origin.y);
    }
    RestoreDC(dc, saved);
    return whole;
}

} // namespace

bool DrawWindowPicture(HWND window, HDC dc, int x, int y) { return window && dc && DrawTree(window, dc, x, y); }
