#include "ui/PBufferDC.h"

#include <algorithm>

#include "ui/Drawing.h"

PBufferDC::PBufferDC() : dc_(nullptr), bitmap_(nullptr), previous_(nullptr), width_(0), height_(0) {}

PBufferDC::~PBufferDC() { Free(); }

bool PBufferDC::Make(HWND window, int width, int height) {
    Free();
    HDC windowDC = GetDC(window);
    if (!windowDC)
        return false;
    // An empty size makes no bitmap; one pixel until the window has a size.
    width = std::max(width, 1);
    height = std::max(height, 1);
    HBITMAP bitmap = ui::CreateBitmap32(windowDC, width, height);
    HDC dc = bitmap ? CreateCompatibleDC(windowDC) : nullptr;
    ReleaseDC(window, windowDC);
    if (!dc) {
        if (bitmap)
            DeleteObject(bitmap);
        return false;
    }
    dc_ = dc;
    bitmap_ = bitmap;
    previous_ = SelectObject(dc, bitmap);
    width_ = width;
    height_ = height;
    return true;
}

void PBufferDC::Free() {
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    width_ = height_ = 0;
}
