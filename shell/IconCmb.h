// CMyIconCmb: one icon of the desk. A tap on it (press and release inside)
// asks the desk to open the icon's screen.
#pragma once
#include <windows.h>

#include "ui/Gdi.h"
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
    bool IsPressed() const { return pressed_; }

    // The size of a desk icon on this screen, in pixels.
    static SIZE IconSize();

private:
    void Paint(HDC dc, const RECT &client) override;
    void OnPress();
    void OnMove(int x, int y);
    void OnRelease(int x, int y);
    bool Inside(int x, int y) const;

    int screenId_;
    UINT bitmapId_;
    Bitmap picture_;
    SIZE pictureSize_;
    bool tracking_; // a press on the icon holds the stylus until its release
    bool pressed_;  // shown pressed: tracking with the stylus over the icon
};
