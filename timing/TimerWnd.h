// CMyTimerWnd: the countdown timer screen. Idle, it shows the chosen
// duration on the display's set button (a tap opens the time selector);
// Start counts it down, writes the countdown record and, 300 ms later,
// registers the runner's notification 15 s before the end, so the end is
// signalled even when the program is closed. Shown again after a restart
// of the program, the screen resumes a live countdown from the record. At
// zero it shows the "Timer Done" box.
#pragma once
#include <windows.h>

#include <memory>

#include "BaseLib/Str.h"
#include "ui/Gdi.h"
#include "ui/NormalWnd.h"

class CCustomBtt;
class CMyTimerDisplayCtrl;
class CSelectRingtoneWnd;
class PDateTimeSelectCtrl;

class CMyTimerWnd : public CNormalWnd {
public:
    enum : UINT { kDisplayId = 1063 };
    static constexpr UINT_PTR kScheduleTimer = 1;
    static constexpr UINT kScheduleDelayMs = 300;
    static constexpr DWORD kRepeatGuardMs = 201; // presses closer than this act once

    // feedbackVibro: the frame's "Feedback Vibro" option (not owned; null:
    // no pulse).
    explicit CMyTimerWnd(const DWORD *feedbackVibro = nullptr);
    ~CMyTimerWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Places the display, the "When Timer Ends" button and Start/Stop, and
    // repaints the background.
    void Layout() override;

    bool Running() const { return running_; }
    DWORD DurationS() const { return durationS_; }
    const Str &SoundFolder() const { return soundFolder_; }
    const Str &SoundName() const { return soundName_; }
    DWORD Vibrate() const { return vibrate_; }
    int Volume() const { return volume_; }
    CMyTimerDisplayCtrl *Display() const { return display_.get(); }
    PDateTimeSelectCtrl *TimeSelector() const { return timeSelector_.get(); }
    CSelectRingtoneWnd *RingtonePicker() const { return ringtonePicker_.get(); }
    CCustomBtt *Button(UINT commandId) const;

private:
    void Paint(HDC dc, const RECT &client) override;
    void OnCreate();
    void OnCommand(UINT commandId);
    void ChooseDuration();
    void OnDurationChosen();
    void CloseTimeSelector();
    void Start();
    void Stop();
    void OnFinished();
    void ScheduleRunner();
    void OnShow();
    void ShowDurationIdle();
    void UpdateButtons();
    void RefreshEndsLabel();
    void ChooseEndSound();
    void OnEndSoundChosen();

    bool running_;
    DWORD durationS_;
    SYSTEMTIME localStart_;
    Str soundFolder_;
    Str soundName_;
    DWORD vibrate_;
    int volume_;
    DWORD lastPress_;
    const DWORD *feedbackVibro_; // not owned
    std::unique_ptr<CCustomBtt> stopButton_, startButton_, endsButton_;
    std::unique_ptr<CMyTimerDisplayCtrl> display_;
    std::unique_ptr<PDateTimeSelectCtrl> timeSelector_;  // while the user picks a duration
    std::unique_ptr<CSelectRingtoneWnd> ringtonePicker_; // made at the first "When Timer Ends" tap
    Bitmap background_;
};
