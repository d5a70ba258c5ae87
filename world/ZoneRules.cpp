#include "world/ZoneRules.h"

#include <algorithm>
#include <cwchar>

namespace world {

const ZoneRule *FindZone(const wchar_t *zone) {
    if (!zone || !*zone)
        return nullptr;
    const ZoneRule *end = kZoneRules + kZoneRuleCount;
    const ZoneRule *found = std::lower_bound(
        kZoneRules, end, zone, [](const ZoneRule &rule, const wchar_t *id) { return wcscmp(rule.zone, id) < 0; });
    return found != end && wcscmp(found->zone, zone) == 0 ? found : nullptr;
}

int ZoneOffset(const ZoneRule &rule, long long utcMinute) {
    const ZoneChange *first = kZoneChanges + rule.first;
    const ZoneChange *end = first + rule.count;
    // The last change at or before the moment.
    const ZoneChange *after = std::upper_bound(
        first, end, utcMinute, [](long long minute, const ZoneChange &change) { return minute < change.utcMinute; });
    return after == first ? rule.before : (after - 1)->offset;
}

} // namespace world
