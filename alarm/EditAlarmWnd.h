// CEditAlarmWnd: adds an alarm, or changes or deletes one of the list.
//
// Rows: Time (opens the time selector), Repeat (the repeat picker), Sound
// (the ring-tone picker), Label (the label picker) and, when editing,
// Delete. In edit mode the list's element is changed in place and a
// snapshot taken on opening is put back by Back; in add mode the editor's
// own record is built. Save stores the alarm and its pending ring at once.
// Either way the editor hides and re-enables the alarm list.
#pragma once
#include <windows.h>

#include <memory>

#include "alarm/AlarmActions.h"
#include "alarm/AlarmList.h"
#include "alarm/AlarmPage.h"
#include "alarm/AlarmTemp.h"
#include "alarm/ManageNotify.h"

class CAlarmLabelWnd;
class CRepeatSetWnd;
class CSelectRingtoneWnd;
class PDateTimeSelectCtrl;

// Title-bar command of the editor's Save button.
const UINT kTitleCommandSave = 32873;

class CEditAlarmWnd : public CAlarmPage {
public:
    enum Mode { kAddMode = 0, kEditMode = 1 };
    enum Row { kTimeRow = 0, kRepeatRow = 1, kSoundRow = 2, kLabelRow = 3, kDeleteRow = 4 };

    // The list the editor adds to and edits in (not owned; it must outlive
    // the editor).
    explicit CEditAlarmWnd(AlarmList *alarms);
    ~CEditAlarmWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Shows the editor over the parent: a new alarm in add mode, the alarm
    // at index in edit mode. False for an index out of range or when the
    // window cannot be made.
    bool Open(HWND parent, int mode, int index);
    int Mode() const { return mode_; }
    // The record being edited: the list's element, or the new alarm.
    AlarmTemp *Editing();

    PDateTimeSelectCtrl *Selector() const { return selector_.get(); }
    CSelectRingtoneWnd *RingtonePicker() const { return ringtone_.get(); }
    CRepeatSetWnd *RepeatPicker() const { return repeat_.get(); }
    CAlarmLabelWnd *LabelPicker() const { return label_.get(); }

    // How Delete asks; MessageBoxW unless a test puts in its own answer.
    typedef int(WINAPI *AskFunction)(HWND owner, const wchar_t *text, const wchar_t *caption, UINT type);
    static void SetAskFunction(AskFunction ask);

    void DrawItem(CListWnd *list, HDC dc, int row, const RECT &rect, bool pressed, int pressedButton) override;
    void OnItemClick(CListWnd *list, int row, POINT pt, int button) override;
    // Save and Back.
    void OnRightButton() override;
    void OnLeftButton() override;

private:
    void OpenSelector();
    void OnTimeChosen();
    void OnSoundChosen();
    void AskDelete();
    int RowCount() const { return mode_ == kEditMode ? 5 : 4; }

    AlarmList *alarms_; // not owned
    AlarmTemp record_;  // the new alarm in add mode
    int mode_;
    int index_;
    AlarmSnapshot snapshot_;
    Str soundPath_; // the ring-tone picker's result
    CManageNotify notify_;
    std::unique_ptr<PDateTimeSelectCtrl> selector_;
    std::unique_ptr<CSelectRingtoneWnd> ringtone_;
    std::unique_ptr<CRepeatSetWnd> repeat_;
    std::unique_ptr<CAlarmLabelWnd> label_;
};
