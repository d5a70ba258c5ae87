#include "SoakSchedule.h"

#include <cstdio>
#include <sstream>

namespace soak {

namespace {
const LONGLONG kUnitsPerSecond = 10000000;
const LONGLONG kDay = 86400;
} // namespace

LONGLONG Seconds(const SYSTEMTIME &time) {
    FILETIME file;
    if (!SystemTimeToFileTime(&time, &file))
        return 0;
    ULARGE_INTEGER units = {{file.dwLowDateTime, file.dwHighDateTime}};
    return static_cast<LONGLONG>(units.QuadPart / kUnitsPerSecond);
}

SYSTEMTIME FromSeconds(LONGLONG seconds) {
    ULARGE_INTEGER units;
    units.QuadPart = static_cast<ULONGLONG>(seconds) * kUnitsPerSecond;
    FILETIME file = {units.LowPart, units.HighPart};
    SYSTEMTIME time = {};
    FileTimeToSystemTime(&file, &time);
    return time;
}

LONGLONG WallAt(LONGLONG utc) {
    const SYSTEMTIME u = FromSeconds(utc);
    SYSTEMTIME local;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &u, &local))
        return utc;
    return Seconds(local);
}

// Local offsets lie within a few hours of UTC, so the scan starts well
// before the wall time read as UTC.
LONGLONG FirstReaching(LONGLONG wall) {
    LONGLONG utc = wall - wall % 60 - 15 * 3600;
    while (WallAt(utc) < wall)
        utc += 60;
    return utc;
}

LONGLONG NextRing(int hour, int minute, int days, LONGLONG after) {
    const LONGLONG today = WallAt(after) / kDay * kDay;
    for (int d = -1; d <= 8; ++d) {
        const LONGLONG date = today + d * kDay;
        const int weekday = FromSeconds(date).wDayOfWeek;
        if (!(days & (1 << weekday)))
            continue;
        const LONGLONG utc = FirstReaching(date + hour * 3600 + minute * 60);
        if (utc > after)
            return utc;
    }
    return 0;
}

std::string WallText(LONGLONG wall) {
    const SYSTEMTIME t = FromSeconds(wall);
    char text[32];
    snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond);
    return text;
}

LONGLONG ParseWall(const std::string &text) {
    int y, mo, d, h, mi, s;
    if (sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &y, &mo, &d, &h, &mi, &s) != 6)
        return -1;
    SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(y);
    t.wMonth = static_cast<WORD>(mo);
    t.wDay = static_cast<WORD>(d);
    t.wHour = static_cast<WORD>(h);
    t.wMinute = static_cast<WORD>(mi);
    t.wSecond = static_cast<WORD>(s);
    FILETIME check;
    return SystemTimeToFileTime(&t, &check) ? Seconds(t) : -1;
}

std::vector<Logged> ParseLog(const std::string &text) {
    std::vector<Logged> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() < 21)
            continue;
        Logged l;
        l.wall = ParseWall(line.substr(0, 19));
        const size_t space = line.find(' ', 20);
        if (l.wall < 0 || line[19] != ' ' || space == std::string::npos)
            continue;
        l.kind = line.substr(20, space - 20);
        l.id = line.substr(space + 1);
        lines.push_back(l);
    }
    return lines;
}

Tally Compare(const std::vector<Expected> &expected, const std::vector<Logged> &logged, LONGLONG allowedS) {
    Tally tally;
    std::vector<bool> used(logged.size(), false);
    for (const Expected &e : expected) {
        ++tally.expected;
        size_t found = logged.size();
        for (size_t i = 0; i < logged.size(); ++i) {
            const Logged &l = logged[i];
            if (!used[i] && l.kind == e.kind && l.id == e.id && l.wall >= e.from - 60 && l.wall <= e.from + 3600) {
                found = i;
                break;
            }
        }
        if (found == logged.size()) {
            ++tally.lost;
            tally.faults.push_back("lost " + e.kind + " " + e.id + " due " + WallText(e.due));
            continue;
        }
        used[found] = true;
        ++tally.rung;
        const LONGLONG lateness = logged[found].wall - e.from;
        if (lateness > tally.worst)
            tally.worst = lateness;
        if (lateness > allowedS || lateness < -allowedS) {
            ++tally.late;
            tally.faults.push_back("late " + std::to_string(lateness) + " s: " + e.kind + " " + e.id + " due " +
                                   WallText(e.due) + " rang " + WallText(logged[found].wall));
        }
    }
    for (size_t i = 0; i < logged.size(); ++i) {
        if (used[i])
            continue;
        ++tally.doubled;
        tally.faults.push_back("unexpected " + logged[i].kind + " " + logged[i].id + " at " + WallText(logged[i].wall));
    }
    return tally;
}

} // namespace soak
