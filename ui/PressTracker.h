// PressTracker: a press on a window that holds the stylus until its release,
// the window looking pressed meanwhile. A release on the window is a tap.
// Either the look follows the stylus on and off the window, or sliding off
// gives the press up.
#pragma once
#include <windows.h>

class Wnd;

class PressTracker {
public:
    enum class SlideOff { kUnpress, kGiveUp };
    enum class Result { kNotStylus, kHandled, kTapped };

    explicit PressTracker(SlideOff slideOff) : slideOff_(slideOff) {}

    // The window's stylus messages (press, move, release, capture lost);
    // the window is redrawn whenever its look changes. kNotStylus for any
    // other message.
    Result OnMessage(Wnd &window, UINT msg, LPARAM lParam);
    // Lets the stylus go without a tap (the window is going).
    void Cancel(HWND window);

    bool Pressed() const { return pressed_; }

private:
    void End(Wnd &window);

    SlideOff slideOff_;
    bool tracking_ = false; // between the press and its release
    bool pressed_ = false;  // shown pressed: tracking with the stylus over the window
};
