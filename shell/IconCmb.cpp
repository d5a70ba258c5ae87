#include "shell/IconCmb.h"

#include "ui/Drawing.h"
#include "shell/Messages.h"
#include "ui/Scaling.h"

CMyIconCmb::CMyIconCmb(int screenId, UINT bitmapId)
    : screenId_(screenId), bitmapId_(bitmapId), picture_(LoadProgramBitmap(bitmapId)),
      pictureSize_(BitmapSize(picture_.get())), press_(PressTracker::SlideOff::kUnpress) {}

CMyIconCmb::~CMyIconCmb() { press_.Cancel(GetHwnd()); }

SIZE CMyIconCmb::IconSize() { return Metrics().highRes ? SIZE{121, 123} : SIZE{60, 61}; }

HWND CMyIconCmb::CreateIcon(HWND desk, const RECT &rect, int slot) {
    if (!Create(L"IconCmbWnd", WS_CHILD, rect, desk, kFirstChildId + slot, true))
        return nullptr;
    Redraw();
    return GetHwnd();
}

// A tap on the icon opens its tool.
LRESULT CMyIconCmb::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (press_.OnMessage(*this, msg, lParam)) {
    case PressTracker::Result::kTapped:
        SendMessageW(GetParent(hwnd), UWM_OPEN_SCREEN, static_cast<WPARAM>(screenId_), 0);
        return 0;
    case PressTracker::Result::kHandled:
        return 0;
    case PressTracker::Result::kNotStylus:
        break;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyIconCmb::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, kControlColor);
    ui::DrawBitmap(dc, picture_.get(), client); // copied at its size, else stretched
    if (press_.Pressed()) {
        // Held down: the whole tile a shade darker.
        MemoryDC shadeDC(dc);
        Bitmap shade(CreateCompatibleBitmap(dc, 1, 1));
        SelectedObject sel(shadeDC, shade.get());
        SetPixel(shadeDC, 0, 0, kTextColor);
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 70, 0};
        AlphaBlend(dc, 0, 0, client.right, client.bottom, shadeDC, 0, 0, 1, 1, blend);
    }
}
