// RegKey: owns one open registry key under HKEY_CURRENT_USER and closes it.
// Move-only, so a key can be returned from a function that opens it.
#pragma once
#include <windows.h>

#include <utility>

class RegKey {
public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(RegKey &&other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKey &operator=(RegKey &&other) noexcept {
        if (this != &other) {
            Close();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    RegKey(const RegKey &) = delete;
    RegKey &operator=(const RegKey &) = delete;

    // Opens an existing key; false (and closed) when it is missing or a null
    // path is given.
    bool Open(const wchar_t *path, REGSAM access) {
        Close();
        if (path && RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, access, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
        return key_ != nullptr;
    }
    // Opens the key, creating it when missing.
    bool Create(const wchar_t *path, REGSAM access) {
        Close();
        if (path &&
            RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, access, nullptr, &key_, nullptr) != ERROR_SUCCESS)
            key_ = nullptr;
        return key_ != nullptr;
    }
    void Close() {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
    }

    bool IsOpen() const { return key_ != nullptr; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr; // owned
};
