// What the runner is started for, from its command line
//     sort=<kind> adx="<identifier>"
// as the notification registration writes it (older notifications hold the
// same form). Parsing never fails: a malformed line gives kind 0, which the
// runner ignores, or an empty identifier.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"

struct RunnerCommand {
    int kind = 0;   // 1 countdown end, 2 alarm; anything else: nothing to do
    Str identifier; // the end sound's path (kind 1) or the alarm's id (kind 2)
};

// 1. Trim; drop up to and including the first "sort=".
// 2. Trim; the kind is the number before the first space (none: 0).
// 3. Trim; drop up to and including the first "adx=" and the next character.
// 4. The identifier runs to the next double quote; none left: empty.
RunnerCommand ParseRunnerCommand(const wchar_t *commandLine);

// The snooze ring: now plus 300 seconds, carried into minutes, hours and
// days (months and years too); seconds are kept, the registration drops them.
SYSTEMTIME SnoozeTime(const SYSTEMTIME &now);
