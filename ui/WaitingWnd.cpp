#include "ui/WaitingWnd.h"

#include <algorithm>

#include "BaseLib/Str.h"
#include "resource.h"
#include "ui/Drawing.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

// Layout in units: the box, the text band, the two bars.
const int kBoxWidth = 160;
const int kBoxHeight = 50;
const int kTextTop = 5;
const int kTextHeight = 20;
const int kBarLeft = 10;
const int kBarTops[2] = {29, 39};
const int kBarHeight = 6;

const COLORREF kBarEmptyColor = RGB(231, 234, 247);

} // namespace

CMyWaitingWnd::CMyWaitingWnd() : progress_{0, 0} {}

SIZE CMyWaitingWnd::BoxSize() { return SIZE{ScaleX(kBoxWidth), ScaleY(kBoxHeight)}; }

RECT CMyWaitingWnd::BarRect(int bar) {
    const int top = ScaleY(kBarTops[bar ? 1 : 0]);
    return RECT{ScaleX(kBarLeft), top, ScaleX(kBoxWidth - kBarLeft), top + ScaleY(kBarHeight)};
}

HWND CMyWaitingWnd::CreateCentred(HWND mainWindow) {
    if (GetHwnd())
        return GetHwnd();
    RECT main = {};
    GetClientRect(mainWindow, &main);
    const SIZE size = BoxSize();
    const int x = (main.right - size.cx) / 2;
    const int y = (main.bottom - size.cy) / 2;
    if (!Create(L"WaitingWnd", WS_CHILD | WS_CLIPSIBLINGS, RECT{x, y, x + size.cx, y + size.cy}, mainWindow, kChildId,
                true))
        return nullptr;
    font_.Reset(ui::CreatePointFont(L"Tahoma", 11, FW_NORMAL));
    Redraw();
    SetWindowPos(GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(GetHwnd());
    return GetHwnd();
}

LRESULT CMyWaitingWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_WAIT_PROGRESS:
        OnProgress(wParam ? 1 : 0, static_cast<int>(lParam));
        return 0;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

// The balloons are built without a message loop running, so the box is
// painted at once rather than when the queue comes round to it.
void CMyWaitingWnd::OnProgress(int bar, int step) {
    progress_[bar] = step;
    Redraw();
    UpdateWindow(GetHwnd());
}

void CMyWaitingWnd::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, kTextColor);
    RECT inside = client;
    InflateRect(&inside, -ScaleX(1), -ScaleY(1));
    FillSolid(dc, inside, kControlColor);

    Str text;
    text.LoadResourceString(IDS_INITIALIZING);
    RECT band = {client.left, ScaleY(kTextTop), client.right, ScaleY(kTextTop + kTextHeight)};
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextColor);
    DrawTextW(dc, text, -1, &band, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);

    // Each bar: a dark frame, filled from the left as far as its steps go.
    const int first[2] = {0, kFirstSteps};
    const int last[2] = {kFirstSteps, kLastStep};
    for (int bar = 0; bar < 2; ++bar) {
        RECT frame = BarRect(bar);
        FillSolid(dc, frame, kTextColor);
        RECT inner = frame;
        InflateRect(&inner, -1, -1);
        FillSolid(dc, inner, kBarEmptyColor);
        const int done = std::min(std::max(progress_[bar] - first[bar], 0), last[bar] - first[bar]);
        RECT filled = inner;
        filled.right = inner.left + (inner.right - inner.left) * done / (last[bar] - first[bar]);
        FillSolid(dc, filled, kFrameBorderColor);
    }
}
