#include "shell/DeskWnd.h"

#include "resource.h"
#include "shell/Messages.h"
#include "shell/Tools.h"
#include "ui/Gdi.h"
#include "ui/ScreenDescriptor.h"
#include "ui/Scaling.h"

namespace {

// Space left of the grid, in pixels.
const int kSideMargin = 10;

bool ScreenIsLandscape() { return GetSystemMetrics(SM_CXSCREEN) >= GetSystemMetrics(SM_CYSCREEN); }

} // namespace

CMyDeskWnd::CMyDeskWnd() : main_(nullptr), count_(0) { descriptor_ = ToolDescriptor(kScreenDesk); }

CMyDeskWnd::~CMyDeskWnd() { DestroyIcons(); }

HWND CMyDeskWnd::CreateDesk(HWND mainWindow, const RECT &rect) {
    if (GetHwnd())
        return GetHwnd();
    main_ = mainWindow;
    const ToolRow *row = FindTool(kScreenDesk);
    if (!Create(row->caption, WS_CHILD | WS_CLIPCHILDREN, rect, mainWindow, row->childId, row->backBuffer))
        return nullptr;
    Redraw();
    return GetHwnd();
}

bool CMyDeskWnd::AddDeskIcon(int screenId, UINT bitmapId) {
    if (!GetHwnd() || count_ >= kMaxIcons)
        return false;
    // First in a three-column grid of its own; the layout moves it.
    const SIZE size = CMyIconCmb::IconSize();
    const int x = (count_ % 3) * size.cx;
    const int y = (count_ / 3) * size.cy;
    auto icon = std::make_unique<CMyIconCmb>(screenId, bitmapId);
    if (!icon->CreateIcon(GetHwnd(), RECT{x, y, x + size.cx, y + size.cy}, count_))
        return false;
    icon->Show(SW_SHOW);
    icons_[count_++] = std::move(icon);
    return true;
}

void CMyDeskWnd::AddToolIcons() {
    for (const ToolRow *tool = ToolsBegin(); tool != ToolsEnd(); ++tool) {
        if (tool->icon)
            AddDeskIcon(tool->screenId, PickBitmap(tool->icon, tool->iconHi));
    }
}

void CMyDeskWnd::DestroyIcons() {
    for (auto &icon : icons_)
        icon.reset();
    count_ = 0;
}

LRESULT CMyDeskWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_OPEN_SCREEN:
        return main_ ? SendMessageW(main_, msg, wParam, lParam) : 0;
    case WM_CLOSE:
        DestroyIcons();
        return 0;
    }
    return CNormalWnd::WindowProc(hwnd, msg, wParam, lParam);
}

void CMyDeskWnd::Layout() { LayoutGrid(ScreenIsLandscape()); }

// The background only: the icons are child windows that paint themselves.
// After a size change the background shows at once, the icons move at the
// frame's Layout that follows.
void CMyDeskWnd::Paint(HDC dc, const RECT &client) { FillSolid(dc, client, kScreenColor); }

POINT CMyDeskWnd::IconCentre(int index, int clientWidth, int clientHeight, bool landscape) {
    const int columns = landscape ? 4 : 3;
    const int rows = landscape ? 2 : 3;
    // The margin above and below the grid grows a little with the height.
    const int margin = static_cast<int>((clientHeight * 0.00375 + 0.09875) * 10);
    const int cellWidth = (clientWidth - 2 * kSideMargin) / columns;
    const int cellHeight = (clientHeight - 2 * margin) / rows;
    const int column = index % columns;
    const int row = index / columns;
    return POINT{kSideMargin + column * cellWidth + cellWidth / 2, margin + row * cellHeight + cellHeight / 2};
}

void CMyDeskWnd::LayoutGrid(bool landscape) {
    if (!GetHwnd())
        return;
    RECT client;
    GetClientRect(GetHwnd(), &client);
    const SIZE size = CMyIconCmb::IconSize();
    for (int i = 0; i < count_; ++i) {
        const POINT centre = IconCentre(i, client.right - client.left, client.bottom - client.top, landscape);
        CMyIconCmb &icon = *icons_[i];
        icon.Move(client.left + centre.x - size.cx / 2, client.top + centre.y - size.cy / 2, size.cx, size.cy, TRUE);
        icon.Redraw();
        UpdateWindow(icon.GetHwnd());
    }
    Redraw();
}
