// Drawing helpers shared by the shell's controls: pictures of the program's
// resources, kept in the handheld's 16-bit colour format, fonts sized in
// points for the screen, and a window region cut from a mask picture.
#pragma once
#include <windows.h>

#include "ui/Gdi.h"

namespace ui {

// A bitmap resource copied into a 16-bit-per-pixel (5-6-5) bitmap, the
// format the bars keep their backgrounds in; null when the resource is
// missing.
HBITMAP LoadBitmap16(UINT id);
// A 32-bit top-down DIB section (0x00RRGGBB pixels, rows from the top);
// bits, when given, receives its pixels' address. Null on failure.
HBITMAP CreateBitmap32(HDC reference, int width, int height, void **bits = nullptr);

// Draws the columns [srcX, srcX + srcWidth) of a bitmap into dst, stretched
// when the sizes differ. Nothing happens for a null bitmap or an empty part.
void DrawBitmapPart(HDC dc, HBITMAP bitmap, const RECT &dst, int srcX, int srcWidth);
// The whole bitmap into dst.
void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT &dst);

// A font of the given size in points for the screen's vertical resolution
// (height -(points x dpi / 72 + 0.5) pixels).
HFONT CreatePointFont(const wchar_t *face, int points, int weight);
int PointsToHeight(int points);

// The part of a width x height window that a picture covers: every pixel of
// the picture (stretched to that size) that is not the transparency key.
// Null for a null picture.
HRGN RegionFromPicture(HBITMAP picture, int width, int height);

// Whether a window is meant to be seen: its own visible style, whatever its
// parent's (a bar paints its buttons while it is still hidden itself).
inline bool IsShown(HWND window) { return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

} // namespace ui
