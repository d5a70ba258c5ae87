#include "ui/Scaling.h"

namespace {

ScreenMetrics gMetrics = {0, 0, 0, 96, 96};
bool gResolutionRead = false;

} // namespace

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
