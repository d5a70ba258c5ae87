// PBufferDC: an off-screen buffer, a memory device context with a bitmap of
// the screen's format selected into it: a window's back buffer, or a smaller
// one for a row or a picture. Both are deleted with the buffer.
#pragma once
#include <windows.h>

class PBufferDC {
public:
    PBufferDC();
    ~PBufferDC();
    PBufferDC(const PBufferDC &) = delete;
    PBufferDC &operator=(const PBufferDC &) = delete;

    // Makes the buffer again at the given size, compatible with the window's
    // screen (the whole screen's for a null window); an empty size gets one
    // pixel. False (and no buffer) on failure.
    bool Make(HWND window, int width, int height);
    void Free();

    HDC Dc() const { return dc_; }
    HBITMAP Bitmap() const { return bitmap_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    HDC dc_;           // owned
    HBITMAP bitmap_;   // owned, selected in dc_
    HGDIOBJ previous_; // selected in dc_ before bitmap_
    int width_;
    int height_;
};
