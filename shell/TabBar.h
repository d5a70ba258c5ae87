// CMyTabbar: the bar along the top of the main window. It shows the title of
// the current screen and the back button. A tap on the back button asks the
// frame to go back (to the desk, or from the desk to the floating button); a
// tap anywhere else on the bar minimises the program.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/CustomBtt.h"
#include "ui/Gdi.h"
#include "ui/Wnd.h"

class CMyTabbar : public Wnd {
public:
    static constexpr UINT kChildId = 5479;
    static constexpr UINT kBackCommand = 5485;
    static constexpr int kHeightUnits = 38;
    static constexpr int kMaxTitle = 2048;
    // A title string resource is shown with at most this many characters.
    static constexpr int kMaxLoadedTitle = 1023;

    CMyTabbar();
    ~CMyTabbar() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the (hidden) bar as a child of the main window at rect (client
    // coordinates of the main window). The main window receives the bar's
    // requests: UWM_BACK, UWM_MINIMISE_NOW and the drags of the back button.
    HWND CreateBar(HWND mainWindow, const RECT &rect);

    // The title shown; longer texts are cut to kMaxTitle characters.
    void SetTitle(const wchar_t *title);
    // The title from the program's string table (at most kMaxLoadedTitle
    // characters); an id that does not load leaves the title empty.
    void LoadTitle(UINT stringId);
    const wchar_t *Title() const { return title_; }

    HWND BackButtonWindow() const { return back_ ? back_->GetHwnd() : nullptr; }

private:
    void Layout();
    void Paint(HDC dc, const RECT &client) override;
    void OnBarCommand(UINT commandId);
    void OnDragState(LPARAM state);
    void OnPress();
    void OnRelease();

    HWND main_;         // not owned
    Bitmap background_; // 16-bit copy, stretched across the bar
    std::unique_ptr<CCustomBtt> back_;
    Font titleFont_;
    bool pressed_; // a press on the bar itself holds the stylus
    wchar_t title_[kMaxTitle + 1];
};
