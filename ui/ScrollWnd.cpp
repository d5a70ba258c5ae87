#include "ui/ScrollWnd.h"

#include <algorithm>

#include "ui/Gdi.h"
#include "ui/Scaling.h"

const COLORREF CScrollWnd::kBarColor = RGB(206, 223, 239);

namespace {
const int kBarUnits = 13;
const int kArrowUnits = 20;
const int kMinThumbUnits = 15;
} // namespace

CScrollWnd::CScrollWnd()
    : shown_(false), bar_(), content_(0), visible_(0), position_(0), pressedZone_(kNone), thumbGrab_(0) {}

int CScrollWnd::BarWidth() { return ScaleX(kBarUnits); }

int CScrollWnd::ArrowHeight() const { return ScaleY(kArrowUnits); }

void CScrollWnd::SetBarGeometry(const RECT &client, int content, int visible, int position) {
    shown_ = content > visible && visible > 0;
    content_ = content;
    visible_ = visible;
    position_ = std::max(0, std::min(position, content - visible));
    bar_ = client;
    bar_.left = client.right - BarWidth();
    if (!shown_)
        SetRectEmpty(&bar_);
}

RECT CScrollWnd::ThumbRect() const {
    RECT rc = bar_;
    const int arrow = ArrowHeight();
    const int track = std::max(0, static_cast<int>(bar_.bottom - bar_.top) - 2 * arrow);
    if (!shown_ || content_ <= 0 || track <= 0) {
        SetRectEmpty(&rc);
        return rc;
    }
    int thumb = static_cast<int>(static_cast<long long>(track) * visible_ / content_);
    thumb = std::min(track, std::max(thumb, ScaleY(kMinThumbUnits)));
    const int range = content_ - visible_;
    const int top = range > 0 ? static_cast<int>(static_cast<long long>(track - thumb) * position_ / range) : 0;
    rc.top = bar_.top + arrow + top;
    rc.bottom = rc.top + thumb;
    return rc;
}

CScrollWnd::Zone CScrollWnd::ZoneAt(POINT pt) const {
    if (!shown_ || !PtInRect(&bar_, pt))
        return kNone;
    const RECT thumb = ThumbRect();
    if (pt.y < bar_.top + ArrowHeight())
        return kLineUp;
    if (pt.y >= bar_.bottom - ArrowHeight())
        return kLineDown;
    if (pt.y < thumb.top)
        return kPageUp;
    if (pt.y >= thumb.bottom)
        return kPageDown;
    return kThumb;
}

namespace {

// A small triangle of one-pixel bars, pointing up or down.
void PaintArrow(HDC dc, const RECT &box, bool up) {
    const int cx = (box.left + box.right) / 2;
    const int rows = std::max(2, static_cast<int>(box.right - box.left) / 3);
    const int top = (box.top + box.bottom - rows) / 2;
    for (int i = 0; i < rows; ++i) {
        const int half = up ? i : rows - 1 - i;
        RECT line = {cx - half, top + i, cx + half + 1, top + i + 1};
        FillSolid(dc, line, RGB(0, 0, 0));
    }
}

} // namespace

void CScrollWnd::PaintBar(HDC dc) const {
    if (!shown_)
        return;
    FillSolid(dc, bar_, kBarColor);
    RECT up = bar_, down = bar_;
    up.bottom = up.top + ArrowHeight();
    down.top = down.bottom - ArrowHeight();
    PaintArrow(dc, up, true);
    PaintArrow(dc, down, false);
    RECT thumb = ThumbRect();
    if (IsRectEmpty(&thumb))
        return;
    InflateRect(&thumb, -1, 0);
    FillSolid(dc, thumb, kTextColor);
    // Three grip lines across the middle of the thumb.
    const int mid = (thumb.top + thumb.bottom) / 2;
    for (int i = -1; i <= 1; ++i) {
        RECT grip = {thumb.left + 2, mid + i * 3, thumb.right - 2, mid + i * 3 + 1};
        FillSolid(dc, grip, RGB(255, 255, 255));
    }
}

void CScrollWnd::SendZone(HWND list, Zone zone) const {
    WORD code;
    switch (zone) {
    case kLineUp:
        code = SB_LINEUP;
        break;
    case kLineDown:
        code = SB_LINEDOWN;
        break;
    case kPageUp:
        code = SB_PAGEUP;
        break;
    case kPageDown:
        code = SB_PAGEDOWN;
        break;
    default:
        return;
    }
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
}

bool CScrollWnd::BarPress(HWND list, POINT pt) {
    const Zone zone = ZoneAt(pt);
    if (zone == kNone)
        return false;
    pressedZone_ = zone;
    SetCapture(list);
    if (zone == kThumb) {
        thumbGrab_ = pt.y - ThumbRect().top;
        return true;
    }
    SendZone(list, zone);
    SetTimer(list, kRepeatTimer, kRepeatDelay, nullptr);
    return true;
}

void CScrollWnd::BarMove(HWND list, POINT pt) {
    if (pressedZone_ != kThumb)
        return;
    const RECT thumb = ThumbRect();
    const int track = static_cast<int>(bar_.bottom - bar_.top) - 2 * ArrowHeight() - (thumb.bottom - thumb.top);
    const int range = content_ - visible_;
    if (track <= 0 || range <= 0)
        return;
    const int top = std::max(0, std::min(track, static_cast<int>(pt.y - bar_.top - ArrowHeight() - thumbGrab_)));
    const int position = static_cast<int>(static_cast<long long>(top) * range / track);
    ScrollToThumb(list, position);
}

void CScrollWnd::ScrollToThumb(HWND list, int position) {
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, std::min(position, 0xFFFF)), 0);
}

void CScrollWnd::BarRelease(HWND list) {
    pressedZone_ = kNone;
    KillTimer(list, kRepeatTimer);
    if (GetCapture() == list)
        ReleaseCapture();
}

void CScrollWnd::BarRepeat(HWND list) {
    if (pressedZone_ == kNone || pressedZone_ == kThumb) {
        KillTimer(list, kRepeatTimer);
        return;
    }
    SendZone(list, pressedZone_);
}
