// A city's time now, and how the world clock writes it.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"
#include "world/CityList.h"

namespace world {

enum DayLabel { kToday = 0, kYesterday = 1, kTomorrow = 2 };

struct CityClock {
    int year, month, day, hour, minute;
    DayLabel label; // the city's date against the device's
};

// The city's time at the moment the device shows as local and utc. A city
// with a known zone follows the zone's rules for that moment; any other
// city is UTC plus its offset, less its daylight-saving shift while its
// date lies in the window of its groups.
CityClock CityTimeAt(const City &city, const SYSTEMTIME &local, const SYSTEMTIME &utc);

// "07:30", 24-hour, as the edit mode shows it.
Str Time24(const CityClock &clock);
// "07:30" on a 12-hour clock (0 stays 00, 12 stays 12), as the normal mode
// shows it.
Str Time12(const CityClock &clock);
// True before noon.
bool IsMorning(const CityClock &clock);

} // namespace world
