#include "timing/EndSound.h"

#include <wchar.h>

bool IsEndSoundName(const wchar_t *name) {
    static const wchar_t *const kEndings[] = {L".wav", L".mp3", L".wma", L".mid", L".rmi", L".aacl"};
    const size_t length = name ? wcslen(name) : 0;
    for (const wchar_t *ending : kEndings) {
        const size_t size = wcslen(ending);
        if (length >= size && _wcsicmp(name + length - size, ending) == 0)
            return true;
    }
    return false;
}

Str FirstEndSound(const Str &folder) {
    Str pattern =
        Str::Concat(folder, folder.Length() > 0 && folder.Text()[folder.Length() - 1] == L'\\' ? L"*.*" : L"\\*.*");
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(pattern, &entry);
    if (find == INVALID_HANDLE_VALUE)
        return Str();
    Str found;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsEndSoundName(entry.cFileName)) {
            found = entry.cFileName;
            break;
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return found;
}

Str SoundTitle(const Str &name) {
    const wchar_t *dot = wcsrchr(name, L'.');
    return dot ? name.Prefix(static_cast<int>(dot - name.Text())) : name;
}

Str SoundPath(const Str &folder, const Str &name) {
    Str path;
    path.Format(L"%s\\%s", folder.Text(), name.Text());
    return path;
}
