// A throwaway device folder for one test: TALLYPAD_DEVICE_DIR points at a
// folder that does not exist yet, so the layer must create it.
#pragma once
#include <windows.h>

#include <string>

#include "support/Files.h"

class DeviceFolder {
public:
    DeviceFolder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        wchar_t name[64];
        _snwprintf(name, 64, L"TallyPadLayer-%lu-%d", GetCurrentProcessId(), ++serial);
        parent_ = std::wstring(temp) + name;
        path_ = parent_ + L"\\device";
        SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", path_.c_str());
    }
    ~DeviceFolder() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(File(L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW(File(found.cFileName).c_str()); // fails harmlessly for "." and ".."
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path_.c_str());
        RemoveDirectoryW(parent_.c_str());
        SetEnvironmentVariableW(L"TALLYPAD_DEVICE_DIR", nullptr);
    }
    // For tests that need the folder before the layer makes it.
    void Create() const {
        CreateDirectoryW(parent_.c_str(), nullptr);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    std::wstring File(const wchar_t *name) const { return path_ + L"\\" + name; }

    // Whole file as bytes; empty when it does not exist.
    std::string Read(const wchar_t *name) const { return testsupport::ReadFileBytes(File(name)); }

private:
    std::wstring parent_, path_;
};
