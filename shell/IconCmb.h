// CMyIconCmb: one icon of the desk. A tap on it (press and release inside)
// asks the desk to open the icon's screen.
#pragma once
#include <windows.h>

#include "ui/Gdi.h"
#include "ui/PressTracker.h"
#include "ui/Wnd.h"
#include "ui/ScreenDescriptor.h"

class CMyIconCmb : public Wnd {
public:
    // Icon in slot i has child id kFirstChildId + i.
    static constexpr UINT kFirstChildId = 34407;

    // The picture is loaded at once; a missing one leaves the icon plain.
    CMyIconCmb(int screenId, UINT bitmapId);
    ~CMyIconCmb() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the (hidden) icon as a child of the desk, which receives
    // UWM_OPEN_SCREEN.
    HWND CreateIcon(HWND desk, const RECT &rect, int slot);

    int ScreenId() const { return screenId_; }
    UINT BitmapId() const { return bitmapId_; }
    SIZE PictureSize() const { return pictureSize_; }
    bool IsPressed() const { return press_.Pressed(); }

    // The size of a desk icon on this screen, in pixels.
    static SIZE IconSize();

private:
    void Paint(HDC dc, const RECT &client) override;

    int screenId_;
    UINT bitmapId_;
    Bitmap picture_;
    SIZE pictureSize_;
    PressTracker press_;
};
