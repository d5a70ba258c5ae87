#include "BaseLib/Registry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const wchar_t kRoot[] = L"Software\\Velmora\\TallyPadTest";
const wchar_t kKey[] = L"Software\\Velmora\\TallyPadTest\\Base";

void StoreRaw(const wchar_t *name, DWORD type, const void *data, DWORD size) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name, 0, type, static_cast<const BYTE *>(data), size));
    RegCloseKey(key);
}

bool KeyExists(const wchar_t *path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kRoot); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kRoot); }
};

TEST_F(Registry, ReadDwordFallsBackUnlessADwordOfExactlyFourBytes) {
    EXPECT_EQ(9u, ReadRegDword(kKey, L"Any", 9)) << "missing key";
    EXPECT_FALSE(KeyExists(kKey)) << "reading must not create the key";

    const DWORD seven = 7;
    const BYTE two[2] = {1, 2};
    const BYTE four[4] = {1, 0, 0, 0};
    const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    StoreRaw(L"Dword", REG_DWORD, &seven, 4);
    StoreRaw(L"Two", REG_BINARY, two, 2);
    StoreRaw(L"Four", REG_BINARY, four, 4);
    StoreRaw(L"Eight", REG_BINARY, eight, 8);
    StoreRaw(L"Text", REG_SZ, L"12345", 12);
    StoreRaw(L"ShortText", REG_SZ, L"1", 4);
    const DWORD bigEndianOne = 0x01000000;
    StoreRaw(L"BigEndian", REG_DWORD_BIG_ENDIAN, &bigEndianOne, 4);

    const struct {
        const wchar_t *name;
        DWORD expected;
    } cases[] = {{L"Dword", 7}, {L"Two", 9},       {L"Four", 9},      {L"Eight", 9},
                 {L"Text", 9},  {L"ShortText", 9}, {L"BigEndian", 9}, {L"None", 9}};
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, ReadRegDword(kKey, c.name, 9)) << c.name;
}

TEST_F(Registry, WritesRoundTripAndRejectNullNames) {
    EXPECT_TRUE(WriteRegDword(kKey, L"Count", 0xDEADBEEF));
    EXPECT_EQ(0xDEADBEEFu, ReadRegDword(kKey, L"Count", 0));
    EXPECT_TRUE(WriteRegString(kKey, L"Name", L"Tally"));
    wchar_t buffer[16];
    EXPECT_TRUE(ReadRegString(kKey, L"Name", buffer, 16, L"default"));
    EXPECT_STREQ(L"Tally", buffer);

    EXPECT_FALSE(WriteRegString(kKey, nullptr, L"x"));
    EXPECT_FALSE(WriteRegString(nullptr, L"Name", L"x"));
    EXPECT_FALSE(WriteRegDword(nullptr, L"Count", 1));
}

TEST_F(Registry, ReadStringFallsBackToDefaultWithinTheBuffer) {
    wchar_t buffer[8];
    EXPECT_FALSE(ReadRegString(kKey, L"Missing", buffer, 8, L"dflt"));
    EXPECT_STREQ(L"dflt", buffer);
    EXPECT_TRUE(KeyExists(kKey)) << "reading a string creates the key";

    const DWORD number = 5;
    StoreRaw(L"Number", REG_DWORD, &number, 4);
    WriteRegString(kKey, L"Long", L"far too long");
    StoreRaw(L"Unterminated", REG_SZ, L"abcd", 8);
    StoreRaw(L"Full", REG_SZ, L"abcdefgh", 16);
    const struct {
        const wchar_t *name;
        bool read;
        const wchar_t *expected;
    } cases[] = {{L"Number", false, L"dflt"},
                 {L"Long", false, L"dflt"},
                 {L"Unterminated", true, L"abcd"},
                 {L"Full", false, L"dflt"}};
    for (const auto &c : cases) {
        wmemset(buffer, L'#', 8);
        EXPECT_EQ(c.read, ReadRegString(kKey, c.name, buffer, 8, L"dflt")) << c.name;
        EXPECT_STREQ(c.expected, buffer) << c.name;
    }

    // A default longer than the buffer is cut, never written past it.
    wchar_t guarded[8];
    wmemset(guarded, L'#', 8);
    EXPECT_FALSE(ReadRegString(kKey, L"Missing", guarded, 4, L"longer default"));
    EXPECT_STREQ(L"lon", guarded);
    EXPECT_EQ(L'#', guarded[4]);
}

} // namespace
