#include "NotifyStore.h"

#include <cstring>
#include <unordered_set>

#include "DeviceState.h"
#include "notify.h"

namespace notify {

const wchar_t kServiceRole[] = L"Service";
const wchar_t kChangedRole[] = L"Changed";
const wchar_t kServiceWindowClass[] = L"TallyPadNotificationService";
const wchar_t kServiceProgram[] = L"NotificationService.exe";

namespace {

const char kMagic[8] = {'T', 'P', 'N', 'O', 'T', 'I', 'F', 'Y'};
constexpr DWORD kVersion = 1;
constexpr DWORD kNoText = 0xFFFFFFFF;
constexpr DWORD kLastHandle = 0x7FFFFFFF; // handles stay positive even where a caller keeps them in an int
// No text the database accepts is longer; a larger length means a damaged file.
constexpr DWORD kLongestText = CE_NOTIFICATION_MAX_ARGUMENTS;
constexpr DWORD kMostRecords = 1000000;

const wchar_t kDatabaseFile[] = L"notify.db";
const wchar_t kDamagedFile[] = L"notify.db.bad";
// Damaged databases kept for inspection: "notify.db.bad" and four before it.
constexpr int kKeptDamaged = 5;

// Only what the functions accept as a handle may come out of the file.
bool IsHandle(DWORD value) { return value >= 1 && value <= kLastHandle; }

DWORD Fnv1a(const char *data, size_t size) {
    DWORD hash = 2166136261u;
    for (size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(data[i]);
        hash *= 16777619u;
    }
    return hash;
}

class Writer {
public:
    void U8(BYTE v) { bytes_.push_back(static_cast<char>(v)); }
    void U32(DWORD v) {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void Time(const SYSTEMTIME &t) {
        for (WORD w : {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds}) {
            bytes_.push_back(static_cast<char>(w & 0xFF));
            bytes_.push_back(static_cast<char>(w >> 8));
        }
    }
    void Text(const OptText &t) {
        if (!t.present) {
            U32(kNoText);
            return;
        }
        U32(static_cast<DWORD>(t.text.size()));
        for (wchar_t c : t.text) {
            bytes_.push_back(static_cast<char>(c & 0xFF));
            bytes_.push_back(static_cast<char>(c >> 8));
        }
    }
    std::string &Bytes() { return bytes_; }

private:
    std::string bytes_;
};

// Reads what Writer wrote; every read checks the bounds, so a damaged file
// fails instead of reading past its end.
class Reader {
public:
    Reader(const char *data, size_t size) : data_(data), size_(size) {}
    bool U8(BYTE &v) {
        if (!Has(1))
            return false;
        v = static_cast<BYTE>(data_[at_++]);
        return true;
    }
    bool U32(DWORD &v) {
        if (!Has(4))
            return false;
        v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<DWORD>(static_cast<unsigned char>(data_[at_++])) << (8 * i);
        return true;
    }
    bool Word(WORD &v) {
        if (!Has(2))
            return false;
        v = static_cast<WORD>(static_cast<unsigned char>(data_[at_]) |
                              (static_cast<unsigned char>(data_[at_ + 1]) << 8));
        at_ += 2;
        return true;
    }
    bool Time(SYSTEMTIME &t) {
        return Word(t.wYear) && Word(t.wMonth) && Word(t.wDayOfWeek) && Word(t.wDay) && Word(t.wHour) &&
               Word(t.wMinute) && Word(t.wSecond) && Word(t.wMilliseconds);
    }
    bool Text(OptText &t) {
        DWORD length = 0;
        if (!U32(length))
            return false;
        t.present = length != kNoText;
        t.text.clear();
        if (!t.present)
            return true;
        if (length > kLongestText || !Has(2 * size_t(length)))
            return false;
        t.text.resize(length);
        for (DWORD i = 0; i < length; ++i) {
            WORD unit = 0;
            Word(unit);
            t.text[i] = static_cast<wchar_t>(unit);
        }
        return true;
    }
    bool AtEnd() const { return at_ == size_; }

private:
    bool Has(size_t n) const { return size_ - at_ >= n; }
    const char *data_;
    size_t size_;
    size_t at_ = 0;
};

bool ReadRecord(Reader &in, Record &r) {
    BYTE hasUser = 0;
    if (!(in.U32(r.handle) && in.U32(r.status) && in.U32(r.type) && in.U32(r.event) && in.Time(r.start) &&
          in.Time(r.end) && in.Text(r.application) && in.Text(r.arguments) && in.U8(hasUser)))
        return false;
    if (hasUser > 1)
        return false;
    r.hasUser = hasUser == 1;
    if (!r.hasUser)
        return true;
    return in.U32(r.actionFlags) && in.U32(r.maxSound) && in.U32(r.reserved) && in.Text(r.title) && in.Text(r.text) &&
           in.Text(r.sound);
}

std::wstring DevicePath(const wchar_t *name) {
    std::wstring folder = device::FolderPath();
    return folder.empty() ? folder : folder + L'\\' + name;
}

// Seconds since 2020 (UTC): a handle counter started from it is above every
// handle of a database that was damaged, unless that one handed out more
// handles than seconds have passed since.
DWORD HandleSeedFromClock() {
    SYSTEMTIME epoch = {2020, 1, 3, 1, 0, 0, 0, 0};
    FILETIME epochFile, nowFile;
    SystemTimeToFileTime(&epoch, &epochFile);
    GetSystemTimeAsFileTime(&nowFile);
    ULARGE_INTEGER a, b;
    a.LowPart = epochFile.dwLowDateTime;
    a.HighPart = epochFile.dwHighDateTime;
    b.LowPart = nowFile.dwLowDateTime;
    b.HighPart = nowFile.dwHighDateTime;
    ULONGLONG seconds = b.QuadPart > a.QuadPart ? (b.QuadPart - a.QuadPart) / 10000000ull : 0;
    return static_cast<DWORD>(seconds % kLastHandle) + 1;
}

bool IsRegularFile(const std::wstring &path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "notify.db.bad" for 0, "notify.db.bad.<n>" after it, the oldest last.
std::wstring DamagedPath(int n) {
    std::wstring name = kDamagedFile;
    if (n > 0)
        name += L'.' + std::to_wstring(n);
    return DevicePath(name.c_str());
}

// Moves the damaged database to "notify.db.bad", the copies set aside
// before moving one place down, the oldest of kKeptDamaged dropped. A name
// that cannot be freed (held open, or a folder) is passed over: the move
// never replaces a file. Gives the name used, or "" with the last error set.
std::wstring SetDamagedAside() {
    for (int n = kKeptDamaged - 1; n > 0; --n) {
        if (IsRegularFile(DamagedPath(n - 1)))
            MoveFileExW(DamagedPath(n - 1).c_str(), DamagedPath(n).c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int n = 0; n < kKeptDamaged; ++n) {
        const std::wstring aside = DamagedPath(n);
        if (MoveFileExW(DevicePath(kDatabaseFile).c_str(), aside.c_str(), 0))
            return aside.substr(aside.find_last_of(L'\\') + 1);
        error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS && error != ERROR_ACCESS_DENIED)
            break; // the database itself cannot be moved
    }
    SetLastError(error);
    return std::wstring();
}

// Sets a damaged database aside for inspection and starts an empty one whose
// handles cannot collide with those it handed out. When it cannot be set
// aside it stays where it is and the call fails: its records may yet be
// recovered, and saving over it would lose them.
bool StartOverFromDamaged(const std::string &bytes, Database &db) {
    const std::wstring aside = SetDamagedAside();
    if (aside.empty()) {
        DWORD error = GetLastError();
        Log(L"database damaged: cannot set it aside (error " + std::to_wstring(error) + L"), left in place");
        SetLastError(error);
        return false;
    }
    db = Database();
    db.nextHandle = HandleSeedFromClock();
    // The counter sits at a fixed place; take it when it is still readable.
    DWORD oldNext = 0;
    if (bytes.size() >= 16 && memcmp(bytes.data(), kMagic, 8) == 0) {
        Reader header(bytes.data() + 12, 4);
        if (header.U32(oldNext) && oldNext > db.nextHandle && oldNext <= kLastHandle)
            db.nextHandle = oldNext;
    }
    Log(L"database damaged: moved to " + aside + L", starting empty");
    // Saved at once, so that the counter holds even if nothing else is stored.
    return Save(db);
}

// Lower-cased full path, so that two spellings of one folder name one device.
std::wstring CanonicalFolder() {
    std::wstring folder = device::FolderPath();
    wchar_t full[1024];
    DWORD n = GetFullPathNameW(folder.c_str(), 1024, full, nullptr);
    if (n > 0 && n < 1024)
        folder.assign(full, n);
    if (!folder.empty())
        CharLowerBuffW(&folder[0], static_cast<DWORD>(folder.size()));
    return folder;
}

} // namespace

Record *Database::Find(DWORD handle) {
    for (Record &r : records) {
        if (r.handle == handle)
            return &r;
    }
    return nullptr;
}

DWORD Database::TakeHandle() {
    for (;;) {
        DWORD handle = nextHandle;
        nextHandle = handle >= kLastHandle ? 1 : handle + 1;
        if (handle != 0 && !Find(handle))
            return handle;
    }
}

std::wstring DeviceObjectName(const wchar_t *role) {
    std::wstring folder = CanonicalFolder();
    unsigned long long hash = 14695981039346656037ull;
    for (wchar_t c : folder) {
        hash ^= static_cast<unsigned long long>(c);
        hash *= 1099511628211ull;
    }
    wchar_t name[96];
    _snwprintf(name, 96, L"Local\\TallyPadNotify.%016llx.%s", hash, role);
    name[95] = L'\0';
    return name;
}

DatabaseLock::DatabaseLock()
    : mutex_(CreateMutexW(nullptr, FALSE, DeviceObjectName(L"Database").c_str())), owned_(false) {
    if (mutex_) {
        DWORD wait = WaitForSingleObject(mutex_, INFINITE);
        owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
}

DatabaseLock::~DatabaseLock() {
    if (owned_)
        ReleaseMutex(mutex_);
    if (mutex_)
        CloseHandle(mutex_);
}

std::string Serialize(const Database &db) {
    Writer out;
    out.Bytes().append(kMagic, sizeof kMagic);
    out.U32(kVersion);
    out.U32(db.nextHandle);
    out.U32(static_cast<DWORD>(db.records.size()));
    for (const Record &r : db.records) {
        out.U32(r.handle);
        out.U32(r.status);
        out.U32(r.type);
        out.U32(r.event);
        out.Time(r.start);
        out.Time(r.end);
        out.Text(r.application);
        out.Text(r.arguments);
        out.U8(r.hasUser ? 1 : 0);
        if (r.hasUser) {
            out.U32(r.actionFlags);
            out.U32(r.maxSound);
            out.U32(r.reserved);
            out.Text(r.title);
            out.Text(r.text);
            out.Text(r.sound);
        }
    }
    std::string &bytes = out.Bytes();
    out.U32(Fnv1a(bytes.data(), bytes.size()));
    return bytes;
}

bool Deserialize(const std::string &bytes, Database &db) {
    if (bytes.size() < sizeof kMagic + 16 || memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return false;
    const size_t body = bytes.size() - 4;
    Reader sum(bytes.data() + body, 4);
    DWORD checksum = 0;
    if (!sum.U32(checksum) || checksum != Fnv1a(bytes.data(), body))
        return false;
    Reader in(bytes.data() + sizeof kMagic, body - sizeof kMagic);
    DWORD version = 0, count = 0;
    Database loaded;
    if (!in.U32(version) || version != kVersion || !in.U32(loaded.nextHandle) || !IsHandle(loaded.nextHandle) ||
        !in.U32(count) || count > kMostRecords)
        return false;
    // Handles seen so far in a set: searching the records for each one
    // would take quadratic time, minutes for a file of many records.
    std::unordered_set<DWORD> handles;
    for (DWORD i = 0; i < count; ++i) {
        Record r;
        if (!ReadRecord(in, r) || !IsHandle(r.handle) || !handles.insert(r.handle).second)
            return false;
        loaded.records.push_back(std::move(r));
    }
    if (!in.AtEnd())
        return false;
    db = std::move(loaded);
    return true;
}

bool Load(Database &db) {
    std::string bytes;
    if (!device::ReadText(kDatabaseFile, bytes)) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return false;
        if (device::FolderPath().empty())
            return false; // ReadText set ERROR_PATH_NOT_FOUND: there is no device folder at all
        db = Database();
        return true;
    }
    return Deserialize(bytes, db) || StartOverFromDamaged(bytes, db);
}

bool Save(const Database &db) { return device::ReplaceText(kDatabaseFile, Serialize(db)); }

void SignalChange() {
    if (HANDLE changed = CreateEventW(nullptr, FALSE, FALSE, DeviceObjectName(kChangedRole).c_str())) {
        SetEvent(changed);
        CloseHandle(changed);
    }
}

void Log(const std::wstring &text) {
    std::wstring line = text;
    // One event, one line, whatever the texts it quotes hold.
    for (wchar_t &c : line) {
        if (c < L' ')
            c = L'?';
    }
    device::StateLock lock;
    device::AppendText(L"notify.log", device::Stamp() + " " + device::ToUtf8(line) + "\r\n");
}

} // namespace notify
