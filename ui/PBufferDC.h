// PBufferDC: an off-screen buffer, a memory device context with a 32-bit
// bitmap selected into it: a window's back buffer, or a smaller one for a row
// or a picture. Both are deleted with the buffer. The bitmap is a DIB
// section, whose pixels are the process's own memory and go back to the
// system when it is deleted (a bitmap made compatible with the screen keeps
// its pixels in the display driver's heap, which keeps freed pieces).
#pragma once
#include <windows.h>

class PBufferDC {
public:
    PBufferDC();
    ~PBufferDC();
    PBufferDC(const PBufferDC &) = delete;
    PBufferDC &operator=(const PBufferDC &) = delete;

    // Makes the buffer again at the given size, for drawing to the window's
    // screen (the whole screen for a null window); an empty size gets one
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
