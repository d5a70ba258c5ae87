// Process-wide screen state shared by every window of the program: the
// screen metrics that layouts scale by, the descriptor of the screen that is
// shown, the visible part of the desktop, and the bound within which dragged
// windows are kept.
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
    int32_t screenId;    // ScreenId
    int32_t menu;        // bottom-bar buttons shown (1) or hidden (0) ...
    int32_t copy;
    int32_t paste;
    int32_t newNote;
    int32_t nextRecent;
    int32_t minimise;
    int32_t titleId;     // string id of the title in the tab bar

    void Clear() { *this = ScreenDescriptor(); }
    int32_t& Word(int index) { return (&screenId)[index]; }
    int32_t Word(int index) const { return (&screenId)[index]; }
};
static_assert(sizeof(ScreenDescriptor) == 8 * sizeof(int32_t), "eight 32-bit words");

// The descriptor of the screen shown now; id kScreenMinimised while the
// program is its floating button.
ScreenDescriptor& CurrentScreen();

// Screen metrics, filled once at start before any window is made.
struct ScreenMetrics {
    int bigScreen;    // width or height is 400 or 800 pixels
    int squareScreen; // 320 x 320 (bigScreen is then 0)
    int highRes;      // LOGPIXELSX or LOGPIXELSY above 131: use the large bitmaps
    int dpiY;         // LOGPIXELSY
    int dpiX;         // LOGPIXELSX
};

// The metrics a screen of this size and resolution has.
ScreenMetrics ComputeScreenMetrics(int width, int height, int dpiX, int dpiY);

// Fills the process-wide record from the screen. The resolutions are read
// only by the first call; later calls (after a rotation) renew the size flags.
void InitScreenMetrics();
const ScreenMetrics& Metrics();
// Replaces the record, for a program that knows better (and for tests).
void SetMetrics(const ScreenMetrics& metrics);

// Layout units are lengths on a 96-dot-per-inch screen.
inline int ScaleUnits(int units, int dpi) { return (units * dpi + 48) / 96; }
// Widths and horizontal positions.
int ScaleX(int units);
// Heights and vertical positions.
int ScaleY(int units);

// Picks the bitmap id for the screen: the high-resolution one when the
// high-resolution flag is set.
inline UINT PickBitmap(UINT normalId, UINT highResId) { return Metrics().highRes ? highResId : normalId; }

// The part of the screen that the input panel leaves free, in screen
// coordinates. Without an input panel (a desktop) it is the work area.
RECT VisibleDesktop();
// Moves a window onto the visible desktop with repaint; a child window's
// rectangle is taken relative to its parent.
void FitWindowToVisibleDesktop(HWND window);

// The input-panel query, replaceable so that tests can pretend a panel is up.
// It gets a SIPINFO whose cbSize is set and returns whether it filled it.
typedef BOOL (*SipInfoQuery)(void *sipInfo);
void SetSipInfoQuery(SipInfoQuery query); // null: the shell's own query

// The main window and the rectangle (screen coordinates) within which it is
// kept while dragged (the inset work area); the frame sets both.
void SetDragBounds(HWND mainWindow, const RECT &bounds);
// Shortens a movement (dx, dy) of the main window so that no edge of it
// leaves the bound; an edge already outside is not pushed further out.
// Without a main window the movement is returned unchanged.
POINT LimitDragMovement(int dx, int dy);
