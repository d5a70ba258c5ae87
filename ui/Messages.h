// Private window messages that the toolkit's controls send to their parent or
// owner. The shell's own messages build on the same numbers.
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
