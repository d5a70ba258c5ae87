#!/usr/bin/env python3
"""The city list of the world clock and the zone rules behind it.

  gmtlist.py list <GMTList.txt>        brings the committed city list up to date
  gmtlist.py rules <ZoneRules.cpp>     writes the zones' UTC offset changes as a C++ table
  gmtlist.py expect <GMTList.txt> <out.h>  the file and city times that the tests compare with

Both read the IANA time zone database of the tzdata package
(/usr/share/zoneinfo). The city list is UTF-16 LE with CRLF line ends: a
first line behind the byte-order mark, then one line per zone of zone.tab,
"City,hours,minutes#Zone/Id" with the zone's standard offset. Regenerating
keeps every line where it is and appends new zones at the end, because the
user's list stores cities as line indices.
"""
import bisect
import datetime
import os
import struct
import sys
import zoneinfo

ZONEINFO = os.environ.get("TZDIR", "/usr/share/zoneinfo")
HEADER = "\ufeff# City,hours,minutes#zone - from the IANA time zone database; new cities go at the end"
FIRST_YEAR = 2000  # older changes do not matter to a clock showing now
LAST_YEAR = 2100
UTC = datetime.timezone.utc


def zones():
    with open(os.path.join(ZONEINFO, "zone.tab"), encoding="utf-8") as tab:
        rows = [line.split("\t") for line in tab if line.strip() and not line.startswith("#")]
    return sorted(row[2].strip() for row in rows)


def city_name(zone):
    return zone.rsplit("/", 1)[-1].replace("_", " ")


def standard_offset(zone):
    """Minutes east of UTC in the zone's standard time now (January or July,
    whichever is not summer time)."""
    tz = zoneinfo.ZoneInfo(zone)
    for month in (1, 7):
        local = datetime.datetime(2026, month, 15, 12, tzinfo=tz)
        if not local.dst():
            return int(local.utcoffset().total_seconds()) // 60
    return int((local.utcoffset() - local.dst()).total_seconds()) // 60


def city_line(zone):
    minutes = standard_offset(zone)
    sign = -1 if minutes < 0 else 1
    return "%s,%d,%d#%s" % (city_name(zone), sign * (abs(minutes) // 60), sign * (abs(minutes) % 60), zone)


def read_list(path):
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        text = f.read().decode("utf-16-le")
    return [line for line in text.split("\r\n")][:-1] if text.endswith("\r\n") else text.split("\r\n")


def line_zone(line):
    return line.split("#", 1)[1].strip() if "#" in line and not line.startswith(("#", "\ufeff")) else None


def update_list(path):
    lines = read_list(path) or [HEADER]
    known = {line_zone(line) for line in lines}
    added = [city_line(zone) for zone in zones() if zone not in known]
    for line in added:
        assert len(line) <= 127, line
    lines += added
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("utf-16-le"))
    print("%s: %d lines, %d new" % (path, len(lines), len(added)))


def tzif_changes(zone):
    """(UTC seconds, offset seconds) of every change in the file's 64-bit
    data, and the offset in force before the first."""
    with open(os.path.join(ZONEINFO, zone), "rb") as f:
        data = f.read()

    def counts(at):
        return struct.unpack(">6l", data[at + 20:at + 44])

    isutc, isstd, leap, times, types, chars = counts(0)
    at = 44 + times * 5 + types * 6 + chars + leap * 8 + isstd + isutc
    assert data[at:at + 4] == b"TZif", zone
    isutc, isstd, leap, times, types, chars = counts(at)
    at += 44
    moments = struct.unpack(">%dq" % times, data[at:at + 8 * times])
    at += 8 * times
    indices = data[at:at + times]
    at += times
    offsets = [struct.unpack(">lBB", data[at + 6 * i:at + 6 * i + 6])[0] for i in range(types)]
    return [(moments[i], offsets[indices[i]]) for i in range(times)], offsets[0]


def offset_at(tz, seconds):
    moment = datetime.datetime.fromtimestamp(seconds, UTC)
    return int(moment.astimezone(tz).utcoffset().total_seconds())


def zone_changes(zone):
    """Offset before FIRST_YEAR and the changes up to LAST_YEAR, in minutes.
    The file lists changes to 2037; later ones follow its rule, which
    zoneinfo applies: found day by day, then to the second."""
    changes, first = tzif_changes(zone)
    start = int(datetime.datetime(FIRST_YEAR, 1, 1, tzinfo=UTC).timestamp())
    end = int(datetime.datetime(LAST_YEAR + 1, 1, 1, tzinfo=UTC).timestamp())
    tz = zoneinfo.ZoneInfo(zone)
    before = first
    kept = []
    for moment, offset in changes:
        if moment < start:
            before = offset
        elif moment < end:
            kept.append((moment, offset))
    t = max(kept[-1][0] if kept else start, start) + 1
    current = offset_at(tz, t)
    while t < end:
        step = t + 86400
        if offset_at(tz, step) != current:
            low, high = t, step
            while high - low > 1:
                middle = (low + high) // 2
                if offset_at(tz, middle) == current:
                    low = middle
                else:
                    high = middle
            current = offset_at(tz, high)
            kept.append((high, current))
            t = high
        else:
            t = step
    # Drop changes that change nothing (a new abbreviation only).
    result, last = [], before
    for moment, offset in kept:
        if offset != last:
            result.append((moment // 60, offset // 60))
            last = offset
    return before // 60, result


def write_rules(path):
    names = zones()
    shared = {}  # identical change lists share one run of the table
    table = []
    rows = []
    for zone in names:
        before, changes = zone_changes(zone)
        key = tuple(changes)
        if key not in shared:
            shared[key] = len(table)
            table.extend(changes)
        rows.append((zone, before, shared[key], len(changes)))
    with open(path, "w", encoding="utf-8") as out:
        out.write("// Generated by data/gmtlist.py from the IANA time zone database; do not edit.\n")
        out.write('#include "world/ZoneRules.h"\n\nnamespace world {\n\n')
        out.write("const ZoneChange kZoneChanges[] = {\n")
        for moment, offset in table:
            out.write("    {%d, %d},\n" % (moment, offset))
        out.write("};\n\nconst ZoneRule kZoneRules[] = {\n")
        for zone, before, first, count in rows:
            out.write('    {L"%s", %d, %d, %d},\n' % (zone, before, first, count))
        out.write("};\n\nconst int kZoneRuleCount = %d;\n\n} // namespace world\n" % len(rows))


def moments_to_check(zone):
    """At least 40 moments across 2026-2030: the 1st and 15th of every other
    month at 23:30 UTC, and a minute before and after each offset change."""
    moments = []
    for year in range(2026, 2031):
        for month in range(1, 13, 3):
            for day in (1, 15):
                moments.append(int(datetime.datetime(year, month, day, 23, 30, tzinfo=UTC).timestamp()))
    low = int(datetime.datetime(2026, 1, 1, tzinfo=UTC).timestamp()) // 60
    high = int(datetime.datetime(2031, 1, 1, tzinfo=UTC).timestamp()) // 60
    for moment, _ in zone_changes(zone)[1]:
        if low <= moment < high:
            moments += [(moment - 1) * 60, moment * 60, (moment + 1) * 60]
    return sorted(moments)


def write_expected(list_path, path):
    with open(list_path, "rb") as f:
        data = f.read()
    with open(path, "w", encoding="utf-8") as out:
        out.write("// Generated by data/gmtlist.py with Python's zoneinfo; do not edit.\n#pragma once\n\n")
        out.write("// The bytes of the city list file.\nconst unsigned char kCityListFile[] = {\n")
        for at in range(0, len(data), 24):
            out.write("    " + ", ".join(str(b) for b in data[at:at + 24]) + ",\n")
        out.write("};\n\n")
        out.write("struct ExpectedCityTime { int city; long long utcSeconds; int year, month, day, hour, minute; };\n\n")
        out.write("const ExpectedCityTime kExpectedCityTimes[] = {\n")
        index = 0
        for line in read_list(list_path):
            if not line or line.startswith(("#", "\ufeff")):
                continue
            zone = line_zone(line)
            if zone:
                tz = zoneinfo.ZoneInfo(zone)
                for seconds in moments_to_check(zone):
                    local = datetime.datetime.fromtimestamp(seconds, UTC).astimezone(tz)
                    out.write("    {%d, %dLL, %d, %d, %d, %d, %d},\n" %
                              (index, seconds, local.year, local.month, local.day, local.hour, local.minute))
            index += 1
        out.write("};\n")


if __name__ == "__main__":
    if sys.argv[1] == "list":
        update_list(sys.argv[2])
    elif sys.argv[1] == "rules":
        write_rules(sys.argv[2])
    elif sys.argv[1] == "expect":
        write_expected(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
