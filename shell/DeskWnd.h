// CMyDeskWnd: screen 0, the desk of tool icons. A tap on an icon opens its
// tool; the icons sit in a grid of four columns and two rows on a landscape
// screen, three by three on a portrait one.
#pragma once
#include <windows.h>

#include <memory>

#include "shell/IconCmb.h"
#include "ui/NormalWnd.h"

class CMyDeskWnd : public CNormalWnd {
public:
    static constexpr int kMaxIcons = 15;

    CMyDeskWnd();
    ~CMyDeskWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Lays the icons out for the screen's orientation.
    void Layout() override;

    // Makes the (hidden) desk as a child of the main window, which receives
    // UWM_OPEN_SCREEN from the icons.
    HWND CreateDesk(HWND mainWindow, const RECT &rect);

    // Adds an icon that opens screenId; false when the desk has no window yet
    // or is full (kMaxIcons).
    bool AddDeskIcon(int screenId, UINT bitmapId);
    // The eight tools' icons in their order on the desk, with the pictures
    // of this screen's resolution.
    void AddToolIcons();

    // The layout for a landscape (4 x 2) or a portrait (3 x 3) grid.
    void LayoutGrid(bool landscape);
    // Where icon i of the grid has its centre in a client area of the size.
    static POINT IconCentre(int index, int clientWidth, int clientHeight, bool landscape);

    int IconCount() const { return count_; }
    CMyIconCmb *Icon(int slot) const { return slot >= 0 && slot < count_ ? icons_[slot].get() : nullptr; }

private:
    void Paint(HDC dc, const RECT &client) override;
    void DestroyIcons();

    HWND main_; // not owned
    std::unique_ptr<CMyIconCmb> icons_[kMaxIcons];
    int count_;
};
