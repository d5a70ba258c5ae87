#include "DeviceState.h"

#include <cstdio>

#include "DeviceClock.h"
#include "FileHandle.h"

namespace device {
namespace {

std::wstring Environment(const wchar_t *name) {
    std::wstring value(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetEnvironmentVariableW(name, &value[0], static_cast<DWORD>(value.size()));
        if (n == 0)
            return std::wstring();
        if (n < value.size()) {
            value.resize(n);
            return value;
        }
        value.resize(n); // n is the size needed, terminator included
    }
}

// Creates every missing folder along the path; roots and folders that exist
// fail harmlessly, so only the final check counts.
bool CreateFolderTree(const std::wstring &path) {
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\' || path[i] == L'/')
            CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HANDLE Open(const std::wstring &path, DWORD access, DWORD disposition) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Opens a file of the device folder, making the folder when writing needs it.
HANDLE OpenDeviceFile(const wchar_t *name, DWORD access, DWORD disposition) {
    std::wstring folder = FolderPath();
    if (folder.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::wstring path = folder + L'\\' + name;
    HANDLE h = Open(path, access, disposition);
    if (h == INVALID_HANDLE_VALUE && disposition != OPEN_EXISTING && GetLastError() == ERROR_PATH_NOT_FOUND &&
        CreateFolderTree(folder))
        h = Open(path, access, disposition);
    return h;
}

bool WriteAll(HANDLE h, const std::string &text) {
    DWORD written = 0;
    if (!WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        return false;
    if (written != text.size()) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}

HANDLE SharedMutex() {
    // Named objects are per Wine prefix (per wineserver), as the device is.
    static HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\TallyPadDevice.State");
    return mutex;
}

} // namespace

std::wstring FolderPath() {
    std::wstring folder = Environment(L"TALLYPAD_DEVICE_DIR");
    if (folder.empty()) {
        folder = Environment(L"LOCALAPPDATA");
        if (folder.empty())
            return folder;
        folder += L"\\TallyPadDevice";
    }
    while (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    return folder;
}

StateLock::StateLock() : mutex_(SharedMutex()), owned_(false) {
    // An abandoned mutex (a writer died) is ours all the same.
    if (mutex_) {
        DWORD wait = WaitForSingleObject(mutex_, INFINITE);
        owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
}

StateLock::~StateLock() {
    if (owned_)
        ReleaseMutex(mutex_);
}

std::string Stamp() {
    SYSTEMTIME t;
    ClockLocal(&t);
    DWORD tick = ClockTick();
    char text[48];
    int n = snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d %lu", t.wYear, t.wMonth, t.wDay, t.wHour,
                     t.wMinute, t.wSecond, t.wMilliseconds, tick);
    return std::string(text, n > 0 ? n : 0);
}

std::string ToUtf8(const std::wstring &text) {
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const std::string &text) {
    if (text.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

bool AppendText(const wchar_t *name, const std::string &text) {
    FileHandle file(OpenDeviceFile(name, FILE_APPEND_DATA, OPEN_ALWAYS));
    return file.valid() && WriteAll(file.get(), text);
}

bool AppendBounded(const wchar_t *name, const std::string &text, size_t keep) {
    LARGE_INTEGER size = {};
    {
        FileHandle file(OpenDeviceFile(name, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, OPEN_ALWAYS));
        if (!file.valid() || !WriteAll(file.get(), text))
            return false;
        if (!GetFileSizeEx(file.get(), &size) || static_cast<ULONGLONG>(size.QuadPart) <= 2 * keep)
            return true;
    }
    std::string whole;
    if (!ReadText(name, whole) || whole.size() <= keep)
        return true;
    size_t cut = whole.find('\n', whole.size() - keep);
    if (cut == std::string::npos)
        return true;
    // The text is appended already; a log that could not be cut stays whole.
    ReplaceText(name, whole.substr(cut + 1));
    return true;
}

bool WriteText(const wchar_t *name, const std::string &text) {
    FileHandle file(OpenDeviceFile(name, GENERIC_WRITE, CREATE_ALWAYS));
    return file.valid() && WriteAll(file.get(), text);
}

bool ReplaceText(const wchar_t *name, const std::string &text) {
    const std::wstring temp = std::wstring(name) + L".tmp";
    {
        FileHandle file(OpenDeviceFile(temp.c_str(), GENERIC_WRITE, CREATE_ALWAYS));
        if (!file.valid() || !WriteAll(file.get(), text) || !FlushFileBuffers(file.get()))
            return false;
    }
    const std::wstring folder = FolderPath();
    return MoveFileExW((folder + L'\\' + temp).c_str(), (folder + L'\\' + name).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool ReadText(const wchar_t *name, std::string &text) {
    FileHandle file(OpenDeviceFile(name, GENERIC_READ, OPEN_EXISTING));
    if (!file.valid())
        return false;
    text.clear();
    char buffer[512];
    DWORD got = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return true;
}

} // namespace device
