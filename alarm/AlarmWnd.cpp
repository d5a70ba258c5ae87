#include "alarm/AlarmWnd.h"

#include <algorithm>
#include <cstdlib>

#include "BaseLib/WaitCursor.h"
#include "alarm/AlarmActions.h"
#include "alarm/AlarmRows.h"
#include "alarm/EditAlarmWnd.h"
#include "alarm/OleTime.h"
#include "alarm/SwitchPicture.h"
#include "resource.h"
#include "ui/CellPainter.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

const int kTitleButtonUnits = 40;
const int kTitleButtonHeightUnits = 31;
const int kMarginUnits = 5;
const int kTimeUnits = 58; // "23:59" in the 14-point face

Str TimeText(double time) {
    SYSTEMTIME st = {};
    Str text;
    if (OleTime::ToSystemTime(time, &st))
        text.Format(L"%d:%02d", st.wHour, st.wMinute);
    return text;
}

} // namespace

CAlarmWnd::CAlarmWnd() = default;

// The editor is a child of this window: it goes first.
CAlarmWnd::~CAlarmWnd() { editor_.reset(); }

void CAlarmWnd::Layout() {
    if (!List())
        Build();
}

void CAlarmWnd::Build() {
    HWND parent = GetParent(GetHwnd());
    RECT rect;
    GetWindowRect(GetHwnd(), &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT *>(&rect), 2);
    SetHasTitleBar(true);
    if (!Create(parent, &rect, L"AlarmWnd"))
        return;
    Str title;
    title.LoadResourceString(IDS_TITLE_ALARM);
    SetTitle(PickBitmap(IDB_LIST_TITLE, IDB_LIST_TITLE_HI), 4, title);
    const int width = ScaleX(kTitleButtonUnits), height = ScaleY(kTitleButtonHeightUnits);
    // The icon is a button without a command of its own.
    AddTitleButton(PickBitmap(IDB_ALARM_TITLE, IDB_ALARM_TITLE_HI), width, height, 0);
    AddTitleButton(PickBitmap(IDB_ALARM_ADD, IDB_ALARM_ADD_HI), width, height, kTitleCommandAddAlarm);
    Reload();
}

void CAlarmWnd::ShowRows() {
    if (!List())
        return;
    const int offset = List()->Offset();
    List()->SetItems(std::max(kMinRows, alarms_.AlarmCount()), nullptr, kRowStates);
    List()->SetOffset(offset);
    List()->Repaint();
}

void CAlarmWnd::Reload() {
    alarms_.ReloadAlarms();
    ShowRows();
}

void CAlarmWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    if (row < 0)
        return;
    const bool holdsAlarm = row < alarms_.AlarmCount();
    CopyStateBackground(dc, pressed && holdsAlarm ? kRowPressed : kRowNormal, rect);
    if (!holdsAlarm)
        return;
    const AlarmTemp &alarm = *alarms_.AlarmAt(row);
    const int margin = ScaleX(kMarginUnits);
    RECT time = {rect.left + margin, rect.top, rect.left + margin + ScaleX(kTimeUnits), rect.bottom};
    RECT lines = {time.right + margin, rect.top, rect.right - ScaleX(kSwitchZoneUnits), rect.bottom};
    const Str timeText = TimeText(alarm.time);
    Str detail;
    detail.Format(L"%s\n%s", RepeatText(alarm.repeat_days).Text(), alarm.label.Text());
    // Two lines centred in the row: the text's own height decides the top.
    const int lineHeight = std::abs(CellFontHeight(8)) + 2;
    lines.top = rect.top + (rect.bottom - rect.top - 2 * lineHeight) / 2;
    CellItem items[] = {
        CellItem::Text(timeText, 14, FW_BOLD, kAlarmCaptionColor, time,
                       DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX),
        CellItem::Text(detail, 8, FW_NORMAL, kAlarmValueColor, lines, DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS),
    };
    CellBackground none = {};
    PaintCell(dc, rect, none, items, 2, false);
    DrawSwitch(dc, rect, alarm.enabled != 0);
}

void CAlarmWnd::OnItemClick(CListWnd *list, int row, POINT pt, int) {
    if (row < 0 || row >= alarms_.AlarmCount())
        return;
    if (InSwitchZone(pt.x, list->RowWidth()))
        Toggle(row);
    else
        OpenEditor(CEditAlarmWnd::kEditMode, row);
}

void CAlarmWnd::Toggle(int index) {
    WaitCursor wait;
    ToggleAlarm(&alarms_, index, &notify_);
    List()->RepaintRow(index);
}

void CAlarmWnd::OpenEditor(int mode, int index) {
    if (!editor_)
        editor_.reset(new CEditAlarmWnd(&alarms_));
    editor_->Open(GetHwnd(), mode, index);
}

LRESULT CAlarmWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_TITLE_COMMAND:
        if (wParam == kTitleCommandAddAlarm)
            OpenEditor(CEditAlarmWnd::kAddMode, -1);
        return 0;
    case UWM_ALARMS_CHANGED:
        Reload();
        return 0;
    case WM_ENABLE:
        // Back from the editor: an alarm may have come, changed or gone.
        ShowRows();
        break;
    }
    return CSelectList::WindowProc(hwnd, msg, wParam, lParam);
}
