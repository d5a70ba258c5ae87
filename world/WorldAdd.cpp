#include "world/WorldAdd.h"

#include "resource.h"
#include "ui/CellPainter.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"
#include "world/WorldMessages.h"

const COLORREF CMyWorldAdd::kNameColor = RGB(77, 77, 77);
const COLORREF CMyWorldAdd::kOffsetColor = RGB(49, 28, 74);

namespace {

const int kBackButtonUnits = 40;
const int kBackButtonHeightUnits = 31;
const int kMarginUnits = 5;
const int kOffsetUnits = 100; // the offset label's column at the right end

} // namespace

CMyWorldAdd::CMyWorldAdd(const std::vector<world::City> *cities) : cities_(cities), world_(nullptr) {
    for (size_t i = 0; i < cities_->size(); ++i)
        if ((*cities_)[i].valid)
            rows_.push_back(static_cast<int>(i));
}

CMyWorldAdd::~CMyWorldAdd() = default;

bool CMyWorldAdd::ShowOver(HWND worldWindow) {
    world_ = worldWindow;
    const bool first = GetHwnd() == nullptr;
    if (first)
        SetHasTitleBar(true);
    if (!Create(worldWindow, nullptr, L"WorldAddWnd"))
        return false;
    if (first) {
        Str title;
        title.LoadResourceString(IDS_WORLD_TITLE_ADD);
        SetTitle(PickBitmap(IDB_LIST_TITLE, IDB_LIST_TITLE_HI), 3, title);
        AddTitleButton(PickBitmap(IDB_LIST_BACK, IDB_LIST_BACK_HI), ScaleX(kBackButtonUnits),
                       ScaleY(kBackButtonHeightUnits), kWorldCommandBack);
        List()->SetItems(static_cast<int>(rows_.size()), nullptr, 2);
    }
    List()->SetOffset(0);
    SetWindowPos(GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    List()->Repaint();
    return true;
}

void CMyWorldAdd::Hide() {
    if (GetHwnd())
        ShowWindow(GetHwnd(), SW_HIDE);
}

void CMyWorldAdd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    const world::City &city = (*cities_)[rows_[row]];
    CopyStateBackground(dc, pressed ? 1 : 0, rect);
    const int margin = ScaleX(kMarginUnits);
    const int offsetLeft = rect.right - ScaleX(kOffsetUnits);
    const Str label = world::OffsetLabel(city);
    const UINT line = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    const CellItem items[] = {
        CellItem::Text(city.name, 9, FW_LIGHT, kNameColor, RECT{rect.left + margin, rect.top, offsetLeft, rect.bottom},
                       DT_LEFT | DT_END_ELLIPSIS | line),
        CellItem::Text(label, 9, FW_BOLD, kOffsetColor, RECT{offsetLeft, rect.top, rect.right - margin, rect.bottom},
                       DT_RIGHT | line),
    };
    CellBackground none = {};
    PaintCell(dc, rect, none, items, 2, false);
}

void CMyWorldAdd::OnItemClick(CListWnd *, int row, POINT, int) {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    PostMessageW(world_, UWM_WORLD_ADD, static_cast<WPARAM>(rows_[row]), 0);
    Hide();
}

LRESULT CMyWorldAdd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == UWM_TITLE_COMMAND && wParam == kWorldCommandBack) {
        Hide();
        return 0;
    }
    return CSelectList::WindowProc(hwnd, msg, wParam, lParam);
}
