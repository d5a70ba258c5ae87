// The city list file "GMTList.txt": UTF-16 LE text with CR LF line ends.
// Empty lines, lines starting with "#" and the line starting with the
// byte-order mark are skipped; every other line is a city, numbered from 0
// in file order: "name,hours,minutes#zone" or "name,hours,minutes," with two
// daylight-saving groups "(y,m,d,h,min)(y,m,d,h,min,shift)".
#pragma once
#include <windows.h>

#include <vector>

#include "BaseLib/Str.h"

namespace world {

// A line holds at most this many characters; the rest of a longer line is
// dropped, as a reader with a buffer of that size would cut it.
const int kMaxLineChars = 127;

struct RuleStart {
    int year, month, day, hour, minute;
};
struct RuleEnd {
    int year, month, day, hour, minute, shift;
};

struct City {
    // A line that does not follow the form keeps its place (so the stored
    // indices of the cities after it stay right) but is no city.
    bool valid;
    Str name;
    int hours;   // offset from UTC, signed
    int minutes; // further minutes, signed, added as they are
    RuleStart start; // all zero: no daylight-saving groups
    RuleEnd end;
    Str zone; // the time zone identifier written after "#", or empty
};

// Parses one line (without its line end) into a city.
City ParseCityLine(const wchar_t *line, int length);
// Splits the bytes of a file into its data lines and parses each.
std::vector<City> ParseCityFile(const unsigned char *bytes, size_t size);
// Reads the file; false when it cannot be opened.
bool ReadCityFile(const wchar_t *path, std::vector<City> *cities);
// "<folder of the program>\GMTList.txt".
Str CityFilePath();

// The offset label of the add window: "[GMT +01:00]", "[GMT -05:00]",
// "[GMT   00:00]".
Str OffsetLabel(const City &city);

} // namespace world
