// Drives the real programs installed in the device from outside, as the
// platform and a user would. Messages, clipboard, registry and files are
// read and written with the platform's own calls.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// "\Program Files\TallyPad\<name>" on the device.
std::wstring ProgramPath(const wchar_t *name);

// A program built with the tests, beside the running test program.
std::wstring TestProgramPath(const wchar_t *name);
// A fresh path in the temporary folder (any old file of that name is deleted).
std::wstring TempFile(const wchar_t *name);
// The file's bytes once it exists and is not empty, or "" after the time.
std::string WaitForFileText(const std::wstring &path, DWORD milliseconds);

// A started program; the process is killed when the object goes while it runs.
class Process {
public:
    Process() = default;
    Process(HANDLE process, DWORD id) : handle_(process), id_(id) {}
    Process(Process &&other) noexcept;
    Process &operator=(Process &&other) noexcept;
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;
    ~Process();

    bool Started() const { return handle_ != nullptr; }
    DWORD Id() const { return id_; }
    // Exit code once the process ended within the time, else STILL_ACTIVE.
    DWORD WaitExit(DWORD milliseconds) const;
    void Kill();

private:
    HANDLE handle_ = nullptr; // owned
    DWORD id_ = 0;
};

// Starts a program of the device so that it sees exactly `args`.
Process Start(const wchar_t *program, const wchar_t *args = L"");
// The same for a program given by its full path.
Process StartPath(const std::wstring &path, const wchar_t *args = L"");

// The first top-level window of the class (and caption, when given) that
// appears within the time, or null.
HWND WaitForWindow(const wchar_t *className, const wchar_t *caption, DWORD milliseconds);
// Number of top-level windows of the class, visible or not.
int CountWindows(const wchar_t *className);
// Ends every process that owns a top-level window of the class.
void KillWindowOwners(const wchar_t *className);

} // namespace e2e
