// Messages between the note screen and its bar.
#pragma once
#include <windows.h>

enum : UINT {
    UWM_NOTEBAR_BUTTON = 5694,  // to the note screen; lParam: NoteButton
    UWM_NOTEBAR_MODE = 5700,    // to the notebar: show the mode button pressed (drawing) or not
    UWM_NOTEBAR_REFRESH = 5708, // to the note screen; lParam 3: refresh the keyboard button
};

// The notebar's buttons: command id = kNotebarFirstCommand + NoteButton.
enum NoteButton { kNoteZoom, kNoteMode, kNoteMinimise, kNoteKeyboard, kNoteButtonCount };
const UINT kNotebarFirstCommand = 25960;
