// PDateTimeSelectCtrl: the pop-up with which the user picks a time of day
// (time mode) or a day (date mode). The value column on the left is dragged
// and flicked; the jump column on the right (hours, or months) moves the value
// column to the row touched. A tap on a value row chooses it: the owner gets
// UWM_DATE_CHOSEN and the focus, and the selector, losing the focus, sends
// UWM_DATE_CLOSING, on which the owner destroys it.
#pragma once
#include <windows.h>

#include "ui/Gdi.h"
#include "ui/PDateCtrlLeftItem.h"
#include "ui/PListWnd.h"

// Sent to the owner's window: a value was chosen; read it with Value().
const UINT UWM_DATE_CHOSEN = 4025;
// Sent to the owner's window: the selector lost the focus; destroy it.
const UINT UWM_DATE_CLOSING = 4024;

class PDateTimeSelectCtrl : public PListWnd {
public:
    static const UINT_PTR kGlideTimer = 1990;
    static const int kValueRows = 50;
    static const int kAnchorRow = 25;

    enum Mode { kDateMode = 0, kTimeMode = 1 };
    enum Column { kValueColumn = 0, kJumpColumn = 1 };

    // value: an OLE date. Time mode, minute step 5.
    explicit PDateTimeSelectCtrl(double value);
    ~PDateTimeSelectCtrl() override;

    void OnPaint(HDC dc) override;
    void OnPress(int x, int y) override;
    void OnRelease(int x, int y) override;
    void OnMove(int x, int y) override;
    void OnTimer(UINT_PTR id) override;
    void OnKey(WPARAM key) override;
    void AfterScroll() override;

    // Moves the value by one step (back or forth) and shows it.
    virtual void StepValue(bool backwards);
    // Tells the owner the value is chosen and hands it the focus.
    virtual void Confirm();
    // Makes the window as a child of the owner's window and builds the rows.
    // Set the mode and the minute step before. Returns 1.
    virtual int Create(Wnd *owner);
    // The row of a column under a point (client coordinates), or null.
    virtual PDateCtrlLeftItem *HitTest(POINT pt, Column column);

    void SetMode(Mode mode) { mode_ = mode; }
    Mode GetMode() const { return mode_; }
    void SetMinuteStep(int step) { minuteStep_ = step; }
    int MinuteStep() const { return minuteStep_; }
    double Value() const { return value_; }
    double ValueStep() const { return valueStep_; }

    // Geometry.
    int ControlWidth() const { return width_; }
    int ControlHeight() const { return height_; }
    int ValueColumnWidth() const { return valueWidth_; }
    int JumpColumnWidth() const { return jumpWidth_; }
    int ValueRowHeight() const { return valueRowHeight_; }
    int JumpRowHeight() const { return jumpRowHeight_; }

    PListWndItemsInfo &JumpItems() { return jumpItems_; }
    int JumpOffset() const { return jumpOffset_; }
    // The first value row in view, and how many rows lie above it.
    PDateCtrlLeftItem *FirstVisibleValueRow() const { return firstVisible_; }
    int RowsAboveFirstVisible() const { return rowsAbove_; }
    // The value row at a position counted from the first one in view.
    PDateCtrlLeftItem *VisibleValueRow(int position) const;
    // Whether a row lies within half a step of the value.
    bool HoldsValue(const PDateCtrlLeftItem &row) const;

protected:
    LRESULT ListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ComputeGeometry();
    void BuildRows();
    HFONT MakeFont(int points, BYTE quality);
    // Gives the value column the values around v; choosing makes v the value.
    void FillValues(double v, bool choose);
    // Gives the month column the months around v's month.
    void FillMonths(double v);
    void FindFirstVisible();
    void FindFirstVisibleJump();
    void SetJumpOffset(int offset);
    void RecycleValueRows();
    void RecycleMonthRows();
    // Blank rows in view at an end of the value column: starts a settle.
    void SettleIfBlankInView();
    void OnFlickStopped() override;
    void OnRowClick(PDateCtrlLeftItem *row);
    void GlideTick();
    bool IsOurRow(const PListWndItem *row) const;
    HWND OwnerWindow() const;
    double ClampToDay(double v, double day) const;

    Mode mode_;
    int minuteStep_;
    double value_;
    double valueStep_;
    PListWndItemsInfo jumpItems_;
    int jumpHeight_;
    int jumpOffset_;
    PDateCtrlLeftItem *firstVisible_; // not owned: a row of items_
    int rowsAbove_;
    PDateCtrlLeftItem *firstVisibleJump_; // not owned: a row of jumpItems_
    int jumpRowsAbove_;
    Column pressColumn_;
    PDateCtrlLeftItem *pressedJumpRow_; // not owned
    int glideRemaining_;
    int glideDirection_;

    int width_;
    int height_;
    int valueWidth_;
    int jumpWidth_;
    int valueRowHeight_;
    int jumpRowHeight_;

    PBufferDC veil_; // the jump rows' veil
    Font valueFont_;
    Font jumpFont_;
};
