// CBarBase: a bar window on a tiled background picture. Its stylus and size
// messages go to overridable handlers.
#pragma once
#include <windows.h>

#include "ui/Gdi.h"
#include "ui/Wnd.h"

class CBarBase : public Wnd {
public:
    CBarBase();

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void OnLButtonDown(WPARAM keys, int x, int y);
    virtual void OnLButtonUp(WPARAM keys, int x, int y);
    virtual void OnMouseMove(WPARAM keys, int x, int y);
    // The new size, before the back buffer is made again and redrawn.
    virtual void OnSize(int width, int height, UINT type);

    // Makes the (hidden, double-buffered) child bar; the parent receives its
    // commands.
    HWND Create(HWND parent, const RECT &rect, const wchar_t *caption, UINT childId = 0);
    // The background tile from the program's resources; false when missing.
    bool SetBackground(UINT bitmapId);
    // Tiles run downwards instead of across.
    void SetVertical(bool vertical) { vertical_ = vertical; }
    HWND OwnerWindow() const { return ownerWindow_; }

protected:
    // The control colour under the tiled background.
    void Paint(HDC dc, const RECT &client) override;
    // Tiles the background across the client rectangle, the last tile cut.
    void TileBackground(HDC dc);

    Bitmap background_;
    SIZE backgroundSize_;
    RECT client_;
    bool vertical_;
    HWND ownerWindow_; // not owned
};
