// The note settings the note screen works on in place. The frame owns and
// stores them; the screen reads and changes them through these pointers
// (none owned).
#pragma once
#include <windows.h>

struct NoteSettings {
    wchar_t *noteName;           // default name of new note files, kNoteNameChars with its terminator
    wchar_t *noteDir;            // note folder, MAX_PATH with its terminator
    DWORD *noteScale1;           // zoom of typing mode, percent
    DWORD *noteScale2;           // zoom of drawing mode, percent
    DWORD *penMode;              // 1 typing mode, 0 drawing mode
    wchar_t (*recent)[MAX_PATH]; // four recent note files, most recent first
    const DWORD *feedbackVibro;  // a pulse on the notebar's buttons
};

const int kNoteNameChars = 100;
