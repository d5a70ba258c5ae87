#include "notes/Notebar.h"

#include <windowsx.h>

#include "notes/NoteMessages.h"
#include "resource.h"
#include "ui/Drawing.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

// Pictures of the buttons in NoteButton order: normal and high resolution.
const UINT kButtonBitmaps[kNoteButtonCount][2] = {
    {IDB_NOTE_ZOOM, IDB_NOTE_ZOOM_HI},
    {IDB_NOTE_MODE, IDB_NOTE_MODE_HI},
    {IDB_BTN_MINIMISE, IDB_BTN_MINIMISE_HI},
    {IDB_NOTE_KEYBOARD, IDB_NOTE_KEYBOARD_HI},
};

const int kZoomTextUnits = 40; // width of the zoom text beside the zoom button
const int kButtonTopUnits = 2;

} // namespace

CMyNotebar::CMyNotebar() : zoom_(100), modeShown_(false) {}

CMyNotebar::~CMyNotebar() {
    for (auto &button : buttons_)
        button.reset(); // child windows first
}

HWND CMyNotebar::CreateBar(HWND noteWindow, const RECT &rect, int zoom) {
    if (GetHwnd())
        return GetHwnd();
    if (!Create(L"NoteBarWnd", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, noteWindow, kChildId, true))
        return nullptr;
    leftCap_.Reset(ui::LoadBitmap16(PickBitmap(IDB_BOTTOM_LEFT, IDB_BOTTOM_LEFT_HI)));
    rightCap_.Reset(ui::LoadBitmap16(PickBitmap(IDB_BOTTOM_RIGHT, IDB_BOTTOM_RIGHT_HI)));
    middle_.Reset(ui::LoadBitmap16(PickBitmap(IDB_BOTTOM_MIDDLE, IDB_BOTTOM_MIDDLE_HI)));
    font_.Reset(ui::CreatePointFont(L"Arial", 9, FW_NORMAL));
    for (int b = 0; b < kNoteButtonCount; ++b) {
        auto button = std::make_unique<CCustomBtt>(GetHwnd(), 12, 600, RGB(0, 0, 0));
        button->SetImage(PickBitmap(kButtonBitmaps[b][0], kButtonBitmaps[b][1]));
        const SIZE image = button->ImageSize();
        button->CreateButton(RECT{0, 0, image.cx, image.cy}, kNotebarFirstCommand + b);
        button->Show(b == kNoteMode ? SW_HIDE : SW_SHOW);
        buttons_[b] = std::move(button);
    }
    zoom_ = zoom;
    Layout();
    Redraw();
    return GetHwnd();
}

void CMyNotebar::SetZoom(int zoom) {
    zoom_ = zoom;
    Redraw();
}

void CMyNotebar::ShowModeButton(bool shown) {
    modeShown_ = shown;
    if (buttons_[kNoteMode])
        buttons_[kNoteMode]->Show(shown ? SW_SHOW : SW_HIDE);
}

void CMyNotebar::SetDrawingMode(bool drawing) {
    if (buttons_[kNoteMode])
        buttons_[kNoteMode]->SetState(drawing ? CCustomBtt::kPressed : CCustomBtt::kNormal);
}

void CMyNotebar::SetKeyboardShown(bool shown) {
    if (buttons_[kNoteKeyboard])
        buttons_[kNoteKeyboard]->SetState(shown ? CCustomBtt::kPressed : CCustomBtt::kNormal);
}

RECT CMyNotebar::ZoomButtonRect() const {
    RECT rc = {};
    if (buttons_[kNoteZoom])
        GetWindowRect(buttons_[kNoteZoom]->GetHwnd(), &rc);
    return rc;
}

// Zoom button and its text at the left, the mode button after them; the
// keyboard and minimise buttons at the right end.
void CMyNotebar::Layout() {
    if (!buttons_[kNoteZoom])
        return;
    RECT client;
    GetClientRect(GetHwnd(), &client);
    const int top = ScaleY(kButtonTopUnits);
    auto place = [top](CCustomBtt &button, int x) {
        const SIZE size = button.ImageSize();
        button.Move(x, top, size.cx, size.cy, TRUE);
        return size.cx;
    };
    int x = place(*buttons_[kNoteZoom], ScaleX(2)) + ScaleX(2);
    place(*buttons_[kNoteMode], x + ScaleX(kZoomTextUnits));
    int right = client.right - ScaleX(2) - buttons_[kNoteMinimise]->ImageSize().cx;
    place(*buttons_[kNoteMinimise], right);
    right -= ScaleX(4) + buttons_[kNoteKeyboard]->ImageSize().cx;
    place(*buttons_[kNoteKeyboard], right);
}

RECT CMyNotebar::ZoomTextRect() const {
    RECT client = {};
    GetClientRect(GetHwnd(), &client);
    const int left = ScaleX(4) + (buttons_[kNoteZoom] ? buttons_[kNoteZoom]->ImageSize().cx : 0);
    return RECT{left, client.top, left + ScaleX(kZoomTextUnits), client.bottom};
}

void CMyNotebar::Paint(HDC dc, const RECT &client) {
    const SIZE cap = BitmapSize(leftCap_.get());
    ui::DrawBitmap(dc, middle_.get(), client);
    ui::DrawBitmap(dc, leftCap_.get(), RECT{0, 0, cap.cx, client.bottom});
    ui::DrawBitmap(dc, rightCap_.get(), RECT{client.right - cap.cx, 0, client.right, client.bottom});
    wchar_t text[16];
    _snwprintf(text, 16, L"%d%%", zoom_);
    text[15] = L'\0';
    RECT area = ZoomTextRect();
    SelectedObject font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
}

void CMyNotebar::OnRelease(int x, int y) {
    const bool dragged = drag_.Dragging();
    drag_.OnRelease(GetHwnd());
    const RECT area = ZoomTextRect();
    const POINT pt = {x, y};
    if (!dragged && PtInRect(&area, pt))
        SendMessageW(GetParent(GetHwnd()), UWM_NOTEBAR_BUTTON, 0, kNoteZoom);
}

LRESULT CMyNotebar::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_BAR_COMMAND: {
        const UINT command = static_cast<UINT>(lParam);
        if (command >= kNotebarFirstCommand && command < kNotebarFirstCommand + kNoteButtonCount)
            SendMessageW(GetParent(hwnd), UWM_NOTEBAR_BUTTON, 0, command - kNotebarFirstCommand);
        return 0;
    }
    case UWM_NOTEBAR_MODE:
        SetDrawingMode(wParam != 0);
        return 0;
    case WM_SETTINGCHANGE:
        SetKeyboardShown(wParam != 0);
        return 0;
    case UWM_DRAG_MOVE: // a button drags the whole window
    case UWM_DRAG_END:
        return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
    case WM_LBUTTONUP:
        OnRelease(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_SIZE:
        Layout();
        break; // the base class makes the back buffer anew and redraws
    }
    if (drag_.OnMessage(hwnd, msg, lParam))
        return 0;
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}
