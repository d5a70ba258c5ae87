#include "shell/FramePaths.h"

#include <shlobj.h>

#include "resource.h"

Str StartupShortcutPath() {
    wchar_t folder[MAX_PATH] = L"";
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE);
    return Str::Concat(Str(folder), L"\\VelmoraTallyPad.lnk");
}

Str DocumentsFolder() {
    wchar_t folder[MAX_PATH] = L"";
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PERSONAL, FALSE);
    return Str(folder);
}

Str SettingsKey() {
    Str key;
    key.LoadResourceString(IDS_SETTINGS_KEY);
    return key;
}
