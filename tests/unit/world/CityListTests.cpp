// The city list file: skipped lines, both line forms, offset labels, and
// lines that are too long or do not follow the form.
#include <gtest/gtest.h>

#include "world/CityList.h"
#include "world/ZoneRules.h"
#include "WorldTestSupport.h"

using namespace world;
using worldtest::Cities;

TEST(CityList, ByteOrderMarkLineCommentsAndEmptyLinesAreNoCities) {
    const std::vector<City> cities = Cities(L"\xFEFFTokyo,9,0#Asia/Tokyo\r\n"
                                            L"# Paris,1,0#\r\n"
                                            L"\r\n"
                                            L"Paris,1,0#\r\n"
                                            L"Reykjavik,0,0#\r\n"
                                            L"New York,-5,0#America/New_York\r\n");
    ASSERT_EQ(cities.size(), 3u);
    EXPECT_STREQ(cities[0].name, L"Paris");
    EXPECT_EQ(cities[0].hours, 1);
    EXPECT_EQ(cities[0].minutes, 0);
    EXPECT_EQ(cities[0].start.year, 0) << "no daylight-saving groups";
    EXPECT_TRUE(cities[0].zone.IsEmpty());
    EXPECT_STREQ(OffsetLabel(cities[0]), L"[GMT +01:00]");
    EXPECT_STREQ(OffsetLabel(cities[1]), L"[GMT   00:00]");
    EXPECT_STREQ(OffsetLabel(cities[2]), L"[GMT -05:00]");
    EXPECT_STREQ(cities[2].zone, L"America/New_York");
}

TEST(CityList, OffsetLabelsOfHalfHours) {
    const std::vector<City> cities = Cities(L"Kolkata,5,30#\r\nSt Johns,-3,-30#\r\nSomewhere,0,-30#\r\n");
    ASSERT_EQ(cities.size(), 3u);
    EXPECT_STREQ(OffsetLabel(cities[0]), L"[GMT +05:30]");
    EXPECT_STREQ(OffsetLabel(cities[1]), L"[GMT -03:30]");
    EXPECT_STREQ(OffsetLabel(cities[2]), L"[GMT -00:30]");
}

TEST(CityList, DaylightSavingGroups) {
    const std::vector<City> cities = Cities(L"Sydney,10,0,(2026,10,4,2,0)(2027,4,5,3,0,-1)\r\n");
    ASSERT_EQ(cities.size(), 1u);
    const City &c = cities[0];
    ASSERT_TRUE(c.valid);
    EXPECT_EQ(c.start.year, 2026);
    EXPECT_EQ(c.start.month, 10);
    EXPECT_EQ(c.start.day, 4);
    EXPECT_EQ(c.start.hour, 2);
    EXPECT_EQ(c.end.year, 2027);
    EXPECT_EQ(c.end.month, 4);
    EXPECT_EQ(c.end.minute, 0);
    EXPECT_EQ(c.end.shift, -1);
}

// A line that does not follow the form is no city but keeps its place, so
// the cities after it keep their indices.
TEST(CityList, MalformedLinesKeepTheirPlace) {
    const wchar_t *bad[] = {
        L"NoComma",
        L"Name,1",
        L"Name,x,0#",
        L"Name,1,0",
        L"Name,1,0;",
        L",1,0#",
        L"Name,1,0,(2026,10,4,2,0)",
        L"Name,1,0,(20261,10,4,2,0)(2027,4,5,3,0,-1)",
        L"Name,1,0,(2026,10,4,2,0)(2027,4,5,3,0)",
        L"Name,99,0#",
        L"Name,1,75#",
    };
    for (const wchar_t *line : bad) {
        const std::vector<City> cities = Cities(std::wstring(L"Lima,-5,0#\r\n") + line + L"\r\nParis,1,0#\r\n");
        ASSERT_EQ(cities.size(), 3u) << "line: " << testing::PrintToString(std::wstring(line));
        EXPECT_TRUE(cities[0].valid);
        EXPECT_FALSE(cities[1].valid) << "line: " << testing::PrintToString(std::wstring(line));
        EXPECT_TRUE(cities[2].valid);
        EXPECT_STREQ(cities[2].name, L"Paris");
    }
}

// A longer line is cut at 127 characters; what follows the cut is no line
// of its own.
TEST(CityList, LongLinesAreCutAt127Characters) {
    const std::wstring padded = L"Lima,-5,0#America/Lima" + std::wstring(200, L' ') + L"tail,1,0#";
    const std::wstring noComma = std::wstring(130, L'x') + L",1,0#";
    const std::vector<City> cities = Cities(padded + L"\r\n" + noComma + L"\r\nParis,1,0#\r\n");
    ASSERT_EQ(cities.size(), 3u);
    EXPECT_TRUE(cities[0].valid);
    EXPECT_STREQ(cities[0].zone, L"America/Lima");
    EXPECT_FALSE(cities[1].valid) << "its comma lies past the cut";
    EXPECT_STREQ(cities[2].name, L"Paris");
}

TEST(CityList, LineFeedsAloneAndAnOddLastByte) {
    std::vector<unsigned char> bytes = worldtest::FileBytes(L"Paris,1,0#\nLima,-5,0#");
    bytes.push_back(0x41);
    const std::vector<City> cities = ParseCityFile(bytes.data(), bytes.size());
    ASSERT_EQ(cities.size(), 2u);
    EXPECT_STREQ(cities[1].name, L"Lima");
}

TEST(CityList, MissingFileIsReported) {
    std::vector<City> cities(1);
    EXPECT_FALSE(ReadCityFile(L"C:\\no such folder\\GMTList.txt", &cities));
}

TEST(ZoneRules, FindsZonesAndTheirOffsets) {
    EXPECT_EQ(FindZone(L"Mars/Olympus"), nullptr);
    EXPECT_EQ(FindZone(L""), nullptr);
    const ZoneRule *paris = FindZone(L"Europe/Paris");
    ASSERT_NE(paris, nullptr);
    // 29 March 2026 01:00 UTC: summer time begins.
    const long long change = 29579100; // minutes since 1970
    EXPECT_EQ(ZoneOffset(*paris, change - 1), 60);
    EXPECT_EQ(ZoneOffset(*paris, change), 120);
    const ZoneRule *tokyo = FindZone(L"Asia/Tokyo");
    ASSERT_NE(tokyo, nullptr);
    EXPECT_EQ(ZoneOffset(*tokyo, 0), 540);
    EXPECT_EQ(ZoneOffset(*tokyo, 60000000), 540);
}
