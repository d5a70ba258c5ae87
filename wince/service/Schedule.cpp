#include "Schedule.h"

#include <algorithm>

#include "notify.h"

namespace notify {
namespace {

// A local SYSTEMTIME as a count of 100 ns units, for comparing; 0 when the
// time is not a valid date.
ULONGLONG Ticks(const SYSTEMTIME &t) {
    FILETIME f;
    if (!SystemTimeToFileTime(&t, &f))
        return 0;
    ULARGE_INTEGER v;
    v.LowPart = f.dwLowDateTime;
    v.HighPart = f.dwHighDateTime;
    return v.QuadPart;
}

constexpr ULONGLONG kTicksPerMs = 10000;

} // namespace

Plan MakePlan(const Database &db, const SYSTEMTIME &now, DWORD longestWaitMs) {
    Plan plan;
    plan.waitMs = longestWaitMs;
    const ULONGLONG nowTicks = Ticks(now);
    std::vector<std::pair<ULONGLONG, DWORD>> due;
    for (const Record &r : db.records) {
        if (r.type != CNT_TIME)
            continue;
        const ULONGLONG start = Ticks(r.start);
        if (start > nowTicks) {
            // Rounded up, so the service never wakes just before the start.
            ULONGLONG ms = (start - nowTicks + kTicksPerMs - 1) / kTicksPerMs;
            plan.waitMs = static_cast<DWORD>(std::min<ULONGLONG>(plan.waitMs, ms));
            continue;
        }
        const ULONGLONG end = Ticks(r.end);
        if (end > start && end <= nowTicks)
            plan.drop.push_back(r.handle);
        else
            due.emplace_back(start, r.handle);
    }
    std::stable_sort(
        due.begin(), due.end(),
        [](const std::pair<ULONGLONG, DWORD> &a, const std::pair<ULONGLONG, DWORD> &b) { return a.first < b.first; });
    for (const auto &d : due)
        plan.fire.push_back(d.second);
    if (!plan.fire.empty() || !plan.drop.empty())
        plan.waitMs = 0;
    return plan;
}

} // namespace notify
