// CMyNotebar: the strip along the bottom of the note screen: the zoom
// button and the zoom shown as "%d%%", the typing/drawing mode button (only
// while drawing is allowed), the minimise button and the keyboard button.
// Its buttons reach the note screen as UWM_NOTEBAR_BUTTON; a drag on the
// bar moves the whole window, a tap on the zoom text opens the zoom menu.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/CustomBtt.h"
#include "ui/DragTracker.h"
#include "ui/Gdi.h"
#include "ui/Wnd.h"

class CMyNotebar : public Wnd {
public:
    static constexpr UINT kChildId = 5559;
    static constexpr int kHeightUnits = 29;

    CMyNotebar();
    ~CMyNotebar() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the bar as a child of the note screen.
    HWND CreateBar(HWND noteWindow, const RECT &rect, int zoom);
    void SetZoom(int zoom);
    // The mode button shown (drawing allowed) or hidden.
    void ShowModeButton(bool shown);
    // The mode button pressed in drawing mode, the keyboard button while the
    // input panel is up.
    void SetDrawingMode(bool drawing);
    void SetKeyboardShown(bool shown);

    int Zoom() const { return zoom_; }
    CCustomBtt *Button(int button) const { return buttons_[button].get(); }
    // The zoom button's rectangle in screen coordinates: the zoom menu opens
    // from its lower edge.
    RECT ZoomButtonRect() const;

private:
    void Layout();
    void Paint(HDC dc, const RECT &client) override;
    RECT ZoomTextRect() const;
    void OnRelease(int x, int y);

    Bitmap leftCap_, rightCap_, middle_; // 16-bit copies
    Font font_;
    std::unique_ptr<CCustomBtt> buttons_[4];
    DragTracker drag_;
    int zoom_;
    bool modeShown_;
};
