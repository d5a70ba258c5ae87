#include "timing/CountdownRecord.h"

#include <oleauto.h>

#include "BaseLib/RegKey.h"
#include "BaseLib/Registry.h"
#include "timing/WallClock.h"

const wchar_t kCountdownKey[] = L"Software\\Velmora\\TallyPad\\TIMER\\Sack";
const wchar_t kRunnerMarkerKey[] = L"Software\\Velmora\\TallyPad\\TIMER_SET\\Sack";

namespace {

const DWORD kMsPerDay = 86400000;
// "Time" holds whole seconds; the screen's own wall-clock check allows 3 s.
const DWORD kWallSlackMs = 3000;
const DWORD kTextCapacity = 260; // characters, terminator included

bool ReadDword(HKEY key, const wchar_t *name, DWORD *value) {
    DWORD type = 0;
    DWORD size = sizeof *value;
    return RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(value), &size) == ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof *value;
}

bool ReadText(HKEY key, const wchar_t *name, Str *text) {
    wchar_t buffer[kTextCapacity] = L"";
    DWORD type = 0;
    DWORD size = sizeof buffer - sizeof buffer[0]; // room kept for a terminator the value may lack
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    buffer[size / sizeof buffer[0]] = L'\0';
    *text = buffer;
    return true;
}

bool WriteDword(HKEY key, const wchar_t *name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool WriteText(HKEY key, const wchar_t *name, const Str &text) {
    const DWORD size = static_cast<DWORD>((text.Length() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.Text()), size) == ERROR_SUCCESS;
}

// Two decimal digits at text[at]; -1 when they are not there.
int TwoDigits(const Str &text, int at) {
    if (text.Length() < at + 2)
        return -1;
    const wchar_t high = text.Text()[at];
    const wchar_t low = text.Text()[at + 1];
    if (high < L'0' || high > L'9' || low < L'0' || low > L'9')
        return -1;
    return (high - L'0') * 10 + (low - L'0');
}

// "hh:mm:ss": the numbers at positions 0, 3 and 6.
bool ParseTime(const Str &text, SYSTEMTIME *time) {
    const int hour = TwoDigits(text, 0);
    const int minute = TwoDigits(text, 3);
    const int second = TwoDigits(text, 6);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    time->wHour = static_cast<WORD>(hour);
    time->wMinute = static_cast<WORD>(minute);
    time->wSecond = static_cast<WORD>(second);
    time->wMilliseconds = 0;
    return true;
}

// "yyyy-mm-dd", checked by the system's own calendar.
bool ParseDate(const Str &text, SYSTEMTIME *time) {
    const int century = TwoDigits(text, 0);
    const int year = TwoDigits(text, 2);
    const int month = TwoDigits(text, 5);
    const int day = TwoDigits(text, 8);
    if (century < 0 || year < 0 || month < 1 || day < 1)
        return false;
    SYSTEMTIME date = *time;
    date.wYear = static_cast<WORD>(century * 100 + year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    FILETIME check;
    if (!SystemTimeToFileTime(&date, &check))
        return false;
    *time = date;
    return true;
}

ULONGLONG FileUnits(const SYSTEMTIME &time) {
    FILETIME file = {};
    SystemTimeToFileTime(&time, &file);
    return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

// Milliseconds from the record's start to nowUtc by the wall clock, capped
// at a day (every countdown is over by then); 0 when the clock was put back
// before the start.
DWORD WallElapsedMs(const CountdownRecord &record, DWORD nowTick, const SYSTEMTIME &nowUtc) {
    if (record.hasDate) {
        SYSTEMTIME now = nowUtc;
        now.wMilliseconds = 0;
        const ULONGLONG start = FileUnits(record.startUtc);
        const ULONGLONG end = FileUnits(now);
        if (end <= start)
            return 0;
        const ULONGLONG ms = (end - start) / 10000;
        return ms < kMsPerDay ? static_cast<DWORD>(ms) : kMsPerDay;
    }
    const DWORD wallMs = WallSeconds(record.startUtc, nowUtc) * 1000;
    // The tick count began after the start, so the start lies at least
    // nowTick back; a time of day short of that was reached on a later day.
    return wallMs + 1000 <= nowTick ? kMsPerDay : wallMs;
}

} // namespace

bool CountdownRecord::Live() const { return start != 0 && set != 0 && set < kMsPerDay && hasSound && hasTime; }

bool ReadCountdownRecord(CountdownRecord *record) {
    *record = CountdownRecord();
    RegKey key;
    if (!key.Open(kCountdownKey, KEY_READ))
        return false;
    Str time, date;
    const bool hasPath = ReadText(key.Get(), L"Path", &record->path);
    const bool hasName = ReadText(key.Get(), L"Sound", &record->sound);
    record->hasSound = hasPath && hasName;
    if (ReadText(key.Get(), L"Time", &time) && ParseTime(time, &record->startUtc)) {
        record->hasTime = true;
        record->startUtc.wYear = 2000; // a valid date until "Date" gives the real one
        record->startUtc.wMonth = 1;
        record->startUtc.wDay = 1;
        record->hasDate = ReadText(key.Get(), L"Date", &date) && ParseDate(date, &record->startUtc);
    }
    if (!ReadDword(key.Get(), L"Start", &record->start))
        record->start = 0;
    if (!ReadDword(key.Get(), L"Set", &record->set))
        record->set = 0;
    return true;
}

bool WriteCountdownRecord(const CountdownRecord &record) {
    RegKey key;
    if (!key.Open(kCountdownKey, KEY_WRITE) && !key.Create(kCountdownKey, KEY_WRITE))
        return false;
    const SYSTEMTIME &utc = record.startUtc;
    Str time, date;
    time.Format(L"%02d:%02d:%02d", utc.wHour, utc.wMinute, utc.wSecond);
    date.Format(L"%04d-%02d-%02d", utc.wYear, utc.wMonth, utc.wDay);
    bool written = WriteDword(key.Get(), L"Start", record.start);
    written = WriteDword(key.Get(), L"Set", record.set) && written;
    written = WriteText(key.Get(), L"Path", record.path) && written;
    written = WriteText(key.Get(), L"Sound", record.sound) && written;
    written = WriteText(key.Get(), L"Time", time) && written;
    written = WriteText(key.Get(), L"Date", date) && written;
    return written;
}

void WriteEndOptions(DWORD vibrate, int volume) {
    WriteRegDword(kCountdownKey, L"Vibro", vibrate);
    WriteRegDword(kCountdownKey, L"Volume", static_cast<DWORD>(volume));
}

void ClearRecord(const wchar_t *key) {
    if (!key || !*key)
        return;
    RegDeleteKeyW(HKEY_CURRENT_USER, key);
    RegKey created;
    if (created.Create(key, KEY_WRITE)) {
        WriteDword(created.Get(), L"Start", 0);
        WriteDword(created.Get(), L"Set", 0);
        created.Close();
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, key);
}

DWORD RebasedStart(const CountdownRecord &record, DWORD nowTick, const SYSTEMTIME &nowUtc) {
    if (!record.hasTime || (nowTick >= record.start && !record.hasDate))
        return record.start;
    const DWORD wallMs = WallElapsedMs(record, nowTick, nowUtc);
    // A tick count at or above "Start" may still have started again since
    // (a restart long after the countdown began): with the start's date at
    // hand, a tick count more than kWallSlackMs off the wall clock is not the
    // one the countdown started on.
    if (nowTick >= record.start) {
        const DWORD tickMs = nowTick - record.start;
        if ((tickMs > wallMs ? tickMs - wallMs : wallMs - tickMs) <= kWallSlackMs)
            return record.start;
    }
    return nowTick - wallMs;
}

bool RunnerDueTime(const SYSTEMTIME &localStart, DWORD durationS, SYSTEMTIME *due, SYSTEMTIME *end) {
    // Carried field by field as on the clock face; floor division keeps a
    // lead longer than the duration on the day before.
    auto floorDiv = [](LONGLONG a, LONGLONG b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    const LONGLONG seconds = static_cast<LONGLONG>(localStart.wSecond) + durationS - kRunnerLeadSeconds;
    const LONGLONG minutes = localStart.wMinute + floorDiv(seconds, 60);
    const LONGLONG hours = localStart.wHour + floorDiv(minutes, 60);
    const LONGLONG days = floorDiv(hours, 24);
    SYSTEMTIME time = localStart;
    time.wSecond = static_cast<WORD>(seconds - floorDiv(seconds, 60) * 60);
    time.wMinute = static_cast<WORD>(minutes - floorDiv(minutes, 60) * 60);
    time.wHour = static_cast<WORD>(hours - days * 24);
    time.wMilliseconds = 0;
    double date = 0;
    if (!SystemTimeToVariantTime(&time, &date))
        return false;
    date += static_cast<double>(days);
    return VariantTimeToSystemTime(date, due) && VariantTimeToSystemTime(date + 1.0, end);
}
