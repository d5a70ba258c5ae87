#include "ui/PListWnd.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "BaseLib/Clock.h"
#include "ui/PListWndItem.h"
#include "ui/Scaling.h"

namespace {

const double kDecay = 0.9;       // each flick tick keeps 90 % of the step
const double kMinSpeed = 5.0;    // pixels per second; slower counts as resting
const double kRestSeconds = 0.1; // a rest this long before the release: no flick
const double kMaxStep = 100.0;

} // namespace

PListWnd::PListWnd()
    : columnHeight_(0), offset_(0), down_(false), tap_(false), pressPoint_(), lastPoint_(), pressedRow_(nullptr),
      pressTime_(0), lastMoveTime_(0), lastSpeed_(0), previousSpeed_(0), step_(0), direction_(1), flickRunning_(false),
      settling_(false), settleDone_(false), settleStart_(0), settleDistance_(0), settleSum_(0), paintDC_(nullptr) {
    InitializeCriticalSection(&paintLock_);
}

PListWnd::~PListWnd() {
    if (hwnd_)
        KillTimer(hwnd_, kFlickTimer);
    items_.DeleteAll();
    DeleteCriticalSection(&paintLock_);
}

void PListWnd::NotifyListeners(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // A copy: a listener may remove itself.
    for (PListWndListener *listener : std::vector<PListWndListener *>(listeners_))
        listener->OnListMessage(hwnd, msg, wParam, lParam);
}

LRESULT PListWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    NotifyListeners(hwnd, msg, wParam, lParam);
    return ListProc(hwnd, msg, wParam, lParam);
}

LRESULT PListWnd::ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        SetFocus(hwnd);
        return 0;
    case WM_PAINT: // the invalid part only, into the DC of wParam when one is given
        if (wParam) {
            OnPaint(reinterpret_cast<HDC>(wParam));
        } else {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc)
                OnPaint(dc);
            EndPaint(hwnd, &ps);
        }
        return 0;
    case WM_LBUTTONDOWN:
        OnPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnRelease(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_VSCROLL:
        OnScroll(wParam, lParam);
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_KEYDOWN:
        OnKey(wParam);
        return 0;
    case WM_SIZE: {
        OnSize(LOWORD(lParam), HIWORD(lParam));
        CriticalSectionLock lock(paintLock_);
        return Wnd::WindowProc(hwnd, msg, wParam, lParam); // a new back buffer
    }
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void PListWnd::AddListener(PListWndListener *listener) {
    if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void PListWnd::RemoveListener(PListWndListener *listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

int PListWnd::ClientHeight() const {
    RECT rc = {};
    if (hwnd_)
        GetClientRect(hwnd_, &rc);
    return rc.bottom - rc.top;
}

int PListWnd::ClientWidth() const {
    RECT rc = {};
    if (hwnd_)
        GetClientRect(hwnd_, &rc);
    return rc.right - rc.left;
}

void PListWnd::Invalidate() {
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void PListWnd::DrawColumn(HDC dc, PListWndItemsInfo &rows, const RECT &clip, int dx, int dy) {
    for (auto *node = rows.Head(); node; node = node->next) {
        RECT shown = node->value->Rect();
        OffsetRect(&shown, dx, dy);
        RECT common;
        if (IntersectRect(&common, &shown, &clip))
            node->value->Draw(dc, shown);
    }
}

void PListWnd::OnPaint(HDC dc) {
    if (!BackDC())
        return;
    RECT clip = {};
    if (GetClipBox(dc, &clip) == ERROR || IsRectEmpty(&clip))
        GetClientRect(hwnd_, &clip);
    paintDC_ = dc;
    {
        CriticalSectionLock lock(paintLock_);
        FillRect(BackDC(), &clip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawColumn(BackDC(), items_, clip, 0, -offset_);
    }
    BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, BackDC(), clip.left, clip.top,
           SRCCOPY);
    paintDC_ = nullptr;
}

void PListWnd::OnPress(int x, int y) { PressFirstColumn(x, y); }

void PListWnd::OnMove(int x, int y) { MoveFirstColumn(x, y); }

void PListWnd::OnRelease(int x, int y) {
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    const bool wasDown = down_;
    down_ = false;
    Invalidate();
    if (wasDown)
        ReleaseFirstColumn(x, y);
}

void PListWnd::OnScroll(WPARAM, LPARAM) {}

void PListWnd::OnTimer(UINT_PTR id) {
    if (id == kFlickTimer)
        FlickTick();
}

LRESULT PListWnd::OnControlColour(HDC dc, HWND child) {
    const int id = GetDlgCtrlID(child);
    for (auto *node = items_.Head(); node; node = node->next) {
        if (node->value->Index() == id) {
            if (HBRUSH brush = node->value->ControlColour(dc))
                return reinterpret_cast<LRESULT>(brush);
            break;
        }
    }
    return DefaultProc(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
}

void PListWnd::OnKey(WPARAM) {}

void PListWnd::OnSize(int, int) {}

void PListWnd::AfterScroll() {}

PListWndItem *PListWnd::HitFirstColumn(int x, int y) const {
    const POINT pt = {x, y + offset_};
    for (auto *node = items_.Head(); node; node = node->next) {
        if (PtInRect(&node->value->Rect(), pt))
            return node->value;
    }
    return nullptr;
}

void PListWnd::SetOffset(int offset) {
    const int most = std::max(0, columnHeight_ - ClientHeight());
    offset_ = std::min(std::max(offset, 0), most);
}

void PListWnd::ShiftOffset(int delta) {
    offset_ += delta;
    settleStart_ += delta;
}

void PListWnd::PressFirstColumn(int x, int y) {
    if (hwnd_)
        SetCapture(hwnd_);
    StopFlick();
    down_ = true;
    tap_ = true;
    pressPoint_ = lastPoint_ = POINT{x, y};
    pressedRow_ = HitFirstColumn(x, y);
    pressTime_ = lastMoveTime_ = Clock::TickCount();
    lastSpeed_ = previousSpeed_ = 0;
    settleDone_ = false;
}

void PListWnd::MoveFirstColumn(int x, int y) {
    if (!down_)
        return;
    const int dy = y - lastPoint_.y;
    // The clock counts whole milliseconds: two moves within one count as one
    // millisecond apart rather than infinitely fast.
    const DWORD elapsed = std::max<DWORD>(Clock::TickCount() - lastMoveTime_, 1);
    previousSpeed_ = lastSpeed_;
    lastSpeed_ = dy / (elapsed / 1000.0);
    if (std::abs(y - pressPoint_.y) > ScaleY(10) || std::abs(x - pressPoint_.x) > ScaleY(10))
        tap_ = false;
    // Small moves add up until they reach the threshold, so a shaking stylus
    // does not stir the list.
    if (std::abs(dy) < ScaleY(10))
        return;
    lastPoint_ = POINT{x, y};
    lastMoveTime_ = Clock::TickCount();
    SetOffset(offset_ - dy);
    AfterScroll();
    Invalidate();
}

void PListWnd::ReleaseFirstColumn(int x, int y) {
    PListWndItem *row = HitFirstColumn(x, y);
    if (row && row == pressedRow_ && tap_)
        row->Click();
    else
        StartFlick();
}

void PListWnd::StartFlick() {
    const double rested = (Clock::TickCount() - lastMoveTime_) / 1000.0;
    double speed = lastSpeed_;
    if (std::fabs(lastSpeed_) < kMinSpeed)
        speed = rested > kRestSeconds ? 0.0 : previousSpeed_;
    direction_ = speed < 0 ? 1 : -1;
    step_ = std::fabs(speed) * 0.1;
    if (step_ < kMinSpeed)
        step_ = 0;
    step_ = std::min(step_, kMaxStep);
    settling_ = false;
    flickRunning_ = true;
    if (hwnd_)
        SetTimer(hwnd_, kFlickTimer, 0, nullptr);
}

void PListWnd::StartSettle(int distance, int direction) {
    // The first step s is chosen so that s, 0.9 s, ..., 0.9^k s add up to
    // the distance and the next step would fall below one pixel.
    double first = distance;
    for (int k = 1; k < 400; ++k) {
        first = distance * (1 - kDecay) / (1 - std::pow(kDecay, k + 1));
        if (first * std::pow(kDecay, k) < 1.0)
            break;
    }
    settling_ = true;
    settleDone_ = true;
    settleStart_ = offset_;
    settleDistance_ = distance;
    settleSum_ = 0;
    direction_ = direction;
    step_ = first;
    flickRunning_ = true;
    if (hwnd_)
        SetTimer(hwnd_, kFlickTimer, 0, nullptr);
}

void PListWnd::StopFlick() {
    if (hwnd_)
        KillTimer(hwnd_, kFlickTimer);
    flickRunning_ = false;
    settling_ = false;
}

void PListWnd::FlickTick() {
    if (!flickRunning_) {
        StopFlick();
        return;
    }
    if (settling_) {
        settleSum_ += step_;
        SetOffset(settleStart_ + direction_ * static_cast<int>(std::lround(settleSum_)));
    } else {
        SetOffset(offset_ + direction_ * static_cast<int>(std::lround(step_)));
    }
    AfterScroll();
    Invalidate();
    step_ *= kDecay;
    if (step_ >= 1.0)
        return;
    const bool wasSettling = settling_;
    if (wasSettling) {
        // Rounding may leave the sum a pixel short: end exactly there.
        SetOffset(settleStart_ + direction_ * settleDistance_);
        AfterScroll();
    }
    StopFlick();
    if (!wasSettling)
        OnFlickStopped();
}
