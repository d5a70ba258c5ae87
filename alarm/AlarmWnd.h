// CAlarmWnd: the alarm screen. One row per alarm, at least nine: its time,
// its repeat days over its label, and an on/off switch at the right end.
// A tap on the switch turns the alarm off or on at once (store and pending
// ring); a tap elsewhere on an alarm's row opens the editor on it, and the
// title bar's Add button opens it on a new alarm. UWM_ALARMS_CHANGED, from
// the runner through the main window, reloads the list from the store.
#pragma once
#include <windows.h>

#include <memory>

#include "alarm/AlarmList.h"
#include "alarm/ManageNotify.h"
#include "ui/SelectList.h"

class CEditAlarmWnd;

// Title-bar command of the Add button.
const UINT kTitleCommandAddAlarm = 32871;

class CAlarmWnd : public CSelectList {
public:
    static constexpr int kMinRows = 9;

    CAlarmWnd();
    ~CAlarmWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // The first call, once the frame has made and placed the window, makes
    // the title bar and the rows and loads the alarms.
    void Layout() override;

    AlarmList &Alarms() { return alarms_; }
    CEditAlarmWnd *Editor() const { return editor_.get(); }

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;

private:
    enum RowState { kRowNormal = 0, kRowPressed = 1, kRowStates = 2 };

    void Build();
    void ShowRows();
    void Reload();
    void Toggle(int index);
    void OpenEditor(int mode, int index);

    AlarmList alarms_;
    CManageNotify notify_;
    std::unique_ptr<CEditAlarmWnd> editor_;
};
