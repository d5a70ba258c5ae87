#include "BaseLib/ErrorLog.h"

#include "BaseLib/Clock.h"

#include <windows.h>
#include <cwchar>

namespace {

wchar_t g_datePicture[32] = L"yyyy.MM.dd ";

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_; // owned
};

void GetLogPath(wchar_t *path, DWORD capacity) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const DWORD length = module ? GetModuleFileNameW(module, path, capacity) : 0;
    // A cut module path (length == capacity) would name the wrong file.
    if (length == 0 || length + 5 > capacity) {
        lstrcpynW(path, L"\\error.log", capacity);
        return;
    }
    lstrcpynW(path + length, L".log", capacity - length);
}

} // namespace

void SetLogDatePicture(const wchar_t *picture) { lstrcpynW(g_datePicture, picture ? picture : L"yyyy.MM.dd ", 32); }

void LogError(const wchar_t *message, const wchar_t *sourcePath, const wchar_t *functionName, int line) {
    SYSTEMTIME now;
    Clock::LocalTime(&now);
    wchar_t date[64] = L"";
    wchar_t time[64] = L"";
    GetDateFormatW(LOCALE_SYSTEM_DEFAULT, 0, &now, g_datePicture, date, 64);
    GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &now, L"HH:mm:ss - ", time, 64);

    // No Str here: a failed string allocation is what gets logged.
    wchar_t text[1024];
    const int length = _snwprintf(text, 1024, L"%s%s%s\t\t%s: %s (%d)\r\n", date, time, message ? message : L"",
                                  sourcePath ? sourcePath : L"", functionName ? functionName : L"", line);
    if (length < 0 || length >= 1024)
        lstrcpynW(text + 1020, L"\r\n", 4); // cut, but still one whole line
    text[1023] = 0;
    char bytes[2048];
    const int byteCount = WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr,
                                              nullptr) -
                          1; // without the terminator
    if (byteCount <= 0)
        return;

    wchar_t path[MAX_PATH + 8];
    GetLogPath(path, MAX_PATH + 8);
    FileHandle file(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE)
        return; // no log is better than a failure while reporting one
    SetFilePointer(file.Get(), 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file.Get(), bytes, byteCount, &written, nullptr);
}
