// Helpers shared by the window-toolkit tests: a message pump, a window that
// records the private messages it receives, and pixel reads.
#pragma once
#include <windows.h>

#include <vector>

namespace uitest {

// Dispatches whatever is queued for this thread (no waiting).
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

struct Received {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// A top-level window that records every message in the private range the
// toolkit sends (WM_USER and up) and answers them with 0.
class Recorder {
public:
    Recorder(int x = 0, int y = 0, int width = 240, int height = 300);
    ~Recorder();
    HWND hwnd() const { return hwnd_; }
    std::vector<Received> &messages() { return messages_; }
    // How many times msg arrived (with this lParam, when given).
    int Count(UINT msg) const;
    int Count(UINT msg, LPARAM lParam) const;
    void Clear() { messages_.clear(); }
    // Moves itself by the UWM_DRAG_MOVE it receives, as the main window does.
    void FollowDrags(bool follow) { followDrags_ = follow; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_;
    std::vector<Received> messages_;
    bool followDrags_ = false;
};

// Pixel of a memory device context.
inline COLORREF PixelAt(HDC dc, int x, int y) { return GetPixel(dc, x, y); }

// Stylus messages in client coordinates.
inline LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

} // namespace uitest
