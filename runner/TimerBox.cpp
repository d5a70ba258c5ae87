#include "runner/TimerBox.h"

#include "BaseLib/Clock.h"
#include "BaseLib/Registry.h"
#include "TallyPadAlarm.h"
#include "runner/RunnerLog.h"
#include "ui/Scaling.h"

namespace {

// The main program shows the end itself only when its timer screen took the
// countdown. A main program started since (at the device's boot, say) that
// never opened its timer would leave the end unsignalled.
bool MainProgramKeepsCountdown() {
    HWND frame = FindWindowW(nullptr, L"TallyPad");
    return frame && FindWindowExW(frame, nullptr, nullptr, L"TimerWnd");
}

} // namespace

CTimerBox::CTimerBox(const wchar_t *soundPath) : soundPath_(soundPath) {}

CTimerBox::~CTimerBox() = default;

bool CTimerBox::ReadLive(DWORD *start, DWORD *set) {
    CountdownRecord record;
    if (!ReadCountdownRecord(&record) || record.start == 0 || record.set == 0)
        return false;
    SYSTEMTIME utc;
    Clock::UtcTime(&utc);
    *start = RebasedStart(record, Clock::TickCount(), utc);
    *set = record.set;
    return true;
}

void CTimerBox::OnCreate() {
    if (!ReadLive(&start_, &set_)) {
        RegDeleteKeyW(HKEY_CURRENT_USER, kCountdownKey);
        state_ = kFinished;
        Tick(0);
        return;
    }
    close_.reset(new CCustomBtt(hwnd_, 10, 600, RGB(255, 255, 255)));
    close_->SetImage(PickBitmap(IDB_RUN_CLOSE, IDB_RUN_CLOSE_HI));
    const SIZE image = close_->ImageSize();
    const RECT rect = {0, 0, image.cx, image.cy};
    close_->CreateButton(rect, kCloseCommand);
    close_->SetBackColor(kScreenColor);
    close_->SetCaption(L"OK");
    close_->Show(SW_SHOW);
    // A second runner for the same countdown looks for this window.
    SetWindowTextW(hwnd_, L"TallyPadAlarm");
    state_ = kWaiting;
    Tick(30);
}

void CTimerBox::Tick(UINT milliseconds) { SetTimer(hwnd_, kTickTimer, milliseconds, nullptr); }

// While waiting the box exists (the modal loop shows it) but stays off the
// screen, beyond its right edge.
void CTimerBox::HideAside() {
    SetWindowPos(hwnd_, HWND_TOPMOST, GetSystemMetrics(SM_CXSCREEN), 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CTimerBox::PlaceButtons(const RECT &client) {
    if (state_ != kRinging)
        HideAside();
    if (!close_)
        return;
    const SIZE image = close_->ImageSize();
    const int bottom = client.bottom - client.bottom / 10;
    close_->Move((client.right - image.cx) / 2, bottom - image.cy, image.cx, image.cy, true);
}

void CTimerBox::OnTimer(UINT_PTR id) {
    if (id != kTickTimer)
        return;
    switch (state_) {
    case kFinished:
        Finish();
        break;
    case kWaiting:
        OnWaitingTick();
        break;
    case kRinging:
        if (++repaints_ > 10000)
            repaints_ = 0;
        Repaint();
        break;
    }
}

// Due by the values read at start: read the record again, as the main
// program may have stopped or restarted the countdown since.
void CTimerBox::OnWaitingTick() {
    const DWORD tick = Clock::TickCount();
    if (!CountdownOver(start_, set_, tick))
        return;
    KillTimer(hwnd_, kTickTimer);
    DWORD start = 0, set = 0;
    if (!ReadLive(&start, &set)) {
        RegDeleteKeyW(HKEY_CURRENT_USER, kCountdownKey);
        state_ = kFinished;
    } else if ((start == start_ && set == set_) || tick - start == set) {
        if (MainProgramKeepsCountdown())
            state_ = kFinished; // the main program shows the end itself
        else
            Ring();
    } else if (tick - start > set) {
        state_ = kFinished;
    } else {
        start_ = start;
        set_ = set;
        Tick(30);
        return;
    }
    if (state_ == kFinished)
        Tick(300);
}

void CTimerBox::Ring() {
    state_ = kRinging;
    Layout();
    ShowWindow(hwnd_, SW_SHOW);
    const int vibrate = static_cast<int>(ReadRegDword(kCountdownKey, L"Vibro", 0));
    const int volume = static_cast<int>(ReadRegDword(kCountdownKey, L"Volume", static_cast<DWORD>(-1)));
    player_.reset(new RingCyclePlayer(soundPath_, volume, vibrate, kRingCycles));
    player_->Start();
    AppendRingLog(soundPath_, L"timer");
    Tick(1000);
}

// Rung or not, the run ends: the marker goes, so the next countdown's
// runner is not turned away.
void CTimerBox::Finish() {
    KillTimer(hwnd_, kTickTimer);
    player_.reset();
    close_.reset();
    ClearRecord(kRunnerMarkerKey);
    Close();
}

void CTimerBox::OnCommand(UINT id) {
    if (id == kCloseCommand)
        Finish();
}
