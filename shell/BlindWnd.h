// CBlindWnd: the main frame. One top-most pop-up window that hosts the nine
// screens between the tab bar and the bottom bar, or, while minimised, is
// itself the small floating button. Its parts live in files by concern:
// BlindWnd.cpp (making, messages, screens, layout), FrameSlide.cpp,
// FrameFloatingButton.cpp, FrameForeground.cpp and FrameCommands.cpp.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "shell/MainMenu.h"
#include "shell/Settings.h"
#include "ui/Gdi.h"
#include "ui/NormalWnd.h"
#include "ui/PBufferDC.h"
#include "ui/ScreenDescriptor.h"

class CMyTabbar;
class CMyBottomBar;
class CMyDeskWnd;
class SlideBand;

class CBlindWnd {
public:
    // The screen metrics must be filled before the frame is made.
    CBlindWnd();
    virtual ~CBlindWnd();
    CBlindWnd(const CBlindWnd &) = delete;
    CBlindWnd &operator=(const CBlindWnd &) = delete;

    // Makes the main window with its bars and first screens; null when a
    // window of the class exists already (it was sent the toggle message) or
    // the window cannot be made.
    HWND CreateMainFrame(bool mini);

    HWND Hwnd() const { return hwnd_; }
    bool IsMinimised() const;
    const Settings &GetSettings() const { return settings_; }
    // The note window changes the note settings (recent files, folder, zoom)
    // in place, so they are saved with the rest.
    Settings &GetSettings() { return settings_; }
    const CMainMenu &Menu() const { return menu_; }
    bool LoadOnStartup() const { return loadOnStartup_; }
    // The floating button's picture (16 bits per pixel), null when missing.
    HBITMAP FloatButton() const { return floatButton_.get(); }
    // Called after each step of a slide is on the screen, with the desk's
    // left edge in the frame's client area; for tests that look at the steps.
    void SetSlideStepObserver(std::function<void(int deskLeft)> observer) { slideStepObserver_ = std::move(observer); }

private:
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Screens
    CNormalWnd *Screen(int id);
    bool MakeScreen(int id);
    void SwitchScreen(int id);
    void ShowScreen(int id);
    void PresentScreen(int id);
    bool SlideDeskIn(HWND from, const RECT &home);
    void SlideDeskOut(HWND to, const RECT &home, SlideBand *pictures);
    void SlideStepDone(int deskLeft);
    void PlaceScreen(CNormalWnd *screen);

    // Layout and painting
    static SIZE FullSize();
    void Layout(int width, int height);
    void PaintMinimised();
    void UpdateWorkArea();
    void MoveOntoVisibleDesktop();

    // Minimised mode and dragging
    void EnterMinimised();
    void RestoreFromMinimised();
    void OnButtonDown(int x, int y);
    void OnButtonMove(int x, int y);
    void OnButtonUp();
    void OnMinimisedSettingChange();
    void OnDragMove(int dx, int dy);
    void OnDragEnd();
    void SendDragState(int state);

    // Foreground and input panel
    void SetInputPanelState(int request, bool forced);
    void HandOffForeground();

    // Commands
    void OnCommand(UINT id);
    void OnBottomAction(int action);
    void OnBack(int screenId);
    void OnToggle();
    void OnOpenScreen(int screenId);
    void PopupMainMenu();
    void ToggleStartupShortcut();
    void MoveRecentToTop(int index);
    void ToNote(UINT command);
    void OpenNextRecent();
    // The time of the last accepted request of one kind; none before the
    // first, so a request right after start-up is never dropped.
    struct Debounce {
        DWORD stamp = 0;
        bool any = false;
    };
    bool Accept(Debounce &last, DWORD minimumGap);
    void Pulse();

    HWND hwnd_;    // the main window; destroyed by WM_CLOSE
    HWND menuBar_; // the empty shell menu bar, made at the first WM_SETFOCUS
    CMainMenu menu_;
    Settings settings_;
    bool loadOnStartup_;
    bool afterStartup_;
    ScreenDescriptor saved_;

    std::unique_ptr<CMyTabbar> tabbar_;
    std::unique_ptr<CMyBottomBar> bottomBar_;
    std::unique_ptr<CMyDeskWnd> desk_;
    std::map<int, std::unique_ptr<CNormalWnd>> tools_; // the tool screens made so far, by screen id
    std::unique_ptr<Wnd> noteFolderChooser_; // made on first use
    CNormalWnd *current_;                              // one of the screens, not owned
    HWND lastPresented_;
    std::function<void(int)> slideStepObserver_;

    PBufferDC back_;
    int clientWidth_;
    Bitmap floatButton_; // a 16-bit-per-pixel copy of the resource
    SIZE floatSize_;

    // Floating-button stylus state
    POINT pressPoint_;
    POINT lastPoint_;
    bool moved_;
    DWORD pressTime_;

    RECT dragBounds_; // work area inset by the margin
    Debounce menuStamp_, backStamp_, openStamp_, bottomStamp_;
};
