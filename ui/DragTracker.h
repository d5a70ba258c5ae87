// DragTracker: the stylus handling that the calculator's surfaces share. A
// press on the background captures the stylus; once it has moved more than
// a few pixels, every further movement is reported to the parent as
// UWM_DRAG_MOVE (the main frame moves its window) and the release as
// UWM_DRAG_END. A short press that stays put does nothing.
#pragma once
#include <windows.h>

class DragTracker {
public:
    DragTracker() : start_{0, 0}, dragging_(false) {}

    // The window's WM_LBUTTONDOWN, WM_MOUSEMOVE and WM_LBUTTONUP, with the
    // client coordinates of lParam.
    void OnPress(HWND window, int x, int y);
    void OnMove(HWND window, int x, int y);
    void OnRelease(HWND window);
    // Takes the window's stylus messages (press, move, release) to the three
    // above; false for any other message.
    bool OnMessage(HWND window, UINT msg, LPARAM lParam);

    bool Dragging() const { return dragging_; }

private:
    POINT start_;   // last stylus position during the press, screen coordinates
    bool dragging_; // the stylus moved past the threshold during this press
};
