// What the notification service does at a moment: which time notifications
// to start, which to drop as expired, and how long it may sleep. No clock
// and no file here: the caller gives the database and the local time.
#pragma once
#include <windows.h>

#include <vector>

#include "NotifyStore.h"

namespace notify {

struct Plan {
    std::vector<DWORD> fire; // handles due now, earliest start first
    std::vector<DWORD> drop; // handles whose end passed before they could fire
    DWORD waitMs;            // until the next start, at most the longest wait
};

// A time notification is due once its local start time is reached. A due
// one is dropped instead of started when its end time has passed too; an end
// that is zero, invalid or not after the start never expires it (such a
// notification always rings late rather than never). Other kinds of
// notification are left alone.
Plan MakePlan(const Database &db, const SYSTEMTIME &now, DWORD longestWaitMs);

} // namespace notify
