#include "world/RecentList.h"

#include <algorithm>
#include <cwctype>

#include "BaseLib/RegKey.h"
#include "BaseLib/Registry.h"

namespace world {

namespace {

const wchar_t kValueName[] = L"RecentList";
// A stored value larger than this is no list of ours.
const DWORD kMaxValueBytes = 1 << 20;
// An index has at most this many digits (the list has a few hundred cities).
const int kMaxDigits = 6;

int EntryChars(int city) {
    Str entry;
    entry.Format(L"%d,", city);
    return entry.Length();
}

} // namespace

bool RecentList::Parse(const wchar_t *text, const std::vector<City> &cities) {
    cities_.clear();
    bool dropped = false;
    const wchar_t *p = text ? text : L"";
    while (*p) {
        const wchar_t *start = p;
        while (*p && *p != L',')
            ++p;
        const int digits = static_cast<int>(p - start);
        // The last entry may lack its comma; it gets one when written back.
        const bool ended = p - text < kMaxRecentChars;
        bool number = digits > 0 && digits <= kMaxDigits;
        for (const wchar_t *d = start; number && d < p; ++d)
            number = iswdigit(*d) != 0;
        const int city = number ? _wtoi(start) : -1;
        if (ended && city >= 0 && city < static_cast<int>(cities.size()) && cities[city].valid && !Contains(city))
            cities_.push_back(city);
        else
            dropped = true;
        if (*p)
            ++p;
    }
    return dropped;
}

Str RecentList::Text() const {
    Str text;
    for (int city : cities_) {
        Str entry;
        entry.Format(L"%d,", city);
        text.Append(entry);
    }
    return text;
}

bool RecentList::Contains(int city) const { return std::find(cities_.begin(), cities_.end(), city) != cities_.end(); }

bool RecentList::Add(int city) {
    if (city < 0 || Contains(city) || Text().Length() + EntryChars(city) > kMaxRecentChars)
        return false;
    cities_.push_back(city);
    return true;
}

void RecentList::Remove(int row) {
    if (row >= 0 && row < Count())
        cities_.erase(cities_.begin() + row);
}

void RecentList::MoveUp(int row) {
    if (row >= 1 && row < Count())
        std::swap(cities_[row], cities_[row - 1]);
}

void RecentList::MoveDown(int row) {
    if (row >= 0 && row + 1 < Count())
        std::swap(cities_[row], cities_[row + 1]);
}

bool RecentList::Load(const wchar_t *key, const std::vector<City> &cities) {
    // Read whole, however long, so that a text past 199 characters keeps
    // the entries that fit.
    RegKey reg;
    DWORD type = 0, bytes = 0;
    std::vector<wchar_t> text(1, L'\0');
    if (reg.Open(key, KEY_READ) &&
        RegQueryValueExW(reg.Get(), kValueName, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        type == REG_SZ && bytes <= kMaxValueBytes) {
        text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(reg.Get(), kValueName, nullptr, &type, reinterpret_cast<BYTE *>(text.data()), &bytes) !=
            ERROR_SUCCESS)
            text.assign(1, L'\0');
    }
    return Parse(text.data(), cities);
}

bool RecentList::Save(const wchar_t *key) const { return WriteRegString(key, kValueName, Text()); }

} // namespace world
