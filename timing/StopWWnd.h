// CMyStopWWnd: the stopwatch screen. Its display counts up in tenths of a
// second; Stop keeps the time and Start goes on from it; Lap records the
// time since the last lap and starts the display again from zero; Reset
// (when stopped) clears the time and the laps. Nothing of it is stored.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/Gdi.h"
#include "ui/NormalWnd.h"

class CCustomBtt;
class CLapListWnd;
class CMyTimerDisplayCtrl;

class CMyStopWWnd : public CNormalWnd {
public:
    enum : UINT { kDisplayId = 1061, kLapListId = 1062 };
    static constexpr DWORD kRepeatGuardMs = 100; // presses this close together act once

    // feedbackVibro: the frame's "Feedback Vibro" option (not owned; null:
    // no pulse).
    explicit CMyStopWWnd(const DWORD *feedbackVibro = nullptr);
    ~CMyStopWWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Places the display, the buttons and the lap list, and repaints the
    // background.
    void Layout() override;

    bool Running() const { return running_; }
    CMyTimerDisplayCtrl *Display() const { return display_.get(); }
    CLapListWnd *LapList() const { return lapList_.get(); }
    CCustomBtt *Button(UINT commandId) const;

private:
    void Paint(HDC dc, const RECT &client) override;
    void OnCreate();
    void OnCommand(UINT commandId);
    void OnWindowPosChanged(const WINDOWPOS &pos);
    void Start();
    void Stop();
    void Reset();
    void Lap();
    void UpdateButtons();
    // Top edge of the buttons for a client height.
    static int ButtonsTop(int height);

    bool running_;
    DWORD lastPress_;
    const DWORD *feedbackVibro_; // not owned
    std::unique_ptr<CMyTimerDisplayCtrl> display_;
    std::unique_ptr<CLapListWnd> lapList_;
    std::unique_ptr<CCustomBtt> stopButton_, startButton_, resetButton_, lapButton_;
    int lapListTop_;
    Bitmap background_;
};
