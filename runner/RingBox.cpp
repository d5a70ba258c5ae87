#include "runner/RingBox.h"

#include "TallyPadAlarm.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

CRingBox::CRingBox() { SetTemplateId(IDD_RUN_BOX); }

INT_PTR CRingBox::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        left_.Reset(LoadProgramBitmap(PickBitmap(IDB_RUN_BACK_LEFT, IDB_RUN_BACK_LEFT_HI)));
        middle_.Reset(LoadProgramBitmap(PickBitmap(IDB_RUN_BACK_MIDDLE, IDB_RUN_BACK_MIDDLE_HI)));
        right_.Reset(LoadProgramBitmap(PickBitmap(IDB_RUN_BACK_RIGHT, IDB_RUN_BACK_RIGHT_HI)));
        font_.Reset(CreateFontW(-ScaleY(20), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                L"Tahoma"));
        GetClientRect(hwnd_, &client_);
        OnCreate();
        Layout();
        return TRUE;
    case WM_SIZE:
        Layout();
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_ERASEBKGND:
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, 1); // everything comes from the back buffer
        return TRUE;
    case WM_TIMER:
        OnTimer(wParam);
        return TRUE;
    case UWM_BAR_COMMAND:
        OnCommand(static_cast<UINT>(lParam));
        return TRUE;
    }
    return Dlg::DialogProc(hwnd, msg, wParam, lParam);
}

void CRingBox::OnTimer(UINT_PTR) {}

void CRingBox::Close() { End(IDOK); }

void CRingBox::Layout() {
    if (!hwnd_)
        return;
    RECT window;
    GetWindowRect(hwnd_, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    SetWindowPos(hwnd_, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2,
                 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    GetClientRect(hwnd_, &client_);
    PlaceButtons(client_);
    backBuffer_.Make(hwnd_, client_.right, client_.bottom);
    DrawBackground();
}

void CRingBox::Repaint() { InvalidateRect(hwnd_, nullptr, FALSE); }

// The ends at their own width, the middle stretched between them, all 92
// pixels high; below them the screen colour.
void CRingBox::DrawBackground() {
    HDC back = backBuffer_.Dc();
    if (!back)
        return;
    FillSolid(back, client_, kScreenColor);
    MemoryDC src(back);
    auto draw = [&](HBITMAP bitmap, int x, int width) {
        const SIZE size = BitmapSize(bitmap);
        if (!bitmap || width <= 0)
            return;
        SelectedObject sel(src, bitmap);
        TransparentBlt(back, x, 0, width, size.cy, src, 0, 0, size.cx, size.cy, kTransparentKey);
    };
    const int leftW = BitmapSize(left_.get()).cx, rightW = BitmapSize(right_.get()).cx;
    draw(middle_.get(), leftW, client_.right - leftW - rightW);
    draw(left_.get(), 0, leftW);
    draw(right_.get(), client_.right - rightW, rightW);
    Brush frame(CreateSolidBrush(kFrameBorderColor));
    FrameRect(back, &client_, frame.get());
}

// The caption in white on one line, in a 20-pixel band a fifth of the way
// down, 5 pixels in from the sides.
void CRingBox::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (backBuffer_.Dc())
        BitBlt(dc, 0, 0, client_.right, client_.bottom, backBuffer_.Dc(), 0, 0, SRCCOPY);
    RECT band = client_;
    band.left += 5;
    band.right -= 5;
    band.top = client_.bottom / 5;
    band.bottom = band.top + ScaleY(20);
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, caption_, -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    EndPaint(hwnd_, &ps);
}
