#include "ui/IconStrip.h"

#include <algorithm>

bool IconStrip::Load(UINT bitmapId, int count) {
    Clear();
    Bitmap bitmap(LoadProgramBitmap(bitmapId));
    const SIZE size = BitmapSize(bitmap.get());
    if (count <= 0 || size.cx / count <= 0)
        return false;
    return LoadFrom(bitmap.get(), size.cx / count, size.cy);
}

bool IconStrip::LoadFrom(HBITMAP bitmap, int iconWidth, int iconHeight) {
    Clear();
    const SIZE size = BitmapSize(bitmap);
    const int count = iconWidth > 0 ? size.cx / iconWidth : 0;
    const int height = std::min<int>(iconHeight, size.cy);
    if (count <= 0 || height <= 0)
        return false;
    ScreenDC screen;
    Bitmap copy(CreateCompatibleBitmap(screen, count * iconWidth, height));
    if (!copy)
        return false;
    MemoryDC from(screen), to(screen);
    SelectedObject fromSel(from, bitmap);
    SelectedObject toSel(to, copy.get());
    BitBlt(to, 0, 0, count * iconWidth, height, from, 0, 0, SRCCOPY);
    picture_ = std::move(copy);
    size_ = SIZE{iconWidth, height};
    count_ = count;
    return true;
}

void IconStrip::Clear() {
    picture_.Reset();
    size_ = SIZE{0, 0};
    count_ = 0;
}

void IconStrip::Draw(HDC dc, int index, int x, int y) const {
    if (index < 0 || index >= count_)
        return;
    MemoryDC src(dc);
    SelectedObject sel(src, picture_.get());
    TransparentBlt(dc, x, y, size_.cx, size_.cy, src, index * size_.cx, 0, size_.cx, size_.cy, kTransparentKey);
}
