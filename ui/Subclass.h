// Routing the messages of a window made elsewhere (a control of another
// library) through a procedure of ours before its own: classic subclassing,
// where the common controls' subclass calls would load that whole library.
#pragma once
#include <windows.h>

// Gets each message of the window with the data given to SubclassWindow and
// the window's own procedure, to which it passes on what it does not keep.
using SubclassProc = LRESULT (*)(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, void *data, WNDPROC next);

// Routes the window through proc until it is destroyed (its last message,
// WM_NCDESTROY, goes straight to its own procedure). One route per
// window: false when it has one already or cannot be routed.
bool SubclassWindow(HWND window, SubclassProc proc, void *data);
