#include "world/CityList.h"

#include <cwchar>
#include <cwctype>

namespace world {

namespace {

const int kMaxRuleNumberChars = 4;
const int kMaxHours = 24;
const int kMaxMinutes = 59;

// Reads a signed decimal number at *p, as the standard conversion does, and
// moves past it. False when there is no number or it has more than maxChars
// characters (0: no limit).
bool ReadNumber(const wchar_t **p, int maxChars, long *value) {
    wchar_t *end = nullptr;
    *value = wcstol(*p, &end, 10);
    if (end == *p || (maxChars > 0 && end - *p > maxChars))
        return false;
    *p = end;
    return true;
}

bool Expect(const wchar_t **p, wchar_t c) {
    if (**p != c)
        return false;
    ++*p;
    return true;
}

// "(" n "," n ... ")" with count numbers of at most four characters.
bool ReadGroup(const wchar_t **p, int count, int *numbers) {
    if (!Expect(p, L'('))
        return false;
    for (int i = 0; i < count; ++i) {
        long n = 0;
        if ((i > 0 && !Expect(p, L',')) || !ReadNumber(p, kMaxRuleNumberChars, &n))
            return false;
        numbers[i] = static_cast<int>(n);
    }
    return Expect(p, L')');
}

Str Trimmed(const wchar_t *text) {
    while (iswspace(*text))
        ++text;
    int length = static_cast<int>(wcslen(text));
    while (length > 0 && iswspace(text[length - 1]))
        --length;
    return Str(text).Prefix(length);
}

bool Skipped(const wchar_t *line, int length) { return length == 0 || line[0] == L'#' || line[0] == 0xFEFF; }

} // namespace

City ParseCityLine(const wchar_t *line, int length) {
    City city = {};
    wchar_t buffer[kMaxLineChars + 1];
    if (length > kMaxLineChars)
        length = kMaxLineChars;
    wmemcpy(buffer, line, length);
    buffer[length] = L'\0';
    const wchar_t *comma = wcschr(buffer, L',');
    if (!comma || comma == buffer)
        return city;
    const wchar_t *p = comma + 1;
    long hours = 0, minutes = 0;
    if (!ReadNumber(&p, 0, &hours) || !Expect(&p, L',') || !ReadNumber(&p, 0, &minutes))
        return city;
    if (hours < -kMaxHours || hours > kMaxHours || minutes < -kMaxMinutes || minutes > kMaxMinutes)
        return city;
    if (*p == L'#') {
        city.zone = Trimmed(p + 1);
    } else {
        int start[5], end[6];
        if (!Expect(&p, L',') || !ReadGroup(&p, 5, start) || !ReadGroup(&p, 6, end))
            return city;
        city.start = RuleStart{start[0], start[1], start[2], start[3], start[4]};
        city.end = RuleEnd{end[0], end[1], end[2], end[3], end[4], end[5]};
    }
    city.name = Str(buffer).Prefix(static_cast<int>(comma - buffer));
    city.hours = static_cast<int>(hours);
    city.minutes = static_cast<int>(minutes);
    city.valid = true;
    return city;
}

// Lines end with CR LF; a lone LF ends one too. An odd last byte is no
// character.
std::vector<City> ParseCityFile(const unsigned char *bytes, size_t size) {
    std::vector<City> cities;
    std::vector<wchar_t> line;
    const size_t chars = size / 2;
    for (size_t i = 0; i <= chars; ++i) {
        const wchar_t c = i < chars ? static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)) : L'\n';
        if (c != L'\n') {
            line.push_back(c);
            continue;
        }
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        const int length = static_cast<int>(line.size());
        if (!Skipped(line.data(), length))
            cities.push_back(ParseCityLine(line.data(), length));
        line.clear();
    }
    return cities;
}

bool ReadCityFile(const wchar_t *path, std::vector<City> *cities) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<unsigned char> bytes;
    unsigned char block[16384];
    DWORD read = 0;
    while (ReadFile(file, block, sizeof block, &read, nullptr) && read > 0)
        bytes.insert(bytes.end(), block, block + read);
    CloseHandle(file);
    *cities = ParseCityFile(bytes.data(), bytes.size());
    return true;
}

Str CityFilePath() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (wchar_t *slash = wcsrchr(path, L'\\'))
        slash[1] = L'\0';
    return Str::Concat(Str(path), L"GMTList.txt");
}

// The minutes are shown without their sign, which the hours carry (an
// offset of -3 h -30 min reads "-03:30"); a negative offset under an hour
// still reads as negative.
Str OffsetLabel(const City &city) {
    Str label;
    const int minutes = city.minutes < 0 ? -city.minutes : city.minutes;
    if (city.hours >= 1)
        label.Format(L"[GMT +%02d:%02d]", city.hours, minutes);
    else if (city.hours < 0)
        label.Format(L"[GMT %03d:%02d]", city.hours, minutes);
    else if (city.minutes < 0)
        label.Format(L"[GMT -%02d:%02d]", 0, minutes);
    else
        label.Format(L"[GMT   %02d:%02d]", city.hours, minutes);
    return label;
}

} // namespace world
