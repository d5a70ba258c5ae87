#include "ui/AboutDlg.h"

#include <aygshell.h>

#include "BaseLib/Str.h"
#include "resource.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

const int kTitleBandHeight = 44; // layout units
const int kOkBottomMargin = 16;  // layout units below the OK button

} // namespace

CMyAboutDlg::CMyAboutDlg() { SetTemplateId(Metrics().highRes ? IDD_ABOUT_HI : IDD_ABOUT); }

INT_PTR CMyAboutDlg::PreDialogProc(HWND, UINT msg, WPARAM wParam, LPARAM, INT_PTR *result) {
    switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        // The texts stand on the screen colour in the palette's text colour.
        if (!background_)
            background_.Reset(CreateSolidBrush(kScreenColor));
        SetTextColor(reinterpret_cast<HDC>(wParam), kTextColor);
        SetBkColor(reinterpret_cast<HDC>(wParam), kScreenColor);
        *result = reinterpret_cast<INT_PTR>(background_.get());
        return 1;
    case WM_PAINT:
        PaintTitleBand();
        *result = TRUE;
        return 1;
    }
    return 0;
}

INT_PTR CMyAboutDlg::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog();
        return TRUE;
    case WM_SIZE:
        PlaceOkButton();
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case UWM_BAR_COMMAND:
        if (static_cast<UINT>(lParam) == kOkCommand)
            End(0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            End(0);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        okButton_.reset();
        return TRUE;
    }
    return Dlg::DialogProc(hwnd, msg, wParam, lParam);
}

void CMyAboutDlg::OnInitDialog() {
    okButton_.reset(new CCustomBtt(hwnd_, 10, 400, RGB(255, 255, 255)));
    okButton_->SetImage(PickBitmap(IDB_ABOUT_OK, IDB_ABOUT_OK_HI));
    SIZE image = okButton_->ImageSize();
    okButton_->CreateButton(RECT{0, 0, image.cx, image.cy}, kOkCommand);
    okButton_->SetBackColor(kScreenColor);
    okButton_->SetCaption(L"OK");
    PlaceOkButton();
    okButton_->Show(SW_SHOW);

    SHINITDLGINFO init = {};
    init.dwMask = SHIDIM_FLAGS;
    init.hDlg = hwnd_;
    init.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN;
    SHInitDialog(&init);
    MakeMenuBar();

    // The caption of the window that runs the box ("TallyPad").
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    if (owner) {
        Str caption;
        caption.WindowText(GetAncestor(owner, GA_ROOT));
        SetWindowTextW(hwnd_, caption);
    }
    Str version;
    version.LoadResourceString(IDS_VERSION);
    SetDlgItemTextW(hwnd_, IDC_ABOUT_VERSION, version);

    titleFont_.Reset(CreateFontW(-ScaleY(16), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                 L"Tahoma"));
}

// Centred across, near the bottom of the box.
void CMyAboutDlg::PlaceOkButton() {
    if (!okButton_ || !hwnd_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    SIZE image = okButton_->ImageSize();
    okButton_->Move((client.right - image.cx) / 2, client.bottom - ScaleY(kOkBottomMargin) - image.cy, image.cx,
                    image.cy, true);
}

// The screen colour with a title band in the frame colour across the top,
// carrying the caption in white.
void CMyAboutDlg::PaintTitleBand() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    FillSolid(dc, client, kScreenColor);
    RECT band = {0, 0, client.right, ScaleY(kTitleBandHeight)};
    FillSolid(dc, band, kFrameBorderColor);
    RECT foot = {0, band.bottom - ScaleY(2), client.right, band.bottom};
    FillSolid(dc, foot, kTextColor);
    Brush frame(CreateSolidBrush(kFrameBorderColor));
    FrameRect(dc, &client, frame.get());

    wchar_t caption[64] = {};
    GetWindowTextW(hwnd_, caption, 64);
    RECT text = band;
    text.left += ScaleX(10);
    SelectedObject font(dc, titleFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, caption, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    EndPaint(hwnd_, &ps);
}
