// Note files without windows: the title a new note is saved under, the file
// name that title gets in the note folder, the safe writing of a note file,
// and the list of recent notes.
#pragma once
#include <windows.h>

#include <functional>

#include "BaseLib/Str.h"

// The title of a new note from its text: leading line breaks and spaces
// skipped, at most the first 32 characters of the first line, trailing
// spaces removed, and every character a file name cannot hold
// (\ / : * ? " < > | and control characters) replaced by "_". Only the first
// 199 characters of the text are looked at.
Str MakeNoteTitle(const wchar_t *text);

// The path a note is saved to in folder. An empty title takes the default
// name with the smallest number from 1 that names no file ("Note1.pwi",
// "Note2.pwi", ...). A title names "<title>.pwi" unless that file exists and
// is not the note's own (ownPath, compared without regard to case): then the
// first free "<title> (2).pwi", "<title> (3).pwi", ...
Str NotePathFor(const wchar_t *folder, const wchar_t *title, const wchar_t *defaultName, const wchar_t *ownPath);

// Writes a note file so that a crash, a kill or a full disk never leaves a
// cut file: write(file) fills a temporary file in the same folder, which is
// flushed and then moved over path in one step. On any failure the old file
// stays as it was, the temporary file is removed, and the result is false.
bool WriteNoteFile(const wchar_t *path, const std::function<bool(HANDLE file)> &write);

// The four most recent note files, most recent first, kept in place in the
// caller's entries (empty entries at the end).
class RecentList {
public:
    static const int kSize = 4;
    explicit RecentList(wchar_t (*entries)[MAX_PATH]) : entries_(entries) {}

    int Count() const;
    // Index of path (without regard to case), or -1.
    int Find(const wchar_t *path) const;
    // Puts path first; the others move back, the fourth falls off when the
    // list is full.
    void AddToFront(const wchar_t *path);
    // Moves entry index to the front; those before it move back one place.
    void MoveToFront(int index);
    // Drops path's entry (none when it is not listed); the later ones move up.
    void Remove(const wchar_t *path);
    const wchar_t *Entry(int index) const { return entries_[index]; }

private:
    wchar_t (*entries_)[MAX_PATH]; // not owned: the settings' recent entries
};
