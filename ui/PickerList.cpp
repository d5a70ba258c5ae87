#include "ui/PickerList.h"

#include "resource.h"
#include "ui/CellPainter.h"
#include "ui/Gdi.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

const COLORREF CPickerList::kRowTextColor = RGB(77, 77, 77);

namespace {

// Title-bar buttons: two looks of 40 x 31 units side by side.
const int kTitleButtonUnits = 40;
const int kTitleButtonHeightUnits = 31;
const int kMarginUnits = 5;

} // namespace

CPickerList::CPickerList() = default;

CPickerList::~CPickerList() = default;

bool CPickerList::ShowOver(HWND parent, const wchar_t *caption, UINT titleId) {
    const bool first = GetHwnd() == nullptr;
    if (first)
        SetHasTitleBar(true);
    else if (GetParent(GetHwnd()) != parent)
        SetParent(GetHwnd(), parent);
    if (!Create(parent, nullptr, caption))
        return false;
    if (first) {
        Str title;
        title.LoadResourceString(titleId);
        SetTitle(PickBitmap(IDB_LIST_TITLE, IDB_LIST_TITLE_HI), 4, title);
        const int width = ScaleX(kTitleButtonUnits), height = ScaleY(kTitleButtonHeightUnits);
        AddTitleButton(PickBitmap(IDB_LIST_BACK, IDB_LIST_BACK_HI), width, height, kTitleCommandCancel);
        AddTitleButton(PickBitmap(IDB_LIST_DONE, IDB_LIST_DONE_HI), width, height, kTitleCommandDone);
        LoadIcons(PickBitmap(IDB_NOTE_ROW_OPEN, IDB_NOTE_ROW_OPEN_HI), 1);
        rowIcons_[kFolderIcon].Load(PickBitmap(IDB_NOTE_ROW_FOLDER, IDB_NOTE_ROW_FOLDER_HI), 1);
        rowIcons_[kFileIcon].Load(PickBitmap(IDB_NOTE_ROW_FILE, IDB_NOTE_ROW_FILE_HI), 1);
    }
    SetWindowPos(GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return true;
}

void CPickerList::Hide() {
    if (List())
        List()->EndEdit();
    if (GetHwnd())
        ShowWindow(GetHwnd(), SW_HIDE);
}

void CPickerList::SetRows(int count, const int *editableRows) {
    if (!List())
        return;
    List()->SetItems(count, editableRows, kRowStates);
    List()->Repaint();
}

void CPickerList::DrawRow(HDC dc, const RECT &rect, int state, RowIcon icon, const wchar_t *text, bool opensFolder) {
    CopyStateBackground(dc, state, rect);
    const int margin = ScaleX(kMarginUnits);
    RECT textRect = {rect.left + margin, rect.top, rect.right - margin, rect.bottom};
    const SIZE left = icon != kNoIcon ? rowIcons_[icon].IconSize() : SIZE{0, 0};
    if (left.cx > 0) {
        rowIcons_[icon].Draw(dc, 0, textRect.left, (rect.top + rect.bottom - left.cy) / 2);
        textRect.left += left.cx + margin;
    }
    const SIZE right = Icons() ? Icons()->IconSize() : SIZE{0, 0};
    if (opensFolder && right.cx > 0) {
        textRect.right -= right.cx;
        Icons()->Draw(dc, 0, textRect.right, (rect.top + rect.bottom - right.cy) / 2);
        textRect.right -= margin;
    }
    // The chosen row's dark background takes light text.
    const COLORREF color = state == kRowChosen ? RGB(255, 255, 255) : kRowTextColor;
    CellItem item = CellItem::Text(text, 9, FW_BOLD, color, textRect,
                                   DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    CellBackground none = {};
    PaintCell(dc, rect, none, &item, 1, false);
}

// Posted, not sent: a row window made just now has posted its own request
// to put the panel down, and this one must arrive after it.
void CPickerList::TellInputPanel(WPARAM wanted) {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground && GetWindowThreadProcessId(foreground, &process) && process == GetCurrentProcessId())
        PostMessageW(foreground, UWM_INPUT_PANEL, wanted, 0);
}

Str CPickerList::FolderText(const Str &folder) { return folder.IsEmpty() ? Str(L"\\") : folder; }

LRESULT CPickerList::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == UWM_TITLE_COMMAND && HandlePickerCommand(wParam))
        return 0;
    return CSelectList::WindowProc(hwnd, msg, wParam, lParam);
}
