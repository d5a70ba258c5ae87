#include "ui/CustomBtt.h"

#include <windowsx.h>

#include "ui/Messages.h"
#include "ui/Scaling.h"
#include "ui/Desktop.h"

namespace {

// How far the stylus may slide off the button before the press becomes a
// drag: ten pixels to the sides and below, one above (the bars sit at the
// screen's edges, where a finger rolls down more easily than up).
const int kSlideSide = 10;
const int kSlideBelow = 10;
const int kSlideAbove = 1;

// The light edge under a pressed caption.
const COLORREF kLightEdge = RGB(226, 231, 248);

void CopyText(wchar_t *target, const wchar_t *text) { lstrcpynW(target, text ? text : L"", CCustomBtt::kMaxText + 1); }

} // namespace

CCustomBtt::CCustomBtt(HWND parent, int fontHeight, int fontWeight, COLORREF textColor)
    : parent_(parent), commandId_(0), imageSize_{0, 0}, state_(kNormal), stateBeforePress_(kNormal), mode_(kPush),
      autoRepeat_(false), repeatFired_(false), tracking_(false), pressPoint_{0, 0}, lastPoint_{0, 0}, dragging_(false),
      moved_(false), lookPressed_(false), leftOffset_(0), rightMargin_(0), shadow_(false),
      shadowColor_(RGB(15, 34, 108)), backColor_(GetSysColor(COLOR_BTNFACE)), fontHeight_(fontHeight),
      fontWeight_(fontWeight), alive_(std::make_shared<bool>(true)) {
    caption_[0] = leftText_[0] = rightText_[0] = 0;
    for (int i = 0; i < 2; ++i)
        captionColor_[i] = leftColor_[i] = rightColor_[i] = textColor;
}

CCustomBtt::~CCustomBtt() {
    *alive_ = false;
    if (hwnd_) {
        KillTimer(hwnd_, kRepeatDelayTimer);
        KillTimer(hwnd_, kRepeatTimer);
        if (GetCapture() == hwnd_) {
            tracking_ = false;
            ReleaseCapture();
        }
    }
}

bool CCustomBtt::SetImage(UINT bitmapId) {
    Bitmap source(LoadProgramBitmap(bitmapId));
    return SetImageBitmap(source.get());
}

bool CCustomBtt::SetImageBitmap(HBITMAP source) {
    normalImage_.Reset();
    pressedImage_.Reset();
    imageSize_ = SIZE{0, 0};
    SIZE size = BitmapSize(source);
    if (size.cx < 2 || size.cy < 1)
        return false;
    // Copies in the screen's own format, cut into the two looks.
    ScreenDC screen;
    MemoryDC from(screen), to(screen);
    SelectedObject fromSel(from, source);
    const int half = size.cx / 2;
    normalImage_.Reset(CreateCompatibleBitmap(screen, half, size.cy));
    pressedImage_.Reset(CreateCompatibleBitmap(screen, half, size.cy));
    if (!normalImage_ || !pressedImage_) {
        normalImage_.Reset();
        pressedImage_.Reset();
        return false;
    }
    {
        SelectedObject sel(to, normalImage_.get());
        BitBlt(to, 0, 0, half, size.cy, from, 0, 0, SRCCOPY);
    }
    {
        SelectedObject sel(to, pressedImage_.get());
        BitBlt(to, 0, 0, half, size.cy, from, half, 0, SRCCOPY);
    }
    imageSize_ = SIZE{half, size.cy};
    if (hwnd_)
        SetState(state_);
    return true;
}

HWND CCustomBtt::CreateButton(const RECT &rect, UINT commandId) {
    commandId_ = commandId;
    HWND window = Create(L"CustomBttWnd", WS_CHILD, rect, parent_, commandId, true);
    if (!window)
        return nullptr;
    MakeFonts();
    Redraw();
    return window;
}

void CCustomBtt::MakeFonts() {
    auto arial = [this](int height) {
        return CreateFontW(ScaleY(height), 0, 0, 0, fontWeight_, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                           L"Arial");
    };
    font_.Reset(arial(fontHeight_));
    secondFont_.Reset(arial(fontHeight_ * 2 / 3));
}

void CCustomBtt::SetFontHeight(int fontHeight) {
    fontHeight_ = fontHeight;
    if (hwnd_)
        MakeFonts();
    Redraw();
}

void CCustomBtt::SetSecondLine(const wchar_t *text) {
    secondLine_ = text;
    Redraw();
}

void CCustomBtt::SetState(int state) {
    state_ = state ? kPressed : kNormal;
    Redraw();
    if (hwnd_)
        UpdateWindow(hwnd_);
}

void CCustomBtt::SetCaption(const wchar_t *text) {
    CopyText(caption_, text);
    Redraw();
}

void CCustomBtt::SetLeftText(const wchar_t *text, int offset) {
    CopyText(leftText_, text);
    leftOffset_ = offset;
    Redraw();
}

void CCustomBtt::SetRightText(const wchar_t *text, int margin) {
    CopyText(rightText_, text);
    rightMargin_ = margin;
    Redraw();
}

void CCustomBtt::SetCaptionColors(COLORREF normal, COLORREF pressed) {
    captionColor_[0] = normal;
    captionColor_[1] = pressed;
    Redraw();
}

void CCustomBtt::SetLeftColors(COLORREF normal, COLORREF pressed) {
    leftColor_[0] = normal;
    leftColor_[1] = pressed;
    Redraw();
}

void CCustomBtt::SetRightColors(COLORREF normal, COLORREF pressed) {
    rightColor_[0] = normal;
    rightColor_[1] = pressed;
    Redraw();
}

void CCustomBtt::SetShadow(bool on, COLORREF color) {
    shadow_ = on;
    shadowColor_ = color;
    Redraw();
}

void CCustomBtt::SetBackColor(COLORREF color) {
    backColor_ = color;
    Redraw();
}

LRESULT CCustomBtt::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        OnPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnRelease(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            OnCaptureLost();
        return 0;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

bool CCustomBtt::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<bool> alive = alive_;
    if (parent_)
        SendMessageW(parent_, msg, wParam, lParam);
    return *alive && hwnd_;
}

bool CCustomBtt::OnButton(int x, int y) const {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

bool CCustomBtt::InExtension(int x, int y) const {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    return x >= rc.left - kSlideSide && x < rc.right + kSlideSide && y >= rc.top - kSlideAbove &&
           y < rc.bottom + kSlideBelow;
}

void CCustomBtt::ShowLook(int state) {
    if (state_ != state)
        SetState(state);
}

void CCustomBtt::StopRepeat() {
    KillTimer(hwnd_, kRepeatDelayTimer);
    KillTimer(hwnd_, kRepeatTimer);
}

void CCustomBtt::OnPress(int x, int y) {
    SetCapture(hwnd_);
    tracking_ = true;
    POINT pt = {x, y};
    ClientToScreen(hwnd_, &pt);
    pressPoint_ = lastPoint_ = pt;
    stateBeforePress_ = state_;
    dragging_ = false;
    moved_ = false;
    repeatFired_ = false;
    ShowLook(kPressed);
    lookPressed_ = true;
    if (!Send(UWM_BUTTON_LOOK, commandId_, kButtonLookPressed))
        return;
    if (autoRepeat_)
        SetTimer(hwnd_, kRepeatDelayTimer, kRepeatDelayMs, nullptr);
}

void CCustomBtt::OnMove(int x, int y) {
    if (!tracking_)
        return;
    POINT pt = {x, y};
    ClientToScreen(hwnd_, &pt);
    // The main window must stay inside the inset work area; the stylus point
    // that counts moves only as far as the window may.
    POINT step = LimitDragMovement(pt.x - lastPoint_.x, pt.y - lastPoint_.y);
    lastPoint_.x += step.x;
    lastPoint_.y += step.y;
    if (step.x || step.y)
        moved_ = true;

    if (!dragging_) {
        if (InExtension(x, y)) {
            const bool on = OnButton(x, y);
            ShowLook(on ? kPressed : stateBeforePress_);
            if (on != lookPressed_) {
                lookPressed_ = on;
                Send(UWM_BUTTON_LOOK, commandId_, on ? kButtonLookPressed : kButtonLookNormal);
            }
            return;
        }
        dragging_ = true;
        ShowLook(stateBeforePress_);
    }
    StopRepeat();
    if (step.x || step.y)
        Send(UWM_DRAG_MOVE, static_cast<WPARAM>(step.x), step.y);
}

void CCustomBtt::OnRelease(int x, int y) {
    if (!tracking_)
        return;
    tracking_ = false;
    ReleaseCapture();
    StopRepeat();
    lookPressed_ = false;
    if (!Send(UWM_BUTTON_LOOK, commandId_, kButtonLookNormal))
        return;
    if (dragging_) {
        dragging_ = false;
        ShowLook(stateBeforePress_);
        if (!Send(UWM_DRAG_END, 0, 0))
            return;
    } else if (OnButton(x, y)) {
        // The new state is set before the click is reported: the parent may
        // read it, or delete the button.
        int next = kNormal;
        if (mode_ == kSticky)
            next = kPressed;
        else if (mode_ == kToggle)
            next = stateBeforePress_ == kPressed ? kNormal : kPressed;
        ShowLook(next);
        if (!repeatFired_ && !Send(UWM_BAR_COMMAND, 0, commandId_))
            return;
    } else {
        ShowLook(stateBeforePress_);
    }
    Send(UWM_BUTTON_UP, 0, commandId_);
}

void CCustomBtt::OnTimer(UINT_PTR id) {
    if (id == kRepeatDelayTimer) {
        KillTimer(hwnd_, kRepeatDelayTimer);
        if (!tracking_)
            return;
        repeatFired_ = true;
        if (!Send(UWM_BAR_COMMAND, 0, commandId_))
            return;
        SetTimer(hwnd_, kRepeatTimer, kRepeatMs, nullptr);
    } else if (id == kRepeatTimer) {
        if (!tracking_) {
            KillTimer(hwnd_, kRepeatTimer);
            return;
        }
        Send(UWM_BAR_COMMAND, 0, commandId_);
    }
}

// Another window took the stylus (a dialog, a menu): the press ends without a
// click and the button looks as before.
void CCustomBtt::OnCaptureLost() {
    if (!tracking_)
        return;
    tracking_ = false;
    StopRepeat();
    const bool wasDragging = dragging_;
    dragging_ = false;
    lookPressed_ = false;
    ShowLook(stateBeforePress_);
    if (!Send(UWM_BUTTON_LOOK, commandId_, kButtonLookNormal))
        return;
    if (wasDragging && !Send(UWM_DRAG_END, 0, 0))
        return;
    Send(UWM_BUTTON_UP, 0, commandId_);
}

void CCustomBtt::CopyTo(HDC dc, int x, int y) {
    if (!hwnd_ || !BackDC())
        return;
    RECT rc;
    GetClientRect(hwnd_, &rc);
    BitBlt(dc, x, y, rc.right, rc.bottom, BackDC(), 0, 0, SRCCOPY);
}

void CCustomBtt::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, backColor_);
    DrawImage(dc, client);
    DrawTexts(dc, client);
}

// The picture fitted to the button by three slices: wider buttons keep the
// image's two halves at the ends and stretch its middle column between them;
// narrower ones join the image's left and right parts.
void CCustomBtt::DrawImage(HDC dc, const RECT &client) {
    HBITMAP image = (state_ == kPressed ? pressedImage_ : normalImage_).get();
    if (!image)
        return;
    const int w = client.right, h = client.bottom;
    const int iw = imageSize_.cx, ih = imageSize_.cy;
    MemoryDC src(dc);
    SelectedObject sel(src, image);
    auto blit = [&](int dx, int dw, int sx, int sw) {
        if (dw > 0 && sw > 0)
            TransparentBlt(dc, dx, 0, dw, h, src, sx, 0, sw, ih, kTransparentKey);
    };
    if (w >= iw) {
        const int leftW = iw / 2, rightW = iw - leftW;
        blit(0, leftW, 0, leftW);
        blit(leftW, w - iw, leftW, 1);
        blit(w - rightW, rightW, iw - rightW, rightW);
    } else {
        const int leftW = w / 2, rightW = w - leftW;
        blit(0, leftW, 0, leftW);
        blit(leftW, rightW, iw - rightW, rightW);
    }
}

void CCustomBtt::DrawTexts(HDC dc, const RECT &client) {
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    const int look = state_ == kPressed ? 1 : 0;
    auto draw = [&](const wchar_t *text, RECT rc, UINT format, COLORREF color) {
        SetTextColor(dc, color);
        DrawTextW(dc, text, -1, &rc, format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    };
    RECT captionRect = client;
    if (!secondLine_.IsEmpty()) {
        captionRect.bottom = (client.top + client.bottom) / 2;
        RECT rc = {client.left + 4, captionRect.bottom, client.right - 4, client.bottom};
        OffsetRect(&rc, look, look);
        SelectedObject small(dc, secondFont_.get());
        draw(secondLine_, rc, DT_CENTER | DT_END_ELLIPSIS, captionColor_[look]);
    }
    if (caption_[0]) {
        RECT rc = captionRect;
        if (look) {
            OffsetRect(&rc, 1, 1);
            RECT edge = rc;
            OffsetRect(&edge, 0, 1);
            draw(caption_, edge, DT_CENTER, kLightEdge);
        } else if (shadow_) {
            RECT shade = rc;
            OffsetRect(&shade, 0, 1);
            draw(caption_, shade, DT_CENTER, shadowColor_);
        }
        draw(caption_, rc, DT_CENTER, captionColor_[look]);
    }
    if (leftText_[0]) {
        RECT rc = client;
        rc.left += leftOffset_;
        draw(leftText_, rc, DT_LEFT, leftColor_[look]);
    }
    if (rightText_[0]) {
        RECT rc = client;
        rc.right -= rightMargin_;
        draw(rightText_, rc, DT_RIGHT, rightColor_[look]);
    }
}
