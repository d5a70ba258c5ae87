#include "timing/StopWWnd.h"

#include "BaseLib/Clock.h"
#include "BaseLib/FeedbackPulse.h"
#include "BaseLib/Str.h"
#include "resource.h"
#include "timing/LapListWnd.h"
#include "timing/TimerDisplayCtrl.h"
#include "timing/TimingMessages.h"
#include "ui/CustomBtt.h"
#include "ui/Drawing.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

const int kButtonWidthUnits = 90;
const int kButtonHeightUnits = 34;
const int kButtonSideUnits = 20;
const int kDisplaySideUnits = 5;
const int kGapUnits = 6;
const int kCaptionFont = 16;
const COLORREF kCaptionColor = RGB(15, 34, 108);
const COLORREF kLineColor = RGB(15, 34, 108);

std::unique_ptr<CCustomBtt> MakeButton(HWND parent, UINT commandId, UINT captionId) {
    auto button = std::make_unique<CCustomBtt>(parent, kCaptionFont, FW_BOLD, kCaptionColor);
    button->SetImage(PickBitmap(IDB_TIMING_BUTTON, IDB_TIMING_BUTTON_HI));
    button->SetCaptionColors(kCaptionColor, RGB(255, 255, 255));
    button->SetBackColor(kScreenColor); // behind the rounded corners
    RECT none = {0, 0, 0, 0};
    button->CreateButton(none, commandId);
    Str caption;
    caption.LoadResourceString(captionId);
    button->SetCaption(caption);
    return button;
}

} // namespace

CMyStopWWnd::CMyStopWWnd(const DWORD *feedbackVibro)
    : running_(false), lastPress_(0), feedbackVibro_(feedbackVibro), lapListTop_(0) {}

CMyStopWWnd::~CMyStopWWnd() {
    // The children's windows go before this one's.
    display_.reset();
    lapList_.reset();
    stopButton_.reset();
    startButton_.reset();
    resetButton_.reset();
    lapButton_.reset();
}

LRESULT CMyStopWWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case UWM_BAR_COMMAND:
        OnCommand(static_cast<UINT>(lParam));
        return 0;
    case UWM_SLIDE:
        if (display_)
            display_->SetRedrawEnabled(wParam != 0);
        return 0;
    case UWM_OPEN_SCREEN:
    case UWM_DRAG_MOVE: // a press slid off a button drags the main window
    case UWM_DRAG_END:
        return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(*reinterpret_cast<const WINDOWPOS *>(lParam));
        break;
    case WM_SIZE:
        Layout(); // the base then repaints the background
        break;
    }
    return CNormalWnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyStopWWnd::OnCreate() {
    background_.Reset(ui::LoadBitmap16(PickBitmap(IDB_TIMING_BACK, IDB_TIMING_BACK_HI)));
    RECT none = {0, 0, 0, 0};
    display_ = std::make_unique<CMyTimerDisplayCtrl>();
    display_->SetShowTenths(true);
    display_->SetCountUp(true);
    display_->CreateDisplay(hwnd_, none, 0, kDisplayId);
    stopButton_ = MakeButton(hwnd_, kStopWStop, IDS_STOP);
    startButton_ = MakeButton(hwnd_, kStopWStart, IDS_START);
    resetButton_ = MakeButton(hwnd_, kStopWReset, IDS_RESET);
    lapButton_ = MakeButton(hwnd_, kStopWLap, IDS_LAP);
    lapList_ = std::make_unique<CLapListWnd>();
    lapList_->CreateList(hwnd_, none);
    Layout();
    UpdateButtons();
}

CCustomBtt *CMyStopWWnd::Button(UINT commandId) const {
    switch (commandId) {
    case kStopWStop:
        return stopButton_.get();
    case kStopWStart:
        return startButton_.get();
    case kStopWReset:
        return resetButton_.get();
    case kStopWLap:
        return lapButton_.get();
    }
    return nullptr;
}

// 90 x (0.00375 H + 0.09875) with the in-between screen heights of the
// square and wide screens taken as the nearest common one.
int CMyStopWWnd::ButtonsTop(int height) {
    if (height > 320 && height < 400)
        height = 320;
    else if (height > 640 && height < 800)
        height = 640;
    return static_cast<int>(90 * (0.00375 * height + 0.09875));
}

void CMyStopWWnd::Layout() {
    if (!display_ || !lapList_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int top = ButtonsTop(client.bottom);
    const int width = ScaleX(kButtonWidthUnits);
    const int height = ScaleY(kButtonHeightUnits);
    const int side = ScaleX(kButtonSideUnits);
    for (CCustomBtt *button : {stopButton_.get(), startButton_.get()})
        button->Move(side, top, width, height, true);
    for (CCustomBtt *button : {resetButton_.get(), lapButton_.get()})
        button->Move(client.right - side - width, top, width, height, true);
    const int inset = ScaleX(kDisplaySideUnits);
    display_->Place(RECT{inset, ScaleY(kGapUnits), client.right - inset, top - ScaleY(kGapUnits)});
    lapListTop_ = top + height + ScaleY(kGapUnits);
    RECT list = {0, lapListTop_, client.right, client.bottom};
    lapList_->Create(hwnd_, &list, L"LapListWnd"); // resizes the made list
    Redraw();
}

void CMyStopWWnd::Paint(HDC dc, const RECT &client) {
    if (background_)
        ui::DrawBitmap(dc, background_.get(), client);
    else
        FillSolid(dc, client, kScreenColor);
    RECT line = {0, lapListTop_ - 1, client.right, lapListTop_};
    FillSolid(dc, line, kLineColor);
}

void CMyStopWWnd::OnCommand(UINT commandId) {
    const DWORD now = Clock::TickCount();
    if (now - lastPress_ <= kRepeatGuardMs)
        return;
    lastPress_ = now;
    if (feedbackVibro_ && *feedbackVibro_)
        FeedbackPulse();
    switch (commandId) {
    case kStopWStop:
        Stop();
        break;
    case kStopWStart:
        Start();
        break;
    case kStopWReset:
        Reset();
        break;
    case kStopWLap:
        Lap();
        break;
    }
}

void CMyStopWWnd::Start() {
    if (running_)
        return;
    running_ = true;
    UpdateButtons();
    display_->StartCounting(display_->ValueMs(), display_->TickInterval(100));
}

void CMyStopWWnd::Stop() {
    if (!running_)
        return;
    running_ = false;
    UpdateButtons();
    display_->StopCounting();
    display_->UpdateValue();
    display_->PaintValue(false);
}

void CMyStopWWnd::Reset() {
    if (running_)
        return;
    display_->Restart(0);
    display_->PaintValue(false);
    lapList_->ClearLaps();
}

void CMyStopWWnd::Lap() {
    if (!running_)
        return;
    const TimeBreakdown lap = display_->Breakdown(); // the time last shown
    display_->Restart(0);
    display_->PaintValue(false);
    lapList_->AddLap(lap);
}

void CMyStopWWnd::UpdateButtons() {
    stopButton_->Show(running_ ? SW_SHOW : SW_HIDE);
    lapButton_->Show(running_ ? SW_SHOW : SW_HIDE);
    startButton_->Show(running_ ? SW_HIDE : SW_SHOW);
    resetButton_->Show(running_ ? SW_HIDE : SW_SHOW);
}

// Hidden, the display stops painting but the time goes on; shown again, it
// is brought up to date at once.
void CMyStopWWnd::OnWindowPosChanged(const WINDOWPOS &pos) {
    if (!display_)
        return;
    if (pos.flags & SWP_HIDEWINDOW) {
        display_->SetRedrawEnabled(false);
        return;
    }
    if (!IsWindowVisible(hwnd_))
        return;
    display_->SetRedrawEnabled(true);
    if (running_) {
        display_->UpdateValue();
        display_->PaintValue(false);
    }
}
