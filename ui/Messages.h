// Private window messages of the program: those the toolkit's controls send
// to their parent or owner, and those the screens and the main window send
// each other. The numbers are fixed: other programs (the launcher, the alarm
// runner) and every screen rely on them.
#pragma once
#include <windows.h>

// lParam: command id. A button was clicked, or repeats while held.
const UINT UWM_BAR_COMMAND = 5689;
// wParam dx, lParam dy (pixels): move the main window by that much.
const UINT UWM_DRAG_MOVE = 5690;
// A drag of the main window ended.
const UINT UWM_DRAG_END = 5691;
// wParam: command id; lParam kButtonLookPressed or kButtonLookNormal: a
// button's look changed during a press.
const UINT UWM_BUTTON_LOOK = 5698;
const LPARAM kButtonLookPressed = 5;
const LPARAM kButtonLookNormal = 0;
// lParam: command id. The stylus was lifted from a button (after every press).
const UINT UWM_BUTTON_UP = 5707;
// Posted by a bar; wParam: command id of the bar button that was clicked.
const UINT UWM_TITLE_COMMAND = 32868;

enum : UINT {
    UWM_BACK = 5692,             // to the main window; lParam: screen id to go to
    UWM_MINIMISE = 5695,         // to the main window (to the bottom bar: reset its button)
    UWM_BOTTOM_ACTION = 5696,    // to the main window; lParam: action 0..5
    UWM_RECENT_CHANGED = 5697,   // to the main window: rebuild the recent-files menu
    UWM_DRAG_STATE = 5699,       // to bars and the screen; lParam 0 dragging, 1 ended
    UWM_GO_TODAY_TEXT = 5701,    // to the main window; wParam: days from today
    UWM_SLIDE = 5705,            // to a screen; wParam 0 slide starts, 1 ended
    UWM_NOTE_INPUT_PANEL = 5706, // to the main window; wParam 1 raise, 0 lower
    UWM_MOVE_BOTTOM_BAR = 5709,  // to the main window; wParam x - 1, lParam y
    UWM_TOGGLE = 5711,           // to the main window: floating button <-> full view
    UWM_MINIMISE_NOW = 5712,     // to the main window: minimise, input panel untouched
    UWM_DRAWING_CHANGED = 5713,  // to the note window
    UWM_OPEN_SCREEN = 6457,      // to the main window; wParam: screen id
    UWM_QUERY_DRAWING = 13312,   // to the main window; returns UseDrawing
    UWM_WAIT_PROGRESS = 31845,   // to the waiting window; lParam: step 1..9
    UWM_NOTE_SAVE = 32101,       // to the note window
    UWM_NOTE_HAS_FILE = 32102,   // to the note window; returns non-zero when the note has a file
    UWM_INPUT_PANEL = 32779,     // to the main window; wParam 1 raise, 0 lower
    UWM_ALARMS_CHANGED = 33269,  // from the alarm runner; forwarded to the alarm list
    UWM_FOLDER_PICKED = 32769,   // sent by the folder browser to its parent on OK
    UWM_OPEN_RECENT = 33273,     // to the main window; wParam: recent index 0..3
    UWM_CLOSE_PICKER = 33274,    // posted by the note file picker to the note window on Cancel
    UWM_NOTE_DIR_PICKED = 33277, // posted by the note-folder chooser to the main window on OK
    UWM_CAL_TODAY = 34766,       // to the calendar window
    UWM_CAL_REFRESH = 34767,     // to the calendar window
};
