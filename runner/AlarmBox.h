// CAlarmBox: the runner's box for a due alarm: the alarm's label (or
// "Alarm"), "Next" (snooze five minutes) and "Cancel", ringing the alarm's
// sound, volume and vibration for up to 10 cycles until one is pressed.
#pragma once
#include <memory>

#include "alarm/AlarmTemp.h"
#include "alarm/RingPlayer.h"
#include "runner/RingBox.h"
#include "ui/CustomBtt.h"

class CAlarmBox : public CRingBox {
public:
    static constexpr UINT kNextCommand = 30069;
    static constexpr UINT kCancelCommand = 30070;
    static constexpr int kRingCycles = 10;

    // stored: the record was read from the store under its id; only then is
    // a one-shot alarm switched off there.
    CAlarmBox(const AlarmTemp &record, bool stored);
    ~CAlarmBox() override;

    CCustomBtt *NextButton() const { return next_.get(); }
    CCustomBtt *CancelButton() const { return cancel_.get(); }

protected:
    void OnCreate() override;
    void PlaceButtons(const RECT &client) override;
    void OnCommand(UINT id) override;

private:
    std::unique_ptr<CCustomBtt> MakeButton(UINT id, UINT textId);
    void SwitchOneShotOff();

    AlarmTemp record_;
    bool stored_;
    std::unique_ptr<CCustomBtt> next_, cancel_;
    std::unique_ptr<RingCyclePlayer> player_;
};
