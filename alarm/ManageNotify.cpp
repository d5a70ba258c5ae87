#include "alarm/ManageNotify.h"

#include <notify.h>

#include <cwchar>
#include <memory>
#include <new>
#include <vector>

#include "BaseLib/Clock.h"
#include "alarm/OleTime.h"

namespace {

const wchar_t kRunnerFile[] = L"TallyPadAlarm.exe";
const wchar_t kMainModule[] = L"VelmoraTallyPad.exe";

const ULONGLONG kFileTimeUnitsPerDay = 24ULL * 60 * 60 * 10000000;

// Handles of every notification. The database is shared with other
// processes, so the count may grow between asking for it and reading the
// handles; then ask again. False when the buffer cannot be had.
bool GetNotificationHandles(std::unique_ptr<HANDLE[]> *handles, DWORD *count) {
    DWORD needed = 0;
    CeGetUserNotificationHandles(nullptr, 0, &needed);
    for (int attempt = 0; attempt < 4; ++attempt) {
        *count = 0;
        if (needed == 0)
            return true;
        handles->reset(new (std::nothrow) HANDLE[needed]);
        if (!*handles)
            return false;
        const DWORD room = needed;
        if (CeGetUserNotificationHandles(handles->get(), room, &needed)) {
            *count = needed < room ? needed : room;
            return true;
        }
        if (needed <= room)
            return false;
    }
    return false;
}

// Calls visit(handle, trigger) for every notification whose information can
// be read, in the database's order, until visit returns false.
template <class Visit>
void ForEachNotification(Visit visit) {
    std::unique_ptr<HANDLE[]> handles;
    DWORD count = 0;
    if (!GetNotificationHandles(&handles, &count))
        return;
    for (DWORD i = 0; i < count; ++i) {
        DWORD size = 0;
        CeGetUserNotification(handles[i], 0, &size, nullptr);
        if (size < sizeof(CE_NOTIFICATION_INFO_HEADER))
            continue;
        // The block holds pointers into itself; operator new aligns it for them.
        std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[size]);
        DWORD needed = 0;
        if (!block || !CeGetUserNotification(handles[i], size, &needed, block.get()))
            continue;
        const auto *header = reinterpret_cast<const CE_NOTIFICATION_INFO_HEADER *>(block.get());
        if (header->pcent && !visit(handles[i], *header->pcent))
            return;
    }
}

SYSTEMTIME WholeMinute(const SYSTEMTIME &time) {
    SYSTEMTIME minute = time;
    minute.wSecond = 0;
    minute.wMilliseconds = 0;
    return minute;
}

bool AddOneDay(const SYSTEMTIME &time, SYSTEMTIME *later) {
    FILETIME file;
    if (!SystemTimeToFileTime(&time, &file))
        return false;
    ULARGE_INTEGER units;
    units.LowPart = file.dwLowDateTime;
    units.HighPart = file.dwHighDateTime;
    units.QuadPart += kFileTimeUnitsPerDay;
    file.dwLowDateTime = units.LowPart;
    file.dwHighDateTime = units.HighPart;
    return FileTimeToSystemTime(&file, later) != FALSE;
}

bool SameMinute(const SYSTEMTIME &a, const SYSTEMTIME &b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute;
}

// Minute of the day, for "is that minute still ahead" questions.
int MinuteOfDay(const SYSTEMTIME &time) { return time.wHour * 60 + time.wMinute; }

// Today's date (local, from Clock) at the given time of day, as an OLE date.
double TodayAt(const SYSTEMTIME &now, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME at = now;
    at.wHour = hour;
    at.wMinute = minute;
    at.wSecond = second;
    at.wMilliseconds = 0;
    double date = 0.0;
    OleTime::FromSystemTime(at, &date);
    return date;
}

} // namespace

Str CManageNotify::CommandLine(int kind, const Str &identifier) {
    Str commandLine;
    commandLine.Format(L"sort=%d adx=\"%s\"", kind, identifier.Text());
    return commandLine;
}

Str CManageNotify::RunnerPath() {
    // The runner lies beside the main program. In the runner the main
    // program's module is not loaded and the null handle names the runner
    // itself, which is in the same folder.
    const HMODULE module = GetModuleHandleW(kMainModule);
    std::vector<wchar_t> path;
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        path.assign(size, L'\0');
        const DWORD length = GetModuleFileNameW(module, path.data(), size);
        if (length == 0)
            return Str();
        if (length < size)
            break;
        path.clear(); // cut to the buffer: try a larger one, never use a cut path
    }
    if (path.empty())
        return Str();
    wchar_t *lastSlash = wcsrchr(path.data(), L'\\');
    if (!lastSlash)
        return Str();
    lastSlash[1] = 0;
    Str runner(path.data());
    runner.Append(kRunnerFile);
    return runner;
}

BOOL CManageNotify::RegisterAlarmNotification(const Str &identifier, const SYSTEMTIME &start, const SYSTEMTIME *end,
                                              HANDLE existing, int kind) {
    // An alarm without id could never be found again by the runner or cleared.
    if (kind == kAlarmKind && identifier.IsEmpty())
        return FALSE;
    const Str commandLine = CommandLine(kind, identifier);
    if (!existing && kind == kAlarmKind && FindAlarmNotification(commandLine, start))
        return TRUE; // this minute of this alarm is already pending

    const Str application = RunnerPath();
    if (application.IsEmpty())
        return FALSE;

    CE_NOTIFICATION_TRIGGER trigger = {};
    trigger.dwSize = sizeof trigger;
    trigger.dwType = CNT_TIME;
    trigger.dwEvent = 0;
    // The database copies both texts; it does not write to them.
    trigger.lpszApplication = const_cast<WCHAR *>(application.Text());
    trigger.lpszArguments = const_cast<WCHAR *>(commandLine.Text());
    trigger.stStartTime = WholeMinute(start);
    if (end)
        trigger.stEndTime = WholeMinute(*end);
    else if (!AddOneDay(trigger.stStartTime, &trigger.stEndTime))
        return FALSE;
    return CeSetUserNotificationEx(existing, &trigger, nullptr) != nullptr;
}

BOOL CManageNotify::RegisterAlarmNotification(const Str &id, double ringTime) {
    SYSTEMTIME start;
    if (!OleTime::ToSystemTime(ringTime, &start))
        return FALSE;
    return RegisterAlarmNotification(id, start, nullptr, nullptr, kAlarmKind);
}

BOOL CManageNotify::RegisterAlarmNotification(const Str &id, double oldRingTime, double newRingTime) {
    SYSTEMTIME newStart;
    if (!OleTime::ToSystemTime(newRingTime, &newStart))
        return FALSE;
    HANDLE existing = nullptr;
    SYSTEMTIME oldStart;
    if (OleTime::ToSystemTime(oldRingTime, &oldStart))
        existing = FindAlarmNotification(CommandLine(kAlarmKind, id), oldStart);
    if (existing && RegisterAlarmNotification(id, newStart, nullptr, existing, kAlarmKind))
        return TRUE;
    // No old ring, or it fired or was cleared since it was found: the new
    // ring must still be pending.
    return RegisterAlarmNotification(id, newStart, nullptr, nullptr, kAlarmKind);
}

HANDLE CManageNotify::FindAlarmNotification(const Str &commandLine, const SYSTEMTIME &start) {
    HANDLE found = nullptr;
    ForEachNotification([&](HANDLE handle, const CE_NOTIFICATION_TRIGGER &trigger) {
        // An exact comparison: the command line is the notification's key.
        if (trigger.lpszArguments && wcscmp(trigger.lpszArguments, commandLine) == 0 &&
            SameMinute(trigger.stStartTime, start)) {
            found = handle;
            return false;
        }
        return true;
    });
    return found;
}

BOOL CManageNotify::ClearNotifications(int mode, const Str &identifier) {
    const wchar_t *contained = nullptr;
    if (mode == kClearTimers)
        contained = L"sort=1";
    else if (mode == kClearIdentifier && !identifier.IsEmpty())
        contained = identifier; // every command line contains the empty text
    if (!contained)
        return FALSE;

    BOOL result = FALSE;
    ForEachNotification([&](HANDLE handle, const CE_NOTIFICATION_TRIGGER &trigger) {
        if (trigger.lpszArguments && wcsstr(trigger.lpszArguments, contained))
            result = CeClearUserNotification(handle);
        return true;
    });
    return result;
}

double CManageNotify::NextOneShot(double alarmTime) {
    SYSTEMTIME alarm;
    if (!OleTime::ToSystemTime(alarmTime, &alarm))
        return alarmTime; // no time of day to take; registering it fails later
    SYSTEMTIME now;
    Clock::LocalTime(&now);
    const double today = TodayAt(now, alarm.wHour, alarm.wMinute, alarm.wSecond);
    return MinuteOfDay(alarm) > MinuteOfDay(now) ? today : today + OleTime::kOneDay;
}

double CManageNotify::NextRepeat(const AlarmTemp &record) { return NextRepeat(record, record.time); }

double CManageNotify::NextRepeat(const AlarmTemp &record, double base) {
    const int days = record.repeat_days & kEveryDay;
    SYSTEMTIME at;
    if (days == 0 || !OleTime::ToSystemTime(base, &at))
        return 0.0;
    SYSTEMTIME now;
    Clock::LocalTime(&now);
    const double today = TodayAt(now, at.wHour, at.wMinute, 0);
    const int weekday = OleTime::Weekday(today);
    if (MinuteOfDay(at) > MinuteOfDay(now) && (days & (1 << weekday)))
        return today;
    // d = 7 is today one week later: an alarm of today only, already passed.
    for (int d = 1; d <= 7; ++d) {
        if (days & (1 << ((weekday + d) % 7)))
            return today + d * OleTime::kOneDay;
    }
    return 0.0;
}
