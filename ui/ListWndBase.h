// CListWndBase: what a list screen supplies to its row window. The row window
// does the stylus work and calls back here to draw rows and report clicks.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"

class CListWnd;

class CListWndBase {
public:
    virtual ~CListWndBase() = default;

    // Draws one row into dc (rectangle 0, 0, width, row height). Row -1 is the
    // empty area below the last row. pressedButton: the in-row button shown
    // pressed, or -1.
    virtual void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) = 0;
    // A tap on a row; button: the in-row button released on, or -1.
    virtual void OnItemClick(CListWnd *list, int row, POINT pt, int button) = 0;
    // The text an editable row opens with; editRect may be adjusted.
    virtual void GetEditText(int /*row*/, Str * /*text*/, RECT * /*editRect*/) {}
    // The edited text of a row (at every change and when editing ends).
    virtual void SetEditText(int /*row*/, const Str & /*text*/) {}
    // The row's in-row button rectangles (row coordinates), or null.
    virtual const RECT *GetItemButtons(int /*row*/, int *count) {
        *count = 0;
        return nullptr;
    }
    // Pre-renders the state backgrounds of the rows (heights: one per state,
    // or null for the row height).
    virtual void PrepareRows(CListWnd * /*list*/, int /*states*/, const int * /*heights*/) {}
    virtual void DrawRowBackground(HDC /*dc*/, int /*state*/, int /*width*/, int /*height*/) {}
    // The row height in pixels; -1 for the default.
    virtual int GetRowHeight() { return -1; }
};
