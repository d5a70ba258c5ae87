// CMyTimerDisplayCtrl: the time display of the stopwatch (counting up, with
// tenths) and of the timer (counting down). A window timer ticks it; each
// tick takes the time from the tick count, corrected to the wall clock, and
// repaints only when the text changes. An idle timer shows its duration on
// the set button, a child of the screen, in place of the display.
#pragma once
#include <windows.h>

#include <memory>

#include "BaseLib/Str.h"
#include "timing/CountdownRecord.h"
#include "timing/TimeBreakdown.h"
#include "ui/Gdi.h"
#include "ui/Wnd.h"

class CCustomBtt;

class CMyTimerDisplayCtrl : public Wnd {
public:
    static constexpr UINT_PTR kTickTimer = 1;

    CMyTimerDisplayCtrl();
    ~CMyTimerDisplayCtrl() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the display as a child of parent at rect and, when setButtonBitmap
    // is not 0, the set button (also parent's child, hidden) with that picture.
    bool CreateDisplay(HWND parent, const RECT &rect, UINT setButtonBitmap, UINT childId);
    // Moves the display (and the set button) to rect and applies the mode.
    void Place(const RECT &rect);
    // On: the display is hidden and the set button shown; off: the reverse.
    void SetMode(bool setMode);
    bool SetModeOn() const { return setMode_; }

    // Counting starts again from baseMs now (tick count and UTC time taken);
    // the value becomes baseMs. The window timer is left as it is.
    void Restart(DWORD baseMs);
    // Restart, and a tick every intervalMs.
    void StartCounting(DWORD baseMs, UINT intervalMs);
    void StopCounting();
    // One tick: the value by the ticks and the wall clock; a countdown that
    // reached zero stops, clears its record and tells the parent.
    void Tick();
    // The value by the ticks alone (no wall-clock check), without painting.
    void UpdateValue();
    // Paints the value; with onlyWhenChanged nothing happens when the text is
    // the one already shown.
    void PaintValue(bool onlyWhenChanged);
    // The set button shows the value as a duration.
    void RefreshSetButton();

    // The countdown record: written from the counting state and the end
    // sound; cleared (under recordKey, nothing when it is empty).
    bool WriteRecord(const Str &soundFolder, const Str &soundName);
    void ClearRecordKey();
    // Picks up a live countdown from the record and counts on from it. The
    // record read is returned either way (its sound when present). False
    // when there is no live countdown or it is over.
    bool ResumeFromRecord(CountdownRecord *record);

    DWORD ValueMs() const { return valueMs_; }
    void SetValueMs(DWORD valueMs) { valueMs_ = valueMs; }
    DWORD BaseMs() const { return baseMs_; }
    DWORD StartTick() const { return startTick_; }
    const TimeBreakdown &Breakdown() const { return breakdown_; }
    const Str &LastText() const { return lastText_; }
    bool RedrawEnabled() const { return redrawEnabled_; }
    void SetRedrawEnabled(bool enabled) { redrawEnabled_ = enabled; }
    void SetShowTenths(bool show) { showTenths_ = show; }
    void SetCountUp(bool countUp) { countUp_ = countUp; }
    void SetRecordKey(const wchar_t *key) { recordKey_ = key; }
    CCustomBtt *SetButton() const { return setButton_.get(); }
    // The tick interval while counting: 30 ms with tenths, else interval.
    UINT TickInterval(UINT interval) const { return showTenths_ ? 30 : interval; }

private:
    void Paint(HDC dc, const RECT &client) override;
    void MakeFonts();

    TimeBreakdown breakdown_;
    SYSTEMTIME startUtc_; // only the time of day is used
    Font largeFont_;
    Font smallFont_;
    bool showTenths_;
    bool countUp_;
    bool redrawEnabled_;
    DWORD valueMs_;
    DWORD baseMs_;
    DWORD startTick_;
    Str recordKey_;
    Str lastText_;
    std::unique_ptr<CCustomBtt> setButton_; // owned; a child of the parent window
    RECT normalRect_;
    bool setMode_;
};
