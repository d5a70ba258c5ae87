// PListWnd: an owner-drawn list window whose rows are objects of their own
// (PListWndItem). On WM_PAINT it draws the rows that meet the invalid part
// into its back buffer under a critical section, then copies that part, and gives its first column the stylus behaviour
// that the lists share: a drag threshold, speed samples, tap versus flick, and a flick on timer 1983 that slows down by
// a tenth per tick.
#pragma once
#include <windows.h>

#include <vector>

#include "ui/PListWndItemsInfo.h"
#include "ui/Wnd.h"

class PListWndItem;

// Sees every message of a list window before the list handles it.
class PListWndListener {
public:
    virtual ~PListWndListener() {}
    virtual void OnListMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};

// Holds a critical section for one scope.
class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CRITICAL_SECTION &section) : section_(section) { EnterCriticalSection(&section_); }
    ~CriticalSectionLock() { LeaveCriticalSection(&section_); }
    CriticalSectionLock(const CriticalSectionLock &) = delete;
    CriticalSectionLock &operator=(const CriticalSectionLock &) = delete;

private:
    CRITICAL_SECTION &section_;
};

class PListWnd : public Wnd {
public:
    static const UINT_PTR kFlickTimer = 1983;

    PListWnd();
    ~PListWnd() override;

    // Every message goes to the listeners first, then to ListProc.
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) final;

    virtual void Invalidate();
    virtual void OnPaint(HDC dc);
    virtual void OnPress(int x, int y);
    virtual void OnRelease(int x, int y);
    virtual void OnMove(int x, int y);
    virtual void OnScroll(WPARAM wParam, LPARAM lParam);
    virtual void OnTimer(UINT_PTR id);
    virtual LRESULT OnControlColour(HDC dc, HWND child);
    virtual void OnKey(WPARAM key);
    // The new client size, before the back buffer is made again; nothing here.
    virtual void OnSize(int width, int height);
    // Called after the first column's offset changed; nothing here.
    virtual void AfterScroll();

    void AddListener(PListWndListener *listener); // not owned
    void RemoveListener(PListWndListener *listener);

    PListWndItemsInfo &Items() { return items_; }
    int ScrollOffset() const { return offset_; }
    int ColumnHeight() const { return columnHeight_; }
    bool FlickRunning() const { return flickRunning_; }
    bool Settling() const { return settling_; }
    double FlickStep() const { return step_; }
    int FlickDirection() const { return direction_; }
    int ClientHeight() const;
    int ClientWidth() const;

protected:
    // The list's own message handling, after the listeners saw the message.
    virtual LRESULT ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void NotifyListeners(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The first-column row whose rectangle, moved up by the offset, holds the
    // point (client coordinates), or null.
    PListWndItem *HitFirstColumn(int x, int y) const;
    // Sets the first column's offset, kept within 0..column height - window
    // height.
    void SetOffset(int offset);
    // Shifts the offset without moving anything on screen (rows were moved
    // within the list by as much); a running settle shifts along.
    void ShiftOffset(int delta);
    // Value-column stylus work.
    void PressFirstColumn(int x, int y);
    void MoveFirstColumn(int x, int y);
    void ReleaseFirstColumn(int x, int y);
    // Starts a flick from the speed samples (timer 1983).
    void StartFlick();
    // Starts a settle: the offset moves by distance in direction, in steps
    // that shrink by a tenth and add up to exactly the distance.
    void StartSettle(int distance, int direction);
    void StopFlick();
    // Called when a flick (not a settle) has run down.
    virtual void OnFlickStopped() {}
    // Draws the rows of one column that meet the clip box, moved by dx, dy.
    void DrawColumn(HDC dc, PListWndItemsInfo &rows, const RECT &clip, int dx, int dy);
    void FlickTick();

    PListWndItemsInfo items_; // first column
    int columnHeight_;
    int offset_;                                // top of the first row to top of the window
    std::vector<PListWndListener *> listeners_; // not owned

    // Stylus.
    bool down_;
    bool tap_;
    POINT pressPoint_;
    POINT lastPoint_;
    PListWndItem *pressedRow_; // not owned
    DWORD pressTime_;          // Clock::TickCount at the press
    DWORD lastMoveTime_;       // ... at the last accepted move
    // Flick.
    double lastSpeed_; // pixels per second
    double previousSpeed_;
    double step_;   // pixels per tick
    int direction_; // +1: offset grows (upward stroke)
    bool flickRunning_;
    bool settling_;
    bool settleDone_; // one settle per flick
    int settleStart_;
    int settleDistance_;
    double settleSum_;

    HDC paintDC_;                // during OnPaint only; not owned
    CRITICAL_SECTION paintLock_; // held while the paint walks the rows or the buffer changes
};
