#include "shell/BlindWnd.h"

#include <windowsx.h>

#include "BaseLib/FeedbackPulse.h"
#include "BaseLib/Locale.h"
#include "BaseLib/Str.h"
#include "BaseLib/Vibrator.h"
#include "aygshell.h"
#include "resource.h"
#include "shell/BottomBar.h"
#include "shell/DeskWnd.h"
#include "shell/FramePaths.h"
#include "shell/Messages.h"
#include "shell/TabBar.h"
#include "shell/Tools.h"
#include "ui/Drawing.h"
#include "ui/PopupBtt.h"
#include "ui/ScreenDescriptor.h"
#include "ui/Scaling.h"
#include "ui/Desktop.h"

namespace {

CBlindWnd *gFrame; // the one frame object of the process, not owned

const UINT kHandOffTimer = 5;

} // namespace

// The full view of the frame: tab bar, screen and bottom bar in a border.
SIZE CBlindWnd::FullSize() {
    return {ScaleX(2) + ScaleX(38) + 3 * ScaleX(54),
            ScaleY(2) + ScaleY(21) + ScaleY(38) + 5 * ScaleY(29) + 2 * ScaleY(26) + 3};
}

CBlindWnd::CBlindWnd()
    : hwnd_(nullptr), menuBar_(nullptr), settings_(Metrics().dpiX, Metrics().dpiY, DocumentsFolder()),
      loadOnStartup_(GetFileAttributesW(StartupShortcutPath()) != INVALID_FILE_ATTRIBUTES), afterStartup_(false),
      saved_(), current_(nullptr), lastPresented_(nullptr), clientWidth_(0), floatSize_(), pressPoint_(), lastPoint_(),
      moved_(false), pressTime_(0), dragBounds_(), menuStamp_(), backStamp_(), openStamp_(), bottomStamp_() {}

CBlindWnd::~CBlindWnd() {
    StopFeedbackWorker();
    // A feedback pulse cut short at exit must not leave the vibrator on.
    Vibrator().Switch(0);
    settings_.Save(SettingsKey());
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

    SIZE size = FullSize();
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
    // Placed where the desk will show it before anything is laid out, so
    // that the start lays out (and builds the balloons) once.
    MoveOntoVisibleDesktop();
    LoadLocaleSeparators();

    RECT client;
    GetClientRect(hwnd_, &client);
    desk_.reset(new CMyDeskWnd());
    desk_->CreateDesk(hwnd_, client);
    desk_->AddToolIcons();
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
    // The first frame is on the screen before what it does not show is made:
    // the hidden note screen, the key balloons, the floating button's picture.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MakeScreen(kScreenNote);
    if (settings_.popupBtt)
        BuildBalloons(hwnd_, settings_.isFull != 0);

    // Kept in the handheld's 16-bit format, like the bars' pictures; a
    // missing picture leaves the floating button blank.
    floatButton_.Reset(ui::LoadBitmap16(PickBitmap(IDB_FLOATBUTTON, IDB_FLOATBUTTON_HI)));
    floatSize_ = BitmapSize(floatButton_.get());
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
        if (back_.Dc())
            BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                   ps.rcPaint.bottom - ps.rcPaint.top, back_.Dc(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
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
        // The note is written before its window goes with the frame's.
        if (CNormalWnd *note = Screen(kScreenNote))
            SendMessageW(note->GetHwnd(), WM_CLOSE, 0, 0);
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
        if (CNormalWnd *alarms = Screen(kScreenAlarms))
            PostMessageW(alarms->GetHwnd(), msg, wParam, lParam);
        return 0;
    case UWM_OPEN_RECENT:
        MoveRecentToTop(static_cast<int>(wParam));
        return 0;
    case UWM_NOTE_DIR_PICKED:
        settings_.Save(SettingsKey());
        return 0;
    case UWM_RECENT_CHANGED:
        menu_.RebuildRecent(settings_, afterStartup_);
        // Stored at once: a note saved just before the program is killed
        // stays in the list.
        settings_.Save(SettingsKey());
        return 0;
    case UWM_GO_TODAY_TEXT:
        bottomBar_->SetGoTodayText(static_cast<int>(wParam));
        return 0;
    case UWM_MOVE_BOTTOM_BAR: {
        RECT rc;
        GetWindowRect(bottomBar_->GetHwnd(), &rc);
        bottomBar_->Move(static_cast<int>(wParam) + 1, static_cast<int>(lParam), rc.right - rc.left, rc.bottom - rc.top,
                         true);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Screens ------------------------------------------------------------------

CNormalWnd *CBlindWnd::Screen(int id) {
    if (id == kScreenDesk)
        return desk_.get();
    auto tool = tools_.find(id);
    return tool != tools_.end() ? tool->second.get() : nullptr;
}

bool CBlindWnd::MakeScreen(int id) {
    if (Screen(id))
        return true;
    RECT client;
    GetClientRect(hwnd_, &client);
    std::unique_ptr<CNormalWnd> screen = MakeToolScreen(id, settings_, hwnd_, client);
    if (!screen)
        return false;
    PlaceScreen(screen.get());
    tools_[id] = std::move(screen);
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
    // Presenting the screen lays the bottom bar out for it.
    ShowScreen(id);
    if (CurrentScreen().screenId == kScreenCalendar && current_)
        PostMessageW(current_->GetHwnd(), UWM_CAL_REFRESH, 0, 0);
}

void CBlindWnd::ShowScreen(int id) {
    if (!FindTool(id) || !MakeScreen(id))
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

// Layout and painting --------------------------------------------------------

void CBlindWnd::Layout(int width, int height) {
    back_.Make(hwnd_, width, height);
    if (settings_.popupBtt && clientWidth_ && width != clientWidth_ && width != floatSize_.cx &&
        clientWidth_ != floatSize_.cx)
        BuildBalloons(hwnd_, settings_.isFull != 0);
    clientWidth_ = width;
    // Every screen made so far, not only the one shown: a screen made at
    // start (the note) must fit the frame when it is first shown.
    if (desk_)
        PlaceScreen(desk_.get());
    for (auto &tool : tools_)
        PlaceScreen(tool.second.get());
    if (tabbar_)
        tabbar_->Move(ScaleX(1), ScaleY(1), width - ScaleX(2), ScaleY(38), true);
    if (bottomBar_)
        bottomBar_->Move(ScaleX(1), height - ScaleY(1 + 29), width - ScaleX(2), ScaleY(29), true);
    FillSolid(back_.Dc(), RECT{0, 0, width, height}, kFrameBorderColor);
    InvalidateRect(hwnd_, nullptr, FALSE);
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
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    // Every screen switch comes here: a frame already in place is left
    // alone (moving it costs a round trip to the window server).
    if (settings_.isFull) {
        if (!EqualRect(&rc, &visible))
            SetWindowPos(hwnd_, nullptr, visible.left, visible.top, visible.right - visible.left,
                         visible.bottom - visible.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    int x = rc.left, y = rc.top;
    if (rc.right > visible.right)
        x -= rc.right - visible.right;
    if (rc.bottom > visible.bottom)
        y -= rc.bottom - visible.bottom;
    x = x < visible.left ? visible.left : x;
    y = y < visible.top ? visible.top : y;
    if (x != rc.left || y != rc.top)
        SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
