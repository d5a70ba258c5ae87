// The user's cities: indices into the city list, stored in the registry
// value "RecentList" as each index in decimal followed by "," ("3,17,42,").
#pragma once
#include <vector>

#include "BaseLib/Str.h"
#include "world/CityList.h"

namespace world {

// The stored text holds at most this many characters (terminator not
// counted).
const int kMaxRecentChars = 199;

class RecentList {
public:
    // Takes the stored text: entries that are no index of a city of the
    // table (negative, not a number, beyond the table, a line that is no
    // city), repeated ones and those that end past the 199th character are
    // dropped; the others keep their order. True when something was dropped.
    bool Parse(const wchar_t *text, const std::vector<City> &cities);
    Str Text() const;

    const std::vector<int> &Cities() const { return cities_; }
    int Count() const { return static_cast<int>(cities_.size()); }
    bool Contains(int city) const;
    // Appends a city; false when it is listed already or its entry would
    // make the text longer than 199 characters.
    bool Add(int city);
    void Remove(int row);
    // Swap a row with the one above or below; nothing at the ends.
    void MoveUp(int row);
    void MoveDown(int row);

    // The registry value under key (HKEY_CURRENT_USER). Another type of
    // value or a missing one gives an empty list.
    bool Load(const wchar_t *key, const std::vector<City> &cities);
    bool Save(const wchar_t *key) const;

private:
    std::vector<int> cities_;
};

} // namespace world
