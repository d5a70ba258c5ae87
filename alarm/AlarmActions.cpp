#include "alarm/AlarmActions.h"

#include "BaseLib/Registry.h"
#include "alarm/OleTime.h"

#include <string>

double NextRing(const AlarmTemp &record) {
    return record.repeat_days != 0 ? CManageNotify::NextRepeat(record) : CManageNotify::NextOneShot(record.time);
}

AlarmSnapshot TakeSnapshot(const AlarmTemp &record) {
    return AlarmSnapshot{record.time, record.label, record.sound, record.snooze, record.repeat_days};
}

void RestoreSnapshot(AlarmTemp *record, const AlarmSnapshot &snapshot) {
    record->time = CManageNotify::NextOneShot(snapshot.time);
    record->label = snapshot.label;
    record->sound = snapshot.sound;
    record->snooze = snapshot.snooze;
    record->repeat_days = snapshot.repeat_days;
}

bool ToggleAlarm(AlarmList *alarms, int index, CManageNotify *notify) {
    AlarmTemp *alarm = alarms->AlarmAt(index);
    if (!alarm)
        return false;
    const bool wasOn = alarm->enabled != 0;
    alarm->enabled = wasOn ? 0 : 1;
    alarms->SaveAlarm(index);
    if (wasOn)
        notify->ClearNotifications(CManageNotify::kClearIdentifier, alarm->id);
    else
        notify->RegisterAlarmNotification(alarm->id, NextRing(*alarm));
    return true;
}

int AddAlarm(AlarmList *alarms, AlarmTemp record, CManageNotify *notify) {
    record.created = OleTime::Now();
    record.id = NewAlarmId();
    const int index = alarms->AppendAlarm(record);
    alarms->SaveAlarm(index);
    // The editor's time is already its next occurrence.
    const double ring = record.repeat_days != 0 ? CManageNotify::NextRepeat(record) : record.time;
    notify->RegisterAlarmNotification(record.id, ring);
    return index;
}

void SaveEditedAlarm(AlarmList *alarms, int index, const AlarmSnapshot &before, CManageNotify *notify) {
    AlarmTemp *alarm = alarms->AlarmAt(index);
    if (!alarm)
        return;
    const double oldRing = before.repeat_days != 0 ? CManageNotify::NextRepeat(*alarm, before.time) : before.time;
    alarm->enabled = 1;
    alarms->SaveAlarm(index);
    const double newRing = alarm->repeat_days != 0 ? CManageNotify::NextRepeat(*alarm) : alarm->time;
    notify->RegisterAlarmNotification(alarm->id, oldRing, newRing);
}

void DeleteAlarm(AlarmList *alarms, int index, CManageNotify *notify) {
    const AlarmTemp *alarm = alarms->AlarmAt(index);
    if (!alarm)
        return;
    notify->ClearNotifications(CManageNotify::kClearIdentifier, alarm->id);
    alarms->RemoveAlarm(index);
}

void StoreRingDefaults(const Str &sound, int volume, int vibrate) {
    WriteRegString(kAlarmKey, L"Sound", sound);
    WriteRegDword(kAlarmKey, L"Volume", static_cast<DWORD>(volume));
    WriteRegDword(kAlarmKey, L"Vibro", static_cast<DWORD>(vibrate));
}

Str SafeLabel(const Str &label) {
    if (!wcschr(label.Text(), kLabelForbidden))
        return label;
    std::wstring text = label.Text();
    for (wchar_t &c : text)
        if (c == kLabelForbidden)
            c = kLabelReplacement;
    return Str(text.c_str());
}
