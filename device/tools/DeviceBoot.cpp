// The device's boot: what the handheld's shell does when it starts. Starts
// the device's tick count again from 0, starts the notification service (when the device has one), runs the shortcuts
// of the start-up folder, then starts the main program unless a shortcut did.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "DeviceClock.h"

namespace {

const wchar_t kMainProgram[] = L"C:\\Program Files\\TallyPad\\VelmoraTallyPad.exe";
const wchar_t kNotifyService[] = L"C:\\Windows\\NotificationService.exe";
const wchar_t kDeviceRoot[] = L"C:\\";

// Starts a program so that it sees exactly `args` as its command line.
bool Start(const std::wstring &path, const std::wstring &args) {
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!args.empty())
        commandLine += L" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// A handheld shortcut is the text "<length>#<target>", where the target is a
// program path (quoted when it holds spaces) optionally followed by arguments.
bool ReadShortcut(const std::wstring &file, std::wstring &path, std::wstring &args) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    char buffer[1024];
    DWORD read = 0;
    BOOL ok = ReadFile(h, buffer, sizeof buffer - 1, &read, nullptr);
    CloseHandle(h);
    if (!ok)
        return false;
    buffer[read] = '\0';
    const char *hash = strchr(buffer, '#');
    if (!hash)
        return false;
    wchar_t target[1024];
    int n = MultiByteToWideChar(CP_ACP, 0, hash + 1, -1, target, 1024);
    if (n <= 1)
        return false;
    std::wstring text(target);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n'))
        text.pop_back();
    size_t end;
    if (text[0] == L'"') {
        end = text.find(L'"', 1);
        if (end == std::wstring::npos)
            return false;
        path = text.substr(1, end - 1);
        ++end;
    } else {
        end = text.find(L' ');
        path = text.substr(0, end);
    }
    size_t rest = end < text.size() ? text.find_first_not_of(L' ', end) : std::wstring::npos;
    args = rest == std::wstring::npos ? std::wstring() : text.substr(rest);
    return !path.empty();
}

// Runs every shortcut of the start-up folder; tells whether one of them
// started the main program.
bool RunStartupShortcuts() {
    wchar_t folder[MAX_PATH];
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE))
        return false;
    bool startedMain = false;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((std::wstring(folder) + L"\\*.lnk").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        std::wstring path, args;
        if (!ReadShortcut(std::wstring(folder) + L"\\" + fd.cFileName, path, args))
            continue;
        if (Start(path, args) && lstrcmpiW(path.c_str(), kMainProgram) == 0)
            startedMain = true;
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    return startedMain;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    // Handheld paths such as "\My Documents" are rooted at the current
    // drive: every program of the device starts on the device's drive, not
    // on the host folder the boot was started from.
    SetCurrentDirectoryW(kDeviceRoot);
    device::BootClock();
    if (GetFileAttributesW(kNotifyService) != INVALID_FILE_ATTRIBUTES)
        Start(kNotifyService, L"");
    if (!RunStartupShortcuts())
        Start(kMainProgram, L"");
    return 0;
}
