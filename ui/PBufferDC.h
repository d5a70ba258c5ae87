// PBufferDC: the back buffer of an item list window, a memory device context
// with a bitmap of the window's client size selected into it. Both are
// deleted with the buffer.
#pragma once
#include <windows.h>

class PBufferDC {
public:
    PBufferDC();
    ~PBufferDC();
    PBufferDC(const PBufferDC &) = delete;
    PBufferDC &operator=(const PBufferDC &) = delete;

    // Makes the buffer again at the given size, compatible with the window's
    // screen; false (and no buffer) on failure.
    bool Make(HWND window, int width, int height);
    void Free();

    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    HDC dc_;            // owned
    HBITMAP bitmap_;    // owned, selected in dc_
    HGDIOBJ previous_;  // selected in dc_ before bitmap_
    int width_;
    int height_;
};
