#include "alarm/RingVolumeWnd.h"

#include "alarm/RingVolume.h"
#include "alarm/SwitchPicture.h"
#include "resource.h"

CRingVolumeWnd::CRingVolumeWnd() : row_(VolumeRow(kVolumeFull)), vibrate_(0), openedRow_(row_), openedVibrate_(0) {}

bool CRingVolumeWnd::Open(HWND owner, int code, int vibrate) {
    row_ = openedRow_ = VolumeRow(code);
    vibrate_ = openedVibrate_ = vibrate ? 1 : 0;
    if (!ShowOver(owner, L"RingVolumeWnd", IDS_RING_VOLUME))
        return false;
    SetRows(kRowCount);
    return true;
}

int CRingVolumeWnd::Code() const { return VolumeCode(row_); }

void CRingVolumeWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    if (row == kVibrateRow) {
        Str text;
        text.LoadResourceString(IDS_VIBRO);
        DrawRow(dc, rect, pressed ? kRowPressed : kRowNormal, kNoIcon, text, false);
        DrawSwitch(dc, rect, vibrate_ != 0);
    } else if (row >= 0 && row < kVolumeRows) {
        const int state = pressed ? kRowPressed : row == row_ ? kRowChosen : kRowNormal;
        DrawRow(dc, rect, state, kNoIcon, VolumeText(VolumeCode(row)), false);
    }
}

void CRingVolumeWnd::OnItemClick(CListWnd *list, int row, POINT, int) {
    if (row == kVibrateRow)
        vibrate_ = !vibrate_;
    else if (row >= 0 && row < kVolumeRows)
        row_ = row;
    else
        return;
    list->Repaint();
}

void CRingVolumeWnd::OnRightButton() {
    Hide();
    CPickerList::OnRightButton();
}

void CRingVolumeWnd::OnLeftButton() {
    row_ = openedRow_;
    vibrate_ = openedVibrate_;
    Hide();
    CPickerList::OnLeftButton();
}
