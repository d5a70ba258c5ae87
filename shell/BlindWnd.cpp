#include "shell/BlindWnd.h"

#include <commctrl.h>
#include <shlobj.h>
#include <windowsx.h>

#include "BaseLib/Clock.h"
#include "BaseLib/FeedbackPulse.h"
#include "BaseLib/Locale.h"
#include "BaseLib/Str.h"
#include "aygshell.h"
#include "BaseLib/Vibrator.h"
#include "resource.h"
#include "shell/BottomBar.h"
#include "shell/DeskWnd.h"
#include "ui/Drawing.h"
#include "shell/Messages.h"
#include "ui/PopupBtt.h"
#include "shell/TabBar.h"
#include "shell/Tools.h"
#include "ui/AboutDlg.h"

namespace {

CBlindWnd *gFrame; // the one frame object of the process, not owned

const COLORREF kFrameBorder = RGB(45, 66, 138);
const UINT kHandOffTimer = 5;

Str StartupShortcutPath() {
    wchar_t folder[MAX_PATH] = L"";
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE);
    return Str::Concat(Str(folder), L"\\VelmoraTallyPad.lnk");
}

Str DocumentsFolder() {
    wchar_t folder[MAX_PATH] = L"";
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PERSONAL, FALSE);
    return Str(folder);
}

// The full view of the frame: tab bar, screen and bottom bar in a border.
SIZE FrameSize() {
    return {ScaleX(2) + ScaleX(38) + 3 * ScaleX(54),
            ScaleY(2) + ScaleY(21) + ScaleY(38) + 5 * ScaleY(29) + 2 * ScaleY(26) + 3};
}

Str SettingsKey() {
    Str key;
    key.LoadResourceString(IDS_SETTINGS_KEY);
    return key;
}

bool IsUtilityWindow(HWND wnd) {
    static const wchar_t *const kClasses[] = {L"ActiveSync", L"MS_SIPBUTTON", L"Ime", L"FAKEIMEUI",
                                              L"ms_sqlce_se_notify_wndproc"};
    wchar_t name[256] = L"";
    GetClassNameW(wnd, name, 256);
    for (const wchar_t *cls : kClasses)
        if (lstrcmpW(name, cls) == 0)
            return true;
    wchar_t title[256] = L"";
    GetWindowTextW(wnd, title, 256);
    return lstrcmpW(title, L"CursorWindow") == 0;
}

} // namespace

CBlindWnd::CBlindWnd()
    : hwnd_(nullptr), menuBar_(nullptr), settings_(Metrics().dpiX, Metrics().dpiY, DocumentsFolder()),
      loadOnStartup_(GetFileAttributesW(StartupShortcutPath()) != INVALID_FILE_ATTRIBUTES), afterStartup_(false),
      saved_(), current_(nullptr), lastPresented_(nullptr), backBitmap_(nullptr), backDC_(nullptr),
      previousBitmap_(nullptr), clientWidth_(0), floatButton_(nullptr), floatSize_(), pressPoint_(), lastPoint_(),
      moved_(false), pressTime_(0), dragBounds_(), menuStamp_(), backStamp_(), openStamp_(), bottomStamp_() {}

CBlindWnd::~CBlindWnd() {
    StopFeedbackWorker();
    // A feedback pulse cut short at exit must not leave the vibrator on.
    Vibrator().Switch(0);
    settings_.Save(SettingsKey());
    FreeBackBuffer();
    if (floatButton_)
        DeleteObject(floatButton_);
    DestroyBalloons();
    // Screens and bars go with their objects; the frame's window is gone by now.
    if (gFrame == this)
        gFrame = nullptr;
}

bool CBlindWnd::IsMinimised() const { return CurrentScreen().screenId == kScreenMinimised; }

HWND CBlindWnd::CreateMainFrame(bool mini) {
    if (hwnd_)
        return hwnd_;
    if (HWND running = FindWindowW(kMainWindowClass, nullptr)) {
        SendMessageW(running, UWM_TOGGLE, 0, 0);
        return nullptr;
    }
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TALLYPAD));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kMainWindowClass;
    RegisterClassW(&wc);

    SIZE size = FrameSize();
    gFrame = this;
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, kMainWindowClass, L"TallyPad", WS_POPUP, settings_.maxPosX,
                                settings_.maxPosY, size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    if (!hwnd) {
        gFrame = nullptr;
        return nullptr;
    }
    hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    settings_.Load(SettingsKey());
    MoveWindow(hwnd_, settings_.maxPosX, settings_.maxPosY, size.cx, size.cy, FALSE);
    UpdateWorkArea();
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    LoadLocaleSeparators();

    RECT client;
    GetClientRect(hwnd_, &client);
    desk_.reset(new CMyDeskWnd());
    desk_->CreateDesk(hwnd_, client);
    desk_->AddToolIcons();
    MakeScreen(kScreenNote);
    current_ = desk_.get();
    CurrentScreen() = desk_->Descriptor();

    tabbar_.reset(new CMyTabbar());
    tabbar_->CreateBar(hwnd_, client);
    bottomBar_.reset(new CMyBottomBar());
    bottomBar_->CreateBar(hwnd_, client);
    menu_.RebuildRecent(settings_, false);
    afterStartup_ = true;

    saved_.Clear();
    Layout(client.right, client.bottom);
    if (!mini)
        ShowWindow(hwnd_, SW_SHOW);
    SwitchScreen(kScreenDesk);
    if (settings_.popupBtt)
        BuildBalloons(hwnd_, settings_.isFull != 0);

    // Kept in the handheld's 16-bit format, like the bars' pictures; a
    // missing picture leaves the floating button blank.
    floatButton_ = ui::LoadBitmap16(PickBitmap(IDB_FLOATBUTTON, IDB_FLOATBUTTON_HI));
    floatSize_ = BitmapSize(floatButton_);
    return hwnd_;
}

LRESULT CALLBACK CBlindWnd::FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto *frame = reinterpret_cast<CBlindWnd *>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (frame && frame == gFrame)
        return frame->WindowProc(hwnd, msg, wParam, lParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CBlindWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        if (IsMinimised())
            PaintMinimised();
        else
            Layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (backDC_)
            BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                   ps.rcPaint.bottom - ps.rcPaint.top, backDC_, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        if (IsMinimised())
            OnButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (IsMinimised() && GetCapture() == hwnd_)
            OnButtonMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (IsMinimised() && GetCapture() == hwnd_)
            OnButtonUp();
        return 0;
    case WM_ACTIVATE:
        // Activated other than by a tap: give the foreground back shortly.
        if (LOWORD(wParam) == WA_ACTIVE)
            SetTimer(hwnd_, kHandOffTimer, 250, nullptr);
        return 0;
    case WM_TIMER:
        if (wParam == kHandOffTimer) {
            KillTimer(hwnd_, kHandOffTimer);
            if (IsWindowVisible(hwnd_))
                HandOffForeground();
        }
        return 0;
    case WM_SETFOCUS:
        if (!menuBar_) {
            SHMENUBARINFO mbi = {};
            mbi.cbSize = sizeof mbi;
            mbi.hwndParent = hwnd_;
            mbi.dwFlags = SHCMBF_EMPTYBAR;
            if (SHCreateMenuBar(&mbi))
                menuBar_ = mbi.hwndMB;
        }
        return 0;
    case WM_KEYDOWN:
        if (!IsMinimised() && current_)
            SendMessageW(current_->GetHwnd(), msg, wParam, lParam);
        return 0;
    case WM_SETTINGCHANGE:
        if (IsMinimised()) {
            OnMinimisedSettingChange();
        } else {
            UpdateWorkArea();
            if (current_)
                SendMessageW(current_->GetHwnd(), msg, wParam, lParam);
        }
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        if (menuBar_)
            DestroyWindow(menuBar_);
        menuBar_ = nullptr;
        PostQuitMessage(0);
        return 0;
    case UWM_DRAG_MOVE:
        OnDragMove(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case UWM_DRAG_END:
        OnDragEnd();
        return 0;
    case UWM_BACK:
        OnBack(static_cast<int>(lParam));
        return 0;
    case UWM_MINIMISE:
        SetInputPanelState(0, false);
        if (!IsMinimised())
            SetFocus(hwnd_);
        EnterMinimised();
        return 0;
    case UWM_MINIMISE_NOW:
        if (!IsMinimised())
            SetFocus(hwnd_);
        EnterMinimised();
        return 0;
    case UWM_TOGGLE:
        OnToggle();
        return 0;
    case UWM_BOTTOM_ACTION:
        OnBottomAction(static_cast<int>(lParam));
        return 0;
    case UWM_OPEN_SCREEN:
        OnOpenScreen(static_cast<int>(wParam));
        return 0;
    case UWM_NOTE_INPUT_PANEL:
        SetInputPanelState(static_cast<int>(wParam), false);
        return 0;
    case UWM_INPUT_PANEL:
        SetInputPanelState(static_cast<int>(wParam), true);
        return 0;
    case UWM_QUERY_DRAWING:
        return settings_.useDrawing;
    case UWM_ALARMS_CHANGED:
        if (tools_[kScreenAlarms])
            PostMessageW(tools_[kScreenAlarms]->GetHwnd(), msg, wParam, lParam);
        return 0;
    case UWM_OPEN_RECENT:
        MoveRecentToTop(static_cast<int>(wParam));
        return 0;
    case UWM_RECENT_CHANGED:
        menu_.RebuildRecent(settings_, afterStartup_);
        return 0;
    case UWM_GO_TODAY_TEXT:
        bottomBar_->SetGoTodayText(static_cast<int>(wParam));
        return 0;
    case UWM_MOVE_BOTTOM_BAR: {
        RECT rc;
        GetWindowRect(bottomBar_->GetHwnd(), &rc);
        bottomBar_->Move(static_cast<int>(wParam) + 1, static_cast<int>(lParam), rc.right - rc.left,
                         rc.bottom - rc.top, true);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Screens ------------------------------------------------------------------

CNormalWnd *CBlindWnd::Screen(int id) {
    if (id == kScreenDesk)
        return desk_.get();
    return id > 0 && id < 9 ? tools_[id].get() : nullptr;
}

bool CBlindWnd::MakeScreen(int id) {
    if (Screen(id))
        return true;
    RECT client;
    GetClientRect(hwnd_, &client);
    tools_[id] = MakeToolScreen(id, settings_, hwnd_, client);
    if (!tools_[id])
        return false;
    PlaceScreen(tools_[id].get());
    return true;
}

void CBlindWnd::PlaceScreen(CNormalWnd *screen) {
    RECT client;
    GetClientRect(hwnd_, &client);
    int top = ScaleY(1 + 38);
    screen->Move(ScaleX(1), top, client.right - ScaleX(2), client.bottom - top - ScaleY(1 + 29), true);
    screen->Layout();
}

void CBlindWnd::SwitchScreen(int id) {
    if (!IsMinimised())
        SetFocus(hwnd_);
    ShowScreen(id);
    bottomBar_->LayoutBottomBar(CurrentScreen());
    if (CurrentScreen().screenId == kScreenCalendar && current_)
        PostMessageW(current_->GetHwnd(), UWM_CAL_REFRESH, 0, 0);
}

void CBlindWnd::ShowScreen(int id) {
    if (id < 0 || id >= 9 || !MakeScreen(id))
        return;
    current_ = Screen(id);
    settings_.Save(SettingsKey());
    saved_ = CurrentScreen();
    CurrentScreen() = current_->Descriptor();
    SetInputPanelState(0, false);
    UpdateWorkArea();
    MoveOntoVisibleDesktop();
    PresentScreen(id);
}

void CBlindWnd::PresentScreen(int id) {
    tabbar_->Show(SW_SHOW);
    bottomBar_->LayoutBottomBar(CurrentScreen());
    bottomBar_->Show(SW_SHOW);
    HWND shown = current_->GetHwnd();
    if (id == kScreenDesk && lastPresented_ && lastPresented_ != shown)
        SlideDeskIn(lastPresented_);
    if (id == kScreenDesk)
        desk_->Show(SW_SHOW);
    for (int i = 1; i < 9; ++i)
        if (tools_[i])
            tools_[i]->Show(i == id ? SW_SHOW : SW_HIDE);
    UpdateWindow(hwnd_);
    SendMessageW(bottomBar_->GetHwnd(), UWM_MINIMISE, 0, 0);
    Str title;
    title.LoadResourceString(CurrentScreen().titleId);
    tabbar_->SetTitle(title.Prefix(1023));
    if (id != kScreenDesk && lastPresented_ == desk_->GetHwnd()) {
        SlideDeskOut(shown);
        desk_->Show(SW_HIDE);
        InvalidateRect(shown, nullptr, FALSE);
    } else if (id != kScreenDesk) {
        desk_->Show(SW_HIDE);
    }
    lastPresented_ = shown;
}

void CBlindWnd::SlideDeskOut(HWND to) {
    HWND desk = desk_->GetHwnd();
    RECT home;
    GetWindowRect(desk, &home);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT *>(&home), 2);
    RECT client;
    GetClientRect(desk, &client);
    SendMessageW(to, UWM_SLIDE, 0, 0);
    ShowWindow(to, SW_SHOW);
    // Steps of 50 pixels until the desk's whole width has moved out.
    for (int step = 50;; step += 50) {
        SetWindowPos(desk, HWND_TOP, home.left + step, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        UpdateWindow(to);
        UpdateWindow(desk);
        Sleep(2);
        if (step >= client.right)
            break;
    }
    SendMessageW(to, UWM_SLIDE, 1, 0);
    SetWindowPos(desk, nullptr, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBlindWnd::SlideDeskIn(HWND from) {
    HWND desk = desk_->GetHwnd();
    RECT home;
    GetWindowRect(desk, &home);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT *>(&home), 2);
    SendMessageW(from, UWM_SLIDE, 0, 0);
    // First only a 50-pixel strip shows at the right; every step moves it
    // 50 pixels further left.
    int x = home.right - 50;
    SetWindowPos(desk, HWND_TOP, x, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    for (x -= 50; x > home.left; x -= 50) {
        SetWindowPos(desk, HWND_TOP, x, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        UpdateWindow(desk);
        Sleep(2);
    }
    SetWindowPos(desk, HWND_TOP, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    InvalidateRect(desk, nullptr, FALSE);
    SendMessageW(from, UWM_SLIDE, 1, 0);
}

// Layout and painting --------------------------------------------------------

void CBlindWnd::Layout(int width, int height) {
    MakeBackBuffer(width, height);
    if (settings_.popupBtt && clientWidth_ && width != clientWidth_ && width != floatSize_.cx &&
        clientWidth_ != floatSize_.cx)
        BuildBalloons(hwnd_, settings_.isFull != 0);
    clientWidth_ = width;
    if (current_)
        PlaceScreen(current_);
    if (current_ != desk_.get() && desk_)
        PlaceScreen(desk_.get());
    if (tabbar_)
        tabbar_->Move(ScaleX(1), ScaleY(1), width - ScaleX(2), ScaleY(38), true);
    if (bottomBar_)
        bottomBar_->Move(ScaleX(1), height - ScaleY(1 + 29), width - ScaleX(2), ScaleY(29), true);
    RECT rc = {0, 0, width, height};
    HBRUSH border = CreateSolidBrush(kFrameBorder);
    FillRect(backDC_, &rc, border);
    DeleteObject(border);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void CBlindWnd::PaintMinimised() {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    MakeBackBuffer(rc.right, rc.bottom);
    if (!floatButton_)
        return;
    HDC mem = CreateCompatibleDC(backDC_);
    HGDIOBJ old = SelectObject(mem, floatButton_);
    BitBlt(backDC_, 0, 0, floatSize_.cx, floatSize_.cy, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void CBlindWnd::MakeBackBuffer(int width, int height) {
    FreeBackBuffer();
    HDC dc = GetDC(hwnd_);
    backBitmap_ = CreateCompatibleBitmap(dc, width > 0 ? width : 1, height > 0 ? height : 1);
    backDC_ = CreateCompatibleDC(dc);
    previousBitmap_ = SelectObject(backDC_, backBitmap_);
    ReleaseDC(hwnd_, dc);
}

void CBlindWnd::FreeBackBuffer() {
    if (!backDC_)
        return;
    SelectObject(backDC_, previousBitmap_);
    DeleteDC(backDC_);
    DeleteObject(backBitmap_);
    backDC_ = nullptr;
    backBitmap_ = nullptr;
}

// The bound of dragged windows: the work area inset by 10 pixels while
// minimised, 10 units otherwise.
void CBlindWnd::UpdateWorkArea() {
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    int margin = IsMinimised() ? 10 : ScaleX(10);
    InflateRect(&area, -margin, -margin);
    dragBounds_ = area;
    SetDragBounds(hwnd_, dragBounds_);
}

// A fixed frame (IsFull) fills the visible desktop: the screens are laid out
// for the whole width of the device, in either orientation. A movable frame
// keeps its size and is only pushed back onto the visible desktop.
void CBlindWnd::MoveOntoVisibleDesktop() {
    RECT visible = VisibleDesktop();
    if (settings_.isFull) {
        SetWindowPos(hwnd_, nullptr, visible.left, visible.top, visible.right - visible.left,
                     visible.bottom - visible.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    int x = rc.left, y = rc.top;
    if (rc.right > visible.right)
        x -= rc.right - visible.right;
    if (rc.bottom > visible.bottom)
        y -= rc.bottom - visible.bottom;
    x = x < visible.left ? visible.left : x;
    y = y < visible.top ? visible.top : y;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Minimised mode -------------------------------------------------------------

void CBlindWnd::EnterMinimised() {
    settings_.Save(SettingsKey());
    // Minimising again keeps the screen to come back to.
    if (!IsMinimised())
        saved_ = CurrentScreen();
    CurrentScreen().Clear();
    CurrentScreen().screenId = kScreenMinimised;
    ShowWindow(hwnd_, SW_HIDE);

    int x0 = GetSystemMetrics(SM_CXDLGFRAME) + 1;
    int y0 = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME) + 1;
    int maxX = GetSystemMetrics(SM_CXSCREEN) - x0 - floatSize_.cx;
    int maxY = GetSystemMetrics(SM_CYSCREEN) - y0 - floatSize_.cy;
    int x = static_cast<int>(settings_.minimizedPosX), y = static_cast<int>(settings_.minimizedPosY);
    x = x < x0 ? x0 : (x > maxX ? maxX : x);
    y = y < y0 ? y0 : (y > maxY ? maxY : y);
    settings_.minimizedPosX = x;
    settings_.minimizedPosY = y;
    MoveWindow(hwnd_, x, y, floatSize_.cx, floatSize_.cy, TRUE);

    tabbar_->Show(SW_HIDE);
    bottomBar_->Show(SW_HIDE);
    if (current_)
        current_->Show(SW_HIDE);
    UpdateWorkArea();
    if (settings_.showIcon)
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    else
        HandOffForeground();
}

void CBlindWnd::RestoreFromMinimised() {
    ShowWindow(hwnd_, SW_SHOW);
    // Without a screen to come back to, the desk is shown: a full-size
    // window must never stay in the floating button's state.
    int id = saved_.screenId;
    if (id < kScreenDesk || id >= kScreenMinimised) {
        id = kScreenDesk;
        saved_ = desk_->Descriptor();
    }
    // The frame leaves the minimised state first so that the resize back to
    // full size lays it out again.
    CurrentScreen() = saved_;
    SIZE size = FrameSize();
    MoveWindow(hwnd_, settings_.maxPosX, settings_.maxPosY, size.cx, size.cy, TRUE);
    ShowScreen(id);
}

void CBlindWnd::OnButtonDown(int x, int y) {
    int insetX = ScaleX(2), insetY = ScaleY(2);
    if (x < insetX || y < insetY || x >= floatSize_.cx - insetX || y >= floatSize_.cy - insetY)
        return;
    POINT screen = {x, y};
    ClientToScreen(hwnd_, &screen);
    pressPoint_ = screen;
    lastPoint_ = screen;
    moved_ = false;
    SetCapture(hwnd_);
    pressTime_ = Clock::TickCount();
}

void CBlindWnd::OnButtonMove(int x, int y) {
    POINT point = {x, y};
    ClientToScreen(hwnd_, &point);
    int dx = point.x - lastPoint_.x, dy = point.y - lastPoint_.y;
    lastPoint_ = point;
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    if (!moved_ && PtInRect(&rc, point))
        return;
    moved_ = true;
    int caption = GetSystemMetrics(SM_CYCAPTION);
    int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    int limitedX = dx, limitedY = dy;
    if (rc.left + limitedX < 0)
        limitedX = -rc.left;
    if (rc.right + limitedX > screenW)
        limitedX = screenW - rc.right;
    if (rc.top + limitedY < caption)
        limitedY = caption - rc.top;
    if (rc.bottom + limitedY > screenH - caption)
        limitedY = screenH - caption - rc.bottom;
    SendMessageW(hwnd_, UWM_DRAG_MOVE, static_cast<WPARAM>(limitedX), static_cast<LPARAM>(limitedY));
    if (limitedX != dx || limitedY != dy) {
        // Against an edge the drag ends there.
        ReleaseCapture();
        SendMessageW(hwnd_, UWM_DRAG_END, 0, 0);
        HandOffForeground();
    }
}

void CBlindWnd::OnButtonUp() {
    ReleaseCapture();
    if (!moved_ && Clock::TickCount() - pressTime_ < 500) {
        RestoreFromMinimised();
        return;
    }
    if (moved_)
        SendMessageW(hwnd_, UWM_DRAG_END, 0, 0);
    HandOffForeground();
}

void CBlindWnd::OnMinimisedSettingChange() {
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    int screenW = GetSystemMetrics(SM_CXSCREEN);
    int bottomLimit = GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYCAPTION);
    if (rc.right < screenW && rc.bottom < bottomLimit)
        return;
    int x = rc.left, y = rc.top;
    if (rc.right >= screenW)
        x = screenW - (rc.right - rc.left);
    if (rc.bottom >= bottomLimit)
        y = bottomLimit - (rc.bottom - rc.top);
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWorkArea();
    if (settings_.showIcon)
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
}

// Dragging the whole window ----------------------------------------------------

void CBlindWnd::SendDragState(int state) {
    SendMessageW(tabbar_->GetHwnd(), UWM_DRAG_STATE, 0, state);
    SendMessageW(bottomBar_->GetHwnd(), UWM_DRAG_STATE, 0, state);
    if (!IsMinimised() && current_)
        SendMessageW(current_->GetHwnd(), UWM_DRAG_STATE, 0, state);
}

void CBlindWnd::OnDragMove(int dx, int dy) {
    if (!IsMinimised() && settings_.isFull)
        return;
    SendDragState(0);
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    SetWindowPos(hwnd_, nullptr, rc.left + dx, rc.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBlindWnd::OnDragEnd() {
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    if (IsMinimised()) {
        DWORD topLimit = Settings::MinimizedTopLimit(Metrics().dpiY);
        settings_.minimizedPosX = rc.left < 1 ? 1 : rc.left;
        settings_.minimizedPosY = rc.top < static_cast<int>(topLimit) ? topLimit : rc.top;
    } else if (!settings_.isFull) {
        settings_.maxPosX = rc.left;
        settings_.maxPosY = rc.top;
    } else {
        return;
    }
    SendDragState(1);
}

// Foreground and input panel ---------------------------------------------------

void CBlindWnd::SetInputPanelState(int request, bool forced) {
    int effective = forced ? request : (CurrentScreen().screenId == kScreenNote ? request : 0);
    if (effective == 1) {
        SHSipPreference(hwnd_, SIP_UP);
        if (menuBar_)
            ShowWindow(menuBar_, SW_SHOW);
        return;
    }
    SHSipPreference(hwnd_, SIP_FORCEDOWN);
    if (HWND sipButton = FindWindowW(L"MS_SIPBUTTON", nullptr))
        ShowWindow(sipButton, SW_HIDE);
    if (menuBar_)
        ShowWindow(menuBar_, SW_HIDE);
}

void CBlindWnd::HandOffForeground() {
    OutputDebugStringW(L"Path window next: ");
    HWND target = nullptr;
    for (HWND wnd = GetForegroundWindow(); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
        // Every window looked at goes to the trace, chosen or not.
        wchar_t title[256] = L"", cls[256] = L"";
        GetWindowTextW(wnd, title, 256);
        GetClassNameW(wnd, cls, 256);
        Str trace;
        trace.Format(L"%s/%s - ", title, cls);
        OutputDebugStringW(trace);
        if (wnd == hwnd_ || !IsWindow(wnd) || !IsWindowVisible(wnd) || !title[0] || IsUtilityWindow(wnd) ||
            (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
            continue;
        target = wnd;
        break;
    }
    OutputDebugStringW(L"\r\n");
    if (!target) {
        OutputDebugStringW(L"Not find Foreground Window and set Desktop\r\n");
        target = GetDesktopWindow();
        if (!target)
            return;
    }
    wchar_t title[256] = L"";
    GetWindowTextW(target, title, 256);
    Str trace;
    trace.Format(L"Set Foreground Window: %s\r\n", title);
    OutputDebugStringW(trace);
    SetForegroundWindow(target);
    SetInputPanelState(0, false);
    SetActiveWindow(target);
}

// Commands ---------------------------------------------------------------------

// Accepts a request unless the previous accepted one was less than
// minimumGap milliseconds ago.
bool CBlindWnd::Accept(Debounce &last, DWORD minimumGap) {
    DWORD now = Clock::TickCount();
    if (last.any && now - last.stamp < minimumGap)
        return false;
    last.stamp = now;
    last.any = true;
    return true;
}

void CBlindWnd::Pulse() {
    if (settings_.feedbackVibro)
        FeedbackPulse();
}

void CBlindWnd::OnBack(int screenId) {
    if (current_ && current_->CloseOverlay())
        return;
    if (CurrentScreen().screenId == kScreenDesk) {
        SetFocus(hwnd_);
        EnterMinimised();
        return;
    }
    if (!Accept(backStamp_, 201))
        return;
    Pulse();
    SetInputPanelState(0, false);
    SwitchScreen(screenId);
}

void CBlindWnd::OnToggle() {
    if (IsMinimised()) {
        ShowWindow(hwnd_, SW_SHOW);
        RestoreFromMinimised();
        return;
    }
    SetInputPanelState(0, false);
    SetFocus(hwnd_);
    EnterMinimised();
}

void CBlindWnd::OnOpenScreen(int screenId) {
    if (!Accept(openStamp_, 200))
        return;
    Pulse();
    SwitchScreen(screenId);
}

void CBlindWnd::OnBottomAction(int action) {
    if (!Accept(bottomStamp_, 200))
        return;
    Pulse();
    switch (action) {
    case 0:
        PopupMainMenu();
        break;
    case 1:
        if (current_ && !IsMinimised())
            current_->Copy();
        break;
    case 2:
        if (current_ && !IsMinimised())
            current_->Paste();
        break;
    case 5:
        SendMessageW(hwnd_, UWM_MINIMISE, 0, settings_.isFull);
        break;
    default:
        // New note and next recent act on the note screen, which brings
        // these actions with it.
        break;
    }
}

void CBlindWnd::PopupMainMenu() {
    POINT anchor = bottomBar_->MenuAnchor(CurrentScreen());
    CMainMenu::State state = {false, false, loadOnStartup_, &settings_};
    menu_.Popup(hwnd_, anchor.x, anchor.y, state);
}

void CBlindWnd::OnCommand(UINT id) {
    if (!Accept(menuStamp_, 200))
        return;
    Pulse();
    switch (id) {
    case IDM_ABOUT:
        CMyAboutDlg().DoModal(hwnd_);
        break;
    case IDM_EXIT:
        SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        break;
    case IDM_LOAD_ON_STARTUP:
        ToggleStartupShortcut();
        break;
    case IDM_ANIMATION_BUTTON:
        settings_.popupBtt = !settings_.popupBtt;
        if (settings_.popupBtt)
            BuildBalloons(hwnd_, settings_.isFull != 0);
        else
            DestroyBalloons();
        break;
    case IDM_SHOW_ICON:
        settings_.showIcon = !settings_.showIcon;
        break;
    case IDM_FEEDBACK_VIBRO:
        settings_.feedbackVibro = !settings_.feedbackVibro;
        Pulse();
        break;
    case IDM_USE_DRAWING:
        settings_.useDrawing = !settings_.useDrawing;
        if (tools_[kScreenNote])
            SendMessageW(tools_[kScreenNote]->GetHwnd(), UWM_DRAWING_CHANGED, 0, 0);
        break;
    default:
        if (id >= IDM_RECENT_FIRST && id < IDM_RECENT_FIRST + 4) {
            MoveRecentToTop(id - IDM_RECENT_FIRST);
            SwitchScreen(kScreenNote);
        }
        // The note commands act on the note window, which brings them.
        break;
    }
}

void CBlindWnd::ToggleStartupShortcut() {
    loadOnStartup_ = !loadOnStartup_;
    Str shortcut = StartupShortcutPath();
    DeleteFileW(shortcut);
    if (!loadOnStartup_)
        return;
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    Str target;
    target.Format(L"\"%s\" -mini", program);
    SHCreateShortcut(const_cast<wchar_t *>(shortcut.Text()), const_cast<wchar_t *>(target.Text()));
}

void CBlindWnd::MoveRecentToTop(int index) {
    if (index < 0 || index >= 4)
        return;
    wchar_t chosen[MAX_PATH];
    lstrcpynW(chosen, settings_.recent[index], MAX_PATH);
    for (int i = index; i > 0; --i)
        lstrcpynW(settings_.recent[i], settings_.recent[i - 1], MAX_PATH);
    lstrcpynW(settings_.recent[0], chosen, MAX_PATH);
    menu_.RebuildRecent(settings_, afterStartup_);
}
