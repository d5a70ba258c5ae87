// The notification database of the device, shared by coredll.dll (the user
// notification functions) and the notification service.
//
// It is one file, notify.db in the device folder, always replaced whole: a
// new version is written to notify.db.tmp, flushed and moved over the old
// one, so a reader or a crash sees either the old or the new database, never
// a mix. Every read-modify-write holds the device's notification lock, a
// named mutex, so concurrent processes take turns and lose nothing.
//
// File layout (little-endian): "TPNOTIFY", u32 version (1), u32 next handle,
// u32 record count, the records, then u32 FNV-1a checksum of all before it.
// Record: u32 handle, u32 status, u32 type, u32 event, SYSTEMTIME start,
// SYSTEMTIME end, text application, text arguments, u8 has user
// notification, and when it has: u32 action flags, u32 max sound,
// u32 reserved, text title, text dialog text, text sound. Text: u32 length
// in UTF-16 units (0xFFFFFFFF for none), then the units.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace notify {

// A text that may be absent: callers pass NULL and expect NULL back.
struct OptText {
    bool present = false;
    std::wstring text;
};

struct Record {
    DWORD handle = 0;
    DWORD status = 0;
    DWORD type = 0;
    DWORD event = 0;
    SYSTEMTIME start = {};
    SYSTEMTIME end = {};
    OptText application;
    OptText arguments;
    bool hasUser = false;
    DWORD actionFlags = 0;
    DWORD maxSound = 0;
    DWORD reserved = 0;
    OptText title;
    OptText text;
    OptText sound;
};

struct Database {
    DWORD nextHandle = 1;        // persistent, so a freed handle is not handed out again soon
    std::vector<Record> records; // in the order of creation

    Record *Find(DWORD handle);
    // A handle not in use, advancing nextHandle past it.
    DWORD TakeHandle();
};

// Name of a named kernel object that belongs to this device: the device
// folder's path is hashed into it, so devices with different folders (tests
// run side by side) never share a service, lock or event.
std::wstring DeviceObjectName(const wchar_t *role);

// Holds the device's notification lock while it lives. A holder that died
// leaves the mutex abandoned; the file is still whole (it is only ever
// replaced), so the next holder simply goes on.
class DatabaseLock {
public:
    DatabaseLock();
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock &) = delete;
    DatabaseLock &operator=(const DatabaseLock &) = delete;
    bool Held() const { return owned_; }

private:
    HANDLE mutex_; // owned
    bool owned_;
};

// Both need a DatabaseLock held and fail with the last error set. A missing
// file loads as an empty database. A damaged one (a bad checksum, layout or
// handle outside 1..0x7FFFFFFF) is moved aside to notify.db.bad, the last
// few before it kept as notify.db.bad.1, .2, ..., and loads as empty, with
// handles starting where no earlier handle can have been; when it cannot be
// moved aside, it is left untouched and Load fails.
bool Load(Database &db);
bool Save(const Database &db);

// Wakes the notification service to re-read the database.
void SignalChange();

// Byte form of a database, for tests of the file format.
std::string Serialize(const Database &db);
bool Deserialize(const std::string &bytes, Database &db);

// Writes a line to notify.log in the device folder:
// "YYYY-MM-DD HH:MM:SS.mmm <tick> <text>\r\n".
void Log(const std::wstring &text);

// The service's single-instance mutex (DeviceObjectName(kServiceRole)),
// the auto-reset event that changes set (DeviceObjectName(kChangedRole)), and
// its hidden window, which receives WM_TIMECHANGE and WM_CLOSE (a request to
// end) and whose caption is the name of the single-instance mutex.
extern const wchar_t kServiceRole[];
extern const wchar_t kChangedRole[];
extern const wchar_t kServiceWindowClass[];
extern const wchar_t kServiceProgram[];

} // namespace notify
