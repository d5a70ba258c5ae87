// The cell painter: draws one rectangle of a list row or bar with a
// background, text and image items, and an optional separator line.
#pragma once
#include <windows.h>

#include "ui/IconStrip.h"

enum CellBackgroundFlags {
    kCellSolid = 1,     // filled with one colour
    kCellThreePart = 2, // left image, middle image repeated, right image
    kCellBitmap = 4,    // a bitmap copied
};

struct CellBackground {
    int flags;
    COLORREF color;
    const IconStrip *images; // not owned
    int leftImage, middleImage, rightImage;
    HBITMAP bitmap; // not owned
};

struct CellItem {
    enum Kind { kText, kImage } kind;
    // Text items.
    const wchar_t *text;
    int points;
    int weight;
    COLORREF color;
    RECT rect;
    UINT format; // DrawTextW format
    // Image items.
    const IconStrip *images; // not owned
    int imageIndex;
    POINT position;

    static CellItem Text(const wchar_t *text, int points, int weight, COLORREF color, const RECT &rect, UINT format);
    static CellItem Image(const IconStrip *images, int index, int x, int y);
};

// The separator along a cell's bottom edge.
const COLORREF kCellSeparatorColor = RGB(76, 45, 103);
const int kCellSeparatorHeight = 3;

// Height of the cell fonts (Tahoma) for a size in points on this screen.
int CellFontHeight(int points);

// A single-line text wider than its rectangle is cut with an ellipsis; other
// texts are drawn as their format says.
void PaintCell(HDC dc, const RECT &cell, const CellBackground &background, const CellItem *items, int count,
               bool separator);
