#include "runner/TimerRecord.h"

#include <cwchar>

#include "BaseLib/Clock.h"
#include "BaseLib/RegKey.h"
#include "BaseLib/Registry.h"

const wchar_t kTimerRecordKey[] = L"Software\\Velmora\\TallyPad\\TIMER\\Sack";
const wchar_t kTimerMarkerKey[] = L"Software\\Velmora\\TallyPad\\TIMER_SET\\Sack";

bool ReadTimerRecord(TimerRecord *record) {
    RegKey key;
    if (!key.Open(kTimerRecordKey, KEY_READ))
        return false;
    key.Close();
    record->start = ReadRegDword(kTimerRecordKey, L"Start", 0);
    record->set = ReadRegDword(kTimerRecordKey, L"Set", 0);
    if (record->start == 0 || record->set == 0)
        return false;
    const DWORD tick = Clock::TickCount();
    if (tick < record->start) {
        wchar_t time[16] = L"";
        RegKey read;
        DWORD type = 0, size = sizeof time - sizeof(wchar_t);
        if (read.Open(kTimerRecordKey, KEY_READ))
            RegQueryValueExW(read.Get(), L"Time", nullptr, &type, reinterpret_cast<BYTE *>(time), &size);
        if (type != REG_SZ)
            time[0] = 0;
        SYSTEMTIME utc;
        Clock::UtcTime(&utc);
        record->start = RebasedStart(record->start, tick, time, utc);
    }
    return true;
}

DWORD RebasedStart(DWORD start, DWORD tick, const wchar_t *timeText, const SYSTEMTIME &utcNow) {
    if (tick >= start)
        return start;
    unsigned hour = 0, minute = 0, second = 0;
    wchar_t end = 0;
    if (swscanf(timeText, L"%2u:%2u:%2u%lc", &hour, &minute, &second, &end) != 3 || hour > 23 || minute > 59 ||
        second > 59)
        return start;
    const DWORD startSeconds = hour * 3600 + minute * 60 + second;
    DWORD nowSeconds = utcNow.wHour * 3600 + utcNow.wMinute * 60 + utcNow.wSecond;
    if (startSeconds > nowSeconds)
        nowSeconds += 86400;
    // Unsigned arithmetic: tick - start then gives the wall time exactly,
    // even when the wall time is longer than the device has been up.
    return tick - (nowSeconds - startSeconds) * 1000;
}

void ClearRecordKey(const wchar_t *key, bool withStart) {
    RegDeleteKeyW(HKEY_CURRENT_USER, key);
    RegKey created;
    if (created.Create(key, KEY_SET_VALUE)) {
        const DWORD zero = 0;
        if (withStart)
            RegSetValueExW(created.Get(), L"Start", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&zero), sizeof zero);
        RegSetValueExW(created.Get(), L"Set", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&zero), sizeof zero);
        created.Close();
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, key);
}
