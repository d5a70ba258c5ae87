// Private window messages of the main program. The numbers are fixed: other
// programs (the launcher, the alarm runner) and every screen rely on them.
#pragma once
#include <windows.h>

#include "ui/Messages.h" // UWM_BAR_COMMAND, UWM_DRAG_MOVE, UWM_DRAG_END

enum : UINT {
    UWM_BACK = 5692,            // to the main window; lParam: screen id to go to
    UWM_MINIMISE = 5695,        // to the main window (to the bottom bar: reset its button)
    UWM_BOTTOM_ACTION = 5696,   // to the main window; lParam: action 0..5
    UWM_RECENT_CHANGED = 5697,  // to the main window: rebuild the recent-files menu
    UWM_DRAG_STATE = 5699,      // to bars and the screen; lParam 0 dragging, 1 ended
    UWM_GO_TODAY_TEXT = 5701,   // to the main window; wParam: days from today
    UWM_SLIDE = 5705,           // to a screen; wParam 0 slide starts, 1 ended
    UWM_NOTE_INPUT_PANEL = 5706, // to the main window; wParam 1 raise, 0 lower
    UWM_MOVE_BOTTOM_BAR = 5709, // to the main window; wParam x - 1, lParam y
    UWM_TOGGLE = 5711,          // to the main window: floating button <-> full view
    UWM_MINIMISE_NOW = 5712,    // to the main window: minimise, input panel untouched
    UWM_DRAWING_CHANGED = 5713, // to the note window
    UWM_OPEN_SCREEN = 6457,     // to the main window; wParam: screen id
    UWM_QUERY_DRAWING = 13312,  // to the main window; returns UseDrawing
    UWM_WAIT_PROGRESS = 31845,  // to the waiting window; lParam: step 1..9
    UWM_NOTE_SAVE = 32101,      // to the note window
    UWM_INPUT_PANEL = 32779,    // to the main window; wParam 1 raise, 0 lower
    UWM_ALARMS_CHANGED = 33269, // from the alarm runner; forwarded to the alarm list
    UWM_OPEN_RECENT = 33273,    // to the main window; wParam: recent index 0..3
    UWM_CAL_TODAY = 34766,      // to the calendar window
    UWM_CAL_REFRESH = 34767,    // to the calendar window
};

// The class of the main window, by which a second start and the other
// programs find it.
constexpr wchar_t kMainWindowClass[] = L"VelmoraTallyPad";
