#include "alarm/AlarmTemp.h"

#include <objbase.h>

#include <cmath>
#include <cwchar>
#include <string>

#include "BaseLib/Registry.h"
#include "alarm/AlarmStrings.h"
#include "alarm/ManageNotify.h"
#include "alarm/OleTime.h"

const wchar_t kAlarmKey[] = L"Software\\Velmora\\TallyPad\\Alarm";
const wchar_t kAlarmStoreKey[] = L"Software\\Velmora\\TallyPad\\Alarm\\Sack";
const wchar_t kUnreadableAlarmText[] = L"/T0.0/L/R0/SD/SZ0/E1";

namespace {

const wchar_t kDefaultSound[] = L"\\Windows\\Alarm4.wma";
const int kDefaultVolume = 5;

// The value text of a field: from just after the first occurrence of its key
// to the next "/" or the end. False when the key does not occur.
bool FindField(const wchar_t *text, const wchar_t *key, std::wstring *value) {
    const wchar_t *at = wcsstr(text, key);
    if (!at)
        return false;
    const wchar_t *start = at + wcslen(key);
    const wchar_t *end = wcschr(at + 1, L'/');
    if (!end)
        end = start + wcslen(start);
    value->assign(start, end > start ? end : start);
    return true;
}

// Integer fields read like _wtol: optional sign and leading digits, else 0.
int ReadInt(const wchar_t *text, const wchar_t *key, int missing) {
    std::wstring value;
    return FindField(text, key, &value) ? static_cast<int>(_wtol(value.c_str())) : missing;
}

// The conversion takes time quadratic in its input; a stored date has about
// 45 characters, and past 320 a number is either infinite or its further
// digits no longer change the minute it names.
const size_t kMostDateChars = 320;

// How EncodeAlarm writes a date.
const wchar_t kDateFormat[] = L"%.38f";

// Date fields keep only the digits, signs and the first "." (the stored
// decimal point, whatever the user's number settings) and convert the rest.
// A value that is not a date the platform can convert (infinite, or out of
// its range) reads as missing, so that writing the record back cannot give
// it another meaning.
double ReadDate(const wchar_t *text, const wchar_t *key) {
    std::wstring value;
    if (!FindField(text, key, &value))
        return 0.0;
    std::wstring kept;
    bool point = false;
    for (wchar_t c : value) {
        if (kept.size() == kMostDateChars)
            break;
        if ((c >= L'0' && c <= L'9') || c == L'-')
            kept += c;
        else if (c == L'.' && !point) {
            kept += c;
            point = true;
        }
    }
    const double date = kept.empty() ? 0.0 : wcstod(kept.c_str(), nullptr);
    SYSTEMTIME unused;
    if (!std::isfinite(date) || !OleTime::ToSystemTime(date, &unused))
        return 0.0;
    // Taken as a write would store it: 38 decimals drop the low digits of a
    // tiny value (a denormal), which would otherwise read back as another
    // number.
    Str stored;
    stored.Format(kDateFormat, date);
    return wcstod(stored.Text(), nullptr);
}

Str ReadText(const wchar_t *text, const wchar_t *key) {
    std::wstring value;
    return FindField(text, key, &value) ? Str(value.c_str()) : Str();
}

Str LoadText(UINT id) {
    Str text;
    text.LoadResourceString(id);
    return text;
}

} // namespace

void AlarmTemp::MakeNew() {
    const double now = OleTime::Now();
    time = CManageNotify::NextOneShot(now);
    label = Str();
    repeat_days = 0;
    wchar_t path[MAX_PATH];
    ReadRegString(kAlarmKey, L"Sound", path, MAX_PATH, kDefaultSound);
    sound = path;
    snooze = 1;
    enabled = 1;
    created = now;
    volume = static_cast<int>(ReadRegDword(kAlarmKey, L"Volume", kDefaultVolume));
    vibrate = static_cast<int>(ReadRegDword(kAlarmKey, L"Vibro", 0));
}

Str EncodeAlarm(const AlarmTemp &record) {
    // "%.38f" writes the whole binary expansion of an OLE date, so the text
    // reads back to the same double.
    Str text;
    text.Format(L"/T%.38f/L%s/R%d/SD%s/SZ%d/E%d/CT%.38f/V%d/VIB%d", record.time, record.label.Text(),
                static_cast<int>(record.repeat_days), record.sound.Text(), record.snooze, record.enabled,
                record.created, record.volume, record.vibrate);
    return text;
}

void DecodeAlarm(AlarmTemp &record, const wchar_t *text) {
    if (!text)
        text = L"";
    // "/V" is searched as a plain substring too: it finds the volume because
    // the volume is written before "/VIB".
    record.time = ReadDate(text, L"/T");
    record.label = ReadText(text, L"/L");
    record.repeat_days = static_cast<BYTE>(ReadInt(text, L"/R", 0) & 0xFF);
    record.sound = ReadText(text, L"/SD");
    record.snooze = ReadInt(text, L"/SZ", 0);
    record.enabled = ReadInt(text, L"/E", 0);
    record.created = ReadDate(text, L"/CT");
    record.volume = ReadInt(text, L"/V", -1);
    record.vibrate = ReadInt(text, L"/VIB", 0);
}

Str RepeatText(BYTE repeatDays) {
    const int days = repeatDays & kEveryDay;
    if (repeatDays == kWeekdays)
        return LoadText(IDS_REPEAT_WEEKDAYS);
    if (days == 0)
        return LoadText(IDS_REPEAT_NEVER);
    if (days == kEveryDay)
        return LoadText(IDS_REPEAT_EVERYDAY);

    if ((days & (days - 1)) == 0) {
        int day = 0;
        while (!(days & (1 << day)))
            ++day;
        Str text;
        text.Format(LoadText(IDS_REPEAT_EVERY_DAY), LoadText(IDS_DAY_SUNDAY + day).Text());
        return text;
    }

    Str text;
    for (int day = 0; day < 7; ++day) {
        if (!(days & (1 << day)))
            continue;
        if (!text.IsEmpty())
            text.Append(L" ");
        text.Append(LoadText(IDS_DAY_SUNDAY + day).Prefix(3));
    }
    return text;
}

Str NewAlarmId() {
    GUID guid;
    if (CoCreateGuid(&guid) != S_OK)
        return Str();
    Str id;
    id.Format(L"{%.8X-%.4X-%.4X-%.2X%.2X-%.2X%.2X%.2X%.2X%.2X%.2X}", static_cast<unsigned>(guid.Data1), guid.Data2,
              guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
              guid.Data4[6], guid.Data4[7]);
    return id;
}
