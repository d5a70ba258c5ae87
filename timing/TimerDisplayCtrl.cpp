#include "timing/TimerDisplayCtrl.h"

#include "BaseLib/Clock.h"
#include "pm.h"
#include "timing/TimingMessages.h"
#include "timing/WallClock.h"
#include "ui/CustomBtt.h"
#include "ui/Drawing.h"

namespace {

const int kLargePoints = 32;
const int kSmallPoints = 26;
const COLORREF kBackColor = RGB(194, 196, 200);
const COLORREF kSetButtonTextColor = RGB(15, 34, 108);

HFONT DisplayFont(int points) {
    return CreateFontW(-ui::PointsToHeight(points), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

} // namespace

CMyTimerDisplayCtrl::CMyTimerDisplayCtrl()
    : breakdown_(), startUtc_(), showTenths_(true), countUp_(true), redrawEnabled_(true), valueMs_(0), baseMs_(0),
      startTick_(0), normalRect_(), setMode_(false) {}

CMyTimerDisplayCtrl::~CMyTimerDisplayCtrl() {
    if (hwnd_)
        KillTimer(hwnd_, kTickTimer);
}

LRESULT CMyTimerDisplayCtrl::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        if (wParam == kTickTimer)
            Tick();
        return 0;
    case WM_PAINT:
        if (setMode_ && setButton_) {
            RefreshSetButton();
            ValidateRect(hwnd, nullptr);
            return 0;
        }
        break; // the base copies the back buffer
    case WM_LBUTTONDOWN:
        SendMessageW(GetParent(hwnd), UWM_TIMER_SET_REQUEST, 0, 0);
        return 0;
    }
    return Wnd::WindowProc(hwnd, msg, wParam, lParam);
}

bool CMyTimerDisplayCtrl::CreateDisplay(HWND parent, const RECT &rect, UINT setButtonBitmap, UINT childId) {
    normalRect_ = rect;
    MakeFonts();
    if (!Create(L"TimerDiplayWnd", WS_CHILD | WS_VISIBLE, rect, parent, childId, true))
        return false;
    if (setButtonBitmap != 0) {
        setButton_ = std::make_unique<CCustomBtt>(parent, 25, FW_BOLD, kSetButtonTextColor);
        setButton_->SetImage(setButtonBitmap);
        setButton_->CreateButton(rect, UWM_TIMER_SET_REQUEST);
    }
    PaintValue(false);
    return true;
}

void CMyTimerDisplayCtrl::MakeFonts() {
    largeFont_.Reset(DisplayFont(kLargePoints));
    smallFont_.Reset(DisplayFont(kSmallPoints));
}

void CMyTimerDisplayCtrl::Place(const RECT &rect) {
    normalRect_ = rect;
    if (setButton_)
        setButton_->Move(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, true);
    Move(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, false);
    RebuildBackBuffer();
    lastText_ = L"";
    SetMode(setMode_);
    if (!setMode_)
        PaintValue(false);
}

void CMyTimerDisplayCtrl::SetMode(bool setMode) {
    setMode_ = setMode && setButton_;
    if (setMode_) {
        Move(0, 0, 0, 0, false);
        RefreshSetButton();
        setButton_->Show(SW_SHOW);
        return;
    }
    const RECT &r = normalRect_;
    Move(r.left, r.top, r.right - r.left, r.bottom - r.top, true);
    Show(SW_SHOW);
    if (setButton_)
        setButton_->Show(SW_HIDE);
    lastText_ = L""; // the buffer was made again at the new size
    PaintValue(false);
}

void CMyTimerDisplayCtrl::Restart(DWORD baseMs) {
    startTick_ = Clock::TickCount();
    Clock::UtcTime(&startUtc_);
    baseMs_ = baseMs;
    valueMs_ = baseMs;
}

void CMyTimerDisplayCtrl::StartCounting(DWORD baseMs, UINT intervalMs) {
    Restart(baseMs);
    if (hwnd_)
        SetTimer(hwnd_, kTickTimer, intervalMs, nullptr);
}

void CMyTimerDisplayCtrl::StopCounting() {
    if (hwnd_)
        KillTimer(hwnd_, kTickTimer);
}

void CMyTimerDisplayCtrl::UpdateValue() {
    const DWORD elapsed = Clock::TickCount() - startTick_;
    if (countUp_)
        valueMs_ = baseMs_ + elapsed;
    else
        valueMs_ = baseMs_ > elapsed ? baseMs_ - elapsed : 0;
}

void CMyTimerDisplayCtrl::Tick() {
    SYSTEMTIME nowUtc;
    Clock::UtcTime(&nowUtc);
    startTick_ = CorrectStartTick(startTick_, Clock::TickCount(), WallSeconds(startUtc_, nowUtc));
    UpdateValue();
    const bool finished = !countUp_ && valueMs_ == 0;
    if (redrawEnabled_) {
        PaintValue(true);
        if (!finished)
            SystemIdleTimerReset(); // a running time on screen keeps the device awake
    }
    if (!finished)
        return;
    StopCounting();
    ClearRecordKey();
    SendMessageW(GetParent(hwnd_), UWM_TIMER_FINISHED, 0, 0);
}

void CMyTimerDisplayCtrl::PaintValue(bool onlyWhenChanged) {
    breakdown_ = BreakDown(valueMs_, showTenths_);
    Str text = DisplayText(breakdown_, showTenths_);
    if (onlyWhenChanged && text == lastText_.Text())
        return;
    lastText_ = text;
    Redraw();
    if (hwnd_)
        UpdateWindow(hwnd_);
}

void CMyTimerDisplayCtrl::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, kBackColor);
    SelectedObject font(dc, NeedsSmallFont(breakdown_) ? smallFont_.get() : largeFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT rect = client;
    DrawTextW(dc, lastText_, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CMyTimerDisplayCtrl::RefreshSetButton() {
    if (!setButton_)
        return;
    const TimeBreakdown duration = BreakDown(valueMs_, false);
    setButton_->SetFontHeight(SetButtonFontSize(duration));
    setButton_->SetCaption(SetButtonText(duration));
}

bool CMyTimerDisplayCtrl::WriteRecord(const Str &soundFolder, const Str &soundName) {
    CountdownRecord record;
    record.start = startTick_;
    record.set = baseMs_;
    record.path = soundFolder;
    record.sound = soundName;
    record.startUtc = startUtc_;
    return WriteCountdownRecord(record);
}

void CMyTimerDisplayCtrl::ClearRecordKey() { ClearRecord(recordKey_); }

bool CMyTimerDisplayCtrl::ResumeFromRecord(CountdownRecord *record) {
    recordKey_ = kCountdownKey;
    if (!ReadCountdownRecord(record) || !record->Live())
        return false;
    const DWORD now = Clock::TickCount();
    SYSTEMTIME nowUtc;
    Clock::UtcTime(&nowUtc);
    const DWORD start = RebasedStart(*record, now, nowUtc);
    if (CountdownOver(start, record->set, now))
        return false;
    const DWORD corrected = CorrectStartTick(start, now, WallSeconds(record->startUtc, nowUtc));
    if (corrected != start && CountdownOver(corrected, record->set, now))
        return false;
    startUtc_ = record->startUtc;
    startTick_ = corrected;
    baseMs_ = record->set;
    UpdateValue();
    PaintValue(false);
    if (hwnd_)
        SetTimer(hwnd_, kTickTimer, TickInterval(300), nullptr);
    return true;
}
