#include "notes/NoteFiles.h"

#include <cwchar>
#include <string>

namespace {

const int kTitleSource = 199; // characters of the note text looked at
const int kTitleLength = 32;

bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

bool IsForbiddenInFileName(wchar_t c) { return c < 32 || wcschr(L"\\/:*?\"<>|", c) != nullptr; }

bool Exists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring Folder(const wchar_t *path) {
    std::wstring p(path);
    size_t slash = p.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring(L".") : p.substr(0, slash);
}

} // namespace

Str MakeNoteTitle(const wchar_t *text) {
    const std::wstring source = text ? std::wstring(text, wcsnlen(text, kTitleSource)) : std::wstring();
    size_t start = 0;
    while (start < source.size() && (IsLineBreak(source[start]) || source[start] == L' '))
        ++start;
    std::wstring title;
    for (size_t i = start; i < source.size() && !IsLineBreak(source[i]) && title.size() < kTitleLength; ++i)
        title += source[i];
    while (!title.empty() && title.back() == L' ')
        title.pop_back();
    for (wchar_t &c : title) {
        if (IsForbiddenInFileName(c))
            c = L'_';
    }
    return Str(title.c_str());
}

Str NotePathFor(const wchar_t *folder, const wchar_t *title, const wchar_t *defaultName, const wchar_t *ownPath) {
    Str path;
    if (!title || !title[0]) {
        for (int n = 1;; ++n) {
            path.Format(L"%s\\%s%d.pwi", folder, defaultName, n);
            if (!Exists(path.Text()))
                return path;
        }
    }
    path.Format(L"%s\\%s.pwi", folder, title);
    for (int n = 2; Exists(path.Text()) && !(ownPath && lstrcmpiW(path, ownPath) == 0); ++n)
        path.Format(L"%s\\%s (%d).pwi", folder, title, n);
    return path;
}

bool WriteNoteFile(const wchar_t *path, const std::function<bool(HANDLE file)> &write) {
    wchar_t temp[MAX_PATH];
    if (!GetTempFileNameW(Folder(path).c_str(), L"pwi", 0, temp))
        return false;
    HANDLE file = CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE && write(file) && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (written && MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp);
    return false;
}

int RecentList::Count() const {
    int count = 0;
    while (count < kSize && entries_[count][0])
        ++count;
    return count;
}

int RecentList::Find(const wchar_t *path) const {
    for (int i = 0; i < kSize && path && path[0]; ++i) {
        if (lstrcmpiW(entries_[i], path) == 0)
            return i;
    }
    return -1;
}

void RecentList::AddToFront(const wchar_t *path) {
    for (int i = kSize - 1; i > 0; --i)
        lstrcpynW(entries_[i], entries_[i - 1], MAX_PATH);
    lstrcpynW(entries_[0], path, MAX_PATH);
}

void RecentList::MoveToFront(int index) {
    if (index <= 0 || index >= kSize)
        return;
    wchar_t chosen[MAX_PATH];
    lstrcpynW(chosen, entries_[index], MAX_PATH);
    for (int i = index; i > 0; --i)
        lstrcpynW(entries_[i], entries_[i - 1], MAX_PATH);
    lstrcpynW(entries_[0], chosen, MAX_PATH);
}

void RecentList::Remove(const wchar_t *path) {
    int index = Find(path);
    if (index < 0)
        return;
    for (int i = index; i < kSize - 1; ++i)
        lstrcpynW(entries_[i], entries_[i + 1], MAX_PATH);
    entries_[kSize - 1][0] = L'\0';
}
