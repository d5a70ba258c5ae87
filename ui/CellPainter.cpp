#include "ui/CellPainter.h"

#include <algorithm>

#include "ui/Gdi.h"
#include "ui/Scaling.h"

CellItem CellItem::Text(const wchar_t *text, int points, int weight, COLORREF color, const RECT &rect, UINT format) {
    CellItem item = {};
    item.kind = kText;
    item.text = text;
    item.points = points;
    item.weight = weight;
    item.color = color;
    item.rect = rect;
    item.format = format;
    return item;
}

CellItem CellItem::Image(const IconStrip *images, int index, int x, int y) {
    CellItem item = {};
    item.kind = kImage;
    item.images = images;
    item.imageIndex = index;
    item.position = POINT{x, y};
    return item;
}

int CellFontHeight(int points) { return -static_cast<int>(points * Metrics().dpiY / 72.0 + 0.5); }

namespace {

void PaintThreePart(HDC dc, const RECT &cell, const CellBackground &bg) {
    // The three parts share the strip's icon size.
    const int lw = bg.images->IconSize().cx;
    const int mw = lw, rw = lw;
    if (mw <= 0)
        return;
    const int right = cell.right - rw;
    bg.images->Draw(dc, bg.leftImage, cell.left, cell.top);
    // The middle image repeated; the last copy is clipped at the right part.
    Region clip(CreateRectRgn(0, 0, 0, 0));
    const bool hadClip = GetClipRgn(dc, clip.get()) == 1;
    IntersectClipRect(dc, cell.left + lw, cell.top, right, cell.bottom);
    for (int x = cell.left + lw; x < right; x += mw)
        bg.images->Draw(dc, bg.middleImage, x, cell.top);
    SelectClipRgn(dc, hadClip ? clip.get() : nullptr);
    bg.images->Draw(dc, bg.rightImage, right, cell.top);
}

void PaintBitmap(HDC dc, const RECT &cell, HBITMAP bitmap) {
    SIZE size = BitmapSize(bitmap);
    MemoryDC src(dc);
    SelectedObject sel(src, bitmap);
    BitBlt(dc, cell.left, cell.top, std::min<LONG>(size.cx, cell.right - cell.left),
           std::min<LONG>(size.cy, cell.bottom - cell.top), src, 0, 0, SRCCOPY);
}

void PaintText(HDC dc, const CellItem &item) {
    if (!item.text || !*item.text)
        return;
    Font font(CreateFontW(CellFontHeight(item.points), 0, 0, 0, item.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                          L"Tahoma"));
    SelectedObject sel(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, item.color);
    RECT rc = item.rect;
    UINT format = item.format;
    if ((format & DT_SINGLELINE) && !(format & (DT_WORDBREAK | DT_CALCRECT)))
        format |= DT_END_ELLIPSIS;
    DrawTextW(dc, item.text, -1, &rc, format);
}

} // namespace

void PaintCell(HDC dc, const RECT &cell, const CellBackground &bg, const CellItem *items, int count, bool separator) {
    if (bg.flags & kCellSolid)
        FillSolid(dc, cell, bg.color);
    if ((bg.flags & kCellThreePart) && bg.images)
        PaintThreePart(dc, cell, bg);
    if ((bg.flags & kCellBitmap) && bg.bitmap)
        PaintBitmap(dc, cell, bg.bitmap);
    for (int i = 0; i < count; ++i) {
        if (items[i].kind == CellItem::kText)
            PaintText(dc, items[i]);
        else if (items[i].images)
            items[i].images->Draw(dc, items[i].imageIndex, items[i].position.x, items[i].position.y);
    }
    if (separator) {
        RECT line = {cell.left, cell.bottom - kCellSeparatorHeight, cell.right, cell.bottom};
        FillSolid(dc, line, kCellSeparatorColor);
    }
}
