// ArgsProbe: a stand-in program for end-to-end tests. It appends the command
// line it received (without its own path) as one line to the file named by
// the environment variable ARGS_PROBE_FILE, so a test can see whether and how
// the platform started it. With ARGS_PROBE_CWD_FILE set it also writes its
// current folder there.
#include <windows.h>

namespace {

void WriteCurrentFolder() {
    wchar_t file[MAX_PATH], folder[MAX_PATH];
    if (!GetEnvironmentVariableW(L"ARGS_PROBE_CWD_FILE", file, MAX_PATH) || !GetCurrentDirectoryW(MAX_PATH, folder))
        return;
    HANDLE h = CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    char text[MAX_PATH * 3];
    int n = WideCharToMultiByte(CP_UTF8, 0, folder, -1, text, sizeof text, nullptr, nullptr);
    DWORD written;
    if (n > 1)
        WriteFile(h, text, n - 1, &written, nullptr);
    CloseHandle(h);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR args, int) {
    WriteCurrentFolder();
    wchar_t file[MAX_PATH];
    if (!GetEnvironmentVariableW(L"ARGS_PROBE_FILE", file, MAX_PATH))
        return 1;
    HANDLE h =
        CreateFileW(file, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    char line[4096];
    int n = WideCharToMultiByte(CP_UTF8, 0, args, -1, line, sizeof line - 2, nullptr, nullptr);
    if (n > 0) {
        line[n - 1] = '\n';
        DWORD written;
        WriteFile(h, line, n, &written, nullptr);
    }
    CloseHandle(h);
    return 0;
}
