// Messages and commands of the world clock screens.
#pragma once
#include <windows.h>

// Posted by the add window to the world clock; wParam: the city's index.
const UINT UWM_WORLD_ADD = 33882;

// Commands of the bars (UWM_TITLE_COMMAND, wParam).
enum : UINT {
    kWorldCommandAdd = 33877,  // open the add window
    kWorldCommandEdit = 33878, // to edit mode
    kWorldCommandDone = 33879, // back to normal mode
    kWorldCommandBack = 33880, // the add window's back button
};

// The minute refresh of the world clock.
const UINT_PTR kWorldMinuteTimer = 1;
