#include "ui/PListWndItem.h"

#include "ui/PListWnd.h"
#include "ui/Scaling.h"

PListWndItem::PListWndItem(PListWnd *list, int index)
    : index_(index), height_(ScaleY(35)), rect_(), highlighted_(false), disabled_(false), list_(list) {
    SetPosition(0, 0, 0);
}

PListWndItem::~PListWndItem() {}

void PListWndItem::Draw(HDC dc, const RECT &rect) { DrawBackground(dc, rect); }

void PListWndItem::Press() { SetHighlight(true); }

void PListWndItem::Click() {}

void PListWndItem::Release() { SetHighlight(false); }

void PListWndItem::SetPosition(int left, int top, int right) {
    rect_.left = left;
    rect_.top = top;
    rect_.right = right;
    rect_.bottom = top + height_;
}

void PListWndItem::SetHighlight(bool highlight) {
    if (disabled_ || highlight == highlighted_)
        return;
    highlighted_ = highlight;
    if (list_ && list_->GetHwnd()) {
        RECT shown = rect_;
        OffsetRect(&shown, 0, -list_->ScrollOffset());
        InvalidateRect(list_->GetHwnd(), &shown, FALSE);
    }
}

void PListWndItem::DrawBackground(HDC dc, const RECT &rect) {
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(highlighted_ ? LTGRAY_BRUSH : WHITE_BRUSH)));
}

HBRUSH PListWndItem::ControlColour(HDC) { return nullptr; }
