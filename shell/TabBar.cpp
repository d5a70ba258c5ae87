#include "shell/TabBar.h"

#include "BaseLib/Str.h"
#include "resource.h"
#include "ui/Drawing.h"
#include "shell/Messages.h"
#include "ui/Scaling.h"

namespace {

const COLORREF kTitleColor = RGB(121, 122, 127);
// Titles longer than this start nearer the left edge to keep more of them.
const int kLongTitle = 25;

} // namespace

CMyTabbar::CMyTabbar() : main_(nullptr), pressed_(false) { title_[0] = 0; }

CMyTabbar::~CMyTabbar() {
    // The button is a child window: it goes before the bar's own window.
    back_.reset();
}

HWND CMyTabbar::CreateBar(HWND mainWindow, const RECT &rect) {
    if (GetHwnd())
        return GetHwnd();
    main_ = mainWindow;
    if (!Create(L"TabbarWnd", WS_CHILD | WS_CLIPCHILDREN, rect, mainWindow, kChildId, true))
        return nullptr;
    background_.Reset(ui::LoadBitmap16(PickBitmap(IDB_TABBAR, IDB_TABBAR_HI)));
    titleFont_.Reset(CreateFontW(Metrics().highRes ? -30 : -18, 0, 0, 0, 800, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                 L"Tahoma"));

    back_ = std::make_unique<CCustomBtt>(GetHwnd(), 12, 600, RGB(15, 34, 108));
    back_->SetImage(PickBitmap(IDB_TAB_BACK, IDB_TAB_BACK_HI));
    const SIZE image = back_->ImageSize();
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    back_->CreateButton(RECT{width - image.cx, 0, width, height}, kBackCommand);
    back_->Show(SW_SHOW);
    Layout();
    Redraw();
    return GetHwnd();
}

void CMyTabbar::SetTitle(const wchar_t *title) {
    lstrcpynW(title_, title ? title : L"", kMaxTitle + 1);
    Redraw();
}

void CMyTabbar::LoadTitle(UINT stringId) {
    Str text;
    text.LoadResourceString(stringId);
    SetTitle(text.Prefix(kMaxLoadedTitle));
}

LRESULT CMyTabbar::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_BAR_COMMAND:
        OnBarCommand(static_cast<UINT>(lParam));
        return 0;
    case UWM_DRAG_MOVE:
    case UWM_DRAG_END: // the back button drags the whole window
        return main_ ? SendMessageW(main_, msg, wParam, lParam) : 0;
    case UWM_DRAG_STATE:
        OnDragState(lParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnPress();
        return 0;
    case WM_LBUTTONUP:
        OnRelease();
        return 0;
    case WM_CAPTURECHANGED:
        // Someone else took the stylus: that press ends without a release.
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            pressed_ = false;
        return 0;
    case WM_SIZE:
        Layout();
        break; // the base class makes the back buffer anew and redraws
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyTabbar::OnBarCommand(UINT commandId) {
    if (commandId == kBackCommand && main_)
        SendMessageW(main_, UWM_BACK, 0, 0);
}

void CMyTabbar::OnDragState(LPARAM state) {
    if (back_)
        back_->Show(state ? SW_SHOW : SW_HIDE);
    Redraw();
}

void CMyTabbar::OnPress() {
    SetCapture(GetHwnd());
    pressed_ = true;
}

// The release ends the press wherever the stylus is lifted: the bar holds the
// stylus from the press on.
void CMyTabbar::OnRelease() {
    if (!pressed_)
        return;
    pressed_ = false;
    ReleaseCapture();
    if (main_)
        SendMessageW(main_, UWM_MINIMISE_NOW, 0, 0);
}

// The back button at the right end, as wide as its picture and as high as
// the bar.
void CMyTabbar::Layout() {
    if (!GetHwnd())
        return;
    RECT client;
    GetClientRect(GetHwnd(), &client);
    if (back_ && back_->GetHwnd()) {
        const int width = back_->ImageSize().cx;
        back_->Move(client.right - width, 0, width, client.bottom, TRUE);
    }
}

void CMyTabbar::Paint(HDC dc, const RECT &client) {
    if (background_)
        ui::DrawBitmap(dc, background_.get(), client);
    else
        FillSolid(dc, client, kControlColor);

    RECT text = client;
    const HWND button = BackButtonWindow();
    if (ui::IsShown(button)) {
        RECT rc;
        GetWindowRect(button, &rc);
        MapWindowPoints(HWND_DESKTOP, GetHwnd(), reinterpret_cast<POINT *>(&rc), 2);
        back_->CopyTo(dc, rc.left, rc.top);
        text.right = rc.left;
    }

    text.left += ScaleX(lstrlenW(title_) > kLongTitle ? 3 : 10);
    SelectedObject font(dc, titleFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTitleColor);
    DrawTextW(dc, title_, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}
