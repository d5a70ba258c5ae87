#include "ui/FolderListing.h"

#include <algorithm>

namespace {

const wchar_t kUp[] = L"..";

// Owns one search handle of FindFirstFileW.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (Valid())
            FindClose(handle_);
    }
    FindHandle(const FindHandle &) = delete;
    FindHandle &operator=(const FindHandle &) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

bool EndsInSeparator(const Str &text) { return !text.IsEmpty() && text.Text()[text.Length() - 1] == L'\\'; }

bool IsDotEntry(const wchar_t *name) { return lstrcmpW(name, L".") == 0 || lstrcmpW(name, kUp) == 0; }

} // namespace

bool IsRootFolder(const Str &folder) { return folder.IsEmpty() || folder == L"\\"; }

bool FolderPattern(const Str &folder, Str *pattern) {
    const Str result = Str::Concat(folder, EndsInSeparator(folder) ? L"*.*" : L"\\*.*");
    if (result.Length() > kMaxPickerPath)
        return false;
    *pattern = result;
    return true;
}

bool JoinPath(const Str &folder, const Str &name, Str *path) {
    Str result = folder;
    if (!EndsInSeparator(folder))
        result.Append(L"\\");
    result.Append(name);
    if (result.Length() > kMaxPickerPath)
        return false;
    *path = result;
    return true;
}

Str ParentFolder(const Str &folder) {
    int end = folder.Length();
    while (end > 0 && folder.Text()[end - 1] == L'\\')
        --end;
    while (end > 0 && folder.Text()[end - 1] != L'\\')
        --end;
    // end now stands just past the separator before the last name.
    return end > 0 ? folder.Prefix(end - 1) : Str();
}

void SortNames(std::vector<Str> *names) {
    std::stable_sort(names->begin(), names->end(), [](const Str &a, const Str &b) {
        const bool aUp = a == kUp, bUp = b == kUp;
        if (aUp || bUp)
            return aUp && !bUp;
        const int order = lstrcmpiW(a, b);
        return order != 0 ? order < 0 : lstrcmpW(a, b) < 0;
    });
}

bool FileFilter::Takes(const Str &name) const {
    if (!extensions.empty() && extensions.front() == L"*")
        return true;
    const wchar_t *dot = wcsrchr(name.Text(), L'.');
    if (!dot)
        return false;
    for (const Str &extension : extensions)
        if (lstrcmpiW(dot + 1, extension) == 0)
            return true;
    return false;
}

bool ReadFolder(const Str &folder, std::vector<FolderEntry> *entries) {
    entries->clear();
    Str pattern;
    if (!FolderPattern(folder, &pattern))
        return false;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(pattern, &found));
    if (!search.Valid())
        return false;
    Str path;
    do {
        if (IsDotEntry(found.cFileName) || !JoinPath(folder, found.cFileName, &path))
            continue;
        entries->push_back(FolderEntry{Str(found.cFileName), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search.get(), &found));
    return true;
}

bool FolderList::SetFolder(const Str &folder) {
    Str pattern;
    if (!FolderPattern(folder, &pattern))
        return false;
    folder_ = folder;
    List();
    return true;
}

bool FolderList::Open(int index) {
    if (index < 0 || index >= static_cast<int>(names_.size()))
        return false;
    if (names_[index] == kUp)
        return SetFolder(ParentFolder(folder_));
    Str below;
    return JoinPath(folder_, names_[index], &below) && SetFolder(below);
}

// A folder that cannot be listed still offers the way up.
void FolderList::List() {
    names_.clear();
    std::vector<FolderEntry> entries;
    ReadFolder(folder_, &entries);
    for (const FolderEntry &entry : entries)
        if (entry.directory)
            names_.push_back(entry.name);
    if (!IsRootFolder(folder_))
        names_.push_back(kUp);
    SortNames(&names_);
}

bool FileList::List(const Str &folder) {
    if (folder == folder_ && !names_.empty())
        return true;
    Str pattern;
    if (!FolderPattern(folder, &pattern))
        return false;
    folder_ = folder;
    names_.clear();
    std::vector<FolderEntry> entries;
    ReadFolder(folder_, &entries);
    for (const FolderEntry &entry : entries)
        if (!entry.directory && filter_.Takes(entry.name))
            names_.push_back(entry.name);
    SortNames(&names_);
    return true;
}

bool FileList::PathOf(int index, Str *path) const {
    return index >= 0 && index < static_cast<int>(names_.size()) && JoinPath(folder_, names_[index], path);
}
