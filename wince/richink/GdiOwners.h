// Owners of the GDI objects the ink control makes: each deletes its object,
// and a selection puts the previous object back before that.
#pragma once
#include <windows.h>

namespace richink {

template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : handle_(h) {}
    GdiObject(GdiObject &&other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    GdiObject &operator=(GdiObject &&other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    GdiObject(const GdiObject &) = delete;
    GdiObject &operator=(const GdiObject &) = delete;
    ~GdiObject() { Reset(); }

    Handle Get() const { return handle_; }
    void Reset(Handle h = nullptr) {
        if (handle_)
            DeleteObject(handle_);
        handle_ = h;
    }

private:
    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;

class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selection(const Selection &) = delete;
    Selection &operator=(const Selection &) = delete;
    ~Selection() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory DC with a bitmap of the window's client size: the picture is
// drawn here and copied to the screen.
class BackBuffer {
public:
    BackBuffer() = default;
    BackBuffer(const BackBuffer &) = delete;
    BackBuffer &operator=(const BackBuffer &) = delete;
    ~BackBuffer() { Release(); }

    // A buffer of at least this size; false when it cannot be made.
    bool Fit(HWND hwnd, int width, int height) {
        if (dc_ && width <= width_ && height <= height_)
            return true;
        Release();
        HDC screen = GetDC(hwnd);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
        ReleaseDC(hwnd, screen);
        if (!dc_ || !bitmap_) {
            Release();
            return false;
        }
        previous_ = SelectObject(dc_, bitmap_);
        width_ = width;
        height_ = height;
        return true;
    }
    HDC Dc() const { return dc_; }

private:
    void Release() {
        if (dc_) {
            SelectObject(dc_, previous_);
            DeleteDC(dc_);
        }
        if (bitmap_)
            DeleteObject(bitmap_);
        dc_ = nullptr;
        bitmap_ = nullptr;
        width_ = height_ = 0;
    }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr; // owned, selected into dc_ while both exist
    HGDIOBJ previous_ = nullptr;
    int width_ = 0, height_ = 0;
};

} // namespace richink
