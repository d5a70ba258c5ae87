#include "alarm/EditAlarmWnd.h"

#include "alarm/AlarmLabelWnd.h"
#include "alarm/AlarmRows.h"
#include "alarm/OleTime.h"
#include "alarm/RepeatSetWnd.h"
#include "alarm/RingVolume.h"
#include "alarm/SelectRingtoneWnd.h"
#include "resource.h"
#include "ui/PDateTimeSelectCtrl.h"

namespace {

CEditAlarmWnd::AskFunction gAsk = MessageBoxW;

// A new alarm's sound picker starts at full volume with vibration.
const int kNewAlarmVibrate = 1;

Str TimeText(double time) {
    SYSTEMTIME st = {};
    Str text;
    if (OleTime::ToSystemTime(time, &st))
        text.Format(L"%d:%02d", st.wHour, st.wMinute);
    return text;
}

// The last component of a path.
const wchar_t *FileNameOf(const Str &path) {
    const wchar_t *slash = wcsrchr(path.Text(), L'\\');
    return slash ? slash + 1 : path.Text();
}

} // namespace

CEditAlarmWnd::CEditAlarmWnd(AlarmList *alarms)
    : alarms_(alarms), mode_(kAddMode), index_(-1), snapshot_(TakeSnapshot(AlarmTemp())) {}

// The pickers and the selector are children of this window: they go first.
CEditAlarmWnd::~CEditAlarmWnd() {
    selector_.reset();
    ringtone_.reset();
    repeat_.reset();
    label_.reset();
}

void CEditAlarmWnd::SetAskFunction(AskFunction ask) { gAsk = ask ? ask : MessageBoxW; }

AlarmTemp *CEditAlarmWnd::Editing() { return mode_ == kEditMode ? alarms_->AlarmAt(index_) : &record_; }

bool CEditAlarmWnd::Open(HWND parent, int mode, int index) {
    if (mode == kEditMode) {
        const AlarmTemp *alarm = alarms_->AlarmAt(index);
        if (!alarm)
            return false;
        snapshot_ = TakeSnapshot(*alarm);
    } else {
        record_ = AlarmTemp();
        record_.MakeNew();
    }
    mode_ = mode;
    index_ = index;
    if (!ShowOver(parent, L"EditAlarmWnd", mode == kEditMode ? IDS_EDIT_ALARM : IDS_ADD_ALARM, kTitleCommandSave))
        return false;
    SetRows(RowCount());
    return true;
}

void CEditAlarmWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    const AlarmTemp *alarm = Editing();
    if (!alarm || row < 0 || row >= RowCount())
        return;
    CopyStateBackground(dc, pressed ? kRowPressed : kRowNormal, rect);
    Str caption, value;
    switch (row) {
    case kTimeRow:
        caption.LoadResourceString(IDS_ALARM_TIME);
        value = TimeText(alarm->time);
        break;
    case kRepeatRow:
        caption.LoadResourceString(IDS_REPEAT);
        value = RepeatText(alarm->repeat_days);
        break;
    case kSoundRow:
        caption.LoadResourceString(IDS_ALARM_SOUND);
        value = FileNameOf(alarm->sound);
        break;
    case kLabelRow:
        caption.LoadResourceString(IDS_LABEL);
        value = alarm->label;
        break;
    case kDeleteRow:
        caption.LoadResourceString(IDS_DELETE);
        DrawFieldRow(dc, rect, Icons(), kNoListIcon, caption, nullptr);
        return;
    }
    DrawFieldRow(dc, rect, Icons(), kChevronIcon, caption, value);
}

void CEditAlarmWnd::OnItemClick(CListWnd *, int row, POINT, int) {
    AlarmTemp *alarm = Editing();
    if (!alarm)
        return;
    switch (row) {
    case kTimeRow:
        OpenSelector();
        break;
    case kRepeatRow:
        if (!repeat_)
            repeat_.reset(new CRepeatSetWnd);
        repeat_->Open(GetHwnd(), &alarm->repeat_days);
        break;
    case kSoundRow:
        if (!ringtone_)
            ringtone_.reset(new CSelectRingtoneWnd);
        if (mode_ == kEditMode)
            ringtone_->SetVolume(alarm->volume, alarm->vibrate);
        else
            ringtone_->SetVolume(kVolumeFull, kNewAlarmVibrate);
        ringtone_->Open(GetHwnd(), alarm->sound, {&soundPath_, nullptr, nullptr});
        break;
    case kLabelRow:
        if (!label_)
            label_.reset(new CAlarmLabelWnd);
        label_->Open(GetHwnd(), alarm);
        break;
    case kDeleteRow:
        if (mode_ == kEditMode)
            AskDelete();
        break;
    }
}

void CEditAlarmWnd::OpenSelector() {
    selector_.reset(new PDateTimeSelectCtrl(Editing()->time));
    selector_->SetMinuteStep(1);
    if (!selector_->Create(this)) {
        selector_.reset();
        return;
    }
    SetWindowPos(selector_->GetHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CEditAlarmWnd::OnTimeChosen() {
    if (AlarmTemp *alarm = Editing(); alarm && selector_) {
        alarm->time = CManageNotify::NextOneShot(selector_->Value());
        if (List())
            List()->RepaintRow(kTimeRow);
    }
}

// The choice also becomes the default of the next new alarm.
void CEditAlarmWnd::OnSoundChosen() {
    AlarmTemp *alarm = Editing();
    if (!alarm || !ringtone_)
        return;
    alarm->sound = soundPath_;
    alarm->volume = ringtone_->VolumeCode();
    alarm->vibrate = ringtone_->Vibrate();
    StoreRingDefaults(alarm->sound, alarm->volume, alarm->vibrate);
    if (List())
        List()->Repaint();
}

void CEditAlarmWnd::AskDelete() {
    Str text, caption;
    text.LoadResourceString(IDS_DELETE_ALARM);
    caption.LoadResourceString(IDS_CONFIRM);
    if (gAsk(GetHwnd(), text, caption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    DeleteAlarm(alarms_, index_, &notify_);
    index_ = -1;
    Hide();
    CAlarmPage::OnRightButton();
}

void CEditAlarmWnd::OnRightButton() {
    if (mode_ == kEditMode)
        SaveEditedAlarm(alarms_, index_, snapshot_, &notify_);
    else
        AddAlarm(alarms_, record_, &notify_);
    Hide();
    CAlarmPage::OnRightButton();
}

void CEditAlarmWnd::OnLeftButton() {
    if (mode_ == kEditMode)
        if (AlarmTemp *alarm = Editing())
            RestoreSnapshot(alarm, snapshot_);
    Hide();
    CAlarmPage::OnLeftButton();
}

LRESULT CEditAlarmWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_DATE_CHOSEN:
        OnTimeChosen();
        return 0;
    case UWM_DATE_CLOSING:
        selector_.reset(); // the selector does nothing after telling
        return 0;
    case UWM_RINGTONE_PICKED:
        OnSoundChosen();
        return 0;
    case WM_ENABLE:
        // Back from a picker: repeat days or label may have changed.
        if (List())
            List()->Repaint();
        break;
    }
    return CAlarmPage::WindowProc(hwnd, msg, wParam, lParam);
}
