// CTimerBox: the runner's box for a countdown's end. Started 15 seconds
// early, it waits hidden beyond the screen's edge until the countdown in
// the record is due, then rings (5 cycles) under "Timer Done" with one close
// button; it rings nothing when the countdown was stopped, has passed, or
// the main program is there to signal the end itself.
#pragma once
#include <memory>

#include "alarm/RingPlayer.h"
#include "runner/RingBox.h"
#include "timing/CountdownRecord.h"
#include "ui/CustomBtt.h"

class CTimerBox : public CRingBox {
public:
    static constexpr UINT kCloseCommand = 30068;
    static constexpr UINT_PTR kTickTimer = 1;
    static constexpr int kRingCycles = 5;
    enum State { kFinished = 0, kWaiting = 1, kRinging = 2 };

    explicit CTimerBox(const wchar_t *soundPath);
    ~CTimerBox() override;

    State GetState() const { return state_; }

protected:
    void OnCreate() override;
    void PlaceButtons(const RECT &client) override;
    void OnTimer(UINT_PTR id) override;
    void OnCommand(UINT id) override;

private:
    void OnWaitingTick();
    void Ring();
    void Finish();
    void Tick(UINT milliseconds);
    void HideAside();
    // "Start" (re-based on the wall clock after a restart) and "Set" of the
    // record; false when the key, a value or a non-zero value is missing.
    static bool ReadLive(DWORD *start, DWORD *set);

    Str soundPath_;
    DWORD start_ = 0, set_ = 0; // the countdown waited for
    State state_ = kFinished;
    int repaints_ = 0;
    std::unique_ptr<CCustomBtt> close_;
    std::unique_ptr<RingCyclePlayer> player_;
};
