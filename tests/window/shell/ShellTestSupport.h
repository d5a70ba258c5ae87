// Helpers of the shell's window tests: a window that records the private
// messages it receives (standing in for the main window or a screen), stylus
// messages, and a screen of another resolution for one scope.
#pragma once
#include <windows.h>

#include <vector>

#include "ui/Scaling.h"

namespace shelltest {

// Dispatches whatever is queued for this thread (no waiting).
void Pump();

struct Received {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// A window that records every message in the private range (WM_USER up to
// the registered messages) and the keys it gets, and answers them with 0.
// Top-level and visible without a parent, else a visible child with the
// given id.
class Recorder {
public:
    explicit Recorder(const RECT &rect, HWND parent = nullptr, UINT childId = 0);
    ~Recorder();
    Recorder(const Recorder &) = delete;
    Recorder &operator=(const Recorder &) = delete;

    HWND hwnd() const { return hwnd_; }
    int Count(UINT msg) const;
    // The last message of that number, or null.
    const Received *Last(UINT msg) const;
    // The numbers received, in order.
    std::vector<UINT> Sequence() const;
    void Clear() { messages_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_;
    std::vector<Received> messages_;
};

// Stylus messages in the window's client coordinates (negative ones
// included: a release outside the window).
void Press(HWND window, int x, int y);
void MoveTo(HWND window, int x, int y);
void Release(HWND window, int x, int y);
// Press and release at one point.
void Tap(HWND window, int x, int y);

// The position and size of a child window in its parent's client area.
RECT ChildRect(HWND child);
bool IsShown(HWND window);

// Screen metrics of another screen while it lives; the previous ones after.
class ScopedMetrics {
public:
    ScopedMetrics(int width, int height, int dpi);
    ~ScopedMetrics();

private:
    ScreenMetrics saved_;
};

// A 96 or 192 dpi screen for the table-driven tests.
struct Resolution {
    const char *name;
    int width, height, dpi;
};
extern const Resolution kResolutions[2];

} // namespace shelltest
