// Messages between the calendar screen and its control. Day numbers count
// days since 30 December 1899 and travel as signed 32-bit values.
#pragma once
#include <windows.h>

enum : UINT {
    UWM_CAL_SELECT = 34760,   // to the control; lParam: day number to select
    UWM_CAL_SLIDE = 34761,    // to the control: start the month-change slide
    UWM_CAL_FIT = 34763,      // to the control: fit its height to header, grid and strip
    UWM_CAL_SELECTED = 34765, // to the calendar window; wParam: the selected day number
};

// Command ids of the header's buttons, sent with UWM_TITLE_COMMAND.
const WPARAM kCalPreviousButton = 32869;
const WPARAM kCalNextButton = 32870;
