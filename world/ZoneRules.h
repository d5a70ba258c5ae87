// The UTC offsets of the time zones of the city list over time, as a table
// generated at build time from the IANA time zone database (data/gmtlist.py).
#pragma once
#include <cstdint>

namespace world {

// From utcMinute (minutes since 1 January 1970, UTC) on, the zone is offset
// minutes east of UTC.
struct ZoneChange {
    int32_t utcMinute;
    int16_t offset;
};

// A zone's changes are count entries of kZoneChanges from first; before the
// first one its offset is before. Zones with the same changes share them.
struct ZoneRule {
    const wchar_t *zone;
    int16_t before;
    int32_t first;
    int32_t count;
};

extern const ZoneChange kZoneChanges[];
extern const ZoneRule kZoneRules[]; // sorted by zone identifier
extern const int kZoneRuleCount;

// The rule of a zone identifier such as "Europe/Paris", or null.
const ZoneRule *FindZone(const wchar_t *zone);
// Minutes east of UTC in the zone at that moment.
int ZoneOffset(const ZoneRule &rule, long long utcMinute);

} // namespace world
