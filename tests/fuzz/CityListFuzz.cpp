// The world clock's readers: the city list file (ParseCityFile on any
// bytes, and generated files whose cities read back as written) and the
// user's list "RecentList" (Parse on any text against a city table, and
// Parse(Text()) giving the list back).
#include <string>

#include "Fuzz.h"
#include "world/CityList.h"
#include "world/RecentList.h"

namespace fuzz {
namespace {

using world::City;

int Between(Rng &rng, int low, int high) { return low + static_cast<int>(rng.Below(high - low + 1)); }

// A number of a rule group: at most four characters with its sign.
int RuleNumber(Rng &rng) { return rng.OneIn(4) ? Between(rng, -999, 9999) : Between(rng, 0, 60); }

bool SameCity(const City &a, const City &b) {
    return a.valid == b.valid && a.name == b.name.Text() && a.hours == b.hours && a.minutes == b.minutes &&
           a.zone == b.zone.Text() && a.start.year == b.start.year && a.start.month == b.start.month &&
           a.start.day == b.start.day && a.start.hour == b.start.hour && a.start.minute == b.start.minute &&
           a.end.year == b.end.year && a.end.month == b.end.month && a.end.day == b.end.day &&
           a.end.hour == b.end.hour && a.end.minute == b.end.minute && a.end.shift == b.end.shift;
}

// A data line and the city it holds, within the line's 127 characters.
std::wstring CityLine(Rng &rng, City *city) {
    *city = City{};
    city->valid = true;
    std::wstring name;
    do
        name = RandomText(rng, 30, L",\r\n");
    while (name.empty() || name[0] == L'#' || name[0] == 0xFEFF);
    city->name = name.c_str();
    city->hours = Between(rng, -24, 24);
    city->minutes = Between(rng, -59, 59);
    std::wstring line = name + L"," + std::to_wstring(city->hours) + L"," + std::to_wstring(city->minutes);
    if (rng.OneIn(2)) {
        std::wstring zone;
        for (size_t n = rng.Size(40); n > 0; --n)
            zone += static_cast<wchar_t>(0x21 + rng.Below(0x5E)); // no spaces: the zone is trimmed
        city->zone = zone.c_str();
        return line + L"#" + zone;
    }
    int n[11];
    for (int &number : n)
        number = RuleNumber(rng);
    city->start = {n[0], n[1], n[2], n[3], n[4]};
    city->end = {n[5], n[6], n[7], n[8], n[9], n[10]};
    line += L",(";
    for (int i = 0; i < 11; ++i)
        line += std::to_wstring(n[i]) + (i == 4 ? L")(" : i == 10 ? L")" : L",");
    return line;
}

class CityListHarness : public Harness {
public:
    const char *Name() const override { return "city-list"; }
    int Unit() const override { return 2; }
    size_t MaxSize() const override { return 16384; }

    std::vector<Bytes> Seeds() override {
        return {
            TextBytes(L"\xFEFF# City,hours,minutes#zone\r\nAbidjan,0,0#Africa/Abidjan\r\nNew York,-5,0#America/New_York"
                      L"\r\n\r\n#comment\r\nParis,1,0#\r\n"),
            TextBytes(L"Sydney,10,0,(2009,10,4,2,0)(2010,4,4,3,0,1)\r\nKathmandu,5,45#\r\nSt John's,-3,-30#x\r\n"),
            TextBytes(L"Reykjavik,0,0#\nno comma\r\n,1,0#\r\nBad,25,0#\r\nOdd,1,0,(1,2,3,4,5)(1,2,3,4,5)\r\n"),
        };
    }

    std::vector<Bytes> Tokens() override {
        std::vector<Bytes> tokens;
        for (const wchar_t *token : {L",", L"#", L"(", L")", L"\r\n", L"\xFEFF", L",(1,2,3,4,5)(1,2,3,4,5,6)",
                                     L"-2147483649", L"99999999999", L"+", L"0x1F", L"-"})
            tokens.push_back(TextBytes(token));
        return tokens;
    }

    Verdict Feed(const Bytes &input) override {
        const std::vector<City> cities = world::ParseCityFile(GuardedBytes(input), input.size());
        Verdict verdict;
        for (const City &city : cities) {
            if (!city.valid)
                continue;
            verdict.accepted = true;
            if (city.name.IsEmpty() || wcschr(city.name.Text(), L',') || city.name.Length() > world::kMaxLineChars ||
                city.hours < -24 || city.hours > 24 || city.minutes < -59 || city.minutes > 59 ||
                world::OffsetLabel(city).Length() > 16)
                verdict.failure = "a city out of its limits";
        }
        if (expecting_) {
            expecting_ = false;
            bool same = cities.size() == expected_.size();
            for (size_t i = 0; same && i < cities.size(); ++i)
                same = SameCity(cities[i], expected_[i]);
            if (!same)
                verdict.failure = "a written city list read back different";
        }
        return verdict;
    }

    bool Generate(Rng &rng, Bytes *input) override {
        std::wstring file = rng.OneIn(2) ? L"\xFEFF# City,hours,minutes#zone\r\n" : L"";
        expected_.resize(rng.Size(30));
        for (City &city : expected_) {
            if (rng.OneIn(8))
                file += L"# a comment\r\n\r\n";
            file += CityLine(rng, &city) + L"\r\n";
        }
        *input = TextBytes(file);
        expecting_ = true;
        return true;
    }

private:
    std::vector<City> expected_;
    bool expecting_ = false;
};

// A table of cities with a few lines that are no city, as a damaged file
// gives: the user's list may name only the others.
std::vector<City> Table() {
    std::wstring file;
    for (int i = 0; i < 60; ++i)
        file += i % 7 == 3 ? L"broken line\r\n" : L"City " + std::to_wstring(i) + L",1,0#\r\n";
    const Bytes bytes = TextBytes(file);
    return world::ParseCityFile(bytes.data(), bytes.size());
}

class RecentListHarness : public Harness {
public:
    const char *Name() const override { return "recent-list"; }
    int Unit() const override { return 2; }
    size_t MaxSize() const override { return 2048; }
    RecentListHarness() : table_(Table()) {}

    std::vector<Bytes> Seeds() override {
        return {TextBytes(L"3,17,42,"), TextBytes(L""), TextBytes(L"0,1,2,4,5,6,8,9,11,12,13,15,16,18,19,20,"),
                TextBytes(L"5,5,x,-1,999999,3")};
    }

    std::vector<Bytes> Tokens() override {
        std::vector<Bytes> tokens;
        for (const wchar_t *token : {L",", L"-", L"59,", L"60,", L"2147483648,", L"0000000001,", L" 1,", L"+1,"})
            tokens.push_back(TextBytes(token));
        return tokens;
    }

    Verdict Feed(const Bytes &input) override {
        world::RecentList list;
        list.Parse(GuardedText(BytesText(input)), table_);
        Verdict verdict;
        verdict.accepted = list.Count() > 0;
        for (int i = 0; i < list.Count(); ++i) {
            const int city = list.Cities()[i];
            if (city < 0 || city >= static_cast<int>(table_.size()) || !table_[city].valid)
                verdict.failure = "kept an index that is no city";
            for (int k = 0; k < i; ++k)
                if (list.Cities()[k] == city)
                    verdict.failure = "kept a city twice";
        }
        if (list.Text().Length() > world::kMaxRecentChars)
            verdict.failure = "kept a list too long to store";
        // What was kept is stored and read back as it is.
        world::RecentList again;
        if (again.Parse(list.Text().Text(), table_) || again.Cities() != list.Cities())
            verdict.failure = "the list kept did not read back the same";
        if (expecting_) {
            expecting_ = false;
            if (list.Cities() != expected_)
                verdict.failure = "a written list read back different";
        }
        return verdict;
    }

    bool Generate(Rng &rng, Bytes *input) override {
        world::RecentList list;
        for (size_t n = rng.Size(60); n > 0; --n) {
            const int city = static_cast<int>(rng.Below(table_.size()));
            if (table_[city].valid)
                list.Add(city);
        }
        expected_ = list.Cities();
        *input = TextBytes(list.Text().Text());
        expecting_ = true;
        return true;
    }

private:
    std::vector<City> table_;
    std::vector<int> expected_;
    bool expecting_ = false;
};

Registration cities(new CityListHarness);
Registration recent(new RecentListHarness);

} // namespace
} // namespace fuzz
