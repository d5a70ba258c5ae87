// The countdown record as the runner reads it, and the runner marker.
#pragma once
#include <windows.h>

extern const wchar_t kTimerRecordKey[]; // "Software\Velmora\TallyPad\TIMER\Sack"
extern const wchar_t kTimerMarkerKey[]; // "Software\Velmora\TallyPad\TIMER_SET\Sack"

struct TimerRecord {
    DWORD start = 0; // tick count at the countdown's start
    DWORD set = 0;   // its length in milliseconds
};

// "Start" and "Set" of the record, the start re-based when the tick count
// has restarted since; false when the key or a value is missing or 0.
bool ReadTimerRecord(TimerRecord *record);

// The start tick of a countdown whose record was written before the tick
// count last restarted from 0 (the device restarted): tick now minus the
// wall-clock time since the record's UTC start time "HH:MM:SS" (a start
// later in the day than now was yesterday). A start at or below the tick
// count is kept, and so is one whose time text cannot be read: that
// countdown then counts as long over.
DWORD RebasedStart(DWORD start, DWORD tick, const wchar_t *timeText, const SYSTEMTIME &utcNow);

// Deletes the key, creates it again with "Start" and "Set" 0 (only "Set"
// for the marker) and deletes it once more, so that a reader that opens it
// in between finds nothing live.
void ClearRecordKey(const wchar_t *key, bool withStart);
