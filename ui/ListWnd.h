// CListWnd: the scrolling row window of a list screen. It hit-tests rows,
// shows a delayed press highlight, drags with a rubber band at the ends,
// flicks and bounces with easing, keeps a scroll bar, tracks in-row buttons
// and runs an in-place text editor; it calls back into its screen through
// CListWndBase for drawing and clicks.
#pragma once
#include <windows.h>

#include <vector>

#include "ui/Gdi.h"
#include "ui/ListRowParts.h"
#include "ui/ListWndBase.h"
#include "ui/PBufferDC.h"
#include "ui/ScrollWnd.h"
#include "ui/Wnd.h"

// Private messages of the row window (posted to itself).
const UINT UWM_LIST_FLICK = 1125;      // start a flick at the measured speed
const UINT UWM_LIST_BOUNCE_TOP = 1126; // bounce back to the top
const UINT UWM_LIST_BOUNCE_END = 1127; // bounce back to the end
// The main window's input-panel request (wParam 1 raise, 0 force down).
const UINT UWM_LIST_INPUT_PANEL = 32779;

class CListWnd : public Wnd, public VelHeight, public VelBtnInItem, public AutoSpeed, public CScrollWnd {
public:
    static constexpr UINT_PTR kHighlightTimer = 7;
    static constexpr UINT kHighlightInterval = 10; // ms
    static constexpr int kHighlightTicks = 10;     // the highlight shows after about 100 ms
    static constexpr int kDragUnits = 10;          // more than this starts a drag
    static constexpr int kMinFlickSpeed = 50;      // pixels per second
    static constexpr int kMaxFlickUnits = 250;
    // Easing: each frame covers (a + |distance| x b) / 10000 units.
    static constexpr int kFlickA = 10453, kFlickB = 2364;
    static constexpr int kBounceA = 10753, kBounceB = 3364;
    static constexpr DWORD kFlickFrameMs = 50; // frames towards the end last at least this
    static constexpr DWORD kTapHoldMs = 100;   // a quick tap's highlight is held this long
    static constexpr int kMaxEditChars = 255;
    static const COLORREF kEditorColor; // RGB(238, 232, 255)

    CListWnd();
    ~CListWnd() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The screen that draws the rows and takes the clicks (not owned).
    void SetBase(CListWndBase *base) { base_ = base; }
    CListWndBase *Base() const { return base_; }
    // A visible, double-buffered child window; asks the foreground window to
    // force the input panel down.
    HWND Create(HWND parent, const RECT &rect, UINT childId = 0);

    // Rows: count, editable rows (indices ended by -1) or null, and the number
    // of state backgrounds that PrepareRows pre-renders.
    void SetItems(int count, const int *editableRows, int states);
    void SetColours(COLORREF background, COLORREF area);
    // Row -1 is drawn once more for the empty area below the last row.
    void SetDrawEmptyArea(bool draw) { drawEmptyArea_ = draw; }
    // After a size change: buffers, scroll bar and state backgrounds anew.
    void RebuildBuffers();

    static int DefaultRowHeight();
    int Offset() const { return offset_; }
    void SetOffset(int offset); // clamped to the scroll range
    int MaxOffset() const;      // the last position at which the rows fill the window
    int PressedRow() const { return pressedRow_; }
    int EditRow() const { return editRow_; }
    bool Dragging() const { return dragging_; }
    bool HighlightDue() const { return highlightTicks_ >= kHighlightTicks || forcedHighlight_; }
    bool RowPressed(int row) const { return ValidRow(row) && pressed_[row]; }
    bool RowEditable(int row) const { return ValidRow(row) && editable_[row]; }
    // The width rows are drawn at: the client width less the scroll bar.
    int RowWidth() const { return rowArea_.right - rowArea_.left; }
    int StateCount() const { return states_; }
    HWND Editor() const { return editor_; }
    // The row rectangle in client coordinates.
    RECT RowRect(int row) const;
    // The row under a client point, or -1.
    int RowAt(POINT pt) const;
    void RepaintRow(int row);
    void Repaint();
    void EndEdit();

    // Waits of the flick frames and of a quick tap's highlight go through
    // here (default: Sleep); tests advance the clock instead.
    typedef void (*WaitFunction)(DWORD milliseconds);
    static void SetWaitFunction(WaitFunction wait);

protected:
    void ScrollToThumb(HWND list, int position) override;

private:
    void OnButtonDown(POINT pt);
    void OnMouseMove(POINT pt);
    void OnButtonUp(POINT pt);
    void OnHighlightTimer();
    void OnCancelMode();
    void OnKeyDown(WPARAM key, LPARAM lParam);
    void OnVScroll(WORD code, WORD position);
    void Flick();
    void Bounce(bool toTop);
    void StartDrag();
    void ReleasePressedRow();
    void BeginEdit(int row);
    void OnEditorCommand(WPARAM wParam);
    bool PendingPress() const;
    void FlushStylus();
    void Render(const RECT &update);
    void UpdateGeometry();
    void MakeRowBuffer();
    void StepTowards(int target, int a, int b);
    // Rubber band: the part of a drag beyond either end counts half.
    int Band(int position) const;
    int Unband(int offset) const;
    static void Wait(DWORD milliseconds);

    CListWndBase *base_; // not owned
    std::vector<char> pressed_;
    std::vector<char> editable_;
    int states_;
    int offset_;
    RECT rowArea_; // client rectangle less the scroll bar
    int pressedRow_, pressedButton_, editRow_;
    POINT pressPt_;
    int lastY_;
    int unbanded_; // drag position before the rubber band
    bool captured_, dragging_;
    int highlightTicks_;
    bool forcedHighlight_;
    bool drawEmptyArea_;
    bool fillingEditor_;
    Brush background_;    // owned
    Brush area_;          // owned
    Bitmap line_;         // owned: the one-pixel separator line
    PBufferDC rowBuffer_; // one row at a time, copied into the back buffer
    HWND editor_;         // child window, destroyed with this one
    Font editFont_;
    Brush editBrush_;
};
