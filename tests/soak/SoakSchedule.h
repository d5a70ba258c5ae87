// What the soak expects and what it found: ring times on the device's clock,
// the next occurrence of an alarm, the runner's log lines, and the count of
// lost, doubled and late rings. No processes and no registry here.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace soak {

// Times are whole seconds since 1601: UTC ("Utc") or a local wall clock
// reading taken as if it were UTC ("Wall"), so wall times subtract as the
// clock face shows them.
LONGLONG Seconds(const SYSTEMTIME &time);
SYSTEMTIME FromSeconds(LONGLONG seconds);
// The device's local wall time at a UTC second (the process's time zone).
LONGLONG WallAt(LONGLONG utc);

// The first UTC minute at which the local clock reads wall or later: how the
// notification service sees a local start. A wall time in the hour skipped
// in spring is reached at the first minute after the gap; one in the hour
// repeated in autumn at its first occurrence.
LONGLONG FirstReaching(LONGLONG wall);

// The next UTC time after `after` at which an alarm of hour:minute on the
// weekday bits `days` (Sunday 1 .. Saturday 64) rings.
LONGLONG NextRing(int hour, int minute, int days, LONGLONG after);

// "YYYY-MM-DD HH:MM:SS" of a wall time, and back (-1 when it is not one).
std::string WallText(LONGLONG wall);
LONGLONG ParseWall(const std::string &text);

// One ring the schedule expects: kind "alarm" or "timer", the identifier
// the runner logs, and the wall time its lateness is measured from (its due
// time, or the moment the clock or the boot reached it when that was later).
struct Expected {
    std::string kind;
    std::string id;
    LONGLONG due = 0;
    LONGLONG from = 0;
};

// One line of the runner's log.
struct Logged {
    LONGLONG wall = 0;
    std::string kind;
    std::string id;
};

// Every well-formed line of the log text ("YYYY-MM-DD HH:MM:SS kind id").
std::vector<Logged> ParseLog(const std::string &text);

struct Tally {
    int expected = 0;
    int rung = 0;
    int lost = 0;                    // expected, never logged
    int doubled = 0;                 // logged with no expectation left for it
    int late = 0;                    // logged more than the allowed seconds after `from`
    LONGLONG worst = 0;              // greatest lateness, seconds
    std::vector<std::string> faults; // one line per lost, doubled or late ring
};

// Pairs each expectation, in order, with the earliest unused line of the same
// kind and identifier logged from a minute before `from` to an hour after it.
Tally Compare(const std::vector<Expected> &expected, const std::vector<Logged> &logged, LONGLONG allowedS);

} // namespace soak
