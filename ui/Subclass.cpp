#include "ui/Subclass.h"

namespace {

const wchar_t kRouteProperty[] = L"TallyPadRoute";

struct Route {
    SubclassProc proc;
    void *data;
    WNDPROC next;
};

LRESULT CALLBACK RouteProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto *route = static_cast<Route *>(GetPropW(window, kRouteProperty));
    if (!route)
        return DefWindowProcW(window, msg, wParam, lParam);
    if (msg != WM_NCDESTROY)
        return route->proc(window, msg, wParam, lParam, route->data, route->next);
    // The window's last message goes to its own procedure; the route ends.
    const WNDPROC next = route->next;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(next));
    RemovePropW(window, kRouteProperty);
    delete route;
    return CallWindowProcW(next, window, msg, wParam, lParam);
}

} // namespace

bool SubclassWindow(HWND window, SubclassProc proc, void *data) {
    if (!window || !proc || GetPropW(window, kRouteProperty))
        return false;
    auto *route = new Route{proc, data, nullptr};
    if (!SetPropW(window, kRouteProperty, route)) {
        delete route;
        return false;
    }
    route->next =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RouteProc)));
    if (!route->next) {
        RemovePropW(window, kRouteProperty);
        delete route;
        return false;
    }
    return true;
}
