#include "timing/LapListWnd.h"

#include <algorithm>

#include "ui/CellPainter.h"
#include "ui/Gdi.h"
#include "ui/Scaling.h"

namespace {

const COLORREF kLapTextColor = RGB(138, 124, 153);
const int kMarginUnits = 5;
const int kTimeCellUnits = 120;
const int kLabelPoints = 8;
const int kTimePoints = 11;

} // namespace

CLapListWnd::CLapListWnd() { SetHasTitleBar(false); }

CLapListWnd::~CLapListWnd() {}

bool CLapListWnd::CreateList(HWND parent, const RECT &rect) {
    if (!Create(parent, &rect, L"LapListWnd"))
        return false;
    ShowRows();
    return true;
}

void CLapListWnd::AddLap(const TimeBreakdown &lap) {
    laps_.InsertFront(lap);
    ShowRows();
}

void CLapListWnd::ClearLaps() {
    laps_.Resize(0);
    ShowRows();
}

void CLapListWnd::ShowRows() {
    if (!List())
        return;
    List()->SetItems(std::max(laps_.Count(), kLeastRows), nullptr, 1);
    List()->Repaint();
}

int CLapListWnd::GetRowHeight() { return ScaleY(kRowUnits); }

void CLapListWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool, int) {
    if (row < 0) {
        FillSolid(dc, rect, kScreenColor);
        return;
    }
    CopyStateBackground(dc, 0, rect);
    const int count = laps_.Count();
    if (row >= count)
        return;
    Str label = LapLabel(count - row);
    Str time = LapTimeText(laps_.At(row));
    const int margin = ScaleX(kMarginUnits);
    RECT inner = {rect.left + margin, rect.top, rect.right - margin, rect.bottom};
    RECT timeCell = {std::max(inner.left, inner.right - ScaleX(kTimeCellUnits)), inner.top, inner.right, inner.bottom};
    RECT labelCell = {inner.left, inner.top, timeCell.left, inner.bottom};
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    CellItem items[] = {
        CellItem::Text(label, kLabelPoints, FW_BOLD, kLapTextColor, labelCell, format),
        CellItem::Text(time, kTimePoints, FW_BOLD, kLapTextColor, timeCell, format),
    };
    CellBackground none = {};
    PaintCell(dc, rect, none, items, 2, false);
}
