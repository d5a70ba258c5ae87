#include "Harness.h"

#include <vector>

namespace e2e {

std::wstring ProgramPath(const wchar_t *name) { return std::wstring(L"C:\\Program Files\\TallyPad\\") + name; }

std::wstring TestProgramPath(const wchar_t *name) {
    wchar_t own[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, own, MAX_PATH);
    std::wstring path(own, n);
    return path.substr(0, path.rfind(L'\\') + 1) + name;
}

std::wstring TempFile(const wchar_t *name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + name;
    DeleteFileW(path.c_str());
    return path;
}

std::string WaitForFileText(const std::wstring &path, DWORD milliseconds) {
    for (DWORD waited = 0;; waited += 50) {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            char buffer[4096];
            DWORD read = 0;
            ReadFile(h, buffer, sizeof buffer, &read, nullptr);
            CloseHandle(h);
            if (read > 0)
                return std::string(buffer, read);
        }
        if (waited >= milliseconds)
            return std::string();
        Sleep(50);
    }
}

Process::Process(Process &&other) noexcept : handle_(other.handle_), id_(other.id_) { other.handle_ = nullptr; }

Process &Process::operator=(Process &&other) noexcept {
    if (this != &other) {
        Kill();
        handle_ = other.handle_;
        id_ = other.id_;
        other.handle_ = nullptr;
    }
    return *this;
}

Process::~Process() { Kill(); }

DWORD Process::WaitExit(DWORD milliseconds) const {
    DWORD code = STILL_ACTIVE;
    if (handle_ && WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0)
        GetExitCodeProcess(handle_, &code);
    return code;
}

void Process::Kill() {
    if (!handle_)
        return;
    if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(handle_, 99);
        WaitForSingleObject(handle_, 5000);
    }
    CloseHandle(handle_);
    handle_ = nullptr;
}

Process Start(const wchar_t *program, const wchar_t *args) { return StartPath(ProgramPath(program), args); }

Process StartPath(const std::wstring &path, const wchar_t *args) {
    std::wstring commandLine = L"\"" + path + L"\"";
    if (*args)
        commandLine += std::wstring(L" ") + args;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return Process();
    CloseHandle(pi.hThread);
    return Process(pi.hProcess, pi.dwProcessId);
}

HWND WaitForWindow(const wchar_t *className, const wchar_t *caption, DWORD milliseconds) {
    for (DWORD waited = 0;; waited += 50) {
        if (HWND wnd = FindWindowW(className, caption))
            return wnd;
        if (waited >= milliseconds)
            return nullptr;
        Sleep(50);
    }
}

namespace {

struct ClassQuery {
    const wchar_t *className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectByClass(HWND wnd, LPARAM lParam) {
    auto *query = reinterpret_cast<ClassQuery *>(lParam);
    wchar_t name[256];
    if (GetClassNameW(wnd, name, 256) && lstrcmpW(name, query->className) == 0)
        query->found.push_back(wnd);
    return TRUE;
}

std::vector<HWND> WindowsOfClass(const wchar_t *className) {
    ClassQuery query{className, {}};
    EnumWindows(CollectByClass, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

} // namespace

int CountWindows(const wchar_t *className) { return static_cast<int>(WindowsOfClass(className).size()); }

void KillWindowOwners(const wchar_t *className) {
    for (HWND wnd : WindowsOfClass(className)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(wnd, &pid);
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

} // namespace e2e
