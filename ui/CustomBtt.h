// CCustomBtt: a bitmap push button that can also drag the whole window.
// A tap sends UWM_BAR_COMMAND to the parent; sliding off the button by more
// than a small margin turns the press into a drag of the main window
// (UWM_DRAG_MOVE / UWM_DRAG_END). Its picture holds the normal and the pressed
// look side by side.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/Gdi.h"
#include "ui/Wnd.h"

class CCustomBtt : public Wnd {
public:
    enum Mode { kPush = 0, kToggle = 1, kSticky = 2 };
    enum State { kNormal = 0, kPressed = 1 };
    static constexpr int kMaxText = 19;
    // Timer ids of the auto-repeat: the first delay, then the repeats.
    static constexpr UINT_PTR kRepeatDelayTimer = 2;
    static constexpr UINT_PTR kRepeatTimer = 3;
    static constexpr UINT kRepeatDelayMs = 450;
    static constexpr UINT kRepeatMs = 100;

    // fontHeight is in layout units (cell height of the Arial caption font).
    CCustomBtt(HWND parent, int fontHeight, int fontWeight, COLORREF textColor);
    ~CCustomBtt() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Copies the button's picture (its back buffer) to dc at (x, y).
    virtual void CopyTo(HDC dc, int x, int y);

    // Loads the two-state picture from the program's resources; false (and no
    // picture) when it is missing.
    bool SetImage(UINT bitmapId);
    // The same from a bitmap the caller keeps.
    bool SetImageBitmap(HBITMAP source);
    // Makes the (hidden) child window and its caption font.
    HWND CreateButton(const RECT &rect, UINT commandId);
    // Sets the state, redraws and updates the window at once.
    void SetState(int state);

    int GetState() const { return state_; }
    UINT CommandId() const { return commandId_; }
    SIZE ImageSize() const { return imageSize_; }
    bool IsDragging() const { return dragging_; }

    void SetMode(Mode mode) { mode_ = mode; }
    void SetAutoRepeat(bool repeat) { autoRepeat_ = repeat; }
    void SetCaption(const wchar_t *text);
    const wchar_t *Caption() const { return caption_; }
    // A second, smaller line under the caption (two thirds of its height,
    // cut with an ellipsis when too long); the caption then takes the upper
    // half of the button. Empty: the caption alone, centred.
    void SetSecondLine(const wchar_t *text);
    const wchar_t *SecondLine() const { return secondLine_; }
    // A new caption font height, in layout units.
    void SetFontHeight(int fontHeight);
    void SetLeftText(const wchar_t *text, int offset);
    void SetRightText(const wchar_t *text, int margin);
    void SetCaptionColors(COLORREF normal, COLORREF pressed);
    void SetLeftColors(COLORREF normal, COLORREF pressed);
    void SetRightColors(COLORREF normal, COLORREF pressed);
    void SetShadow(bool on, COLORREF color = RGB(15, 34, 108));
    void SetBackColor(COLORREF color);

private:
    // The picture of the current state, its texts over it.
    void Paint(HDC dc, const RECT &client) override;
    void OnPress(int x, int y);
    void OnMove(int x, int y);
    void OnRelease(int x, int y);
    void OnTimer(UINT_PTR id);
    void OnCaptureLost();
    void ShowLook(int state);
    void StopRepeat();
    bool Send(UINT msg, WPARAM wParam, LPARAM lParam); // false when the button went away meanwhile
    bool InExtension(int x, int y) const;
    bool OnButton(int x, int y) const;
    void DrawImage(HDC dc, const RECT &client);
    void DrawTexts(HDC dc, const RECT &client);
    void MakeFonts();

    HWND parent_; // not owned; receives every notification
    UINT commandId_;
    Bitmap normalImage_;
    Bitmap pressedImage_;
    SIZE imageSize_;
    int state_;
    int stateBeforePress_;
    Mode mode_;
    bool autoRepeat_;
    bool repeatFired_;
    bool tracking_;    // between a press and its release
    POINT pressPoint_; // screen coordinates
    POINT lastPoint_;
    bool dragging_;
    bool moved_;
    bool lookPressed_; // the look last reported with UWM_BUTTON_LOOK
    wchar_t caption_[kMaxText + 1];
    wchar_t leftText_[kMaxText + 1];
    wchar_t rightText_[kMaxText + 1];
    int leftOffset_;
    int rightMargin_;
    COLORREF captionColor_[2];
    COLORREF leftColor_[2];
    COLORREF rightColor_[2];
    bool shadow_;
    COLORREF shadowColor_;
    COLORREF backColor_;
    int fontHeight_;
    int fontWeight_;
    Font font_;
    Font secondFont_;
    Str secondLine_;
    // Cleared by the destructor: a parent may delete the button while it
    // handles the button's own notification.
    std::shared_ptr<bool> alive_;
};
