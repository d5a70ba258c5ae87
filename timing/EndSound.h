// The timer's end sound: which files can be one, and how its name is shown.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"

// A file name ending (in any case) in ".wav", ".mp3", ".wma", ".mid",
// ".rmi" or ".aacl".
bool IsEndSoundName(const wchar_t *name);

// The first such file (not a folder) listed in folder; empty when none.
Str FirstEndSound(const Str &folder);

// The name as the "When Timer Ends" button shows it: without its extension
// (the text before the last ".").
Str SoundTitle(const Str &name);

// folder "\" name.
Str SoundPath(const Str &folder, const Str &name);
