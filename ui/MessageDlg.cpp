#include "ui/MessageDlg.h"

#include "resource.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

const COLORREF kTextOnHeader = RGB(255, 255, 255);

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

} // namespace

CMessageDlg::CMessageDlg() : client_(), ticks_(0), layoutScreen_{0, 0}, stopped_(false) { SetTemplateId(IDD_MESSAGE); }

CMessageDlg::~CMessageDlg() { StopRinging(); }

void CMessageDlg::StartRinging() {
    if (ringPlayer_)
        return;
    ringPlayer_.reset(new RingPlayer(soundPath_, volume_, vibrate_));
    ringPlayer_->Start();
}

void CMessageDlg::StopRinging() { ringPlayer_.reset(); }

INT_PTR CMessageDlg::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog();
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
        if (wParam == kTickTimer)
            OnTick();
        return TRUE;
    case UWM_BAR_COMMAND:
        if (static_cast<UINT>(lParam) == kOkCommand)
            OnOk();
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            // Enter and Escape close the box like its button, and stop it ringing.
            KillTimer(hwnd, kTickTimer);
            stopped_ = true;
            StopRinging();
        }
        break;
    case WM_DESTROY:
        KillTimer(hwnd, kTickTimer);
        okButton_.reset();
        backBuffer_.Free();
        return TRUE;
    }
    return Dlg::DialogProc(hwnd, msg, wParam, lParam);
}

void CMessageDlg::OnInitDialog() {
    GetClientRect(hwnd_, &client_);
    okButton_.reset(new CCustomBtt(hwnd_, 10, 600, RGB(255, 255, 255)));
    okButton_->SetImage(PickBitmap(IDB_MESSAGE_OK, IDB_MESSAGE_OK_HI));
    SIZE image = okButton_->ImageSize();
    RECT rect = {0, 0, image.cx, image.cy};
    okButton_->CreateButton(rect, kOkCommand);
    okButton_->SetBackColor(kScreenColor);
    okButton_->SetCaption(L"OK");
    okButton_->Show(SW_SHOW);

    textFont_.Reset(CreateFontW(-ScaleY(20), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                L"Tahoma"));
    headerLeft_.Reset(LoadProgramBitmap(PickBitmap(IDB_MESSAGE_HEADER_LEFT, IDB_MESSAGE_HEADER_LEFT_HI)));
    headerMiddle_.Reset(LoadProgramBitmap(PickBitmap(IDB_MESSAGE_HEADER_MIDDLE, IDB_MESSAGE_HEADER_MIDDLE_HI)));
    headerRight_.Reset(LoadProgramBitmap(PickBitmap(IDB_MESSAGE_HEADER_RIGHT, IDB_MESSAGE_HEADER_RIGHT_HI)));
    // Places the box and its button and draws the back buffer; the WM_SIZE of
    // the dialog's creation came before it had an object.
    Layout();
    ticks_ = 0;
    SetTimer(hwnd_, kTickTimer, kTickMs, nullptr);
}

// Top-most, centred across the screen and a little above its middle, so
// that the box stays clear of the bottom bar; placed again after a rotation.
void CMessageDlg::Layout() {
    if (!hwnd_)
        return;
    RECT window;
    GetWindowRect(hwnd_, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    layoutScreen_ = SIZE{ScreenWidth(), ScreenHeight()};
    SetWindowPos(hwnd_, HWND_TOPMOST, (layoutScreen_.cx - w) / 2, (layoutScreen_.cy - h) / 2 - ScaleY(20), 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
    GetClientRect(hwnd_, &client_);
    PlaceOkButton();
    backBuffer_.Make(hwnd_, client_.right, client_.bottom);
    DrawHeader();
}

// Centred across, its bottom edge at nine tenths of the height.
void CMessageDlg::PlaceOkButton() {
    if (!okButton_)
        return;
    SIZE image = okButton_->ImageSize();
    const int w = client_.right - client_.left, h = client_.bottom - client_.top;
    const int bottom = h * 9 / 10;
    okButton_->Move((w - image.cx) / 2, bottom - image.cy, image.cx, image.cy, true);
}

// The body in the screen colour inside a frame line, and the header: the
// middle picture stretched across the top, the caps at the two ends. A
// missing picture is left out.
void CMessageDlg::DrawHeader() {
    HDC back = backBuffer_.Dc();
    if (!back)
        return;
    FillSolid(back, client_, kScreenColor);
    const int w = client_.right;
    MemoryDC src(back);
    auto draw = [&](HBITMAP bitmap, int x, int width) {
        SIZE size = BitmapSize(bitmap);
        if (!bitmap || width <= 0)
            return;
        SelectedObject sel(src, bitmap);
        TransparentBlt(back, x, 0, width, size.cy, src, 0, 0, size.cx, size.cy, kTransparentKey);
    };
    const int leftW = BitmapSize(headerLeft_.get()).cx;
    const int rightW = BitmapSize(headerRight_.get()).cx;
    draw(headerMiddle_.get(), 0, w);
    draw(headerLeft_.get(), 0, leftW);
    draw(headerRight_.get(), w - rightW, rightW);
    Brush frame(CreateSolidBrush(kFrameBorderColor));
    FrameRect(back, &client_, frame.get());
}

void CMessageDlg::OnPaint() {
    if (layoutScreen_.cx != ScreenWidth() || layoutScreen_.cy != ScreenHeight())
        Layout();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (backBuffer_.Dc())
        BitBlt(dc, 0, 0, client_.right, client_.bottom, backBuffer_.Dc(), 0, 0, SRCCOPY);
    RECT band = client_;
    band.left += 5;
    band.right -= 5;
    band.top = client_.bottom / 5;
    band.bottom = band.top + ScaleY(20);
    SelectedObject font(dc, textFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTextOnHeader);
    DrawTextW(dc, text_, -1, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    EndPaint(hwnd_, &ps);
}

void CMessageDlg::OnTick() {
    if (ticks_ == 0 && !stopped_ && !soundPath_.IsEmpty())
        StartRinging();
    if (++ticks_ > 10000)
        ticks_ = 0;
    InvalidateRect(hwnd_, nullptr, FALSE);
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

// The dialog ends through the dialog manager once this tap is handled: the
// button that reported it is freed with the dialog, not while it still runs.
void CMessageDlg::OnOk() {
    KillTimer(hwnd_, kTickTimer);
    stopped_ = true;
    StopRinging();
    End(IDOK);
}
