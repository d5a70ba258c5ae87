#include "shell/BottomBar.h"

#include <windowsx.h>

#include <cstdlib>

#include "BaseLib/Clock.h"
#include "BaseLib/Str.h"
#include "resource.h"
#include "ui/Drawing.h"
#include "shell/Messages.h"
#include "ui/ScreenDescriptor.h"
#include "ui/Scaling.h"
#include "ui/Desktop.h"

namespace {

const COLORREF kButtonTextColor = RGB(15, 34, 108);
const COLORREF kGoTodayColor = RGB(83, 87, 98);

// Pictures of the buttons in Action order: normal and high resolution.
const UINT kButtonBitmaps[CMyBottomBar::kActionCount][2] = {
    {IDB_BTN_MENU, IDB_BTN_MENU_HI},
    {IDB_BTN_COPY, IDB_BTN_COPY_HI},
    {IDB_BTN_PASTE, IDB_BTN_PASTE_HI},
    {IDB_BTN_NEW, IDB_BTN_NEW_HI},
    {IDB_BTN_NEXT_RECENT, IDB_BTN_NEXT_RECENT_HI},
    {IDB_BTN_MINIMISE, IDB_BTN_MINIMISE_HI},
};

// A stylus step (between two successive positions) longer than this starts a
// drag of the window; shorter ones are the jitter of a tap.
const int kDragThresholdUnits = 2;

bool gMenuButtonUsed = false;

} // namespace

bool CMyBottomBar::MenuButtonUsed() { return gMenuButtonUsed; }
void CMyBottomBar::SetMenuButtonUsed(bool used) { gMenuButtonUsed = used; }

CMyBottomBar::CMyBottomBar()
    : main_(nullptr), descriptor_(), tracking_(false), dragging_(false), pressPoint_{0, 0}, lastPoint_{0, 0},
      pressTime_(0) {
    goToday_[0] = 0;
}

CMyBottomBar::~CMyBottomBar() {
    for (auto &button : buttons_)
        button.reset(); // child windows first
}

HWND CMyBottomBar::CreateBar(HWND mainWindow, const RECT &rect) {
    if (GetHwnd())
        return GetHwnd();
    main_ = mainWindow;
    if (!Create(L"BottomBarWnd", WS_CHILD | WS_CLIPCHILDREN, rect, mainWindow, kChildId, true))
        return nullptr;
    leftCap_.Reset(ui::LoadBitmap16(PickBitmap(IDB_BOTTOM_LEFT, IDB_BOTTOM_LEFT_HI)));
    rightCap_.Reset(ui::LoadBitmap16(PickBitmap(IDB_BOTTOM_RIGHT, IDB_BOTTOM_RIGHT_HI)));
    middle_.Reset(ui::LoadBitmap16(PickBitmap(IDB_BOTTOM_MIDDLE, IDB_BOTTOM_MIDDLE_HI)));
    goTodayFont_.Reset(ui::CreatePointFont(L"Tahoma", 9, FW_BOLD));

    for (int action = 0; action < kActionCount; ++action) {
        auto button = std::make_unique<CCustomBtt>(GetHwnd(), 12, 600, kButtonTextColor);
        button->SetImage(PickBitmap(kButtonBitmaps[action][0], kButtonBitmaps[action][1]));
        const SIZE image = button->ImageSize();
        button->CreateButton(RECT{0, 0, image.cx, ScaleY(kHeightUnits)}, kFirstCommand + action);
        buttons_[action] = std::move(button);
    }
    PlaceMinimiseButton();
    Redraw();
    return GetHwnd();
}

void CMyBottomBar::LayoutBottomBar(const ScreenDescriptor &descriptor) {
    if (!GetHwnd() || CurrentScreen().screenId == kScreenMinimised)
        return;
    descriptor_ = descriptor;
    int x = 0;
    for (int action = kMenu; action < kMinimise; ++action) {
        CCustomBtt &button = *buttons_[action];
        if (descriptor_.Word(action + 1)) {
            const int width = button.ImageSize().cx;
            MoveButton(button, RECT{x, 0, x + width, ScaleY(kHeightUnits)});
            if (button.GetState() != CCustomBtt::kNormal)
                button.SetState(CCustomBtt::kNormal);
            button.Show(SW_SHOW);
            x += width;
        } else {
            button.Show(SW_HIDE);
        }
    }
    CCustomBtt &minimise = *buttons_[kMinimise];
    if (descriptor_.minimise) {
        PlaceMinimiseButton();
        if (minimise.GetState() != CCustomBtt::kNormal)
            minimise.SetState(CCustomBtt::kNormal);
        minimise.Show(SW_SHOW);
    } else {
        minimise.Show(SW_HIDE);
    }
    Redraw();
}

void CMyBottomBar::SetGoTodayText(int days) {
    Str format;
    format.LoadResourceString(IDS_GO_TODAY);
    Str text;
    text.Format(format, days);
    lstrcpynW(goToday_, text, ARRAYSIZE(goToday_));
    Redraw();
}

void CMyBottomBar::ResetMinimiseButton() {
    if (buttons_[kMinimise] && buttons_[kMinimise]->GetState() != CCustomBtt::kNormal)
        buttons_[kMinimise]->SetState(CCustomBtt::kNormal);
}

POINT CMyBottomBar::MenuAnchor(const ScreenDescriptor &descriptor) const {
    RECT bar = {};
    if (GetHwnd())
        GetWindowRect(GetHwnd(), &bar);
    POINT anchor = {(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2};
    // Hidden buttons take no room: the first shown one starts at the left edge.
    for (int action = kMenu; action < kMinimise; ++action) {
        if (descriptor.Word(action + 1) && buttons_[action]) {
            anchor.x = bar.left + buttons_[action]->ImageSize().cx / 2;
            anchor.y = bar.top + ScaleY(kHeightUnits) / 2;
            break;
        }
    }
    return anchor;
}

LRESULT CMyBottomBar::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_BAR_COMMAND:
        OnBarCommand(static_cast<UINT>(lParam));
        return 0;
    case UWM_DRAG_MOVE:
    case UWM_DRAG_END: // a button drags the whole window
        return main_ ? SendMessageW(main_, msg, wParam, lParam) : 0;
    case UWM_MINIMISE:
        ResetMinimiseButton();
        return 0;
    case UWM_DRAG_STATE:
        OnDragState(lParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnRelease();
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the stylus mid-drag: end the drag as a release
        // would, or the frame would keep the bars' buttons hidden.
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            OnRelease();
        return 0;
    case WM_SIZE:
        PlaceMinimiseButton();
        break; // the base class makes the back buffer anew and redraws
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyBottomBar::OnBarCommand(UINT commandId) {
    if (commandId < kFirstCommand || commandId >= kFirstCommand + kActionCount)
        return;
    if (commandId == kFirstCommand + kMenu)
        gMenuButtonUsed = true;
    if (main_)
        SendMessageW(main_, UWM_BOTTOM_ACTION, 0, commandId - kFirstCommand);
}

// While the main window is dragged the five left buttons step aside, so only
// the bar's background has to follow the stylus.
void CMyBottomBar::OnDragState(LPARAM state) {
    ShowLeftButtons(state != 0);
    Redraw();
}

void CMyBottomBar::ShowLeftButtons(bool shown) {
    for (int action = kMenu; action < kMinimise; ++action) {
        if (buttons_[action])
            buttons_[action]->Show(shown && descriptor_.Word(action + 1) ? SW_SHOW : SW_HIDE);
    }
}

void CMyBottomBar::PlaceMinimiseButton() {
    CCustomBtt *minimise = buttons_[kMinimise].get();
    if (!GetHwnd() || !minimise || !minimise->GetHwnd())
        return;
    RECT client;
    GetClientRect(GetHwnd(), &client);
    const SIZE image = minimise->ImageSize();
    const int top = (client.bottom - image.cy) / 2;
    MoveButton(*minimise, RECT{client.right - image.cx, top, client.right, top + image.cy});
}

// Every screen switch lays the bar out again, mostly with the buttons where
// they are: those are not moved (a move costs a round trip to the window
// server even when nothing changes).
void CMyBottomBar::MoveButton(CCustomBtt &button, const RECT &place) {
    RECT now;
    GetWindowRect(button.GetHwnd(), &now);
    MapWindowPoints(nullptr, GetHwnd(), reinterpret_cast<POINT *>(&now), 2);
    if (!EqualRect(&now, &place))
        button.Move(place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

POINT CMyBottomBar::ToScreen(int x, int y) const {
    POINT pt = {x, y};
    ClientToScreen(GetHwnd(), &pt);
    return pt;
}

void CMyBottomBar::OnPress(int x, int y) {
    if (descriptor_.screenId == kScreenCalendar) {
        if (HWND calendar = main_ ? GetDlgItem(main_, kCalendarChildId) : nullptr)
            PostMessageW(calendar, UWM_CAL_TODAY, 0, 0);
        return;
    }
    SetCapture(GetHwnd());
    tracking_ = true;
    gMenuButtonUsed = false;
    dragging_ = false;
    pressPoint_ = lastPoint_ = ToScreen(x, y);
    pressTime_ = Clock::TickCount();
}

void CMyBottomBar::OnMove(int x, int y) {
    if (!tracking_)
        return;
    const POINT pt = ToScreen(x, y);
    const int dx = pt.x - lastPoint_.x;
    const int dy = pt.y - lastPoint_.y;
    lastPoint_ = pt;
    const int threshold = ScaleX(kDragThresholdUnits);
    if (!dragging_ && (std::abs(dx) > threshold || std::abs(dy) > threshold))
        dragging_ = true;
    if (!dragging_ || gMenuButtonUsed || !main_)
        return;
    const POINT step = LimitDragMovement(dx, dy);
    if (step.x || step.y)
        SendMessageW(main_, UWM_DRAG_MOVE, static_cast<WPARAM>(step.x), step.y);
}

void CMyBottomBar::OnRelease() {
    if (!tracking_)
        return;
    tracking_ = false;
    if (GetCapture() == GetHwnd())
        ReleaseCapture();
    EndDrag();
}

void CMyBottomBar::EndDrag() {
    const bool wasDragging = dragging_;
    dragging_ = false;
    if (wasDragging && !gMenuButtonUsed && main_)
        SendMessageW(main_, UWM_DRAG_END, 0, 0);
}

void CMyBottomBar::Paint(HDC dc, const RECT &client) {
    const int leftWidth = BitmapSize(leftCap_.get()).cx;
    const int rightWidth = BitmapSize(rightCap_.get()).cx;
    if (!middle_)
        FillSolid(dc, client, kControlColor);
    ui::DrawBitmap(dc, leftCap_.get(), RECT{0, 0, leftWidth, client.bottom});
    ui::DrawBitmap(dc, rightCap_.get(), RECT{client.right - rightWidth, 0, client.right, client.bottom});
    ui::DrawBitmap(dc, middle_.get(), RECT{leftWidth, 0, client.right - rightWidth, client.bottom});

    // The buttons' pictures as well, so the buffer is the whole bar.
    int buttonsEnd = 0;
    for (int action = kMenu; action < kMinimise; ++action) {
        CCustomBtt *button = buttons_[action].get();
        if (!button || !ui::IsShown(button->GetHwnd()))
            continue;
        RECT rc;
        GetWindowRect(button->GetHwnd(), &rc);
        MapWindowPoints(HWND_DESKTOP, GetHwnd(), reinterpret_cast<POINT *>(&rc), 2);
        button->CopyTo(dc, rc.left, rc.top);
        buttonsEnd = rc.right;
    }
    int textEnd = client.right;
    CCustomBtt *minimise = buttons_[kMinimise].get();
    if (minimise && ui::IsShown(minimise->GetHwnd())) {
        const SIZE image = minimise->ImageSize();
        textEnd = client.right - image.cx;
        minimise->CopyTo(dc, textEnd, (client.bottom - image.cy) / 2);
    }

    if (descriptor_.screenId == kScreenCalendar && goToday_[0]) {
        RECT text = {buttonsEnd, 0, textEnd, client.bottom};
        SelectedObject font(dc, goTodayFont_.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kGoTodayColor);
        DrawTextW(dc, goToday_, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
}
