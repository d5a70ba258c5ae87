// TallyPadAlarm: started by the notification service to ring a due alarm
// (sort=2) or the end of a countdown (sort=1); each run handles one ring and
// ends. Its error log dates carry a two-digit year.
#include <windows.h>

#include "BaseLib/ErrorLog.h"
#include "BaseLib/Registry.h"
#include "TallyPadAlarm.h"
#include "alarm/AlarmList.h"
#include "alarm/ManageNotify.h"
#include "alarm/OleTime.h"
#include "runner/AlarmBox.h"
#include "runner/RunnerCommand.h"
#include "runner/TimerBox.h"
#include "timing/CountdownRecord.h"
#include "ui/Scaling.h"

namespace {

// What rings when the alarm's value is gone: no label, no sound, the system
// volume, no vibration, rings tomorrow at this time.
AlarmTemp MissingAlarm() {
    AlarmTemp record;
    const double now = OleTime::Now();
    record.time = CManageNotify::NextOneShot(now);
    record.snooze = 1;
    record.enabled = 1;
    record.created = now;
    record.volume = -1;
    record.vibrate = 0;
    return record;
}

void RunAlarm(const Str &id) {
    AlarmTemp record;
    const bool stored = LoadAlarm(id, &record);
    if (!stored)
        record = MissingAlarm();
    // The next occurrence is registered before the box shows: a snooze
    // from the box is then a notification of its own.
    if (stored && record.repeat_days != 0)
        CManageNotify().RegisterAlarmNotification(record.id, CManageNotify::NextRepeat(record));
    CAlarmBox box(record, stored);
    Str caption = record.label;
    if (caption.IsEmpty())
        caption.LoadResourceString(IDS_ALARM);
    box.SetCaption(caption);
    box.DoModal(nullptr);
}

void RunTimer(const Str &soundPath) {
    // Another runner already waits for this countdown.
    if (ReadRegDword(kRunnerMarkerKey, L"Set", 0) == 1 && FindWindowW(nullptr, L"TallyPadAlarm"))
        return;
    WriteRegDword(kRunnerMarkerKey, L"Set", 1);
    CTimerBox box(soundPath);
    Str caption;
    caption.LoadResourceString(IDS_TIMER_DONE);
    box.SetCaption(caption);
    box.DoModal(nullptr);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
    SetLogDatePicture(L"yy.MM.dd ");
    InitScreenMetrics();
    const RunnerCommand command = ParseRunnerCommand(commandLine);
    if (command.kind == CManageNotify::kAlarmKind)
        RunAlarm(command.identifier);
    else if (command.kind == CManageNotify::kTimerKind)
        RunTimer(command.identifier);
    return 0;
}
