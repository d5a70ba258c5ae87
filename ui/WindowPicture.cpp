#include "ui/WindowPicture.h"

#include <map>
#include <vector>

#include "ui/Wnd.h"

namespace {

// The windows of a tree by parent, each list from the top of the z-order
// down. Read in one walk: asking the system for a window's first child or
// next sibling costs a round trip to the window server each time.
using ChildLists = std::map<HWND, std::vector<HWND>>;

BOOL CALLBACK AddChild(HWND child, LPARAM lists) {
    (*reinterpret_cast<ChildLists *>(lists))[GetParent(child)].push_back(child);
    return TRUE;
}

// The client area fills the whole window: no border or caption to draw.
bool HasNoFrame(HWND window, const RECT &client) {
    RECT outer;
    GetWindowRect(window, &outer);
    return outer.right - outer.left == client.right && outer.bottom - outer.top == client.bottom;
}

bool DrawTree(HWND window, const ChildLists &lists, HDC dc, int x, int y) {
    const Wnd *object = Wnd::FromHandle(window);
    RECT client;
    GetClientRect(window, &client);
    if (!object || !object->HasBackBuffer() || !HasNoFrame(window, client))
        return false;
    BitBlt(dc, x, y, client.right, client.bottom, object->BackDC(), 0, 0, SRCCOPY);
    const auto children = lists.find(window);
    if (children == lists.end())
        return true;
    // The children from the bottom of the z-order up. A hidden parent's
    // children keep their own visible style, which says whether they show
    // with it.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, x, y, x + client.right, y + client.bottom);
    bool whole = true;
    for (auto child = children->second.rbegin(); child != children->second.rend() && whole; ++child) {
        if (!(GetWindowLongW(*child, GWL_STYLE) & WS_VISIBLE))
            continue;
        POINT origin = {0, 0};
        MapWindowPoints(*child, window, &origin, 1);
        whole = DrawTree(*child, lists, dc, x + origin.x, y + origin.y);
    }
    RestoreDC(dc, saved);
    return whole;
}

} // namespace

bool DrawWindowPicture(HWND window, HDC dc, int x, int y) {
    if (!window || !dc)
        return false;
    ChildLists lists;
    EnumChildWindows(window, AddChild, reinterpret_cast<LPARAM>(&lists));
    return DrawTree(window, lists, dc, x, y);
}
