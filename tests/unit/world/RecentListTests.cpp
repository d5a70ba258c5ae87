// The user's list: its stored text and the registry value, bad entries,
// the 199-character limit, and adding, moving and deleting.
#include <gtest/gtest.h>

#include "WorldTestSupport.h"
#include "world/RecentList.h"

using namespace world;

namespace {

const wchar_t kKey[] = L"Software\\Velmora\\TallyPad\\WorldTimeTest";

// Ten cities; line 4 is no city.
std::vector<City> TenCities() {
    std::wstring text;
    for (int i = 0; i < 10; ++i)
        text += i == 4 ? L"broken\r\n" : L"City,1,0#\r\n";
    return worldtest::Cities(text);
}

std::vector<City> ManyCities(int count) {
    City city = {};
    city.valid = true;
    return std::vector<City>(count, city);
}

std::vector<int> Of(const RecentList &list) { return list.Cities(); }

} // namespace

TEST(RecentList, StoredTextRoundTrips) {
    RecentList list;
    EXPECT_FALSE(list.Parse(L"3,7,", TenCities()));
    EXPECT_EQ(Of(list), (std::vector<int>{3, 7}));
    EXPECT_STREQ(list.Text(), L"3,7,");
    EXPECT_FALSE(list.Parse(L"", TenCities()));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Parse(nullptr, TenCities()));
}

TEST(RecentList, BadEntriesAreDroppedAndTheOthersKept) {
    struct Case {
        const wchar_t *text;
        std::vector<int> kept;
    } cases[] = {
        {L"-3,5,", {5}},          {L"abc,5,2,", {5, 2}},    {L"5,10,2,", {5, 2}},
        {L"5,4,2,", {5, 2}},      {L"5,,2,", {5, 2}},       {L"5,5,2,", {5, 2}},
        {L"5, 2,", {5}},          {L"99999999999,1,", {1}}, {L"7,x", {7}},
    };
    for (const Case &c : cases) {
        RecentList list;
        EXPECT_TRUE(list.Parse(c.text, TenCities())) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(Of(list), c.kept) << testing::PrintToString(std::wstring(c.text));
    }
    RecentList list;
    EXPECT_FALSE(list.Parse(L"5,2", TenCities())) << "a last entry without its comma is taken";
    EXPECT_STREQ(list.Text(), L"5,2,");
}

// 50 entries of four characters make 200: the last one does not fit.
TEST(RecentList, TextIsHeldTo199Characters) {
    std::wstring text;
    for (int i = 100; i < 150; ++i)
        text += std::to_wstring(i) + L",";
    RecentList list;
    EXPECT_TRUE(list.Parse(text.c_str(), ManyCities(400)));
    EXPECT_EQ(list.Count(), 49);
    EXPECT_EQ(list.Cities().back(), 148);
    EXPECT_LE(list.Text().Length(), kMaxRecentChars);
    EXPECT_FALSE(list.Add(300)) << "full";
    EXPECT_TRUE(list.Add(7)) << "two characters still fit";
    EXPECT_EQ(list.Text().Length(), 198);
}

TEST(RecentList, AddMoveAndDelete) {
    RecentList list;
    list.Parse(L"1,2,3,", TenCities());
    EXPECT_FALSE(list.Add(2)) << "already listed";
    EXPECT_TRUE(list.Add(8));
    EXPECT_EQ(Of(list), (std::vector<int>{1, 2, 3, 8}));
    list.MoveUp(0);
    list.MoveDown(3);
    EXPECT_EQ(Of(list), (std::vector<int>{1, 2, 3, 8})) << "nothing moves past the ends";
    list.MoveUp(2);
    EXPECT_EQ(Of(list), (std::vector<int>{1, 3, 2, 8}));
    list.MoveDown(0);
    EXPECT_EQ(Of(list), (std::vector<int>{3, 1, 2, 8}));
    list.Remove(3);
    list.Remove(7);
    EXPECT_EQ(Of(list), (std::vector<int>{3, 1, 2}));
}

TEST(RecentList, RegistryValueRoundTripsAndBadValuesGiveAnEmptyList) {
    RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    RecentList list;
    EXPECT_FALSE(list.Load(kKey, TenCities()));
    EXPECT_EQ(list.Count(), 0);
    list.Parse(L"9,0,", TenCities());
    ASSERT_TRUE(list.Save(kKey));
    RecentList back;
    back.Load(kKey, TenCities());
    EXPECT_EQ(Of(back), (std::vector<int>{9, 0}));

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 3;
    RegSetValueExW(key, L"RecentList", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number), sizeof number);
    back.Load(kKey, TenCities());
    EXPECT_EQ(back.Count(), 0) << "a number is no list";
    // A text far longer than 199 characters keeps the entries that fit.
    std::wstring text;
    for (int i = 0; i < 3000; ++i)
        text += L"1,";
    text = L"2,3," + text;
    RegSetValueExW(key, L"RecentList", 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    EXPECT_TRUE(back.Load(kKey, TenCities()));
    EXPECT_EQ(Of(back), (std::vector<int>{2, 3, 1}));
    RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
}
