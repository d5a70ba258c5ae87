// What the file and folder pickers show of the file system: the subfolders
// of a folder with ".." to go up, the files of a folder that a filter takes,
// and the paths that going up and down the tree gives. No window here.
#pragma once
#include <windows.h>

#include <vector>

#include "BaseLib/Str.h"

// The longest path the pickers take, in characters without the terminator.
// A longer one is refused, never cut: a cut path names another file.
const int kMaxPickerPath = MAX_PATH - 1;

// Empty and "\" both name the root of the device.
bool IsRootFolder(const Str &folder);
// The pattern that lists a folder: folder + "\*.*", or folder + "*.*" when it
// ends in "\" (so "\*.*" for the root). False when it would be too long.
bool FolderPattern(const Str &folder, Str *pattern);
// folder + "\" + name, the "\" only when the folder does not end in one.
// False (path untouched) when the result would be longer than kMaxPickerPath.
bool JoinPath(const Str &folder, const Str &name, Str *path);
// The folder above: cut at its last "\" (a trailing one is not counted);
// empty, the root, when nothing is left.
Str ParentFolder(const Str &folder);
// Case-insensitive order; ".." always comes first, whatever sorts before a
// dot, so that going up stays the first entry.
void SortNames(std::vector<Str> *names);
// A file filter: a description for the user and the extensions it
// takes, without the dot. A first extension "*" takes every file.
struct FileFilter {
    Str description;
    std::vector<Str> extensions;
    // Whether the name has a "." and the text after the last one equals one
    // of the extensions, ignoring case.
    bool Takes(const Str &name) const;
};

struct FolderEntry {
    Str name;
    bool directory;
};
// The entries of a folder, without "." and "..", and without those whose
// path would be too long to open. False, and no entries, when the folder
// cannot be listed (missing, not allowed, path too long).
bool ReadFolder(const Str &folder, std::vector<FolderEntry> *entries);

// The subfolders of the folder a folder browser shows, with ".." first
// below the root.
class FolderList {
public:
    // Lists a folder; false, and nothing changes, when its path is too long.
    bool SetFolder(const Str &folder);
    // The folder listed; empty for the root.
    const Str &Folder() const { return folder_; }
    const std::vector<Str> &Names() const { return names_; }
    // ".." goes up, any other name down into that subfolder; the new folder
    // is listed. False, and nothing changes, for an index out of range or a
    // path that would be too long.
    bool Open(int index);

private:
    void List();

    Str folder_;
    std::vector<Str> names_;
};

// The files of a folder that a filter takes, sorted.
class FileList {
public:
    explicit FileList(const FileFilter &filter) : filter_(filter) {}

    // Lists a folder, or keeps the listing when it is the folder listed last
    // and that listing held files. False, and nothing changes, when the
    // folder's path is too long.
    bool List(const Str &folder);
    // The folder listed last; empty for the root.
    const Str &Folder() const { return folder_; }
    const std::vector<Str> &Names() const { return names_; }
    const FileFilter &Filter() const { return filter_; }
    // The full path of a listed file; false for an index out of range.
    bool PathOf(int index, Str *path) const;

private:
    FileFilter filter_;
    Str folder_;
    std::vector<Str> names_;
};
