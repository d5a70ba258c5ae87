#include "BaseLib/Registry.h"

#include "BaseLib/RegKey.h"

namespace {

bool StoreValue(const wchar_t *key, const wchar_t *name, DWORD type, const void *data, DWORD size) {
    RegKey regKey;
    if (!regKey.Create(key, KEY_WRITE))
        return false;
    const bool stored =
        RegSetValueExW(regKey.Get(), name, 0, type, static_cast<const BYTE *>(data), size) == ERROR_SUCCESS;
    // Another process (the alarm runner) may read the value at any moment.
    RegFlushKey(regKey.Get());
    return stored;
}

} // namespace

DWORD ReadRegDword(const wchar_t *key, const wchar_t *name, DWORD defaultValue) {
    RegKey regKey;
    if (!regKey.Open(key, KEY_READ))
        return defaultValue;
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(regKey.Get(), name, nullptr, &type, reinterpret_cast<BYTE *>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return defaultValue;
    return value;
}

bool WriteRegDword(const wchar_t *key, const wchar_t *name, DWORD value) {
    return StoreValue(key, name, REG_DWORD, &value, sizeof value);
}

bool WriteRegString(const wchar_t *key, const wchar_t *name, const wchar_t *text) {
    if (!key || !name)
        return false;
    if (!text)
        text = L"";
    return StoreValue(key, name, REG_SZ, text, static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t)));
}

bool ReadRegString(const wchar_t *key, const wchar_t *name, wchar_t *buffer, DWORD capacity,
                   const wchar_t *defaultText) {
    if (!buffer || capacity == 0)
        return false;
    RegKey regKey;
    if (regKey.Create(key, KEY_READ)) {
        DWORD type = 0;
        DWORD size = capacity * sizeof(wchar_t);
        if (RegQueryValueExW(regKey.Get(), name, nullptr, &type, reinterpret_cast<BYTE *>(buffer), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ) {
            // A stored text need not carry its terminator; add it when it fits.
            const DWORD chars = size / sizeof(wchar_t);
            if (chars > 0 && buffer[chars - 1] == 0)
                return true;
            if (chars < capacity) {
                buffer[chars] = 0;
                return true;
            }
        }
    }
    lstrcpynW(buffer, defaultText ? defaultText : L"", static_cast<int>(capacity));
    return false;
}
