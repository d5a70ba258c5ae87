// Files of the simulated handheld that every process of the device shares:
// where they live and the lock that serialises their use.
//
// The folder is %TALLYPAD_DEVICE_DIR% when that variable is set (tests point
// it at a throwaway folder), else %LOCALAPPDATA%\TallyPadDevice. It is created
// when a file is first written.
#pragma once
#include <windows.h>
#include <string>

namespace device {

// Empty when neither variable is set.
std::wstring FolderPath();

// Holds the device-wide named mutex while it lives. Wine appends to a file by
// looking up its size and then writing there, so concurrent appends from two
// processes can overwrite each other's lines unless they take turns.
class StateLock {
public:
    StateLock();
    ~StateLock();
    StateLock(const StateLock &) = delete;
    StateLock &operator=(const StateLock &) = delete;

private:
    HANDLE mutex_; // not owned: one per process, kept for its lifetime
    bool owned_;
};

// "YYYY-MM-DD HH:MM:SS.mmm <tick>": the device's local time and tick count.
std::string Stamp();

// UTF-8 form of a wide text, for the device's text files.
std::string ToUtf8(const std::wstring &text);
std::wstring FromUtf8(const std::string &text);

// File operations on a file of the device folder; the caller holds a
// StateLock. They fail with the system's last error set.
bool AppendText(const wchar_t *name, const std::string &text); // one WriteFile
// Appends as AppendText; once the file has grown past twice `keep` bytes it
// is cut to its last whole lines within `keep` bytes, so a log that is
// written for as long as the device runs stays bounded.
bool AppendBounded(const wchar_t *name, const std::string &text, size_t keep);
bool WriteText(const wchar_t *name, const std::string &text);
bool ReadText(const wchar_t *name, std::string &text); // false when missing
// Replaces the whole file so that readers and a crash see the old or the
// new text, never a part: writes "<name>.tmp", flushes it and moves it over.
bool ReplaceText(const wchar_t *name, const std::string &text);

} // namespace device
