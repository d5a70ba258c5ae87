// Where the frame keeps things: its settings key, the user's documents
// folder and the start-up shortcut.
#pragma once
#include "BaseLib/Str.h"

// The settings key under HKEY_CURRENT_USER (string resource).
Str SettingsKey();
// The platform's folder for personal documents.
Str DocumentsFolder();
// "VelmoraTallyPad.lnk" in the platform's start-up folder.
Str StartupShortcutPath();
