#include "alarm/AlarmList.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "BaseLib/RegKey.h"
#include "BaseLib/WaitCursor.h"

namespace {

// The store key, opened for one load, save or delete. When it does not exist
// it is created, and "size" = 0 is written beside the defaults.
RegKey OpenStore() {
    const REGSAM access = KEY_READ | KEY_WRITE;
    RegKey store;
    if (store.Open(kAlarmStoreKey, access))
        return store;
    store.Create(kAlarmStoreKey, access);
    RegKey defaults;
    if (defaults.Open(kAlarmKey, KEY_SET_VALUE)) {
        const DWORD zero = 0;
        RegSetValueExW(defaults.Get(), L"size", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&zero), sizeof zero);
    }
    return store;
}

// Reads a REG_SZ value as text. The value may grow between the size query
// and the read (the runner writes records while the list loads), so a read
// that finds more data asks again. False when the size cannot be queried;
// *readable is false when the data cannot be read or is not REG_SZ.
bool ReadStoredText(HKEY store, const wchar_t *name, std::wstring *text, bool *readable) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(store, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    *readable = false;
    for (int attempt = 0; attempt < 4; ++attempt) {
        // Room for the data plus a terminator, whatever the stored data ends with.
        std::wstring buffer(size / sizeof(wchar_t) + 2, L'\0');
        DWORD got = size;
        const LONG read = RegQueryValueExW(store, name, nullptr, &type, reinterpret_cast<BYTE *>(&buffer[0]), &got);
        if (read == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (read != ERROR_SUCCESS || type != REG_SZ)
            return true;
        buffer.resize(got / sizeof(wchar_t));
        *text = buffer.c_str(); // up to the first NUL
        *readable = true;
        return true;
    }
    return true;
}

} // namespace

void AlarmList::ReloadAlarms() {
    WaitCursor wait;
    alarms_.clear();
    RegKey store = OpenStore();
    if (!store.IsOpen())
        return;

    DWORD count = 0;
    if (RegQueryInfoKeyW(store.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return;

    AlarmTemp fresh;
    fresh.MakeNew();
    for (DWORD index = 0; index < count; ++index) {
        wchar_t name[1024];
        DWORD nameLength = ARRAYSIZE(name);
        if (RegEnumValueW(store.Get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        // "Default" is not an alarm; nor is the key's unnamed value, which no
        // alarm can be stored under (an alarm without id cannot be addressed).
        if (name[0] == 0 || wcscmp(name, L"Default") == 0)
            continue;

        AlarmTemp record = fresh;
        std::wstring text;
        bool readable = false;
        if (ReadStoredText(store.Get(), name, &text, &readable))
            DecodeAlarm(record, readable ? text.c_str() : kUnreadableAlarmText);
        record.id = name;
        alarms_.push_back(record);
    }

    std::stable_sort(alarms_.begin(), alarms_.end(),
                     [](const AlarmTemp &a, const AlarmTemp &b) { return a.created < b.created; });
}

int AlarmList::AppendAlarm(const AlarmTemp &record) {
    alarms_.push_back(record);
    return static_cast<int>(alarms_.size()) - 1;
}

AlarmTemp AlarmList::GetAlarm(int index) const {
    return index >= 0 && index < AlarmCount() ? alarms_[index] : AlarmTemp();
}

AlarmTemp *AlarmList::AlarmAt(int index) { return index >= 0 && index < AlarmCount() ? &alarms_[index] : nullptr; }

bool AlarmList::SaveAlarm(int index) {
    const AlarmTemp *record = AlarmAt(index);
    return record && StoreAlarm(*record);
}

void AlarmList::RemoveAlarm(int index) {
    const AlarmTemp *record = AlarmAt(index);
    if (!record)
        return;
    if (!record->id.IsEmpty()) {
        RegKey store = OpenStore();
        if (store.IsOpen()) {
            RegDeleteValueW(store.Get(), record->id);
            RegFlushKey(store.Get());
        }
    }
    alarms_.erase(alarms_.begin() + index);
}

int AlarmList::AlarmCount() const { return static_cast<int>(alarms_.size()); }

bool LoadAlarm(const Str &id, AlarmTemp *record) {
    if (id.IsEmpty())
        return false;
    RegKey store = OpenStore();
    if (!store.IsOpen())
        return false;
    std::wstring text;
    bool readable = false;
    if (!ReadStoredText(store.Get(), id, &text, &readable))
        return false;
    *record = AlarmTemp();
    DecodeAlarm(*record, readable ? text.c_str() : kUnreadableAlarmText);
    record->id = id;
    return true;
}

bool StoreAlarm(const AlarmTemp &record) {
    if (record.id.IsEmpty())
        return false;
    RegKey store = OpenStore();
    if (!store.IsOpen())
        return false;
    const Str text = EncodeAlarm(record);
    const DWORD bytes = static_cast<DWORD>((text.Length() + 1) * sizeof(wchar_t));
    const bool stored = RegSetValueExW(store.Get(), record.id, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.Text()),
                                       bytes) == ERROR_SUCCESS;
    // The other program may read this alarm at any moment.
    RegFlushKey(store.Get());
    return stored;
}
