#include "alarm/RingtoneFolder.h"

#include <algorithm>

#include "resource.h"

FileFilter RingtoneFilter() {
    FileFilter filter;
    filter.description.LoadResourceString(IDS_MULTIMEDIA_FILES);
    for (const wchar_t *extension : {L"wav", L"mp3", L"wma", L"mid", L"rmi", L"aacl"})
        filter.extensions.push_back(Str(extension));
    return filter;
}

bool ListRingtones(const Str &folder, const FileFilter &filter, std::vector<Str> *names) {
    names->clear();
    std::vector<FolderEntry> entries;
    if (!ReadFolder(folder, &entries))
        return false;
    for (const FolderEntry &entry : entries)
        if (!entry.directory && filter.Takes(entry.name))
            names->push_back(entry.name);
    std::sort(names->begin(), names->end(), [](const Str &a, const Str &b) { return _wcsicmp(a, b) < 0; });
    return true;
}
