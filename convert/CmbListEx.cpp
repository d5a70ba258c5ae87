#include "convert/CmbListEx.h"

#include <algorithm>

#include "resource.h"
#include "ui/CellPainter.h"
#include "ui/Drawing.h"
#include "ui/Scaling.h"

const COLORREF CMyCmbListEx::kRowTextColor = RGB(77, 77, 77);

CMyCmbListEx::CMyCmbListEx(HWND selector) : selector_(selector), current_(0) { SetHasTitleBar(false); }

CMyCmbListEx::~CMyCmbListEx() {}

bool CMyCmbListEx::CreateList(HWND owner, const RECT &rect) {
    rowPicture_[0].Reset(LoadProgramBitmap(PickBitmap(IDB_CONV_ROW, IDB_CONV_ROW_HI)));
    rowPicture_[1].Reset(LoadProgramBitmap(PickBitmap(IDB_CONV_ROW_SELECTED, IDB_CONV_ROW_SELECTED_HI)));
    if (!Create(owner, &rect, L"CmbListWnd"))
        return false;
    Show(SW_HIDE);
    return true;
}

void CMyCmbListEx::SetEntries(const Str *entries, int count, int current) {
    rows_.assign(entries, entries + std::max(0, count));
    current_ = current;
    if (!List())
        return;
    List()->SetItems(RowCount(), nullptr, 2);
    ScrollToCurrent();
    List()->Repaint();
}

// The current row is shown near the top when the rows overflow the list.
void CMyCmbListEx::ScrollToCurrent() {
    if (List())
        List()->SetOffset(std::max(0, current_ - 1) * GetRowHeight());
}

int CMyCmbListEx::GetRowHeight() { return ScaleY(kRowUnits); }

void CMyCmbListEx::DrawRowBackground(HDC dc, int state, int width, int height) {
    ui::DrawBitmap(dc, rowPicture_[state == 1 ? 1 : 0].get(), RECT{0, 0, width, height});
}

void CMyCmbListEx::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    if (row < 0 || row >= RowCount()) {
        FillSolid(dc, rect, kScreenColor);
        return;
    }
    CopyStateBackground(dc, pressed || row == current_ ? 1 : 0, rect);
    RECT textRect = {rect.left + ScaleX(8), rect.top, rect.right - ScaleX(8), rect.bottom};
    CellItem item = CellItem::Text(rows_[row], 11, FW_BOLD, kRowTextColor, textRect,
                                   DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    CellBackground none = {};
    PaintCell(dc, rect, none, &item, 1, false);
}

void CMyCmbListEx::OnItemClick(CListWnd *, int row, POINT, int) { Choose(row); }

void CMyCmbListEx::Choose(int row) {
    if (row < 0 || row >= RowCount())
        return;
    current_ = row;
    Show(SW_HIDE);
    if (selector_)
        SendMessageW(selector_, UWM_LIST_CHOSEN, row, 0);
}

// Up and down move the current row, Enter chooses it.
LRESULT CMyCmbListEx::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_RETURN)) {
        if (wParam == VK_RETURN) {
            Choose(current_);
        } else if (List()) {
            current_ = std::clamp(current_ + (wParam == VK_UP ? -1 : 1), 0, std::max(0, RowCount() - 1));
            ScrollToCurrent();
            List()->Repaint();
        }
        return 0;
    }
    return CSelectList::WindowProc(hwnd, msg, wParam, lParam);
}

ISkinCmbList *CMyConvCmb::MakeDropDownList(HWND owner, const RECT &ownerClient) {
    auto *list = new CMyCmbListEx(GetHwnd());
    if (!list->CreateList(owner, ownerClient)) {
        delete list;
        return nullptr;
    }
    return list;
}
