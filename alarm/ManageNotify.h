// Pending rings in the platform's notification database, and when an alarm
// rings next.
//
// Each pending ring is one time notification that starts TallyPadAlarm.exe
// (from the main program's folder) with the command line
//     sort=<kind> adx="<identifier>"
// which is also how a notification is found again. Kind 1 is the countdown
// timer (identifier: the path of its end sound), kind 2 an alarm (its id).
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"
#include "alarm/AlarmTemp.h"

// Holds no state: the database belongs to the platform and is shared with
// the runner, which changes it from its own process.
class CManageNotify {
public:
    enum Kind { kTimerKind = 1, kAlarmKind = 2 };
    enum ClearMode { kClearTimers = 1, kClearIdentifier = 2 };

    // Registers a ring at start (seconds dropped) until end (start + 1 day
    // when end is null), replacing the notification `existing` unless it is
    // 0. A new alarm ring whose minute is already registered is not added
    // twice and counts as success. Fails when the database refuses the
    // notification, when an alarm has no id, or when a path or command line
    // does not fit what the database takes (it is refused, never cut).
    BOOL RegisterAlarmNotification(const Str &identifier, const SYSTEMTIME &start, const SYSTEMTIME *end,
                                   HANDLE existing, int kind);
    // An alarm's ring at an OLE date (local), kept for one day.
    BOOL RegisterAlarmNotification(const Str &id, double ringTime);
    // Moves an alarm's ring from one time to another: the notification of the
    // old time is replaced, or a new one made when there is none.
    BOOL RegisterAlarmNotification(const Str &id, double oldRingTime, double newRingTime);

    // The notification with exactly this command line whose start lies in
    // the same minute as start; 0 when there is none.
    HANDLE FindAlarmNotification(const Str &commandLine, const SYSTEMTIME &start);

    // kClearTimers clears every countdown notification; kClearIdentifier
    // every notification whose command line contains the identifier (an
    // empty identifier clears nothing). Returns the result of the last clear
    // made, FALSE when none was made.
    BOOL ClearNotifications(int mode, const Str &identifier);

    // Next ring of a one-shot alarm at the time of day of alarmTime: today
    // when that minute is still ahead, else tomorrow (the current minute
    // counts as passed). Keeps alarmTime's seconds.
    static double NextOneShot(double alarmTime);
    // Next ring of a repeating alarm at base's hour and minute (the record's
    // time when no base is given) on one of its days; today only while that
    // minute is ahead. 0.0 when the record does not repeat.
    static double NextRepeat(const AlarmTemp &record);
    static double NextRepeat(const AlarmTemp &record, double base);

    // "sort=<kind> adx=\"<identifier>\"".
    static Str CommandLine(int kind, const Str &identifier);

    // TallyPadAlarm.exe in the main program's folder (this program's folder
    // when the main program's module is not loaded, as in the runner); empty
    // when that path cannot be read whole.
    static Str RunnerPath();
};
