// Drawing a window with its children off the screen, from their back
// buffers: the picture their next WM_PAINT would put on the screen, for a
// screen that is not shown yet (the frame's slides draw from it).
#pragma once
#include <windows.h>

// Draws window and its shown descendants into dc with the window's client
// origin at (x, y), each child clipped to its parent's client area and drawn
// over its lower siblings. False, with dc partly drawn, when a window of the
// tree has no back buffer or a border: it paints only on WM_PAINT, so its
// picture cannot be had off the screen.
bool DrawWindowPicture(HWND window, HDC dc, int x, int y);
