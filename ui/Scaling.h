// Screen metrics and the scaling of layout units: lengths given for a
// 96-dot-per-inch screen, and the choice between normal and high-resolution
// bitmaps.
#pragma once
#include <windows.h>

// Screen metrics, filled once at start before any window is made.
struct ScreenMetrics {
    int bigScreen;    // width or height is 400 or 800 pixels
    int squareScreen; // 320 x 320 (bigScreen is then 0)
    int highRes;      // LOGPIXELSX or LOGPIXELSY above 131: use the large bitmaps
    int dpiY;         // LOGPIXELSY
    int dpiX;         // LOGPIXELSX
};

// The metrics a screen of this size and resolution has.
ScreenMetrics ComputeScreenMetrics(int width, int height, int dpiX, int dpiY);

// Fills the process-wide record from the screen. The resolutions are read
// only by the first call; later calls (after a rotation) renew the size flags.
void InitScreenMetrics();
const ScreenMetrics &Metrics();
// Replaces the record, for a program that knows better (and for tests).
void SetMetrics(const ScreenMetrics &metrics);

// Layout units are lengths on a 96-dot-per-inch screen.
inline int ScaleUnits(int units, int dpi) { return (units * dpi + 48) / 96; }
// Widths and horizontal positions.
int ScaleX(int units);
// Heights and vertical positions.
int ScaleY(int units);

// Picks the bitmap id for the screen: the high-resolution one when the
// high-resolution flag is set.
inline UINT PickBitmap(UINT normalId, UINT highResId) { return Metrics().highRes ? highResId : normalId; }
