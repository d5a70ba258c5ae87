#include "timing/TimerWnd.h"

#include <oleauto.h>

#include "BaseLib/Clock.h"
#include "BaseLib/FeedbackPulse.h"
#include "BaseLib/Registry.h"
#include "alarm/ManageNotify.h"
#include "alarm/SelectRingtoneWnd.h"
#include "resource.h"
#include "timing/CountdownRecord.h"
#include "timing/EndSound.h"
#include "timing/TimerDisplayCtrl.h"
#include "timing/TimingMessages.h"
#include "ui/CustomBtt.h"
#include "ui/Drawing.h"
#include "ui/MessageDlg.h"
#include "ui/Messages.h"
#include "ui/PDateTimeSelectCtrl.h"
#include "ui/Scaling.h"

namespace {

const DWORD kFirstDurationS = 60;
const wchar_t kFirstSoundFolder[] = L"\\Windows";
const int kSideUnits = 10;
const int kStartHeightUnits = 34;
const int kEndsHeightUnits = 44;
const int kCaptionFont = 16;
const int kEndsFont = 15;
const COLORREF kCaptionColor = RGB(15, 34, 108);

std::unique_ptr<CCustomBtt> MakeButton(HWND parent, UINT commandId, UINT bitmapId, UINT bitmapHiId, int font,
                                       UINT captionId) {
    auto button = std::make_unique<CCustomBtt>(parent, font, FW_BOLD, kCaptionColor);
    button->SetImage(PickBitmap(bitmapId, bitmapHiId));
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

CMyTimerWnd::CMyTimerWnd(const DWORD *feedbackVibro)
    : running_(false), durationS_(kFirstDurationS), localStart_(), soundFolder_(kFirstSoundFolder), vibrate_(1),
      volume_(-1), lastPress_(0), feedbackVibro_(feedbackVibro) {}

CMyTimerWnd::~CMyTimerWnd() {
    // The children's windows go before this one's.
    timeSelector_.reset();
    display_.reset();
    stopButton_.reset();
    startButton_.reset();
    endsButton_.reset();
}

LRESULT CMyTimerWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case UWM_BAR_COMMAND:
        OnCommand(static_cast<UINT>(lParam));
        return 0;
    case UWM_TIMER_SET_REQUEST:
        ChooseDuration();
        return 0;
    case UWM_TIMER_FINISHED:
        OnFinished();
        return 0;
    case UWM_DATE_CHOSEN:
        OnDurationChosen();
        return 0;
    case UWM_DATE_CLOSING:
        timeSelector_.reset(); // the selector allows its owner this while it calls
        return 0;
    case UWM_RINGTONE_PICKED:
        OnEndSoundChosen();
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
        if (reinterpret_cast<const WINDOWPOS *>(lParam)->flags & SWP_HIDEWINDOW) {
            if (display_)
                display_->SetRedrawEnabled(false);
        } else if (IsWindowVisible(hwnd)) {
            OnShow();
        }
        break;
    case WM_TIMER:
        if (wParam == kScheduleTimer) {
            KillTimer(hwnd, kScheduleTimer);
            ScheduleRunner();
        }
        return 0;
    case WM_SIZE:
        timeSelector_.reset();
        Layout(); // the base then repaints the background
        break;
    }
    return CNormalWnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyTimerWnd::OnCreate() {
    background_.Reset(ui::LoadBitmap16(PickBitmap(IDB_TIMING_BACK, IDB_TIMING_BACK_HI)));
    soundName_ = FirstEndSound(soundFolder_);
    RECT none = {0, 0, 0, 0};
    display_ = std::make_unique<CMyTimerDisplayCtrl>();
    display_->SetShowTenths(false);
    display_->SetCountUp(false);
    display_->SetValueMs(durationS_ * 1000);
    display_->CreateDisplay(hwnd_, none, PickBitmap(IDB_TIMER_SET, IDB_TIMER_SET_HI), kDisplayId);
    stopButton_ = MakeButton(hwnd_, kTimerStop, IDB_TIMING_BUTTON, IDB_TIMING_BUTTON_HI, kCaptionFont, IDS_STOP);
    startButton_ = MakeButton(hwnd_, kTimerStart, IDB_TIMING_BUTTON, IDB_TIMING_BUTTON_HI, kCaptionFont, IDS_START);
    endsButton_ = MakeButton(hwnd_, kTimerEnds, IDB_TIMER_ENDS, IDB_TIMER_ENDS_HI, kEndsFont, IDS_WHEN_TIMER_ENDS);
    endsButton_->Show(SW_SHOW);
    display_->SetMode(true);
    RefreshEndsLabel();
    UpdateButtons();
    Layout();
}

CCustomBtt *CMyTimerWnd::Button(UINT commandId) const {
    switch (commandId) {
    case kTimerStop:
        return stopButton_.get();
    case kTimerStart:
        return startButton_.get();
    case kTimerEnds:
        return endsButton_.get();
    }
    return nullptr;
}

// Start/Stop at three quarters of the height, "When Timer Ends" above it
// with a gap of a sixteenth of the height, the display above both.
void CMyTimerWnd::Layout() {
    if (!display_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int side = ScaleX(kSideUnits);
    const int width = client.right - 2 * side;
    const int startTop = client.bottom * 3 / 4;
    for (CCustomBtt *button : {stopButton_.get(), startButton_.get()})
        button->Move(side, startTop, width, ScaleY(kStartHeightUnits), true);
    const int endsBottom = startTop - client.bottom / 16;
    const int endsTop = endsBottom - ScaleY(kEndsHeightUnits);
    endsButton_->Move(side, endsTop, width, endsBottom - endsTop, true);
    display_->Place(RECT{side, ScaleY(kSideUnits), client.right - side, endsTop - ScaleY(kSideUnits)});
    Redraw();
}

void CMyTimerWnd::Paint(HDC dc, const RECT &client) {
    if (background_)
        ui::DrawBitmap(dc, background_.get(), client);
    else
        FillSolid(dc, client, kScreenColor);
}

void CMyTimerWnd::OnCommand(UINT commandId) {
    const DWORD now = Clock::TickCount();
    if (now - lastPress_ < kRepeatGuardMs)
        return;
    lastPress_ = now;
    if (feedbackVibro_ && *feedbackVibro_)
        FeedbackPulse();
    switch (commandId) {
    case UWM_TIMER_SET_REQUEST:
        ChooseDuration();
        break;
    case kTimerStop:
        Stop();
        break;
    case kTimerStart:
        Start();
        break;
    case kTimerEnds:
        ChooseEndSound();
        break;
    }
}

// The picker writes the chosen folder and file straight into the screen's
// own sound folder and name.
void CMyTimerWnd::ChooseEndSound() {
    if (!ringtonePicker_)
        ringtonePicker_ = std::make_unique<CSelectRingtoneWnd>();
    ringtonePicker_->SetVolume(volume_, static_cast<int>(vibrate_));
    const CSelectRingtoneWnd::Slots slots = {nullptr, &soundFolder_, &soundName_};
    ringtonePicker_->Open(hwnd_, SoundPath(soundFolder_, soundName_), slots);
}

// A running countdown keeps the end sound its notification was given at
// Start; the record shows the new choice to a restarted program.
void CMyTimerWnd::OnEndSoundChosen() {
    if (!ringtonePicker_)
        return;
    volume_ = ringtonePicker_->VolumeCode();
    vibrate_ = static_cast<DWORD>(ringtonePicker_->Vibrate());
    RefreshEndsLabel();
    if (running_) {
        display_->WriteRecord(soundFolder_, soundName_);
        WriteEndOptions(vibrate_, volume_);
    }
}

// A second request while the selector is open closes it.
void CMyTimerWnd::ChooseDuration() {
    if (running_)
        return;
    if (timeSelector_) {
        timeSelector_.reset();
        return;
    }
    SYSTEMTIME time;
    Clock::UtcTime(&time);
    time.wHour = static_cast<WORD>(durationS_ / 3600);
    time.wMinute = static_cast<WORD>(durationS_ / 60 % 60);
    time.wSecond = 0;
    time.wMilliseconds = 0;
    double value = 0;
    SystemTimeToVariantTime(&time, &value);
    timeSelector_ = std::make_unique<PDateTimeSelectCtrl>(value);
    timeSelector_->SetMode(PDateTimeSelectCtrl::kTimeMode);
    timeSelector_->SetMinuteStep(1);
    timeSelector_->Create(this);
    SetWindowPos(timeSelector_->GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// The hours and minutes chosen; 0:00 gives a duration that Start refuses.
void CMyTimerWnd::OnDurationChosen() {
    SYSTEMTIME time;
    if (!timeSelector_ || !VariantTimeToSystemTime(timeSelector_->Value(), &time))
        return;
    durationS_ = (time.wHour * 60u + time.wMinute) * 60u;
    display_->SetValueMs(durationS_ * 1000);
    display_->RefreshSetButton();
}

void CMyTimerWnd::Start() {
    if (running_ || durationS_ == 0)
        return;
    timeSelector_.reset();
    running_ = true;
    display_->SetMode(false);
    UpdateButtons();
    SetFocus(stopButton_->GetHwnd());
    Clock::LocalTime(&localStart_);
    display_->SetRecordKey(kCountdownKey);
    display_->StartCounting(durationS_ * 1000, display_->TickInterval(100));
    display_->PaintValue(false);
    display_->WriteRecord(soundFolder_, soundName_);
    WriteEndOptions(vibrate_, volume_);
    SetTimer(hwnd_, kScheduleTimer, kScheduleDelayMs, nullptr);
}

// The runner is started a little before the end and waits for the exact
// end itself.
void CMyTimerWnd::ScheduleRunner() {
    SYSTEMTIME due, end;
    if (!running_ || !RunnerDueTime(localStart_, durationS_, &due, &end))
        return;
    CManageNotify().RegisterAlarmNotification(SoundPath(soundFolder_, soundName_), due, &end, nullptr,
                                              CManageNotify::kTimerKind);
}

// There is no pause: the next Start begins from the full duration again.
void CMyTimerWnd::Stop() {
    if (!running_)
        return;
    running_ = false;
    KillTimer(hwnd_, kScheduleTimer);
    display_->StopCounting();
    display_->ClearRecordKey();
    ShowDurationIdle();
    SetFocus(startButton_->GetHwnd());
    CManageNotify().ClearNotifications(CManageNotify::kClearTimers, Str());
}

// The display already cleared the record when it reached zero.
void CMyTimerWnd::OnFinished() {
    KillTimer(hwnd_, kScheduleTimer);
    CManageNotify().ClearNotifications(CManageNotify::kClearTimers, Str());
    running_ = false;
    Str text;
    text.LoadResourceString(IDS_TIMER_DONE);
    CMessageDlg box;
    box.SetText(text);
    if (!soundName_.IsEmpty())
        box.SetSoundPath(SoundPath(soundFolder_, soundName_));
    box.SetRing(volume_, static_cast<int>(vibrate_));
    box.DoModal(hwnd_);
    ShowDurationIdle();
}

void CMyTimerWnd::ShowDurationIdle() {
    UpdateButtons();
    display_->SetValueMs(durationS_ * 1000);
    display_->SetMode(true);
}

// A running countdown is brought up to date; an idle screen picks up a
// countdown that is still live in the record (the program was closed and
// started again), else takes the end sound the record names.
void CMyTimerWnd::OnShow() {
    if (!display_)
        return;
    display_->SetRedrawEnabled(true);
    if (running_) {
        display_->UpdateValue();
        display_->PaintValue(false);
        return;
    }
    CountdownRecord record;
    if (display_->ResumeFromRecord(&record)) {
        soundFolder_ = record.path;
        soundName_ = record.sound;
        durationS_ = record.set / 1000;
        running_ = true;
        display_->SetMode(false);
        UpdateButtons();
        SetFocus(stopButton_->GetHwnd());
        Clock::LocalTime(&localStart_);
    } else if (record.hasSound) {
        soundFolder_ = record.path;
        soundName_ = record.sound;
    }
    vibrate_ = ReadRegDword(kCountdownKey, L"Vibro", 1);
    volume_ = static_cast<int>(ReadRegDword(kCountdownKey, L"Volume", static_cast<DWORD>(-1)));
    RefreshEndsLabel();
}

void CMyTimerWnd::UpdateButtons() {
    stopButton_->Show(running_ ? SW_SHOW : SW_HIDE);
    startButton_->Show(running_ ? SW_HIDE : SW_SHOW);
}

void CMyTimerWnd::RefreshEndsLabel() { endsButton_->SetSecondLine(SoundTitle(soundName_)); }
