// CMyBottomBar: the bar along the bottom of the main window. Its buttons
// (menu, copy, paste, new note, next recent file, minimise) are shown as the
// current screen's descriptor says and report their taps to the frame as
// UWM_BOTTOM_ACTION. Dragging the bar itself moves the whole window; on the
// calendar screen a tap on the bar goes to today instead, and the bar shows
// how far the calendar is from today.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/CustomBtt.h"
#include "ui/Gdi.h"
#include "ui/ScreenDescriptor.h"
#include "ui/Wnd.h"

class CMyBottomBar : public Wnd {
public:
    static constexpr UINT kChildId = 5519;
    static constexpr int kHeightUnits = 29;
    // Buttons in their order on the bar; action = command id - kFirstCommand,
    // and the button is shown when descriptor word (action + 1) is set.
    enum Action { kMenu, kCopy, kPaste, kNewNote, kNextRecent, kMinimise, kActionCount };
    static constexpr UINT kFirstCommand = 30055;
    // The calendar screen's child id: a tap on the bar there goes to today.
    static constexpr UINT kCalendarChildId = 5547;

    CMyBottomBar();
    ~CMyBottomBar() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the (hidden) bar and its buttons as a child of the main window,
    // which receives UWM_BOTTOM_ACTION, the drags and UWM_CAL_TODAY (through
    // its calendar screen).
    HWND CreateBar(HWND mainWindow, const RECT &rect);

    // Shows the buttons of a screen: the five left ones side by side from the
    // left edge, the minimise button at the right end. Does nothing while the
    // program is minimised.
    void LayoutBottomBar(const ScreenDescriptor &descriptor);
    // "Go Today | <days> Days", shown on the calendar screen.
    void SetGoTodayText(int days);
    const wchar_t *GoTodayText() const { return goToday_; }
    // The minimise button back to its normal look.
    void ResetMinimiseButton();

    CCustomBtt *Button(int action) const {
        return action >= 0 && action < kActionCount ? buttons_[action].get() : nullptr;
    }
    // Where the main menu opens: the centre of the first left button that the
    // descriptor shows, in screen coordinates (the bar's centre when it shows
    // none).
    POINT MenuAnchor(const ScreenDescriptor &descriptor) const;
    bool IsDragging() const { return dragging_; }

    // Set when the menu button's command arrives, cleared by the next press on
    // the bar: while set, the bar's own stylus moves do not drag the window
    // (the stylus that opened the menu is still down when it closes).
    static bool MenuButtonUsed();
    static void SetMenuButtonUsed(bool used);

private:
    void ShowLeftButtons(bool shown);
    void PlaceMinimiseButton();
    void MoveButton(CCustomBtt &button, const RECT &place);
    void Paint(HDC dc, const RECT &client) override;
    void OnBarCommand(UINT commandId);
    void OnDragState(LPARAM state);
    void OnPress(int x, int y);
    void OnMove(int x, int y);
    void OnRelease();
    void EndDrag();
    POINT ToScreen(int x, int y) const;

    HWND main_;                          // not owned
    Bitmap leftCap_, rightCap_, middle_; // 16-bit copies
    std::unique_ptr<CCustomBtt> buttons_[kActionCount];
    ScreenDescriptor descriptor_; // of the screen laid out last
    Font goTodayFont_;
    wchar_t goToday_[64];
    bool tracking_; // between a press on the bar and its release
    bool dragging_;
    POINT pressPoint_; // screen coordinates
    POINT lastPoint_;
    DWORD pressTime_;
};
