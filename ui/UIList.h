// CUIList: a list screen. It owns an optional title bar across the top and
// the row window below it, implements the row window's callbacks with
// pre-rendered state backgrounds, and keeps list screens opened over one
// another the same size.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "ui/BarBaseEx.h"
#include "ui/ListWnd.h"
#include "ui/ListWndBase.h"
#include "ui/NormalWnd.h"
#include "ui/PBufferDC.h"

// Posted down and then up a chain of nested list screens; lParam: the new
// size (width low word, height high word).
const UINT UWM_LIST_NESTED_SIZE = 33767;
// A screen's own command (OnUserCommand).
const UINT UWM_LIST_USER_COMMAND = 32778;
// Title-bar commands of the picker screens.
const UINT kTitleCommandCancel = 32872;
const UINT kTitleCommandDone = 32874;

class CUIList : public CNormalWnd, public CListWndBase {
public:
    static constexpr int kTitleUnits = 39;
    static constexpr int kScrollBarUnits = 13;
    static const COLORREF kTitleTextColor; // RGB(79, 79, 90)

    enum Orientation { kPortrait = 0, kLandscape = 1, kSquare = 2 };

    CUIList();
    ~CUIList() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    virtual void ReservedList() {}
    // WM_COMMAND with notification 768 (an edit control's text changed).
    virtual void OnEditChange(LPARAM /*control*/) {}
    // WM_COMMAND with notification 1.
    virtual void OnSelChange(LPARAM /*control*/) {}
    // After an orientation change, with the new client rectangle.
    virtual void OnResize(const RECT & /*client*/) {}
    // The title bar's right (done) and left (back or cancel) commands: by
    // default the parent is enabled again and its list takes the focus.
    virtual void OnRightButton();
    virtual void OnLeftButton();
    // Message 32778.
    virtual void OnUserCommand(HWND /*window*/, UINT /*msg*/) {}
    virtual void OnOrientationChange();

    // Makes (or resizes) the visible child window over rect, or the parent's
    // client area when rect is null, with its title bar and row window.
    bool Create(HWND parent, const RECT *rect, const wchar_t *caption);
    // Set before Create: the screen has a title bar.
    void SetHasTitleBar(bool has) { hasTitleBar_ = has; }
    // Title bar background (the list screens use PickBitmap of the list title
    // pictures), layout code (2 title only, 3 left button and title, 4 left
    // button, title and right button) and title text. Clears the buttons.
    void SetTitle(UINT bitmapId, int layoutCode, const wchar_t *title);
    // Adds a button to the title bar (left first, then right) showing a
    // two-look picture of width x height; a tap posts UWM_TITLE_COMMAND with
    // commandId to this screen.
    void AddTitleButton(UINT bitmapId, int width, int height, UINT commandId);
    // Maps the picker commands to OnLeftButton / OnRightButton; true when it
    // was one of them. Picker screens call it from their window procedure.
    bool HandlePickerCommand(WPARAM commandId);

    CListWnd *List() const { return list_.get(); }
    CBarBaseEx *TitleBar() const { return titleBar_.get(); }
    HWND ParentWindow() const { return parent_; }
    int Orientation() const { return orientation_; }
    int StateBackgroundCount() const { return static_cast<int>(states_.size()); }
    HDC StateBackground(int state) const;
    SIZE StateBackgroundSize(int state) const;

    // The list screen that has the keyboard and the input panel now, or null.
    static CUIList *ActiveList();
    static int OrientationOfScreen();

    // Default state backgrounds: one bitmap per state of the row width and
    // height, painted by DrawRowBackground.
    void PrepareRows(CListWnd *list, int states, const int *heights) override;
    void DrawRowBackground(HDC dc, int state, int width, int height) override;

protected:
    // Places the title bar and the row window in the client area.
    void LayoutChildren();
    void Paint(HDC dc, const RECT &client) override;
    // Copies a state background into a row.
    void CopyStateBackground(HDC dc, int state, const RECT &rect) const;

private:
    void OnSize(LPARAM size);
    void OnNestedSize(LPARAM size);
    void RebuildTitleLayout();
    static CUIList *FromWindow(HWND window);

    HWND parent_; // not owned
    std::unique_ptr<CListWnd> list_;
    std::unique_ptr<CBarBaseEx> titleBar_;
    Str title_;
    int layoutCode_;
    struct TitleButton {
        UINT bitmapId;
        int width, height;
        UINT commandId;
    };
    std::vector<TitleButton> titleButtons_;
    int orientation_;
    bool hasTitleBar_;
    std::vector<std::unique_ptr<PBufferDC>> states_;
};
