// The settings key as stored data: defaults, the rules applied when reading,
// and what a save writes back.
#include <gtest/gtest.h>

#include <string>

#include "shell/Settings.h"

namespace {

const wchar_t kKey[] = L"Software\\Velmora\\TallyPadSettingsTest";
const wchar_t kDocuments[] = L"C:\\My Documents";

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }

    void Store(const wchar_t *name, DWORD value) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
    }
    void Store(const wchar_t *name, const std::wstring &text) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name, REG_SZ, text.c_str(),
                                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    DWORD Stored(const wchar_t *name) {
        DWORD value = 0xDEAD, size = sizeof value;
        RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
        return value;
    }
    Settings Loaded(int dpi = 96) {
        Settings settings(dpi, dpi, kDocuments);
        settings.Load(kKey);
        return settings;
    }
};

TEST_F(SettingsTest, NoKeyGivesEveryDefault) {
    for (int dpi : {96, 192}) {
        Settings s = Loaded(dpi);
        int scale = dpi / 96;
        EXPECT_EQ(s.minimizedPosX, 190u * scale);
        EXPECT_EQ(s.minimizedPosY, 255u * scale);
        EXPECT_EQ(s.maxPosX, 20u * scale);
        EXPECT_EQ(s.maxPosY, 65u * scale);
        EXPECT_EQ(s.isFull, 1u);
        EXPECT_EQ(s.popupBtt, 1u);
        EXPECT_EQ(s.showIcon, 1u);
        EXPECT_EQ(s.feedbackVibro, 1u);
        EXPECT_EQ(s.useDrawing, 0u);
        EXPECT_EQ(s.penMode, 1u) << "drawing off forces pen mode 1";
        EXPECT_STREQ(s.noteName, L"Note");
        EXPECT_STREQ(s.noteDir, kDocuments);
        EXPECT_STREQ(s.recent[0], L"");
    }
}

TEST_F(SettingsTest, LaterPositionNamesWinAndSaveWritesAllOfThem) {
    Store(L"MaxPosCalcX", 30);
    Store(L"MaxPosConvX", 50);
    Store(L"IsFullNote", 0);
    Store(L"IsFullCalc", 1);
    Settings s = Loaded();
    EXPECT_EQ(s.maxPosX, 50u);
    EXPECT_EQ(s.isFull, 1u) << "IsFullCalc is read after IsFullNote";
    s.Save(kKey);
    for (const wchar_t *name : {L"MaxPosCalcX", L"MaxPosNoteX", L"MaxPosConvX"})
        EXPECT_EQ(Stored(name), 50u) << name;
    EXPECT_EQ(Stored(L"IsFullNote"), 1u);
}

TEST_F(SettingsTest, FloatingButtonStaysOnTheScreenBelowTheTopBar) {
    Store(L"MinimizedPosX", 0);
    Store(L"MinimizedPosY", 3);
    Settings s = Loaded();
    EXPECT_EQ(s.minimizedPosX, 1u);
    EXPECT_EQ(s.minimizedPosY, Settings::MinimizedTopLimit(96));
    EXPECT_EQ(Settings::MinimizedTopLimit(96), 24u);

    Store(L"MinimizedPosX", 0xFFFFFFF0); // negative as stored by a signed writer
    EXPECT_EQ(Loaded().minimizedPosX, 1u);
}

TEST_F(SettingsTest, PenModeFollowsDrawing) {
    Store(L"PenMode", 0);
    Store(L"UseDrawing", 0);
    EXPECT_EQ(Loaded().penMode, 1u);
    Store(L"UseDrawing", 1);
    EXPECT_EQ(Loaded().penMode, 0u);
}

TEST_F(SettingsTest, TextsTooLongForTheirFieldAreNotRead) {
    Store(L"NoteName", std::wstring(60, L'n'));
    EXPECT_STREQ(Loaded().noteName, L"Note");
    Store(L"NoteName", std::wstring(49, L'n'));
    EXPECT_EQ(std::wstring(Loaded().noteName), std::wstring(49, L'n'));
    Store(L"NoteDir", std::wstring(130, L'd'));
    EXPECT_STREQ(Loaded().noteDir, kDocuments);
    Store(L"NoteDir", L"");
    EXPECT_STREQ(Loaded().noteDir, kDocuments) << "an empty folder means the documents folder";
}

TEST_F(SettingsTest, ValuesOfTheWrongShapeKeepTheDefault) {
    WORD shortValue = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"ShowIcon", REG_BINARY, &shortValue, sizeof shortValue);
    Store(L"PopupBtt", L"0");
    DWORD notText = 7;
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"NoteName", REG_DWORD, &notText, sizeof notText);
    Settings s = Loaded();
    EXPECT_EQ(s.showIcon, 1u);
    EXPECT_STREQ(s.noteName, L"Note");
}

// Four bytes of another type look like a number but are not one: a text "0"
// would read as 48 and switch an option on.
TEST_F(SettingsTest, NumbersAreReadOnlyFromDwordValues) {
    const DWORD one = 1, bigEndianOne = 0x01000000, zero = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"UseDrawing", REG_SZ, L"1", 4);
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"IsFullCalc", REG_SZ, L"0", 4);
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"FeedbackVibro", REG_DWORD_BIG_ENDIAN, &bigEndianOne, 4);
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"NoteScale1", REG_BINARY, &one, 4);
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"PopupBtt", REG_DWORD, &zero, 4);
    Settings s = Loaded();
    EXPECT_EQ(s.useDrawing, 0u) << "a text \"1\" must not read as a number";
    EXPECT_EQ(s.isFull, 1u) << "a text \"0\" read as 48";
    EXPECT_EQ(s.feedbackVibro, 1u) << "a big-endian value read as a little-endian number";
    EXPECT_EQ(s.noteScale1, 75u) << "binary bytes read as a number";
    EXPECT_EQ(s.popupBtt, 0u) << "a real REG_DWORD must still be read";
}

TEST_F(SettingsTest, SaveThenLoadKeepsEverything) {
    Settings s(96, 96, kDocuments);
    s.popupBtt = 0;
    s.showIcon = 0;
    s.feedbackVibro = 0;
    s.minimizedPosX = 100;
    s.minimizedPosY = 200;
    s.maxPosX = 5;
    s.maxPosY = 70;
    s.isFull = 0;
    s.noteScale1 = 150;
    s.noteScale2 = 300;
    s.useDrawing = 1;
    s.penMode = 0;
    lstrcpyW(s.noteName, L"Memo");
    lstrcpyW(s.noteDir, L"C:\\Notes");
    lstrcpyW(s.recent[0], L"C:\\Notes\\a.pwi");
    lstrcpyW(s.recent[3], L"C:\\Notes\\d.pwi");
    s.Save(kKey);

    Settings r = Loaded();
    EXPECT_EQ(r.popupBtt + r.showIcon + r.feedbackVibro + r.isFull, 0u);
    EXPECT_EQ(r.minimizedPosX, 100u);
    EXPECT_EQ(r.minimizedPosY, 200u);
    EXPECT_EQ(r.maxPosX, 5u);
    EXPECT_EQ(r.maxPosY, 70u);
    EXPECT_EQ(r.noteScale1, 150u);
    EXPECT_EQ(r.noteScale2, 300u);
    EXPECT_EQ(r.useDrawing, 1u);
    EXPECT_EQ(r.penMode, 0u);
    EXPECT_STREQ(r.noteName, L"Memo");
    EXPECT_STREQ(r.noteDir, L"C:\\Notes");
    EXPECT_STREQ(r.recent[0], L"C:\\Notes\\a.pwi");
    EXPECT_STREQ(r.recent[1], L"");
    EXPECT_STREQ(r.recent[3], L"C:\\Notes\\d.pwi");
}

} // namespace
