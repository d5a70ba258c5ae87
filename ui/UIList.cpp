#include "ui/UIList.h"

#include <aygshell.h>

#include <algorithm>

#include "ui/CellPainter.h"
#include "ui/Gdi.h"
#include "ui/Scaling.h"

const COLORREF CUIList::kTitleTextColor = RGB(79, 79, 90);

namespace {

CUIList *gActiveList = nullptr;   // not owned
CUIList *gResizeOrigin = nullptr; // the screen whose size is travelling down and up; not owned

const UINT kListChildId = 1;
const UINT kTitleChildId = 2;

} // namespace

CUIList::CUIList() : parent_(nullptr), layoutCode_(2), orientation_(kPortrait), hasTitleBar_(false) {
    descriptor_.Clear();
}

CUIList::~CUIList() {
    if (gActiveList == this)
        gActiveList = nullptr;
    if (gResizeOrigin == this)
        gResizeOrigin = nullptr;
    // The children go before this window so that none outlives its object.
    list_.reset();
    titleBar_.reset();
}

CUIList *CUIList::ActiveList() { return gActiveList; }

CUIList *CUIList::FromWindow(HWND window) { return dynamic_cast<CUIList *>(Wnd::FromHandle(window)); }

int CUIList::OrientationOfScreen() {
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    if (cx == cy)
        return kSquare;
    return cx > cy ? kLandscape : kPortrait;
}

bool CUIList::Create(HWND parent, const RECT *rect, const wchar_t *caption) {
    parent_ = parent;
    RECT area = {};
    if (rect)
        area = *rect;
    else if (parent)
        GetClientRect(parent, &area);
    if (hwnd_) {
        Move(area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    } else if (!Wnd::Create(caption, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area, parent, 0, true)) {
        return false;
    }
    gActiveList = this;
    RECT client;
    GetClientRect(hwnd_, &client);
    if (hasTitleBar_ && !titleBar_) {
        titleBar_.reset(new CBarBaseEx);
        RECT bar = {0, 0, client.right, ScaleY(kTitleUnits)};
        if (titleBar_->Create(hwnd_, bar, L"TitleBar", kTitleChildId))
            titleBar_->Show(SW_SHOW);
    }
    if (!list_) {
        list_.reset(new CListWnd);
        list_->SetBase(this);
        RECT rows = client;
        if (titleBar_)
            rows.top = ScaleY(kTitleUnits);
        if (!list_->Create(hwnd_, rows, kListChildId)) {
            list_.reset();
            return false;
        }
    }
    orientation_ = OrientationOfScreen();
    LayoutChildren();
    Redraw();
    return true;
}

void CUIList::LayoutChildren() {
    if (!hwnd_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    int top = 0;
    if (titleBar_ && titleBar_->GetHwnd()) {
        top = std::min<int>(ScaleY(kTitleUnits), client.bottom);
        titleBar_->Move(0, 0, client.right, top, TRUE);
        RebuildTitleLayout(); // the label takes the new width
    }
    if (list_ && list_->GetHwnd())
        list_->Move(0, top, client.right, std::max<int>(0, client.bottom - top), TRUE);
}

// White where no child covers the screen.
void CUIList::Paint(HDC dc, const RECT &client) { FillSolid(dc, client, RGB(255, 255, 255)); }

void CUIList::SetTitle(UINT bitmapId, int layoutCode, const wchar_t *title) {
    title_ = title;
    layoutCode_ = layoutCode;
    titleButtons_.clear();
    if (!titleBar_)
        return;
    titleBar_->SetBackground(bitmapId);
    titleBar_->SetLabelFont(9, kTitleTextColor, false);
    RebuildTitleLayout();
}

void CUIList::AddTitleButton(UINT bitmapId, int width, int height, UINT commandId) {
    titleButtons_.push_back(TitleButton{bitmapId, width, height, commandId});
    RebuildTitleLayout();
}

// The label takes what the buttons leave: with layout 3 or 4 the first
// button sits left of it, with 4 the second one right of it; further
// buttons follow on the right.
void CUIList::RebuildTitleLayout() {
    if (!titleBar_ || !titleBar_->GetHwnd())
        return;
    RECT client;
    GetClientRect(titleBar_->GetHwnd(), &client);
    const int height = client.bottom - client.top;
    std::vector<BarEntry> entries;
    size_t next = 0;
    int used = 0;
    for (const TitleButton &b : titleButtons_)
        used += b.width;
    auto button = [&](const TitleButton &b) {
        entries.push_back(BarEntry{b.width, b.height, b.bitmapId, b.commandId, nullptr});
    };
    if (layoutCode_ >= 3 && next < titleButtons_.size())
        button(titleButtons_[next++]);
    // A label of zero width would end the list.
    entries.push_back(BarEntry{std::max(1, static_cast<int>(client.right) - used), height, 0, 0, title_});
    while (next < titleButtons_.size())
        button(titleButtons_[next++]);
    entries.push_back(BarEntry{0, 0, 0, 0, nullptr});
    titleBar_->SetLayout(entries.data());
}

bool CUIList::HandlePickerCommand(WPARAM commandId) {
    if (commandId == kTitleCommandCancel) {
        OnLeftButton();
        return true;
    }
    if (commandId == kTitleCommandDone) {
        OnRightButton();
        return true;
    }
    return false;
}

void CUIList::OnRightButton() {
    if (parent_)
        PostMessageW(parent_, WM_ENABLE, 1, 0);
}

void CUIList::OnLeftButton() {
    if (parent_)
        PostMessageW(parent_, WM_ENABLE, 1, 0);
}

void CUIList::OnOrientationChange() {
    const int now = OrientationOfScreen();
    if (now == orientation_ || !hwnd_)
        return;
    orientation_ = now;
    Move(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), TRUE);
    FitToVisibleDesktop();
    LayoutChildren();
    Redraw();
    if (list_) {
        list_->RebuildBuffers(); // calls PrepareRows again
        list_->SetOffset(list_->Offset());
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    OnResize(client);
}

HDC CUIList::StateBackground(int state) const {
    return state >= 0 && state < StateBackgroundCount() ? states_[state]->Dc() : nullptr;
}

SIZE CUIList::StateBackgroundSize(int state) const {
    if (state < 0 || state >= StateBackgroundCount())
        return SIZE{0, 0};
    return SIZE{states_[state]->Width(), states_[state]->Height()};
}

void CUIList::PrepareRows(CListWnd *list, int states, const int *heights) {
    states_.clear();
    if (!list || states <= 0)
        return;
    RECT client = {};
    if (list->GetHwnd())
        GetClientRect(list->GetHwnd(), &client);
    int width = client.right - client.left;
    if (list->BarShown())
        width -= ScaleX(kScrollBarUnits);
    width = std::max(1, width);
    int rowHeight = GetRowHeight();
    if (rowHeight <= 0)
        rowHeight = CListWnd::DefaultRowHeight();
    for (int i = 0; i < states; ++i) {
        const int height = std::max(1, heights ? heights[i] : rowHeight);
        auto image = std::make_unique<PBufferDC>();
        if (image->Make(nullptr, width, height))
            DrawRowBackground(image->Dc(), i, width, height);
        states_.push_back(std::move(image));
    }
}

void CUIList::DrawRowBackground(HDC dc, int state, int width, int height) {
    COLORREF color;
    if (state == 0)
        color = RGB(238, 232, 255);
    else if (state == 1)
        color = RGB(142, 122, 191);
    else
        color = Metrics().highRes ? RGB(47, 153, 191) : RGB(78, 102, 128);
    RECT rc = {0, 0, width, height};
    FillSolid(dc, rc, color);
    RECT line = {0, std::max(0, height - kCellSeparatorHeight), width, height};
    FillSolid(dc, line, kCellSeparatorColor);
}

void CUIList::CopyStateBackground(HDC dc, int state, const RECT &rect) const {
    HDC src = StateBackground(state);
    if (!src)
        return;
    const SIZE size = StateBackgroundSize(state);
    BitBlt(dc, rect.left, rect.top, std::min<LONG>(size.cx, rect.right - rect.left),
           std::min<LONG>(size.cy, rect.bottom - rect.top), src, 0, 0, SRCCOPY);
}

// The size travels down to the innermost list screen and back up to the one
// that was resized; every list on the way takes it.
void CUIList::OnSize(LPARAM size) {
    if (gResizeOrigin)
        return;
    CUIList *deepest = nullptr;
    for (HWND w = hwnd_; w; w = GetWindow(w, GW_CHILD))
        if (CUIList *list = FromWindow(w))
            deepest = list;
    gActiveList = deepest;
    if (deepest && deepest != this) {
        gResizeOrigin = this;
        PostMessageW(deepest->GetHwnd(), UWM_LIST_NESTED_SIZE, 0, size);
    }
}

void CUIList::OnNestedSize(LPARAM size) {
    if (!gResizeOrigin)
        return;
    if (gResizeOrigin == this) {
        gResizeOrigin = nullptr;
        return;
    }
    // Up to the next list; a chain broken by a window that is no list would
    // never reach the origin and would block every later resize.
    if (parent_ && FromWindow(parent_))
        PostMessageW(parent_, UWM_LIST_NESTED_SIZE, 0, size);
    else
        gResizeOrigin = nullptr;
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT *>(&rc), 2);
    Move(rc.left, rc.top, LOWORD(size), HIWORD(size), TRUE);
}

LRESULT CUIList::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        OnSize(lParam);
        LayoutChildren();
        break; // the base class makes the back buffer anew and redraws
    case UWM_LIST_NESTED_SIZE:
        OnNestedSize(lParam);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE)
            OnEditChange(lParam);
        else if (HIWORD(wParam) == 1)
            OnSelChange(lParam);
        return 0;
    case UWM_LIST_USER_COMMAND:
        OnUserCommand(hwnd, msg);
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETSIPINFO) {
            if (gActiveList == this)
                Wnd::FitToVisibleDesktop();
        } else {
            OnOrientationChange();
        }
        return 0;
    case WM_ACTIVATE: {
        HWND foreground = GetForegroundWindow();
        DWORD process = 0;
        if (foreground && GetWindowThreadProcessId(foreground, &process) && process == GetCurrentProcessId())
            PostMessageW(foreground, UWM_LIST_INPUT_PANEL, 0, 0);
        break;
    }
    case WM_ENABLE:
        if (list_ && list_->GetHwnd())
            SetFocus(list_->GetHwnd());
        gActiveList = this;
        return 0;
    case WM_WINDOWPOSCHANGED:
        if (!IsWindowVisible(hwnd) && gActiveList == this)
            gActiveList = FromWindow(parent_);
        break;
    case WM_DESTROY:
        if (GetCapture() == hwnd)
            ReleaseCapture();
        if (gActiveList == this)
            gActiveList = nullptr;
        break;
    }
    return CNormalWnd::WindowProc(hwnd, msg, wParam, lParam);
}
