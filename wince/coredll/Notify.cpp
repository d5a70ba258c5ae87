// User notifications over the device's notification database (NotifyStore.h).
// Every call reads the database under its lock, so processes see each other's
// changes at once; a change wakes the notification service, and starts it
// when it is not running.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>

#include "NotifyStore.h"
#include "notify.h"

namespace {

// The handheld's trigger size, for 32-bit pointers; callers may give it.
constexpr DWORD kHandheldTriggerSize = 52;
// Longest a change waits for a service it started to come up; only the first
// change after the service stopped pays it.
constexpr DWORD kServiceStartWaitMs = 5000;

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

DWORD HandleValue(HANDLE h) { return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(h)); }

HANDLE AsHandle(DWORD value) { return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value)); }

bool IsValidHandleValue(HANDLE h) {
    ULONG_PTR value = reinterpret_cast<ULONG_PTR>(h);
    return value != 0 && value <= 0x7FFFFFFF;
}

// Takes a caller's text of at most `limit` characters. Measures no further
// than one past the limit, so an unterminated or huge text is refused
// without being read to its end.
bool TakeText(const WCHAR *text, size_t limit, notify::OptText &out) {
    out.present = text != nullptr;
    out.text.clear();
    if (!text)
        return true;
    size_t length = wcsnlen(text, limit + 1);
    if (length > limit)
        return false;
    out.text.assign(text, length);
    return true;
}

bool IsZeroTime(const SYSTEMTIME &t) {
    static const SYSTEMTIME zero = {};
    return memcmp(&t, &zero, sizeof t) == 0;
}

bool IsValidTime(const SYSTEMTIME &t) {
    FILETIME unused;
    return SystemTimeToFileTime(&t, &unused) != FALSE;
}

// Checks a registration and turns it into a record; fails with the reason
// as the last error and leaves nothing half-taken behind.
bool MakeRecord(const CE_NOTIFICATION_TRIGGER *trigger, const CE_USER_NOTIFICATION *user, notify::Record &r) {
    if (!trigger || (trigger->dwSize != sizeof(CE_NOTIFICATION_TRIGGER) && trigger->dwSize != kHandheldTriggerSize))
        return Fail(ERROR_INVALID_PARAMETER);
    if (trigger->dwType < CNT_EVENT || trigger->dwType > CNT_CLASSICTIME)
        return Fail(ERROR_INVALID_PARAMETER);
    r.type = trigger->dwType;
    r.event = trigger->dwEvent;
    r.start = trigger->stStartTime;
    r.end = trigger->stEndTime;
    if (r.type != CNT_EVENT && (!IsValidTime(r.start) || (!IsZeroTime(r.end) && !IsValidTime(r.end))))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!TakeText(trigger->lpszApplication, CE_NOTIFICATION_MAX_APPLICATION, r.application) ||
        !TakeText(trigger->lpszArguments, CE_NOTIFICATION_MAX_ARGUMENTS, r.arguments))
        return Fail(ERROR_INVALID_PARAMETER);
    if (r.type == CNT_TIME && r.application.text.empty())
        return Fail(ERROR_INVALID_PARAMETER); // nothing to start
    r.hasUser = user != nullptr;
    if (user) {
        r.actionFlags = user->ActionFlags;
        r.maxSound = user->nMaxSound;
        r.reserved = user->dwReserved;
        if (!TakeText(user->pwszDialogTitle, CE_NOTIFICATION_MAX_DIALOG_TEXT, r.title) ||
            !TakeText(user->pwszDialogText, CE_NOTIFICATION_MAX_DIALOG_TEXT, r.text) ||
            !TakeText(user->pwszSound, CE_NOTIFICATION_MAX_SOUND, r.sound))
            return Fail(ERROR_INVALID_PARAMETER);
    }
    return true;
}

// Folder of this DLL, with its trailing backslash.
std::wstring OwnFolder() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&OwnFolder), &self))
        return std::wstring();
    wchar_t path[1024];
    DWORD n = GetModuleFileNameW(self, path, 1024);
    if (n == 0 || n >= 1024)
        return std::wstring();
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// The service installed beside this DLL, else the device's own in \Windows.
std::wstring ServicePath() {
    for (const std::wstring &folder : {OwnFolder(), std::wstring(L"C:\\Windows\\")}) {
        if (folder.empty())
            continue;
        std::wstring path = folder + notify::kServiceProgram;
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return path;
    }
    return std::wstring();
}

// Whether a service holds its single-instance mutex. The mutex may exist
// unowned (a service gave it up while a handle to it was still open), so
// this tries to take it for a moment; a service that is just starting waits
// long enough for it.
bool ServiceRunning() {
    HANDLE mutex =
        OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, notify::DeviceObjectName(notify::kServiceRole).c_str());
    if (!mutex)
        return false;
    DWORD wait = WaitForSingleObject(mutex, 0);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
        ReleaseMutex(mutex);
    CloseHandle(mutex);
    return wait == WAIT_TIMEOUT;
}

// Starts the service and waits until it holds its single-instance mutex (or
// ended: another instance won), so that callers queued behind this one find
// it running and do not start more.
void LaunchService(const std::wstring &path) {
    std::wstring commandLine = L"\"" + path + L"\"";
    std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return;
    CloseHandle(pi.hThread);
    for (DWORD waited = 0; waited < kServiceStartWaitMs && !ServiceRunning(); waited += 10) {
        if (WaitForSingleObject(pi.hProcess, 10) == WAIT_OBJECT_0)
            break;
    }
    CloseHandle(pi.hProcess);
}

// Starts the service of this device when no instance holds its mutex. One
// caller at a time launches (a named mutex), so a burst of registrations
// from several threads and processes starts one service. The service
// inherits the environment, so it serves the same device folder.
// Registration does not depend on it: the database is the contract, and the
// device's boot starts the service too.
void EnsureServiceRunning() {
    if (ServiceRunning())
        return;
    std::wstring path = ServicePath();
    if (path.empty())
        return;
    HANDLE launch = CreateMutexW(nullptr, FALSE, notify::DeviceObjectName(L"Launch").c_str());
    if (!launch)
        return;
    DWORD wait = WaitForSingleObject(launch, 2 * kServiceStartWaitMs);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
        if (!ServiceRunning())
            LaunchService(path);
        ReleaseMutex(launch);
    }
    CloseHandle(launch);
}

// After a change: the running service re-plans, a stopped one is started.
void AnnounceChange() {
    notify::SignalChange();
    EnsureServiceRunning();
}

// Layout of CeGetUserNotification's block: header, trigger, user
// notification (when there is one), then the strings.
struct BlockLayout {
    size_t trigger;
    size_t user;
    size_t strings;
    size_t size;
};

size_t AlignUp(size_t n, size_t alignment) { return (n + alignment - 1) / alignment * alignment; }

size_t TextBytes(const notify::OptText &t) { return t.present ? (t.text.size() + 1) * sizeof(WCHAR) : 0; }

BlockLayout LayoutOf(const notify::Record &r) {
    BlockLayout layout;
    layout.trigger = AlignUp(sizeof(CE_NOTIFICATION_INFO_HEADER), alignof(CE_NOTIFICATION_TRIGGER));
    layout.user = AlignUp(layout.trigger + sizeof(CE_NOTIFICATION_TRIGGER), alignof(CE_USER_NOTIFICATION));
    layout.strings = r.hasUser ? layout.user + sizeof(CE_USER_NOTIFICATION) : layout.user;
    layout.size = layout.strings + TextBytes(r.application) + TextBytes(r.arguments);
    if (r.hasUser)
        layout.size += TextBytes(r.title) + TextBytes(r.text) + TextBytes(r.sound);
    return layout;
}

// Copies a text into the block at `at` and returns where it went (NULL for
// an absent text); `at` moves past it.
WCHAR *PutText(BYTE *block, size_t &at, const notify::OptText &t) {
    if (!t.present)
        return nullptr;
    WCHAR *place = reinterpret_cast<WCHAR *>(block + at);
    memcpy(place, t.text.data(), t.text.size() * sizeof(WCHAR));
    place[t.text.size()] = L'\0';
    at += TextBytes(t);
    return place;
}

void FillBlock(const notify::Record &r, const BlockLayout &layout, BYTE *block) {
    memset(block, 0, layout.size);
    auto *header = reinterpret_cast<CE_NOTIFICATION_INFO_HEADER *>(block);
    auto *trigger = reinterpret_cast<CE_NOTIFICATION_TRIGGER *>(block + layout.trigger);
    header->hNotification = AsHandle(r.handle);
    header->dwStatus = r.status;
    header->pcent = trigger;
    size_t at = layout.strings;
    trigger->dwSize = sizeof(CE_NOTIFICATION_TRIGGER);
    trigger->dwType = r.type;
    trigger->dwEvent = r.event;
    trigger->lpszApplication = PutText(block, at, r.application);
    trigger->lpszArguments = PutText(block, at, r.arguments);
    trigger->stStartTime = r.start;
    trigger->stEndTime = r.end;
    if (!r.hasUser)
        return;
    auto *user = reinterpret_cast<CE_USER_NOTIFICATION *>(block + layout.user);
    header->pceun = user;
    user->ActionFlags = r.actionFlags;
    user->nMaxSound = r.maxSound;
    user->dwReserved = r.reserved;
    user->pwszDialogTitle = PutText(block, at, r.title);
    user->pwszDialogText = PutText(block, at, r.text);
    user->pwszSound = PutText(block, at, r.sound);
}

} // namespace

extern "C" HANDLE WINAPI CeSetUserNotificationEx(HANDLE hNotification, CE_NOTIFICATION_TRIGGER *pcnt,
                                                 CE_USER_NOTIFICATION *pceun) {
    notify::Record record;
    if (!MakeRecord(pcnt, pceun, record))
        return nullptr;
    if (hNotification && !IsValidHandleValue(hNotification)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    {
        notify::DatabaseLock lock;
        notify::Database db;
        if (!lock.Held() || !notify::Load(db))
            return nullptr;
        if (hNotification) {
            notify::Record *existing = db.Find(HandleValue(hNotification));
            if (!existing) {
                SetLastError(ERROR_INVALID_HANDLE);
                return nullptr;
            }
            record.handle = existing->handle;
            *existing = record;
        } else {
            record.handle = db.TakeHandle();
            db.records.push_back(record);
        }
        if (!notify::Save(db))
            return nullptr;
    }
    AnnounceChange();
    return AsHandle(record.handle);
}

extern "C" BOOL WINAPI CeClearUserNotification(HANDLE hNotification) {
    if (!IsValidHandleValue(hNotification))
        return Fail(ERROR_INVALID_HANDLE);
    {
        notify::DatabaseLock lock;
        notify::Database db;
        if (!lock.Held() || !notify::Load(db))
            return FALSE;
        const DWORD handle = HandleValue(hNotification);
        size_t before = db.records.size();
        db.records.erase(std::remove_if(db.records.begin(), db.records.end(),
                                        [handle](const notify::Record &r) { return r.handle == handle; }),
                         db.records.end());
        if (db.records.size() == before)
            return Fail(ERROR_INVALID_HANDLE);
        if (!notify::Save(db))
            return FALSE;
    }
    AnnounceChange();
    return TRUE;
}

extern "C" BOOL WINAPI CeGetUserNotificationHandles(HANDLE *rghNotifications, DWORD cHandles, LPDWORD pcHandlesNeeded) {
    if (!pcHandlesNeeded)
        return Fail(ERROR_INVALID_PARAMETER);
    notify::DatabaseLock lock;
    notify::Database db;
    if (!lock.Held() || !notify::Load(db))
        return FALSE;
    const DWORD count = static_cast<DWORD>(db.records.size());
    *pcHandlesNeeded = count;
    if (!rghNotifications)
        return TRUE;
    for (DWORD i = 0; i < count && i < cHandles; ++i)
        rghNotifications[i] = AsHandle(db.records[i].handle);
    return cHandles >= count ? TRUE : Fail(ERROR_INSUFFICIENT_BUFFER);
}

extern "C" BOOL WINAPI CeGetUserNotification(HANDLE hNotification, DWORD cBufferSize, LPDWORD pcBytesNeeded,
                                             LPBYTE pBuffer) {
    if (!pcBytesNeeded || (cBufferSize > 0 && !pBuffer))
        return Fail(ERROR_INVALID_PARAMETER);
    *pcBytesNeeded = 0;
    if (!IsValidHandleValue(hNotification))
        return Fail(ERROR_INVALID_HANDLE);
    notify::DatabaseLock lock;
    notify::Database db;
    if (!lock.Held() || !notify::Load(db))
        return FALSE;
    const notify::Record *record = db.Find(HandleValue(hNotification));
    if (!record)
        return Fail(ERROR_INVALID_HANDLE);
    const BlockLayout layout = LayoutOf(*record);
    *pcBytesNeeded = static_cast<DWORD>(layout.size);
    if (cBufferSize == 0)
        return TRUE;
    if (cBufferSize < layout.size)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    FillBlock(*record, layout, pBuffer);
    return TRUE;
}
