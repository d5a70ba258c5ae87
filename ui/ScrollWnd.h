// CScrollWnd: the vertical scroll bar of the row window. It is drawn into the
// row window's back buffer along its right edge and answers the presses that
// land on it; arrows and page areas send WM_VSCROLL to the row window and
// repeat while held, the thumb can be dragged.
#pragma once
#include <windows.h>

class CScrollWnd {
public:
    static constexpr UINT_PTR kRepeatTimer = 110;
    static constexpr UINT kRepeatDelay = 100; // ms between repeats
    static const COLORREF kBarColor;          // RGB(206, 223, 239)

    enum Zone { kNone, kLineUp, kPageUp, kThumb, kPageDown, kLineDown };

    CScrollWnd();
    virtual ~CScrollWnd() = default;

    // The bar's width in pixels (13 units).
    static int BarWidth();
    // The bar along the right edge of client; shown only when content is
    // taller than the visible height. position: the (clamped) scroll offset.
    void SetBarGeometry(const RECT &client, int content, int visible, int position);
    bool BarShown() const { return shown_; }
    const RECT &BarRect() const { return bar_; }
    Zone ZoneAt(POINT pt) const;
    RECT ThumbRect() const;
    // Draws the bar (when shown) into dc.
    void PaintBar(HDC dc) const;

    // Stylus on the bar, for the window that owns it. BarPress is true when
    // the press landed on the bar (and was taken).
    bool BarPress(HWND list, POINT pt);
    bool BarTracking() const { return pressedZone_ != kNone; }
    void BarMove(HWND list, POINT pt);
    void BarRelease(HWND list);
    void BarRepeat(HWND list); // timer kRepeatTimer

protected:
    // The thumb was dragged to a scroll position (pixels). By default a
    // WM_VSCROLL SB_THUMBTRACK, whose 16-bit position cuts long lists.
    virtual void ScrollToThumb(HWND list, int position);

private:
    void SendZone(HWND list, Zone zone) const;
    int ArrowHeight() const;

    bool shown_;
    RECT bar_;
    int content_, visible_, position_;
    Zone pressedZone_;
    int thumbGrab_; // stylus y minus thumb top while the thumb is dragged
};
