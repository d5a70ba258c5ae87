// What the alarm screens do to an alarm: every change goes to the store in
// the registry and to the notification database at once. No window here,
// so the screens, the tests and the benchmarks share it.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"
#include "alarm/AlarmList.h"
#include "alarm/AlarmTemp.h"
#include "alarm/ManageNotify.h"

// When a switched-on alarm rings next: its next repeat day, or the next
// time of day of a one-shot alarm.
double NextRing(const AlarmTemp &record);

// What the editor puts back when an edit is abandoned. Volume and vibrate
// are not part of it: the sound picker's choice of them stays.
struct AlarmSnapshot {
    double time;
    Str label;
    Str sound;
    int snooze;
    BYTE repeat_days;
};
AlarmSnapshot TakeSnapshot(const AlarmTemp &record);
// The time comes back as its next occurrence, as when it was chosen.
void RestoreSnapshot(AlarmTemp *record, const AlarmSnapshot &snapshot);

// Switches the alarm at index off (its pending ring cleared) or on (its
// next ring registered) and stores it. False for an index out of range.
bool ToggleAlarm(AlarmList *alarms, int index, CManageNotify *notify);

// Adds a record as a new alarm: created now, a new id, stored, and its
// ring registered (its next repeat day, or its time as set). Returns the
// new index.
int AddAlarm(AlarmList *alarms, AlarmTemp record, CManageNotify *notify);

// Stores the alarm at index after an edit, switched on, and moves its
// pending ring from where the record before the edit would ring to where
// it rings now.
void SaveEditedAlarm(AlarmList *alarms, int index, const AlarmSnapshot &before, CManageNotify *notify);

// Clears the alarm's pending ring and removes it from the list and store.
void DeleteAlarm(AlarmList *alarms, int index, CManageNotify *notify);

// The sound, volume and vibration of the next new alarm.
void StoreRingDefaults(const Str &sound, int volume, int vibrate);

// The field separator of the stored record: a label may not hold it.
const wchar_t kLabelForbidden = L'/';
const wchar_t kLabelReplacement = L'-';
// The label with every separator replaced, so that it reads back whole.
Str SafeLabel(const Str &label);
