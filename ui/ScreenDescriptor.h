// The screen descriptor: eight words that tell the bars what a screen
// shows, and the process-wide descriptor of the screen shown now.
#pragma once
#include <windows.h>

#include <cstdint>

// Screen ids: word 0 of a screen descriptor.
enum ScreenId : int32_t {
    kScreenDesk = 0,
    kScreenCalculator = 1,
    kScreenNote = 2,
    kScreenConverter = 3,
    kScreenCalendar = 4,
    kScreenStopwatch = 5,
    kScreenTimer = 6,
    kScreenAlarms = 7,
    kScreenWorldClock = 8,
    kScreenMinimised = 9, // only in the process-wide copy: the floating button is shown
};

// Eight 32-bit words that tell the bars what a screen shows. A tool screen
// fills its own in its constructor; the frame copies it into the current-screen
// descriptor whenever that screen is shown.
struct ScreenDescriptor {
    int32_t screenId; // ScreenId
    int32_t menu;     // bottom-bar buttons shown (1) or hidden (0) ...
    int32_t copy;
    int32_t paste;
    int32_t newNote;
    int32_t nextRecent;
    int32_t minimise;
    int32_t titleId; // string id of the title in the tab bar

    void Clear() { *this = ScreenDescriptor(); }
    int32_t &Word(int index) { return (&screenId)[index]; }
    int32_t Word(int index) const { return (&screenId)[index]; }
};
static_assert(sizeof(ScreenDescriptor) == 8 * sizeof(int32_t), "eight 32-bit words");

// The descriptor of the screen shown now; id kScreenMinimised while the
// program is its floating button.
ScreenDescriptor &CurrentScreen();
