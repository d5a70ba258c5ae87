#include "alarm/AlarmPage.h"

#include "resource.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

// Title-bar buttons: two looks of 40 x 31 units side by side.
const int kTitleButtonUnits = 40;
const int kTitleButtonHeightUnits = 31;

} // namespace

CAlarmPage::CAlarmPage() : rightCommand_(kTitleCommandDone) {}

bool CAlarmPage::ShowOver(HWND parent, const wchar_t *caption, UINT titleId, UINT rightCommand) {
    const bool first = GetHwnd() == nullptr;
    if (first)
        SetHasTitleBar(true);
    else if (GetParent(GetHwnd()) != parent)
        SetParent(GetHwnd(), parent);
    if (!Create(parent, nullptr, caption))
        return false;
    if (first)
        LoadIcons(PickBitmap(IDB_LIST_ICONS, IDB_LIST_ICONS_HI), 4);
    rightCommand_ = rightCommand;
    Str title;
    title.LoadResourceString(titleId);
    SetTitle(PickBitmap(IDB_LIST_TITLE, IDB_LIST_TITLE_HI), 4, title);
    const int width = ScaleX(kTitleButtonUnits), height = ScaleY(kTitleButtonHeightUnits);
    AddTitleButton(PickBitmap(IDB_LIST_BACK, IDB_LIST_BACK_HI), width, height, kTitleCommandCancel);
    AddTitleButton(PickBitmap(IDB_LIST_DONE, IDB_LIST_DONE_HI), width, height, rightCommand);
    SetWindowPos(GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return true;
}

void CAlarmPage::Hide() {
    if (List())
        List()->EndEdit();
    if (GetHwnd())
        ShowWindow(GetHwnd(), SW_HIDE);
}

void CAlarmPage::SetRows(int count, const int *editableRows) {
    if (!List())
        return;
    List()->SetItems(count, editableRows, kRowStates);
    List()->Repaint();
}

// Posted, not sent: a row window made just now has posted its own request
// to put the panel down, and this one must arrive after it.
void CAlarmPage::TellInputPanel(WPARAM wanted) {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground && GetWindowThreadProcessId(foreground, &process) && process == GetCurrentProcessId())
        PostMessageW(foreground, UWM_INPUT_PANEL, wanted, 0);
}

LRESULT CAlarmPage::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == UWM_TITLE_COMMAND) {
        if (wParam == kTitleCommandCancel) {
            OnLeftButton();
            return 0;
        }
        if (wParam == rightCommand_) {
            OnRightButton();
            return 0;
        }
    }
    return CSelectList::WindowProc(hwnd, msg, wParam, lParam);
}
