// The desktop the windows live on: the part the input panel leaves visible,
// and the bound within which the dragged main window is kept.
#pragma once
#include <windows.h>

// The part of the screen that the input panel leaves free, in screen
// coordinates. Without an input panel (a desktop) it is the work area.
RECT VisibleDesktop();
// Whether a message asks a window to fit itself to the visible desktop
// again: its activation, or a change of the input panel.
bool AsksToRefit(UINT msg, WPARAM wParam);
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
