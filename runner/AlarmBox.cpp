#include "runner/AlarmBox.h"

#include "BaseLib/Clock.h"
#include "TallyPadAlarm.h"
#include "alarm/AlarmList.h"
#include "alarm/ManageNotify.h"
#include "runner/RunnerCommand.h"
#include "runner/RunnerLog.h"
#include "ui/Scaling.h"

namespace {

// Sent to the main program after the runner changed an alarm; it reloads
// its alarm list.
const UINT kAlarmsChangedMessage = 33269;

} // namespace

CAlarmBox::CAlarmBox(const AlarmTemp &record, bool stored) : record_(record), stored_(stored) {}

CAlarmBox::~CAlarmBox() = default;

std::unique_ptr<CCustomBtt> CAlarmBox::MakeButton(UINT id, UINT textId) {
    std::unique_ptr<CCustomBtt> button(new CCustomBtt(hwnd_, 10, 600, RGB(255, 255, 255)));
    button->SetImage(PickBitmap(IDB_RUN_BUTTON, IDB_RUN_BUTTON_HI));
    const SIZE image = button->ImageSize();
    const RECT rect = {0, 0, image.cx, image.cy};
    button->CreateButton(rect, id);
    button->SetBackColor(kScreenColor);
    Str text;
    text.LoadResourceString(textId);
    button->SetCaption(text);
    button->Show(SW_SHOW);
    return button;
}

void CAlarmBox::OnCreate() {
    SetWindowTextW(hwnd_, Caption()); // how the box is found from outside
    next_ = MakeButton(kNextCommand, IDS_NEXT);
    cancel_ = MakeButton(kCancelCommand, IDS_CANCEL);
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    player_.reset(new RingCyclePlayer(record_.sound, record_.volume, record_.vibrate, kRingCycles));
    player_->Start();
    AppendRingLog(record_.id, L"alarm");
    if (record_.repeat_days == 0)
        SwitchOneShotOff();
}

// Side by side, a third of the width apart, their bottoms at nine tenths
// of the height.
void CAlarmBox::PlaceButtons(const RECT &client) {
    if (!next_ || !cancel_)
        return;
    const SIZE image = next_->ImageSize();
    const int w = client.right, bottom = client.bottom - client.bottom / 10;
    next_->Move(w / 4 - image.cx / 2, bottom - image.cy, image.cx, image.cy, true);
    cancel_->Move(w * 3 / 4 - image.cx / 2, bottom - image.cy, image.cx, image.cy, true);
}

// A one-shot alarm has rung: it is stored switched off and the main
// program, if it runs, told to reload. An alarm that is no longer stored
// (deleted after its ring was registered) is not written back, which would
// make it appear again.
void CAlarmBox::SwitchOneShotOff() {
    if (!stored_)
        return;
    record_.enabled = 0;
    StoreAlarm(record_);
    if (HWND main = FindWindowW(L"VelmoraTallyPad", nullptr))
        PostMessageW(main, kAlarmsChangedMessage, 0, 0);
}

void CAlarmBox::OnCommand(UINT id) {
    if (id != kNextCommand && id != kCancelCommand)
        return;
    player_.reset();
    if (id == kNextCommand && !record_.id.IsEmpty()) {
        SYSTEMTIME now;
        Clock::LocalTime(&now);
        const SYSTEMTIME later = SnoozeTime(now);
        CManageNotify().RegisterAlarmNotification(record_.id, later, nullptr, nullptr, CManageNotify::kAlarmKind);
    }
    Close();
}
