// All alarms in memory, in step with the alarm store in the registry.
#pragma once
#include <vector>

#include "alarm/AlarmTemp.h"

// Ordered by created (ascending) after every load; screens address records
// by their index. Every change that goes through SaveAlarm or RemoveAlarm is
// written to the store at once.
class AlarmList {
public:
    // Empties the list and loads every record of the store, sorted by
    // created. Shows the wait cursor meanwhile. A store that cannot be
    // opened or created leaves the list empty.
    void ReloadAlarms();

    // Copies the record to the end; returns its index.
    int AppendAlarm(const AlarmTemp &record);

    // A copy of the record at index; a default record when out of range.
    AlarmTemp GetAlarm(int index) const;

    // The element itself, for editing in place; null when out of range. The
    // pointer is valid until the list next changes its length or reloads.
    AlarmTemp *AlarmAt(int index);

    // Writes the record at index to the store under its id. False when it
    // was not stored: index out of range, no id (a record without an id would
    // come back as an alarm nobody can address), or a registry failure.
    bool SaveAlarm(int index);

    // Deletes the stored value of the record at index, then removes the
    // element whatever the outcome.
    void RemoveAlarm(int index);

    int AlarmCount() const;

private:
    std::vector<AlarmTemp> alarms_;
};

// One record of the store, for the runner, which rings one alarm: false when
// the store holds no value of that name (an empty id names none). A value
// that cannot be read as text decodes as kUnreadableAlarmText.
bool LoadAlarm(const Str &id, AlarmTemp *record);
// Writes one record under its id; false when it has no id or was not stored.
bool StoreAlarm(const AlarmTemp &record);
