#include "ui/SimpleUIList.h"

#include "ui/CellPainter.h"
#include "ui/Gdi.h"
#include "ui/Scaling.h"

const COLORREF CSimpleUIList::kRowTextColor = RGB(77, 77, 77);

void CSimpleUIList::AddRow(const wchar_t *text, int icon) { rows_.push_back(Row{Str(text), icon}); }

void CSimpleUIList::ClearRows() { rows_.clear(); }

void CSimpleUIList::ShowRows() {
    if (List())
        List()->SetItems(RowCount(), nullptr, 2);
}

Str CSimpleUIList::RowText(int row) const { return row >= 0 && row < RowCount() ? rows_[row].text : Str(); }

int CSimpleUIList::RowIcon(int row) const { return row >= 0 && row < RowCount() ? rows_[row].icon : -1; }

void CSimpleUIList::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    if (row < 0)
        return;
    CopyStateBackground(dc, pressed ? 1 : 0, rect);
    const Str text = RowText(row);
    RECT textRect = {rect.left + ScaleX(5), rect.top, rect.right - ScaleX(38), rect.bottom};
    CellItem item = CellItem::Text(text, 9, FW_BOLD, kRowTextColor, textRect,
                                   DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    CellBackground none = {};
    PaintCell(dc, rect, none, &item, 1, false);
    const int icon = RowIcon(row);
    if (Icons() && icon >= 0) {
        const int w = Icons()->IconSize().cx, h = Icons()->IconSize().cy;
        // Centred in a 30-unit area that ends 5 units inside the right edge.
        const int areaRight = rect.right - ScaleX(5);
        const int areaLeft = areaRight - ScaleX(30);
        Icons()->Draw(dc, icon, (areaLeft + areaRight - w) / 2, (rect.top + rect.bottom - h) / 2);
    }
}
