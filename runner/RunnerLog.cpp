#include "runner/RunnerLog.h"

#include <cwchar>
#include <string>

#include "BaseLib/Clock.h"
#include "BaseLib/Str.h"

void AppendRingLog(const wchar_t *identifier, const wchar_t *kind) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    wchar_t *slash = wcsrchr(path, L'\\');
    if (length == 0 || length >= MAX_PATH || !slash || slash + 18 >= path + MAX_PATH)
        return;
    wcscpy(slash + 1, L"TallyPadAlarm.log");

    SYSTEMTIME now;
    Clock::LocalTime(&now);
    Str line;
    line.Format(L"%04d-%02d-%02d %02d:%02d:%02d %s %s\r\n", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                now.wSecond, kind, identifier);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return;
    std::string text(bytes - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line, -1, &text[0], bytes, nullptr, nullptr);
    // One write of the whole line to a file opened for appending.
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}
