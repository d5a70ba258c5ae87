// TallyPadLauncher: toggles a running VelmoraTallyPad between its floating
// button and its full view, or starts it with the launcher's own command line.
#include <windows.h>

#include <cwchar>

namespace {

const UINT UWM_TOGGLE = 5711;

// The main program's path: the launcher's folder (or the root folder when the
// launcher's path has no "\") followed by "\VelmoraTallyPad.exe".
void MainProgramPath(wchar_t (&path)[MAX_PATH + 32]) {
    wchar_t own[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    wchar_t *slash = wcsrchr(own, L'\\');
    if (slash)
        *slash = L'\0';
    else
        own[0] = L'\0';
    _snwprintf(path, MAX_PATH + 32, L"%s\\VelmoraTallyPad.exe", own);
    path[MAX_PATH + 31] = L'\0';
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR args, int) {
    if (HWND running = FindWindowW(L"VelmoraTallyPad", nullptr)) {
        SendMessageW(running, UWM_TOGGLE, 0, 0);
        return 0;
    }
    wchar_t path[MAX_PATH + 32];
    MainProgramPath(path);
    // The started program must see exactly the launcher's arguments, so its
    // command line is its quoted path followed by them.
    size_t size = wcslen(path) + wcslen(args) + 4;
    wchar_t *commandLine = new wchar_t[size];
    _snwprintf(commandLine, size, *args ? L"\"%s\" %s" : L"\"%s\"", path, args);
    commandLine[size - 1] = L'\0';
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (CreateProcessW(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    delete[] commandLine;
    return 0;
}
