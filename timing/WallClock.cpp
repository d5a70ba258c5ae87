#include "timing/WallClock.h"

namespace {

const DWORD kSecondsPerDay = 86400;
const DWORD kToleratedLagSeconds = 3;

DWORD SecondOfDay(const SYSTEMTIME &time) { return (time.wHour * 60u + time.wMinute) * 60u + time.wSecond; }

} // namespace

DWORD WallSeconds(const SYSTEMTIME &startUtc, const SYSTEMTIME &nowUtc) {
    const DWORD start = SecondOfDay(startUtc);
    DWORD now = SecondOfDay(nowUtc);
    if (start > now)
        now += kSecondsPerDay;
    return now - start;
}

DWORD CorrectStartTick(DWORD startTick, DWORD nowTick, DWORD wallSeconds) {
    const DWORD elapsed = nowTick - startTick;
    if (wallSeconds - elapsed / 1000 > kToleratedLagSeconds)
        return nowTick - wallSeconds * 1000;
    return startTick;
}
