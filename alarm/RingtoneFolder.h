// The ring tones of a folder: what the ring-tone picker lists. No window
// here.
#pragma once
#include <vector>

#include "BaseLib/Str.h"
#include "ui/FolderListing.h"

// The sound files the players take: "wav", "mp3", "wma", "mid", "rmi" and
// "aacl", described as "Multimedia Files" (from the string table).
FileFilter RingtoneFilter();

// The files of a folder (the root when empty) that the filter takes, sorted
// ignoring case. False, and no names, when the folder cannot be listed.
bool ListRingtones(const Str &folder, const FileFilter &filter, std::vector<Str> *names);
