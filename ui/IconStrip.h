// IconStrip: equally large icons side by side in one picture, magenta
// transparent, drawn one at a time with the magenta pixels left out. What a
// masked image list does, without the common controls library, whose
// loading alone costs a start some 20 ms and every process 1.5 MB (its
// tooltip icons are loaded at their largest size).
#pragma once
#include <windows.h>

#include "ui/Gdi.h"

class IconStrip {
public:
    IconStrip() = default;
    IconStrip(const IconStrip &) = delete;
    IconStrip &operator=(const IconStrip &) = delete;

    // Cuts a bitmap resource into count equally wide icons of its height.
    // False, with no icons, when the picture is missing or too narrow.
    bool Load(UINT bitmapId, int count);
    // Copies the icons from a bitmap the caller keeps: as many icons of the
    // given size as its width holds side by side (its height cut to theirs).
    bool LoadFrom(HBITMAP bitmap, int iconWidth, int iconHeight);
    void Clear();

    int Count() const { return count_; }
    SIZE IconSize() const { return size_; }
    // Draws icon index with its top left corner at (x, y); nothing for an
    // index outside the strip.
    void Draw(HDC dc, int index, int x, int y) const;

private:
    Bitmap picture_;
    SIZE size_ = {0, 0};
    int count_ = 0;
};
