#include "ui/Drawing.h"

#include <vector>
#include "ui/Scaling.h"

namespace ui {

namespace {

// A 5-6-5 bitmap of the given size; the masks make it keep green's sixth bit.
HBITMAP Create565(HDC reference, int width, int height) {
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 16;
    info.header.biCompression = BI_BITFIELDS;
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
    void *bits = nullptr;
    return CreateDIBSection(reference, reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
}

} // namespace

HBITMAP CreateBitmap32(HDC reference, int width, int height, void **bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bits)
        *bits = pixels;
    return bitmap;
}

HBITMAP LoadBitmap16(UINT id) {
    Bitmap source(LoadProgramBitmap(id));
    const SIZE size = BitmapSize(source.get());
    if (size.cx <= 0 || size.cy <= 0)
        return nullptr;
    ScreenDC screen;
    HBITMAP copy = Create565(screen, size.cx, size.cy);
    if (!copy)
        return nullptr;
    MemoryDC from(screen), to(screen);
    SelectedObject fromSel(from, source.get());
    SelectedObject toSel(to, copy);
    BitBlt(to, 0, 0, size.cx, size.cy, from, 0, 0, SRCCOPY);
    return copy;
}

void DrawBitmapPart(HDC dc, HBITMAP bitmap, const RECT &dst, int srcX, int srcWidth) {
    const SIZE size = BitmapSize(bitmap);
    const int width = dst.right - dst.left;
    const int height = dst.bottom - dst.top;
    if (!bitmap || srcWidth <= 0 || size.cy <= 0 || width <= 0 || height <= 0)
        return;
    MemoryDC src(dc);
    SelectedObject sel(src, bitmap);
    if (width == srcWidth && height == size.cy) {
        BitBlt(dc, dst.left, dst.top, width, height, src, srcX, 0, SRCCOPY);
    } else {
        // Plain pixel stretching: a blend would mix the transparency key
        // into the edges of pictures.
        const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, dst.left, dst.top, width, height, src, srcX, 0, srcWidth, size.cy, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
}

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT &dst) { DrawBitmapPart(dc, bitmap, dst, 0, BitmapSize(bitmap).cx); }

int PointsToHeight(int points) { return -static_cast<int>(points * Metrics().dpiY / 72.0 + 0.5); }

HFONT CreatePointFont(const wchar_t *face, int points, int weight) {
    return CreateFontW(PointsToHeight(points), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

HRGN RegionFromPicture(HBITMAP picture, int width, int height) {
    if (!picture || width <= 0 || height <= 0)
        return nullptr;
    // The picture at the window's size in a 32-bit top-down bitmap whose
    // pixels can be read directly.
    ScreenDC screen;
    void *bits = nullptr;
    Bitmap canvas(CreateBitmap32(screen, width, height, &bits));
    if (!canvas || !bits)
        return nullptr;
    {
        MemoryDC dc(screen);
        SelectedObject sel(dc, canvas.get());
        RECT all = {0, 0, width, height};
        DrawBitmap(dc, picture, all);
        GdiFlush();
    }
    // One rectangle per run of covered pixels in a row.
    const DWORD key = 0x00FF00FF; // magenta as the DIB stores it (0x00RRGGBB)
    const DWORD *pixels = static_cast<const DWORD *>(bits);
    std::vector<RECT> runs;
    for (int y = 0; y < height; ++y) {
        const DWORD *row = pixels + static_cast<size_t>(y) * width;
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] & 0x00FFFFFF) == key)
                ++x;
            const int start = x;
            while (x < width && (row[x] & 0x00FFFFFF) != key)
                ++x;
            if (x > start)
                runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATA *region = reinterpret_cast<RGNDATA *>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(runs.size());
    region->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    SetRect(&region->rdh.rcBound, 0, 0, width, height);
    if (!runs.empty())
        memcpy(region->Buffer, runs.data(), runs.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
}

} // namespace ui
