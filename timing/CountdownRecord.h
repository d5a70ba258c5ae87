// The countdown record: the running countdown of the timer screen, kept in
// the registry so that it outlives the main program. The main program writes
// it at Start and clears it at Stop or at the end; the alarm runner, started
// by a notification 15 s before the end, reads it to wait for the exact end.
//
// Key "Software\Velmora\TallyPad\TIMER\Sack" under HKEY_CURRENT_USER:
//   "Start"  REG_DWORD  tick count (ms) when the countdown started
//   "Set"    REG_DWORD  duration in ms
//   "Path"   REG_SZ     folder of the end sound
//   "Sound"  REG_SZ     file name of the end sound
//   "Time"   REG_SZ     UTC time of day at the start, "hh:mm:ss"
//   "Date"   REG_SZ     UTC date at the start, "yyyy-mm-dd"
//   "Vibro"  REG_DWORD  1 vibrate at the end (main program's default 1)
//   "Volume" REG_DWORD  volume code (default -1, the system volume)
// "Start" or "Set" of 0, or no key, means no countdown is live. "Date" came
// later than the others; a record without it is still read.
//
// How the runner uses this: ReadCountdownRecord, then every tick
//     start = RebasedStart(record, tick, utcNow);
//     if (CountdownOver(start, record.set, tick)) ... read again and ring
// RebasedStart matters when the device restarted since the countdown began:
// the tick count started again from 0 and lies below "Start", so without it
// the countdown would read as over at once. ClearRecord also clears the
// runner's own marker key.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"

extern const wchar_t kCountdownKey[];    // the record
extern const wchar_t kRunnerMarkerKey[]; // "...\TIMER_SET\Sack", the runner's
const DWORD kRunnerLeadSeconds = 15;     // the runner starts this long before the end

struct CountdownRecord {
    DWORD start = 0;       // "Start"
    DWORD set = 0;         // "Set"
    Str path;              // "Path", empty when absent
    Str sound;             // "Sound", empty when absent
    bool hasSound = false; // both "Path" and "Sound" were read
    bool hasTime = false;  // "Time" was read and is a valid time of day
    bool hasDate = false;  // "Date" was read and is a valid date
    SYSTEMTIME startUtc{}; // "Time" and, when hasDate, "Date"

    // A countdown the screen can resume: every value present and sane. A
    // "Set" of a day or more is not a duration the timer can be given.
    bool Live() const;
};

// Reads what the key holds; values of the wrong type or out of range count
// as absent. False when the key cannot be opened.
bool ReadCountdownRecord(CountdownRecord *record);

// Writes Start, Set, Path, Sound, Time and Date through one key (created when
// missing). False when the key cannot be opened or created.
bool WriteCountdownRecord(const CountdownRecord &record);
// Writes "Vibro" and "Volume", each flushed.
void WriteEndOptions(DWORD vibrate, int volume);

// Deletes the key, creates it again, writes "Start" and "Set" as 0 and
// deletes it again: a reader that opens it in between sees no countdown.
// Nothing for an empty key name.
void ClearRecord(const wchar_t *key);

// "Start" on the current tick count. While the tick count is at or above
// "Start" and, when the record has the start's date, agrees with the wall
// clock within 3 s, it is returned unchanged. Otherwise the device restarted
// (or the count wrapped) since the start, so the start is worked out again
// from the wall clock: the UTC date and time of the start when the record has both,
// else the time of day alone (a start at least one day back when the time
// of day gives less than the tick count, which began after the start).
DWORD RebasedStart(const CountdownRecord &record, DWORD nowTick, const SYSTEMTIME &nowUtc);

// The countdown from start lasting set ms has ended at nowTick.
inline bool CountdownOver(DWORD start, DWORD set, DWORD nowTick) { return nowTick - start >= set; }

// When the runner is started for a countdown of durationS seconds begun at
// localStart: kRunnerLeadSeconds before the end, the days carried over
// midnight. Its notification lapses a day after that. False when the date
// cannot be represented.
bool RunnerDueTime(const SYSTEMTIME &localStart, DWORD durationS, SYSTEMTIME *due, SYSTEMTIME *end);
