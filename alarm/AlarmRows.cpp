#include "alarm/AlarmRows.h"

#include "ui/CellPainter.h"
#include "ui/Scaling.h"

namespace {

const int kMarginUnits = 5;
const int kIconAreaUnits = 30;

} // namespace

void DrawFieldRow(HDC dc, const RECT &rect, const IconStrip *icons, ListIcon icon, const wchar_t *caption,
                  const wchar_t *value, COLORREF captionColor) {
    const int margin = ScaleX(kMarginUnits);
    RECT text = {rect.left + margin, rect.top, rect.right - margin, rect.bottom};
    CellItem items[3];
    int count = 0;
    if (icons && icon != kNoListIcon) {
        const int w = icons->IconSize().cx, h = icons->IconSize().cy;
        const int area = ScaleX(kIconAreaUnits);
        text.right = rect.right - margin - area;
        items[count++] =
            CellItem::Image(icons, icon, text.right + (area - w) / 2, rect.top + (rect.bottom - rect.top - h) / 2);
    }
    const UINT line = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    items[count++] = CellItem::Text(caption, 9, FW_BOLD, captionColor, text, DT_LEFT | line);
    if (value && *value) {
        RECT right = text;
        right.left += (text.right - text.left) * 2 / 5; // the caption keeps its share
        items[count++] = CellItem::Text(value, 9, FW_NORMAL, kAlarmValueColor, right, DT_RIGHT | line);
    }
    CellBackground none = {};
    PaintCell(dc, rect, none, items, count, false);
}
