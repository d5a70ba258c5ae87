// One alarm: the record both programs share, and its stored text.
//
// The main program keeps every alarm as an AlarmTemp in an AlarmList; the
// runner reads one record to ring it and writes it back when it switches a
// one-shot alarm off. Both programs use the coding below, so a record written
// by one reads back the same in the other.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"

// HKEY_CURRENT_USER keys of the alarm store: the global defaults of new
// alarms, and one REG_SZ value per alarm (value name = id).
extern const wchar_t kAlarmKey[];      // "Software\Velmora\TallyPad\Alarm"
extern const wchar_t kAlarmStoreKey[]; // "Software\Velmora\TallyPad\Alarm\Sack"

// Weekday bits of repeat_days.
enum : BYTE {
    kSunday = 1,
    kMonday = 2,
    kTuesday = 4,
    kWednesday = 8,
    kThursday = 16,
    kFriday = 32,
    kSaturday = 64,
    kWeekdays = kMonday | kTuesday | kWednesday | kThursday | kFriday, // 62
    kEveryDay = 127,
};

// Plain record, copied field by field; the texts are shared through Str's
// reference counting. The field names are the ones both programs and the
// stored text use. A default-constructed record holds the values a text
// without any field decodes to; MakeNew gives the values of a new alarm.
struct AlarmTemp {
    Str id;            // registry value name: a GUID text, empty until first saved
    double time = 0.0; // OLE date, local; only hour and minute matter for ringing
    Str label;
    BYTE repeat_days = 0; // weekday bits; 0 rings once
    Str sound;            // full path of the ring tone
    int snooze = 0;       // 1 on, 0 off
    int enabled = 0;      // 1 switched on
    double created = 0.0; // OLE date of creation, local; the list's sort key
    int volume = -1;      // -1 system volume, 0 silent, 1..5 = 20..100 %
    int vibrate = 0;      // 1 vibrates while ringing

    // Every field except id as for an alarm the user is about to add: rings
    // at this minute tomorrow, created now, switched on with snooze, sound,
    // volume and vibration from the global defaults (reading "Sound" creates
    // the defaults key when it is missing).
    void MakeNew();
};

// The record's text: nine keyed fields in a fixed order, no separators, e.g.
// /T40008.31250000000000000000000000000000000000/LWork/R62/SD\Windows\Alarm4.wma
// /SZ1/E1/CT40007.50000000000000000000000000000000000000/V5/VIB0 (one line).
// The id is not part of it.
Str EncodeAlarm(const AlarmTemp &record);

// Fills every field except id from text. Each field key is found by a plain
// substring search and its value runs to the next "/", so a label or sound
// holding "/" or another field key does not read back unchanged; the stored
// format has no escaping and other programs rely on it as it is. A missing
// field takes the value of a default-constructed record.
void DecodeAlarm(AlarmTemp &record, const wchar_t *text);

// What a stored value of the wrong type or an unreadable one decodes as.
extern const wchar_t kUnreadableAlarmText[]; // "/T0.0/L/R0/SD/SZ0/E1"

// Display text of a repeat set ("Never", "Weekdays", "Every Tuesday",
// "Sun Tue Sat", ...), built from the string table of the calling program
// (ids in AlarmStrings.h).
Str RepeatText(BYTE repeatDays);

// A fresh GUID text "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; empty when no
// GUID could be made.
Str NewAlarmId();
