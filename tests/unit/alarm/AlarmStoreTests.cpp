// The alarm store in the registry: what is written, what loads, in which order.
#include "alarm/AlarmList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BaseLib/Clock.h"
#include "BaseLib/Registry.h"
#include "TestHive.h"
#include "TestTimes.h"

namespace {

using Names = std::vector<std::wstring>;

void StoreRaw(const wchar_t *name, DWORD type, const void *data, DWORD size) {
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, kAlarmStoreKey, name, type, data, size));
}

void StoreText(const wchar_t *name, const wchar_t *text) {
    StoreRaw(name, REG_SZ, text, static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

Names StoredNames() {
    Names names;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kAlarmStoreKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    wchar_t name[256];
    for (DWORD i = 0, length = 256;
         RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; ++i, length = 256)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

Names Ids(const AlarmList &list) {
    Names ids;
    for (int i = 0; i < list.AlarmCount(); ++i)
        ids.push_back(list.GetAlarm(i).id.Text());
    return ids;
}

class AlarmStore : public ::testing::Test {
protected:
    void TearDown() override { Clock::Real(); }
    TestHive hive_;
};

TEST_F(AlarmStore, SaveWritesTheTextUnderTheIdAndRefusesNoId) {
    AlarmList list;
    AlarmTemp record;
    record.MakeNew(); // no id yet, as when no GUID could be made
    list.AppendAlarm(record);
    EXPECT_FALSE(list.SaveAlarm(0)) << "a record without id is not stored";
    EXPECT_FALSE(list.SaveAlarm(1)) << "out of range";
    EXPECT_TRUE(StoredNames().empty());

    list.AlarmAt(0)->id = L"{A}";
    ASSERT_TRUE(list.SaveAlarm(0));
    wchar_t data[512] = {};
    DWORD type = 0, size = sizeof data;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, kAlarmStoreKey, L"{A}", RRF_RT_ANY, &type, data, &size));
    const Str text = EncodeAlarm(record);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(static_cast<DWORD>((text.Length() + 1) * 2), size) << "text and its terminator";
    EXPECT_STREQ(text, data);
}

TEST_F(AlarmStore, CreatingTheStoreWritesSizeZeroOnce) {
    AlarmList list;
    list.ReloadAlarms();
    EXPECT_EQ(0, list.AlarmCount());
    EXPECT_EQ(0u, ReadRegDword(kAlarmKey, L"size", 7)) << "store key created";

    RegDeleteKeyValueW(HKEY_CURRENT_USER, kAlarmKey, L"size");
    list.ReloadAlarms();
    EXPECT_EQ(7u, ReadRegDword(kAlarmKey, L"size", 7)) << "store exists: nothing written";
}

TEST_F(AlarmStore, ReloadSortsByCreatedAndSkipsWhatIsNoAlarm) {
    StoreText(L"{late}", L"/T1/Llate/R0/SD/SZ1/E1/CT40010.5/V5/VIB0");
    StoreText(L"{early}", L"/T1/Learly/R0/SD/SZ1/E1/CT40001.25/V5/VIB0");
    StoreText(L"{old}", L"/T1/Lold/R0/SD/SZ1/E1"); // no created: sorts first
    StoreText(L"Default", L"/T1/Ldefault/R0/SD/SZ1/E1/CT1/V5/VIB0");
    StoreText(L"", L"/T1/Lunnamed/R0/SD/SZ1/E1/CT2/V5/VIB0");
    StoreText(L"{middle}", L"/T1/Lmiddle/R0/SD/SZ1/E1/CT40005/V5/VIB0");

    AlarmList list;
    list.AppendAlarm(AlarmTemp()); // a reload starts from an empty list
    list.ReloadAlarms();
    EXPECT_EQ((Names{L"{old}", L"{early}", L"{middle}", L"{late}"}), Ids(list));
    EXPECT_STREQ(L"early", list.GetAlarm(1).label);
}

TEST_F(AlarmStore, ValuesOfAnotherTypeOrWithoutTerminatorLoad) {
    const DWORD number = 62;
    const wchar_t bare[] = {L'/', L'R', L'6', L'/', L'E', L'1'}; // no terminator stored
    StoreRaw(L"{1 dword}", REG_DWORD, &number, sizeof number);
    StoreRaw(L"{2 binary}", REG_BINARY, L"/R4/E0", 14);
    StoreRaw(L"{3 bare}", REG_SZ, bare, sizeof bare);
    StoreRaw(L"{4 empty}", REG_SZ, nullptr, 0);

    AlarmList list;
    list.ReloadAlarms();
    const struct {
        const wchar_t *id;
        int repeat, enabled, volume;
        const char *why;
    } expected[] = {
        {L"{1 dword}", 0, 1, -1, "wrong type reads as /T0.0/L/R0/SD/SZ0/E1"},
        {L"{2 binary}", 0, 1, -1, "wrong type, even holding a text"},
        {L"{3 bare}", 6, 1, -1, "text without terminator"},
        {L"{4 empty}", 0, 0, -1, "empty text: every field missing"},
    };
    ASSERT_EQ(4, list.AlarmCount());
    for (const auto &e : expected) {
        AlarmTemp r;
        for (int i = 0; i < list.AlarmCount(); ++i)
            if (list.GetAlarm(i).id == e.id)
                r = list.GetAlarm(i);
        EXPECT_EQ(e.repeat, r.repeat_days) << e.why;
        EXPECT_EQ(e.enabled, r.enabled) << e.why;
        EXPECT_EQ(e.volume, r.volume) << e.why;
    }
}

TEST_F(AlarmStore, RemoveDeletesTheValueAndClosesTheGap) {
    AlarmList list;
    for (const wchar_t *id : {L"{1}", L"{2}", L"{3}"}) {
        AlarmTemp record;
        record.id = id;
        list.SaveAlarm(list.AppendAlarm(record));
    }
    list.RemoveAlarm(1);
    list.RemoveAlarm(5); // out of range: nothing happens
    EXPECT_EQ((Names{L"{1}", L"{3}"}), Ids(list));
    EXPECT_EQ((Names{L"{1}", L"{3}"}), StoredNames());

    RegDeleteKeyValueW(HKEY_CURRENT_USER, kAlarmStoreKey, L"{3}");
    list.RemoveAlarm(1);
    EXPECT_EQ(Names{L"{1}"}, Ids(list)) << "the element goes even when its value is gone";
}

TEST_F(AlarmStore, NewRecordTakesTheGlobalDefaults) {
    Clock::Fake(0, At(2009, 7, 14, 7, 30, 10));
    AlarmTemp fresh;
    fresh.MakeNew();
    EXPECT_EQ("2009-07-15 07:30:10.000 Wed", Text(fresh.time)) << "this time tomorrow";
    EXPECT_EQ("2009-07-14 07:30:10.000 Tue", Text(fresh.created));
    EXPECT_STREQ(L"\\Windows\\Alarm4.wma", fresh.sound);
    EXPECT_EQ(5, fresh.volume);
    EXPECT_EQ(0, fresh.vibrate);
    EXPECT_EQ(1, fresh.snooze);
    EXPECT_EQ(1, fresh.enabled);

    WriteRegString(kAlarmKey, L"Sound", L"\\My Documents\\bell.wav");
    WriteRegDword(kAlarmKey, L"Volume", static_cast<DWORD>(-1));
    WriteRegDword(kAlarmKey, L"Vibro", 1);
    fresh.MakeNew();
    EXPECT_STREQ(L"\\My Documents\\bell.wav", fresh.sound);
    EXPECT_EQ(-1, fresh.volume);
    EXPECT_EQ(1, fresh.vibrate);
}

} // namespace
